// Guards penalty, allowance and leave generation: clauses, midnight windows, parameters, orders, list and pay texts.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "award/award_allowance_kinds.h"
#include "award/award_component_lists.h"
#include "award/award_leave_kinds.h"
#include "award/component_registry.h"

namespace qora {
namespace {

using Values = std::initializer_list<std::pair<const char*, const char*>>;

// A component of the stored type in group A; an addition pays code C at 50,
// a penalty on Saturdays; then the published values given (lists one item
// a line).
std::unique_ptr<TObjAwardConditionBase> Make(int pType, Values pValues = {}) {
  std::unique_ptr<TObjAwardConditionBase> item = CreateAwardComponent(pType);
  item->ConditionGroupLst().Add("A");
  if (dynamic_cast<TObjAwardAddDedBase*>(item.get()) != nullptr) {
    SetPublishedValue(*item, "AddDedCode", std::string("C"));
    SetPublishedValue(*item, "AddDedAmountPerc", 50.0);
  }
  if (dynamic_cast<TObjAwardPenalty*>(item.get()) != nullptr) {
    SetPublishedValue(*item, "WorkDaysLst", std::string("Saturday"));
  }
  for (const auto& [name, value] : pValues) SetPublishedValue(*item, name, std::string(value));
  return item;
}

struct Row {
  std::string code, expression, action, params;
};

TEST(AdditionConditions, GeneratedConditionsPerKind) {
  const std::string g = "((EqualString(ConditionGroup,\"A\")))";
  const std::string gd = g + " and ((DayOfWeek(ShiftStartDate) = 7))";
  const std::string sat = " and ((DayOfWeek(ShiftStartDate) = 7))";
  const std::string held = g + "and (EmployeeHasAddition(\"C\"))";
  const std::string p1 = "Days Worked - Part Shift 1", p2 = "Days Worked - Part Shift 2", shift = "AddPenalty";
  const std::string whole = "ShiftStart;ShiftEnd;50;\"C\"", upto24 = "ShiftStart;MinR(24,ShiftEnd);50;\"C\"";
  const std::string cross = " and ShiftCrossesMidnight and (DayOfWeek(ShiftEndDate) = ";
  const char* between = "aicto_Between";
  struct Case {
    const char* name;
    std::unique_ptr<TObjAwardConditionBase> item;
    std::vector<Row> rows;
  };
  Case cases[] = {
      {"Saturday and Sunday, each day's part", Make(4, {{"WorkDaysLst", "Saturday\nsunday"}}),
       {{p1, g + " and (DayOfWeek(ShiftStartDate) = 7)", shift, upto24},
        {p2, g + cross + "7)", shift, "24;ShiftEnd;50;\"C\""},
        {p1, g + " and (DayOfWeek(ShiftStartDate) = 1)", shift, upto24},
        {p2, g + cross + "1)", shift, "24;ShiftEnd;50;\"C\""}}},
      {"days worked, no days", Make(4, {{"WorkDaysLst", ""}}), {}},
      {"days worked, entire shift", Make(4, {{"EntireShift", "True"}}),
       {{"Days Worked - Entire Shift", gd, shift, whole}}},
      {"rostered start 18 to 6", Make(5, {{"TimeOpt", between}, {"Time1", "18"}, {"Time2", "6"}}),
       {{"", gd + " and ((RosteredHoursStart >= 18) or (RosteredHoursStart <= 6))", shift, whole}}},
      {"rostered end 6 to 18",
       Make(5, {{"TimeOpt", between}, {"Time1", "6"}, {"Time2", "18"}, {"StartEndOpt", "aiseo_Ends"}}),
       {{"", gd + " and ((RosteredHoursEnd >= 6) and (RosteredHoursEnd <= 18))", shift, whole}}},
      {"rostered start 6 to 6", Make(5, {{"TimeOpt", between}, {"Time1", "6"}, {"Time2", "6"}}),
       {{"", gd + " and ((RosteredHoursStart >= 6) and (RosteredHoursStart <= 6))", shift, whole}}},
      {"rostered start before 7.5", Make(5, {{"Time1", "7.5"}}),
       {{"", gd + " and (RosteredHoursStart < 7.5)", shift, whole}}},
      {"hours 22 to 6", Make(6, {{"TimeOpt", between}, {"Time1", "22"}, {"Time2", "6"}}),
       {{"", g + " and ((ShiftStart < 30) or (ShiftEnd > 22))" + sat, shift,
         "MaxR(ShiftStart,22);MinR(ShiftEnd,30);50;\"C\""}}},
      {"hours before 6", Make(6, {{"TimeOpt", "aicto_Before"}, {"Time1", "6"}, {"Time2", "6"}}),
       {{"", g + " and (ShiftStart < 6)" + sat, shift, "ShiftStart;MinR(ShiftEnd,6);50;\"C\""}}},
      {"hours after 18.5", Make(6, {{"Time1", "18.5"}}),
       {{"", g + " and (ShiftEnd > 18.5)" + sat, shift, "MaxR(ShiftStart,18.5);ShiftEnd;50;\"C\""}}},
      {"hours, no window", Make(6, {{"TimeOpt", "aicto_None"}}), {{"", g + " and ()" + sat, shift, ";;50;\"C\""}}},
      {"meal break",
       Make(7, {{"AfterNoOfHours", "5"}, {"AfterNextNoOfHours", "1.5"}, {"NextAmountPerc", "100"},
                {"PaidWorkCode", "MB"}, {"MinBreakTime", "30"}}),
       {{"", gd, "AddMealBreakPenalty", "5;50;1.5;100;\"C\";\"MB\";30"}}},
      {"rest with no loss of pay", Make(17, {{"BreakBetwShifts", "10"}}),
       {{"", gd, "AddShiftBreakPenalty", "\"C\";50;10;-1"}}},
      {"held on employee per week", Make(8, {{"AddDedAmountPerc", "25.5"}}),
       {{"", held, "AddAllowance", "25.5;\"C\""}}},
      {"on timesheet per unit",
       Make(8, {{"ApplyOption", "aiaao_OnTimesheet"}, {"TimesheetWorkCode", "TL"}, {"PayUnitType", "aiapu_Unit"}}),
       {{"", g + "and (0 = 0)", "AddAllowance", "GetFloatValue(\"C\");\"C\""}}},
      {"held on employee per hour", Make(8, {{"PayUnitType", "aiapu_Hour"}}),
       {{"", held, "AddAllowance", "WorkedHoursTotal;\"C\""}}},
      {"on timesheet per hour",
       Make(8, {{"ApplyOption", "aiaao_OnTimesheet"}, {"TimesheetWorkCode", "TL"}, {"PayUnitType", "aiapu_Hour"}}),
       {{"", g + "and (WorkCodeExists(\"TL\"))", "AddAllowance", "HoursForWorkCode(\"TL\");\"C\""}}},
      {"on timesheet, no work code", Make(8, {{"ApplyOption", "aiaao_OnTimesheet"}}),
       {{"", g + "and (0 = 0)", "AddAllowance", "50;\"C\""}}},
      {"never applies", Make(8, {{"ApplyOption", "aiaao_None"}, {"PayUnitType", "aiapu_None"}}),
       {{"", g + "and (0 = 1)", "AddAllowance", "0;\"C\""}}},
      {"proportioned on actual hours", Make(8, {{"ProportionedOnOpt", "aipo_ActHrsWorked"}}),
       {{"", held, "AddProportionalAllowance", "50;\"C\";2"}}},
      {"capped at 40 a week", Make(9, {{"CapAmountPerc", "40"}}),
       {{"", held, "AddCappedAllowance", "50;\"C\";40;4;2"}}},
      {"proportioned hours", Make(10), {{"", held, "AddProportionalAllowance", "50;\"C\";"}}},
      {"accrue all overtime",
       Make(13, {{"AddDedCode", "TOIL"}, {"TimesheetWorkCode", "TL"}, {"AccrueAllOvertime", "True"}}),
       {{"Leave Accrual", g + " and (WorkCodeExists(\"TL\"))  or (-1 <> 0)", "ApplyLeaveAccrual",
         "\"TOIL\";\"TL\";1;-1"}}},
      {"accrue a work code's actual hours", Make(13, {{"TimesheetWorkCode", "TL"}, {"AccrueHoursOpt", "aiaho_Actual"}}),
       {{"Leave Accrual", g + " and (WorkCodeExists(\"TL\"))  or (0 <> 0)", "ApplyLeaveAccrual", "\"\";\"TL\";2;0"}}},
      {"annual leave at 150", Make(15, {{"LeaveReasonCode", "AL"}, {"RateCode", "LV150"}, {"Percentage", "150"}}),
       {{"Leave Accrual", g + " and LeaveReasonExists(\"AL\")", "ApplyLeaveReason", "\"AL\";\"LV150\";150"}}},
      {"loading, all penalties", Make(14, {{"AllowanceLstIndicator", "0"}}),
       {{"", g, "ApplyCompareLeaveLoading", "\"(None)\";\"<All>\""}}},
      {"loading, two allowances",
       Make(14, {{"AllowanceLstIndicator", "1"}, {"AllowanceAdditionLst", "TOOLS\nMEAL"},
                 {"PenaltyLstIndicator", "0"}}),
       {{"", g, "ApplyCompareLeaveLoading", "\"TOOLS,MEAL\";\"(None)\""}}},
      {"planned hours, listed codes",
       Make(21, {{"LeaveReasonLstIndicator", "1"}, {"LeaveReasonLst", "AL\nSL"}, {"AllowanceLstIndicator", "1"},
                 {"AllowanceAdditionLst", "MEAL"}}),
       {{"", g, "ApplyPlannedHoursLeave", "\"AL,SL\";\"MEAL\";\"<All>\""}}},
      {"planned hours, reasons have no none case",
       Make(21, {{"LeaveReasonLstIndicator", "0"}, {"LeaveReasonLst", "AL"}, {"AllowanceLstIndicator", "0"}}),
       {{"", g, "ApplyPlannedHoursLeave", "\"AL\";\"(None)\";\"<All>\""}}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    TaiConditionList list;
    c.item->PopulateConditions(list);
    ASSERT_EQ(list.Count(), static_cast<int>(c.rows.size()));
    const int order = dynamic_cast<TObjAwardLeave*>(c.item.get()) != nullptr ? 10000 : 1000;
    for (int i = 0; i < list.Count(); ++i) {
      const TaiCondition& condition = *list.Items(i);
      const Row& row = c.rows[static_cast<size_t>(i)];
      EXPECT_EQ(condition.Code(), row.code);
      EXPECT_EQ(condition.ConditionExpression(), row.expression);
      EXPECT_EQ(condition.ActionVariable(), row.action);
      EXPECT_EQ(condition.ActionType(), TaiActionType::aatCallMethod);
      EXPECT_EQ(condition.ActionExpression(), row.params);
      EXPECT_EQ(condition.Order(), order);
    }
  }
}

TEST(AdditionConditions, PayDetailsTexts) {
  const std::pair<std::unique_ptr<TObjAwardConditionBase>, const char*> cases[] = {
      {Make(8, {{"AddDedAmountPerc", "12.5"}}), "$ 12.5 per Week"},
      {Make(8, {{"ProportionedOnOpt", "aipo_NormHrsPaid"}}), "$ 50 per Week Proportioned on Normal Hours Paid"},
      {Make(9, {{"CapAmountPerc", "40"}}), "$ 50 per Shift Capped at Maximum $ 40 per Week"},
      {Make(9, {{"PayOption", "aicpo_PercOfStd"}, {"CapMinMax", "aicmm_Min"}, {"CapAmountPerc", "150"},
                {"CapPayUnitType", "aiapu_Day"}}),
       "50 % of Std Rate per Shift Capped at Minimum 150 % per Day"},
      {Make(7), "50 % of Base Rate per Hour"},
  };
  for (const auto& [item, expected] : cases) {
    EXPECT_EQ(std::get<std::string>(GetPublishedValue(*item, "PayDetailsStr")), expected);
  }
}

TEST(AdditionConditions, LeaveListFollowsCodeChanges) {
  TObjListAwardLeave list;
  list.Add(Make(14, {{"PenaltyAdditionLst", "NIGHT\nWKND"}, {"AllowanceAdditionLst", "MEAL"}}));
  list.Add(Make(21, {{"AllowanceAdditionLst", "TOOLS\nMEAL"}}));
  list.Add(Make(15, {{"LeaveReasonCode", "AL"}, {"RateCode", "LV150"}}));
  list.Add(Make(15, {{"LeaveReasonCode", "al"}, {"RateCode", "LV200"}}));
  list.ReplaceAllowanceAdditionCodes("MEAL", "MEALS");
  list.ReplacePenaltyAdditionCodes("NIGHT", "NGT");
  list.ReplaceOvertimeRateCodes("LV150", "LV15");
  const auto text = [&list](int i, const char* name) {
    return PropValueToText(*list.Items(i)->GetClassInfo().FindProperty(name), GetPublishedValue(*list.Items(i), name));
  };
  EXPECT_EQ(text(0, "PenaltyAdditionLst") + text(0, "AllowanceAdditionLst"), "NGT\r\nWKND\r\nMEALS\r\n");
  EXPECT_EQ(text(1, "AllowanceAdditionLst"), "TOOLS\r\nMEALS\r\n");
  EXPECT_EQ(text(2, "RateCode") + text(3, "RateCode"), "LV15LV200");
  EXPECT_TRUE(list.IsAllowanceAdditionUsed("MEALS") && !list.IsAllowanceAdditionUsed("MEAL"));
  EXPECT_FALSE(list.IsPenaltyAdditionUsed("MEALS")) << "an allowance code is not a penalty code";
  const auto& annual = dynamic_cast<const TObjAwardLeavePayment&>(*list.Items(2));
  EXPECT_FALSE(list.CheckDupeLeaveReason(annual)) << "reasons compare ignoring case";
  EXPECT_TRUE(list.CheckDupeRateCode(annual));
}

}  // namespace
}  // namespace qora
