// Guards against unknown leave types kept as known ones, leave found outside its days, exact-case lookups that
// ignore case, award allowances deleted with the employee's, and award values stored under the wrong ordinal.
#include "timesheet/timesheet_objects.h"

#include <gtest/gtest.h>

#include "common/datetime.h"
#include "foundation/award_const.h"

namespace qora {
namespace {

TEST(DateGroup, LeaveTypeKeepsKnownTypesAndTurnsOthersIntoUserDefinedLeave) {
  struct Case {
    std::string given, type, leave_class;
  };
  const std::vector<Case> cases{
      {"Annual Leave", "Annual Leave", ""},
      {"RDO", "RDO", ""},
      {"reduced SICK leave", "reduced SICK leave", ""},
      {"Jury Duty", "User Defined Leave", "Jury Duty"},
      {"Annual", "User Defined Leave", "Annual"},  // a prefix is not a known type
      {"", "User Defined Leave", ""},
  };
  for (const Case& c : cases) {
    TDateGroup d;
    d.SetLeaveType(c.given);
    EXPECT_EQ(d.LeaveType(), c.type) << c.given;
    EXPECT_EQ(d.LeaveClass(), c.leave_class) << c.given;
  }
  EXPECT_EQ(TDateGroup::KnownLeaveTypes().size(), 9u);
}

TEST(DateGroup, DescriptionIsNeverStoredAndLeaveTypeSetterRunsThroughTheRegistry) {
  TDateGroup d;
  d.SetDescription("ignored");
  SetPublishedValue(d, "Description", PropValue{std::string("also ignored")});
  EXPECT_EQ(std::get<std::string>(GetPublishedValue(d, "Description")), "");
  SetPublishedValue(d, "LeaveType", PropValue{std::string("Study")});
  EXPECT_EQ(d.LeaveType(), "User Defined Leave");
  EXPECT_EQ(d.LeaveClass(), "Study");
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
  struct Case {
    TDateTime date;
    TDateGroup* expected;
  };
  const std::vector<Case> cases{
      {mon - 1, nullptr},       {mon, week},        {mon + 2.75, week}, {mon + 4 + 0.99, week},
      {mon + 5, nullptr},       {mon + 7, single},  {mon + 7.9, single}, {mon + 8, nullptr},
      {mon + 10.3, open},       {mon + 11, nullptr},
  };
  for (const Case& c : cases) EXPECT_EQ(list.FindLeave(c.date), c.expected) << FormatIsoDateTime(c.date);
}

TEST(AllowanceList, FindIsExactAndDeleteEmployeeAllowancesKeepsAwardOnes) {
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
  EXPECT_EQ(list.Items(0)->AddDedCode(), "TOOL");
  EXPECT_EQ(list.Items(1)->AddDedCode(), "meal");
}

TEST(Allowance, AddDedTypeTextFollowsTheAwardTypeOrdinal) {
  const std::vector<std::pair<int, std::string>> cases{{-1, ""}, {0, "Amount"}, {2, "Percent"}, {4, "Formula"}, {5, ""}};
  for (const auto& [ordinal, text] : cases) EXPECT_EQ(TAllowance::AddDedTypeText(ordinal), text) << ordinal;
}

TEST(PenaltyList, FindPenaltyReturnsThePenaltyWithItsWindow) {
  TPenaltyList list;
  TPenalty* night = list.AddNew();
  night->SetAddDedCode("NIGHT");
  night->SetUnitType(TaiAllowancePayUnit::aiapu_Hour);
  TPenalty* found = list.FindPenalty("NIGHT");
  ASSERT_EQ(found, night);
  EXPECT_EQ(list.FindPenalty("night"), nullptr);
  EXPECT_EQ(std::get<int64_t>(GetPublishedValue(*found, "UnitType")), 2);
}

TEST(WorkPatternList, FindDateBySameDayAndTotalHours) {
  const TDateTime day = EncodeDate(2024, 12, 25);
  TWorkPatternList list;
  EXPECT_EQ(list.FindDate(day), nullptr);
  EXPECT_DOUBLE_EQ(list.GetTotalHours(), 0);
  for (int i = 0; i < 3; ++i) {
    TDateObject* d = list.AddNew();
    d->SetDate(day - 1 + i);
    d->SetHours(7.6 + i);
  }
  EXPECT_EQ(list.FindDate(day + 0.9), list.Items(1));
  EXPECT_EQ(list.FindDate(day + 2), nullptr);
  EXPECT_DOUBLE_EQ(list.GetTotalHours(), 7.6 + 8.6 + 9.6);
}

TEST(AwardConst, ValueNamesFollowTheStoredOrder) {
  struct Case {
    const EnumInfo& info;
    size_t count;
    int ordinal;
    std::string name;
  };
  const std::vector<Case> cases{
      {TaiConditionTypeInfo(), 22, 21, "aict_LeavePaymPlannedHours"},
      {TaiConditionPayOptInfo(), 5, 4, "aicpo_PercOfBaseCategory"},
      {TaiAllowancePayUnitInfo(), 6, 5, "aiapu_Day"},
      {TaiPeriodTypeInfo(), 6, 2, "aipt_Total"},
      {TaiOvertimeTotalTypeInfo(), 5, 4, "aiot_PlannedHours"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.info.names.size(), c.count) << c.info.type_name;
    EXPECT_EQ(c.info.NameOf(c.ordinal), c.name) << c.info.type_name;
  }
}

}  // namespace
}  // namespace qora
