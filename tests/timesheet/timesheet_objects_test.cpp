// Guards against unknown leave types kept as known ones, leave found outside its days, exact-case lookups that
// ignore case, award allowances deleted with the employee's, and award or field-type values under the wrong ordinal.
#include "timesheet/timesheet_objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "common/datetime.h"
#include "foundation/award_const.h"
#include "timesheet/field_type.h"

namespace qora {
namespace {

TEST(DateGroup, LeaveTypeKeepsKnownTypesAndTurnsOthersIntoUserDefinedLeave) {
  // Type given (through the registry, as the rules set it); type and leave class kept.
  const std::vector<std::tuple<std::string, std::string, std::string>> cases{
      {"Annual Leave", "Annual Leave", ""},
      {"RDO", "RDO", ""},
      {"reduced SICK leave", "reduced SICK leave", ""},
      {"Jury Duty", "User Defined Leave", "Jury Duty"},
      {"Annual", "User Defined Leave", "Annual"},  // a prefix is not a known type
      {"", "User Defined Leave", ""},
  };
  for (const auto& [given, type, leave_class] : cases) {
    TDateGroup d;
    SetPublishedValue(d, "LeaveType", PropValue{given});
    EXPECT_EQ(d.LeaveType() + "|" + d.LeaveClass(), type + "|" + leave_class) << given;
  }
  EXPECT_EQ(TDateGroup::KnownLeaveTypes().size(), 9u);
  // The description is never stored.
  TDateGroup d;
  d.SetDescription("ignored");
  SetPublishedValue(d, "Description", PropValue{std::string("also ignored")});
  EXPECT_EQ(std::get<std::string>(GetPublishedValue(d, "Description")), "");
}

TEST(LeaveDateList, FindLeaveMatchesEveryDayOfTheRange) {
  const TDateTime mon = EncodeDate(2024, 3, 4);
  TLeaveDateList list;
  TDateGroup* week = list.AddNew();
  week->SetDateFrom(mon);
  week->SetDateTo(mon + 4);
  TDateGroup* single = list.AddNew();
  single->SetDateFrom(mon + 7 + 0.5);  // a time of day on the entry
  single->SetDateTo(mon + 7);
  TDateGroup* open = list.AddNew();
  open->SetDateFrom(mon + 10);  // no end date
  const std::vector<std::pair<TDateTime, TDateGroup*>> cases{
      {mon - 1, nullptr},       {mon, week},        {mon + 2.75, week}, {mon + 4 + 0.99, week},
      {mon + 5, nullptr},       {mon + 7, single},  {mon + 7.9, single}, {mon + 8, nullptr},
      {mon + 10.3, open},       {mon + 11, nullptr},
  };
  for (const auto& [date, expected] : cases) EXPECT_EQ(list.FindLeave(date), expected) << FormatIsoDateTime(date);
}

TEST(AllowanceList, LookupsAreExactAndDeletingEmployeeAllowancesKeepsAwardOnes) {
  TAllowanceList list;
  const std::vector<std::pair<std::string, bool>> items{{"MEAL", true}, {"TOOL", false}, {"meal", false},
                                                        {"UNIF", true}};
  for (const auto& [code, on_employee] : items) {
    TAllowance* a = list.AddNew();
    a->SetAddDedCode(code);
    a->SetOnEmployee(on_employee);
  }
  EXPECT_EQ(list.FindAllowance("meal"), list.Items(2));
  EXPECT_EQ(list.FindAllowance("MEAL"), list.Items(0));
  EXPECT_EQ(list.FindAllowance("Tool"), nullptr);
  list.DeleteEmployeeAllowances();
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(0)->AddDedCode() + "," + list.Items(1)->AddDedCode(), "TOOL,meal");

  TPenaltyList penalties;
  TPenalty* night = penalties.AddNew();
  night->SetAddDedCode("NIGHT");
  night->SetUnitType(TaiAllowancePayUnit::aiapu_Hour);
  ASSERT_EQ(penalties.FindPenalty("NIGHT"), night);
  EXPECT_EQ(penalties.FindPenalty("night"), nullptr);
  EXPECT_EQ(std::get<int64_t>(GetPublishedValue(*night, "UnitType")), 2);
}

TEST(Allowance, AddDedTypeTextFollowsTheAwardTypeOrdinal) {
  const std::vector<std::pair<int, std::string>> cases{{-1, ""}, {0, "Amount"}, {2, "Percent"}, {4, "Formula"}, {5, ""}};
  for (const auto& [ordinal, text] : cases) EXPECT_EQ(TAllowance::AddDedTypeText(ordinal), text) << ordinal;
}

TEST(WorkPatternList, FindDateTakesTheFirstEntryOnTheSameDayAtEveryBoundary) {
  // Days truncate toward zero: day 0 reaches from -1 to 1 exclusive, a
  // negative day ends on its whole number, a positive one starts there.
  const double huge = 0x1p53;
  const std::vector<double> dates{-1.5, -0.5, 1.0, 45651.0, 45651.75, huge};
  TWorkPatternList list;
  for (double date : dates) {
    TDateObject* d = list.AddNew();
    d->SetDate(date);
    d->SetHours(7.5);
  }
  const std::vector<std::pair<double, int>> cases{
      {-2.0, -1},         {-1.0, 0},          {-0.999, 1},   {0.9, 1},
      {std::nextafter(1.0, 0.0), 1},          {1.0, 2},      {1.999, 2},
      {std::nextafter(45651.0, 0.0), -1},     {45651.0, 3},  {45651.5, 3},
      {45652.0, -1},      {huge, 5},          {huge + 2, -1}, {std::nan(""), -1},
  };
  for (const auto& [probe, expected] : cases) {
    EXPECT_EQ(list.FindDate(probe), expected < 0 ? nullptr : list.Items(expected)) << probe;
  }
  EXPECT_DOUBLE_EQ(list.GetTotalHours(), 7.5 * 6);
}

TEST(AwardConst, ValueNamesFollowTheStoredOrder) {
  // The values' names, how many there are, one ordinal and its name.
  const std::vector<std::tuple<const EnumInfo*, size_t, int, std::string>> cases{
      {&TaiConditionTypeInfo(), 22, 21, "aict_LeavePaymPlannedHours"},
      {&TaiConditionPayOptInfo(), 5, 4, "aicpo_PercOfBaseCategory"},
      {&TaiAllowancePayUnitInfo(), 6, 5, "aiapu_Day"},
      {&TaiPeriodTypeInfo(), 6, 2, "aipt_Total"},
      {&TaiOvertimeTotalTypeInfo(), 5, 4, "aiot_PlannedHours"},
      {&FieldTypeInfo(), 38, 25, "ftLargeint"},
  };
  for (const auto& [info, count, ordinal, name] : cases) {
    EXPECT_EQ(info->names.size(), count) << info->type_name;
    EXPECT_EQ(info->NameOf(ordinal), name) << info->type_name;
  }
}

}  // namespace
}  // namespace qora
