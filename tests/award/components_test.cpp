// Guards award components: the conditions generated from them (group and day
// clauses, time windows across midnight, the work-code tests, parameter texts
// with next rates, period offsets and truncated percentages, orders by family,
// of a code that is also a next rate and of leave after the rest), the
// condition group's assignment and edits, an award's conditions reaching the
// rule engine out of order, the list, pay and display texts and rate
// look-ups, and validation messages missing, extra or out of order (common
// fields first, then each branch and kind in turn).
#include <gtest/gtest.h>

#include <algorithm>

#include "award/award.h"
#include "award/award_allowance_kinds.h"
#include "award/award_component_lists.h"
#include "award/award_conditions.h"
#include "award/award_leave_kinds.h"
#include "award/award_overtime_kinds.h"
#include "award/award_rate_base.h"
#include "award/award_rules.h"
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

// A component made as Make makes it whose common, rate and addition fields
// are all valid, then the published values given.
std::unique_ptr<TObjAwardConditionBase> Valid(int type, Values values = {}) {
  std::unique_ptr<TObjAwardConditionBase> item = Make(type);
  item->SetDescription("Overtime");
  if (auto* rate = dynamic_cast<TObjAwardRateBase*>(item.get())) {
    rate->SetRateCode("OT15");
    rate->SetRateDescription("Time and a half");
    rate->SetPercentage(150);
  }
  if (auto* addition = dynamic_cast<TObjAwardAddDedBase*>(item.get())) addition->SetAddDedDescription("Loading");
  for (const auto& [name, value] : values) SetPublishedValue(*item, name, std::string(value));
  return item;
}

// Overtime of the stored type, made as Make makes it, added to the award.
TObjAwardOvertime& Add(TObjAward& award, int type, Values values) {
  std::unique_ptr<TObjAwardConditionBase> item = Make(type, values);
  auto& overtime = dynamic_cast<TObjAwardOvertime&>(*item);
  award.ObjLstOvertime().Add(std::move(item));
  return overtime;
}

// The one condition generated: code, expression, action, parameters, order.
std::vector<std::string> Generate(TObjAward& award, TObjAwardOvertime& overtime, TaiConditionList& list) {
  award.SetupListProperties();
  overtime.PopulateConditions(list);
  EXPECT_EQ(list.Count(), 1);
  const TaiCondition& c = *list.Items(list.Count() - 1);
  EXPECT_EQ(c.ActionType(), TaiActionType::aatCallMethod);
  return {c.Code(), c.ConditionExpression(), c.ActionVariable(), c.ActionExpression(), std::to_string(c.Order())};
}

TEST(AdditionConditions, GeneratedConditionsPerKind) {
  const std::string g = "((EqualString(ConditionGroup,\"A\")))";
  const std::string gd = g + " and ((DayOfWeek(ShiftStartDate) = 7))";
  const std::string sat = " and ((DayOfWeek(ShiftStartDate) = 7))";
  const std::string held = g + "and (EmployeeHasAddition(\"C\"))";
  const std::string p1 = "Days Worked - Part Shift 1", p2 = "Days Worked - Part Shift 2", shift = "AddPenalty";
  const std::string whole = "ShiftStart;ShiftEnd;50;\"C\"", upto24 = "ShiftStart;MinR(24,ShiftEnd);50;\"C\"";
  const std::string cross = " and ShiftCrossesMidnight and (DayOfWeek(ShiftEndDate) = ";
  const char* between = "aicto_Between";
  // Each case: the rows generated, as code, expression, action and parameters.
  const std::tuple<const char*, std::shared_ptr<TObjAwardConditionBase>, std::vector<std::vector<std::string>>>
      cases[] = {
      {"Saturday and Sunday, each day's part", Make(4, {{"WorkDaysLst", "Saturday\nsunday"}}),
       {{p1, g + " and (DayOfWeek(ShiftStartDate) = 7)", shift, upto24},
        {p2, g + cross + "7)", shift, "24;ShiftEnd;50;\"C\""},
        {p1, g + " and (DayOfWeek(ShiftStartDate) = 1)", shift, upto24},
        {p2, g + cross + "1)", shift, "24;ShiftEnd;50;\"C\""}}},
      {"days worked, no days", Make(4, {{"WorkDaysLst", ""}}), {}},
      {"entire shift", Make(4, {{"EntireShift", "True"}}), {{"Days Worked - Entire Shift", gd, shift, whole}}},
      {"rostered start 18 to 6", Make(5, {{"TimeOpt", between}, {"Time1", "18"}, {"Time2", "6"}}),
       {{"", gd + " and ((RosteredHoursStart >= 18) or (RosteredHoursStart <= 6))", shift, whole}}},
      {"rostered end 6 to 18",
       Make(5, {{"TimeOpt", between}, {"Time1", "6"}, {"Time2", "18"}, {"StartEndOpt", "aiseo_Ends"}}),
       {{"", gd + " and ((RosteredHoursEnd >= 6) and (RosteredHoursEnd <= 18))", shift, whole}}},
      {"rostered start 6 to 6", Make(5, {{"TimeOpt", between}, {"Time1", "6"}, {"Time2", "6"}}),
       {{"", gd + " and ((RosteredHoursStart >= 6) and (RosteredHoursStart <= 6))", shift, whole}}},
      {"start before 7.5", Make(5, {{"Time1", "7.5"}}), {{"", gd + " and (RosteredHoursStart < 7.5)", shift, whole}}},
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
      {"rest, pay kept", Make(17, {{"BreakBetwShifts", "10"}}), {{"", gd, "AddShiftBreakPenalty", "\"C\";50;10;-1"}}},
      {"held, per week", Make(8, {{"AddDedAmountPerc", "25.5"}}), {{"", held, "AddAllowance", "25.5;\"C\""}}},
      {"on timesheet per unit",
       Make(8, {{"ApplyOption", "aiaao_OnTimesheet"}, {"TimesheetWorkCode", "TL"}, {"PayUnitType", "aiapu_Unit"}}),
       {{"", g + "and (0 = 0)", "AddAllowance", "GetFloatValue(\"C\");\"C\""}}},
      {"held hourly", Make(8, {{"PayUnitType", "aiapu_Hour"}}), {{"", held, "AddAllowance", "WorkedHoursTotal;\"C\""}}},
      {"on timesheet per hour",
       Make(8, {{"ApplyOption", "aiaao_OnTimesheet"}, {"TimesheetWorkCode", "TL"}, {"PayUnitType", "aiapu_Hour"}}),
       {{"", g + "and (WorkCodeExists(\"TL\"))", "AddAllowance", "HoursForWorkCode(\"TL\");\"C\""}}},
      {"on timesheet, no work code", Make(8, {{"ApplyOption", "aiaao_OnTimesheet"}}),
       {{"", g + "and (0 = 0)", "AddAllowance", "50;\"C\""}}},
      {"never applies", Make(8, {{"ApplyOption", "aiaao_None"}, {"PayUnitType", "aiapu_None"}}),
       {{"", g + "and (0 = 1)", "AddAllowance", "0;\"C\""}}},
      {"proportioned on actual hours", Make(8, {{"ProportionedOnOpt", "aipo_ActHrsWorked"}}),
       {{"", held, "AddProportionalAllowance", "50;\"C\";2"}}},
      {"capped, 40 a week", Make(9, {{"CapAmountPerc", "40"}}), {{"", held, "AddCappedAllowance", "50;\"C\";40;4;2"}}},
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
  for (const auto& [name, item, expected] : cases) {
    SCOPED_TRACE(name);
    TaiConditionList list;
    item->PopulateConditions(list);
    const int order = dynamic_cast<TObjAwardLeave*>(item.get()) != nullptr ? 10000 : 1000;
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < list.Count(); ++i) {
      const TaiCondition& r = *list.Items(i);
      rows.push_back({r.Code(), r.ConditionExpression(), r.ActionVariable(), r.ActionExpression()});
      EXPECT_EQ(r.ActionType(), TaiActionType::aatCallMethod);
      EXPECT_EQ(r.Order(), order);
    }
    EXPECT_EQ(rows, expected);
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

TEST(OvertimeConditions, GeneratedConditionPerKind) {
  const std::string g = "((EqualString(ConditionGroup,\"A\")))";
  const std::string day = "(DayOfWeek(ShiftStartDate) = ";
  const std::pair<const char*, const char*> ot15 = {"RateCode", "OT15"}, p150 = {"Percentage", "150"};
  const std::pair<const char*, const char*> fixed = {"ExceedBasedOn", "aiot_Fixed"};
  const struct {
    int type;
    Values values;
    std::vector<std::string> expected;
  } cases[] = {
      {1, {{"RateCode", "OT15"}, {"Percentage", "150.5"}, {"Rate2Code", "OT20"}, {"Ov2RatePerc", "200"},
           {"ApplyOvertime2", "True"}, {"Ov2FromHour", "2"}, {"WorkDaysLst", "monday\nSUNDAY"}},
       {"", g + " and (OvertimeHoursTotal > 0) and (" + day + "2) or " + day + "1))", "AddOvertimeHours",
        "\"OT15\";\"OT20\";2;\"\"", "150"}},
      // Next rate switched off; no group (validation keeps this out of awards, generation still works).
      {1, {ot15, p150, {"Rate2Code", "OT20"}, {"Ov2RatePerc", "200"}, {"Ov2FromHour", "2"},
           {"WorkDaysLst", "Public Holiday\nnone\nFunday"}, {"ConditionGroupLst", ""}},
       {"", "() and (OvertimeHoursTotal > 0) and (" + day + "8) or " + day + "8) or " + day + "8))",
        "AddOvertimeHours", "\"OT15\";\"\";0;\"\"", "150"}},
      {2, {{"RateCode", "WKND"}, {"Percentage", "200"}, {"FromDay", "aiwd_Sat"}, {"ToDay", "aiwd_Sun"},
           {"ToTime", "24"}, {"Ov2FromHour", "1.25"}},
       {"", g + " and (OvertimeHoursTotal > 0)", "AddTimeOfDayOvertimeHours", "7;1;0;24;\"WKND\";\"\";1.25", "200"}},
      {3, {{"RateCode", "CALL"}, {"Percentage", "175"}, {"Rate2Code", "CALL2"}, {"Ov2RatePerc", "250"},
           {"TimesheetWorkCode", "CB"}, {"ApplyOvertime2", "True"}, {"Ov2FromHour", "3"}},
       {"Specified Overtime", g, "ApplyOvertimeToWorkCode", "\"CB\";\"CALL\";3;\"CALL2\"", "175"}},
      // Normal hours per shift become the timesheet total.
      {18, {ot15, p150}, {"", g, "AddHoursWorkedOvertimeHours", "1;2;\"OT15\";\"\";0;0;\"\";0", "2150"}},
      {18, {ot15, p150, fixed, {"FromHour", "7.5"}, {"WorkDaysLst", "Saturday"}, {"IncludeLeave", "True"},
            {"InclLeaveReasonLst", "AL\nLong Service"}, {"StartDate", "45108.5"}},
       {"", g + " AND (" + day + "7))", "AddHoursWorkedOvertimeHours",
        "3;1;\"OT15\";\"\";7.5;0;\"AL,\"Long Service\"\";45108.5", "150"}},
      {18, {ot15, p150, fixed, {"PeriodType", "aipt2Week"}, {"FromHour", "76"}},
       {"", g, "AddHoursWorkedOvertimeHours", "3;4;\"OT15\";\"\";76;0;\"\";0", "2150"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected[3]);
    TObjAward award;
    TaiConditionList list;
    EXPECT_EQ(Generate(award, Add(award, c.type, c.values), list), c.expected);
  }
  // A period worked out from the work pattern is kept as the total.
  TObjAward award;
  TObjAwardOvertime& pattern = Add(award, 18, {ot15, p150, {"ExceedBasedOn", "aiot_WorkPattern"}});
  TaiConditionList list;
  Generate(award, pattern, list);
  EXPECT_EQ(dynamic_cast<TObjAwardOvertimeHoursWorked&>(pattern).PeriodType(), TaiPeriodType::aipt_Total);
  TObjAwardOvertimeSpecified outside;  // in no award: the table numbers it by position
  outside.SetRateCode("OT15");
  outside.PopulateConditions(list);
  EXPECT_EQ(list.Items(1)->Order(), 0);
}

TEST(OvertimeConditions, OrderOfACodeThatIsAlsoANextRate) {
  // The first overtime in the list holding the code decides, as its rate
  // or as its next rate.
  const Values next = {{"RateCode", "OT15"}, {"Percentage", "150"}, {"Rate2Code", "OT20"}, {"Ov2RatePerc", "200.9"}};
  for (const bool next_rate_first : {true, false}) {
    TObjAward award;
    if (next_rate_first) Add(award, 1, next);
    TObjAwardOvertime& own = Add(award, 1, {{"RateCode", "OT20"}, {"Percentage", "210"}});
    if (!next_rate_first) Add(award, 1, next);
    TaiConditionList list;
    EXPECT_EQ(Generate(award, own, list).back(), next_rate_first ? "200" : "210");
    EXPECT_EQ(award.ObjLstOvertime().GetPercentageForCode("OT20"), next_rate_first ? 200.9 : 210);
  }
}

TEST(OvertimeConditions, ListLookUpsAndDisplayTexts) {
  TObjAward award;
  TObjAwardOvertime& std_ot =
      Add(award, 1, {{"RateCode", "OT15"}, {"Percentage", "150"}, {"Rate2Code", "OT20"}, {"Ov2RatePerc", "200"},
                     {"RateDescription", "Time and a half"}, {"Rate2Description", "Double time"},
                     {"ApplyOvertime2", "True"}});
  TObjAwardOvertime& tod = Add(award, 2, {{"RateCode", "ot20"}, {"Percentage", "200"}, {"RateDescription", "Night"},
                                          {"FromDay", "aiwd_PubHol"}, {"FromTime", "6.5"}});
  TObjAwardOvertime& hw = Add(award, 18, {{"RateCode", "OT25"}, {"Percentage", "250"}, {"ExceedBasedOn", "aiot_Fixed"},
                                          {"FromHour", "38"}, {"PeriodType", "aipt1Week"}});
  TObjListAwardOvertime& list = award.ObjLstOvertime();
  EXPECT_EQ(list.GetPercentageForCode("NONE"), 100);
  EXPECT_EQ(list.GetOvertimeRate("OT20"), nullptr) << "rate codes compare exactly";
  EXPECT_FALSE(list.CheckDupeRate2Code(std_ot)) << "OT20 is ot20's rate code, ignoring case";
  EXPECT_TRUE(list.CheckDupeRateCode(hw));
  EXPECT_EQ(list.GetRateCodeDescLst().Items(),
            (std::vector<std::string>{"OT15 - Time and a half", "OT20 - Double time", "ot20 - Night", "OT25 - "}));
  EXPECT_EQ(std_ot.GetConditionDetailsStr(), "Days Worked \"Mon,Tue,Wed,Thu,Fri\"");
  EXPECT_EQ(tod.GetConditionDetailsStr(), "From Public Holiday 6.50 To Monday 0.00");
  EXPECT_EQ(hw.GetConditionDetailsStr(), "If Hours exceed 38.00 per 1 Week");
}

TEST(RuleConditions, GeneratedConditionPerKind) {
  const std::string g = "((EqualString(ConditionGroup,\"A\")))";
  const std::string gd = g +
      " and ((DayOfWeek(ShiftStartDate) = 2) or (DayOfWeek(ShiftStartDate) = 3) or (DayOfWeek(ShiftStartDate) = 4) or "
      "(DayOfWeek(ShiftStartDate) = 5) or (DayOfWeek(ShiftStartDate) = 6))";
  const std::pair<const char*, const char*> night = {"ConditionGroup", "Night"};
  const auto set = TaiActionType::aatSet, call = TaiActionType::aatCallMethod;
  const char* change = "Change Condition Group";
  const struct {
    int type;
    Values values;
    TaiActionType action;
    std::vector<std::string> expected;  // code, expression, variable, action, order
  } cases[] = {
      {16, {{"TimeOpt", "aicto_Between"}, {"Time1", "22"}, {"Time2", "6"}, night}, set,
       {change, gd + " and ((RosteredHoursStart >= 22) or (RosteredHoursStart <= 6))", "ConditionGroup", "\"Night\"",
        "-1000"}},
      {16, {{"TimeOpt", "aicto_Between"}, {"Time1", "6"}, {"Time2", "22"}, night}, set,
       {change, gd + " and ((RosteredHoursStart >= 6) and (RosteredHoursStart <= 22))", "ConditionGroup", "\"Night\"",
        "-1000"}},
      {16, {{"TimeOpt", "aicto_Before"}, {"Time1", "5.5"}, night}, set,
       {change, gd + " and (RosteredHoursStart < 5.5)", "ConditionGroup", "\"Night\"", "-1000"}},
      {11, {{"MinHours", "3"}, {"IfEnterOnTimesheet", "True"}, {"TimesheetWorkCode", "MEET"}}, call,
       {"", gd + " and (WorkedHoursTotal < 3) and (WorkedHoursTotal > 0)  and (WorkCodeExists(\"MEET\"))", "AddHours",
        "ShiftEnd;ShiftStart + 3;\"Normal\";\"\";1;\"\"", "-1000"}},
      // The work code is not required.
      {11, {{"MinHours", "2.5"}, {"TimesheetWorkCode", "MEET"}}, call,
       {"", gd + " and (WorkedHoursTotal < 2.5) and (WorkedHoursTotal > 0) ", "AddHours",
        "ShiftEnd;ShiftStart + 2.5;\"Normal\";\"\";1;\"\"", "-1000"}},
      {20, {{"MinHours", "2"}, {"OvertimeRateCode", "OT15"}}, call, {"", gd, "AddMinOvertime", "\"OT15\";2", "20000"}},
      {12, {{"Hours", "1.5"}}, call,
       {"", g + " and (HigherDutiesHoursTotal > 1.5)", "ApplyHigherDuty", "ShiftStart;ShiftEnd;HigherDutyCode",
        "-1000"}},
      {19, {{"CostCode", "PH01"}}, call, {"", g, "AddUnworkedPublicHolidayHours", "\"PH01\"", "-1000"}},
  };
  for (const auto& c : cases) {
    TaiConditionList list;
    Make(c.type, c.values)->PopulateConditions(list);
    ASSERT_EQ(list.Count(), 1) << c.expected[3];
    const TaiCondition& r = *list.Items(0);
    EXPECT_EQ(r.ActionType(), c.action);
    EXPECT_EQ((std::vector<std::string>{r.Code(), r.ConditionExpression(), r.ActionVariable(), r.ActionExpression(),
                                        std::to_string(r.Order())}),
              c.expected);
  }
}

TEST(RuleConditions, MixedAwardReachesTheEngineInFamilyOrderAndSortsByOrder) {
  TObjAward award;
  award.ObjLstRules().Add(Make(20));  // minimum overtime
  award.ObjLstPenalties().Add(Make(11));  // a stored row's module decides its list, not its kind
  award.ObjLstOvertime().Add(Make(18, {{"RateCode", "OT20"}, {"Percentage", "200"}, {"ExceedBasedOn", "aiot_Fixed"},
                                       {"PeriodType", "aipt_Shift"}}));
  award.ObjLstOvertime().Add(Make(1, {{"RateCode", "OT15"}, {"Percentage", "150.5"}}));
  award.ObjLstLeave().Add(Make(21));  // leave on planned hours
  award.ObjLstAllowances().Add(Make(9));
  award.ObjLstPenalties().Add(Make(17));  // insufficient rest
  EXPECT_EQ(CreateAwardComponent(0), nullptr);
  EXPECT_EQ(CreateAwardComponent(22), nullptr);

  TAwardConditionSource source(award);  // no SetupListProperties: the view does it
  TaiConditionList table;
  for (TAwardFamily family : kAwardFamilies) source.PopulateConditions(family, table);
  std::vector<int> orders;
  for (int i = 0; i < table.Count(); ++i) orders.push_back(table.Items(i)->Order());
  EXPECT_EQ(orders, (std::vector<int>{20000, 200, 150, -1000, 1000, 1000, 10000}));
  std::stable_sort(orders.begin(), orders.end());
  EXPECT_EQ(orders, (std::vector<int>{-1000, 150, 200, 1000, 1000, 10000, 20000}));
}

TEST(RuleConditions, GroupEditsAndCopies) {
  TObjAward award;
  TObjListAwardRules& rules = award.ObjLstRules();
  rules.Add(Make(16, {{"ConditionGroupLst", "Day"}, {"ConditionGroupStr", "< All >"}, {"ConditionGroup", "Day"}}));
  rules.Add(Make(12, {{"ConditionGroupLst", "Day\nCasual"}}));
  auto& all = dynamic_cast<TObjAwardRuleConditionGroupChange&>(*rules.Items(0));
  TObjAwardConditionBase& some = *rules.Items(1);
  some.RebuildConditionGroupStr();
  rules.AddThisConditionGroup("Night");
  rules.ReplaceThisConditionGroup("Day", "Days");
  EXPECT_EQ(all.ConditionGroupLst().CommaText(), "Days,Night");
  EXPECT_EQ(all.ConditionGroupStr(), "< All >");
  EXPECT_EQ(all.ConditionGroup(), "Days");
  EXPECT_EQ(some.ConditionGroupStr(), "Days, Casual");
  rules.RemoveThisConditionGroup("Days");
  rules.RemoveThisConditionGroup("Casual");
  EXPECT_EQ(some.ConditionGroupStr(), "(None)");
  EXPECT_FALSE(rules.ConditionGroupUsed("Days"));

  TObjAwardOvertimeStd source;
  for (const auto& [name, value] : Values{{"ConditionID", "9"}, {"RateID", "8"}, {"RateTDID", "7"}, {"Rate2ID", "6"},
                                          {"Rate2TDID", "5"}, {"RateCode", "OT15"}, {"WorkDaysLst", "Saturday"}}) {
    SetPublishedValue(source, name, std::string(value));
  }
  TObjAwardOvertimeStd copy;
  copy.CopyValues(source);
  // Identities that would make the copy overwrite the original are cleared;
  // the rate's version identity names the same rate and is kept.
  EXPECT_EQ(std::vector<int>({copy.ConditionID(), copy.RateID(), copy.Rate2ID(), copy.Rate2TDID(), copy.RateTDID()}),
            std::vector<int>({0, 0, 0, 0, 7}));
  EXPECT_EQ(copy.RateCode(), "OT15");
  EXPECT_EQ(copy.WorkDaysLst().Count(), 1);
  EXPECT_THROW(copy.CopyValues(some), std::invalid_argument);
}

TEST(ComponentValidation, MessagesInOrder) {
  const std::string chars = " can only contain alpha/numberic values or $ or % signs.\r\n"
                            "(No spaces, \"-\", \",\" or apostrophe's are allowed)";
  const char* between = "aicto_Between";
  const std::tuple<const char*, std::shared_ptr<TObjAwardConditionBase>, std::vector<std::string>> cases[] = {
      {"blank standard overtime", CreateAwardComponent(1),
       {"No Description entered.", "No Condition Group selected.", "No Rate Code has been entered.",
        "No Rate Description has been entered.", "No Percentage entered."}},
      {"bad texts",
       Valid(1, {{"Description", "Sat'day"}, {"RateCode", "OT 15"}, {"RateDescription", "Time 'n half"},
                 {"Percentage", "0.004"}, {"WorkDaysLst", ""}}),
       {"No apostrophe's allowed in Description.", "The Rate Code" + chars,
        "No apostrophe's allowed in Rate Description.", "No Percentage entered.", "No Work Days selected."}},
      {"next rate missing", Valid(3, {{"ApplyOvertime2", "True"}}),
       {"No After No. of Hours value entered for Next Overtime Rate to start.",
        "No Rate Code entered for the Next Overtime.", "No Description has been entered for the Next Overtime Rate.",
        "No Timesheet Work Code entered."}},
      {"next rate equal to the rate",
       Valid(2, {{"ApplyOvertime2", "True"}, {"Ov2FromHour", "2"}, {"Rate2Code", "ot15"}, {"Rate2Description", "D"}}),
       {"The Next Overtime Rate Code cannot be the same as the Rate Code."}},
      {"next rate with a comma",
       Valid(2, {{"ApplyOvertime2", "True"}, {"Ov2FromHour", "2"}, {"Rate2Code", "OT,20"}, {"Rate2Description", "D"}}),
       {"The Next Overtime Rate Code" + chars}},
      {"fixed hours per shift",
       Valid(18, {{"ExceedBasedOn", "aiot_Fixed"}, {"FromHour", "-1"}, {"WorkDaysLst", ""}, {"IncludeLeave", "True"}}),
       {"Negative Hours value entered for Overtime to start.", "No Work Days selected.", "No Leave Reasons selected."}},
      {"normal hours need no days", Valid(18, {{"WorkDaysLst", ""}}), {}},
      {"group change between", Valid(16, {{"WorkDaysLst", ""}, {"TimeOpt", between}}),
       {"No Work Days selected.", "From Time has not been entered.", "To Time has not been entered.",
        "No Change Status has been entered."}},
      {"group change before midnight", Valid(16), {"Time has not been entered.", "No Change Status has been entered."}},
      {"minimum hours", Valid(11, {{"IfEnterOnTimesheet", "True"}}),
       {"No Minimum Hours have been entered.", "No Timesheet Work Code entered."}},
      {"minimum overtime", Valid(20), {"No Minimum Overtime Hours have been entered.", "No Overtime Rate selected."}},
      {"higher duty", Valid(12), {"No Hours have been entered."}},
      {"unworked public holiday", Valid(19, {{"WorkDaysLst", ""}}), {"No Work Days selected."}},
      {"blank penalty", CreateAwardComponent(4),
       {"No Description entered.", "No Condition Group selected.", "No Addition Code entered.",
        "No Addition Description entered.", "No Penalty Percentage entered."}},
      {"penalty amount",
       Valid(4, {{"AddDedCode", "PEN-1"}, {"AddDedDescription", "Sat'day"}, {"PayOption", "aicpo_Amount"},
                 {"AddDedAmountPerc", "0"}, {"WorkDaysLst", ""}}),
       {"The Addition Code" + chars, "No apostrophe's allowed in Addition Description.", "No Work Days selected.",
        "No Penalty Amount entered."}},
      {"window between", Valid(5, {{"TimeOpt", between}}),
       {"From Time has not been entered.", "To Time has not been entered."}},
      {"next rate ~0", Valid(7, {{"AfterNextNoOfHours", "1"}, {"NextAmountPerc", "0.004"}}), {"No Next Rate entered."}},
      {"rest", Valid(17), {"No Hours entered for Break Between Shifts."}},
      {"allowance per unit",
       Valid(8, {{"ApplyOption", "aiaao_OnTimesheet"}, {"PayUnitType", "aiapu_Unit"}, {"PayOption", "aicpo_PercOfStd"},
                 {"AddDedAmountPerc", "0"}}),
       {"No Unit Description entered.", "No Percentage entered."}},
      {"allowance on timesheet, amount 0", Valid(10, {{"ApplyOption", "aiaao_OnTimesheet"}, {"AddDedAmountPerc", "0"}}),
       {"No Timesheet Work Code entered."}},
      {"capped", Valid(9), {"No Amount/Percentage has been entered."}},
      {"blank accrual", Valid(13),
       {"No Timesheet Work Code entered.", "No Leave Class selected", "No Addition Code entered.",
        "No Addition Description entered."}},
      {"accrual of all overtime",
       Valid(13, {{"AccrueAllOvertime", "True"}, {"AddDedCode", "TO IL"}, {"AddDedDescription", "Time'off"}}),
       {"No Leave Class selected", "The Addition Code" + chars, "No apostrophe's allowed in Addition Description."}},
      {"blank leave payment", Valid(15),
       {"No Leave Reason Code has been entered.", "No Leave Reason Description has been entered.",
        "No Leave Rate Code has been entered.", "No Leave Rate Description has been entered.",
        "No Percentage has been entered."}},
      {"leave payment texts",
       Valid(15, {{"LeaveReasonCode", "A,L"}, {"LeaveReasonDesc", "Annual'"}, {"RateCode", "L'V"},
                  {"RateDescription", "'"}, {"Percentage", "150"}}),
       {"The Leave Reason Code" + chars, "No apostrophe's allowed in Leave Reason Description.",
        "The Leave Rate Code" + chars, "No apostrophe's allowed in Leave Rate Description."}},
      {"loading", Valid(14, {{"PenaltyLstIndicator", "0"}, {"AllowanceLstIndicator", "0"}}),
       {"No Penalty or Allowance Addition has been selected."}},
      {"planned hours",
       Valid(21, {{"LeaveReasonLstIndicator", "0"}, {"PenaltyLstIndicator", "0"}, {"AllowanceLstIndicator", "0"}}),
       {"No Leave Reasons selected.", "No Penalty or Allowance Addition has been selected."}},
      {"planned hours, allowances only", Valid(21, {{"PenaltyLstIndicator", "0"}}), {}},
  };
  for (const auto& [name, item, expected] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(item->ValidateAllFields(), expected.empty());
    EXPECT_EQ(item->Messages().Texts(), expected);
  }
}

}  // namespace
}  // namespace qora
