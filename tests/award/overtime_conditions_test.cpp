// Guards overtime generation against wrong group/day clauses, parameter
// texts and orders (next rates, period offsets, codes shared as next rates,
// truncated percentages), and against wrong display texts and rate look-ups.
#include <gtest/gtest.h>

#include <string>

#include "award/award.h"
#include "award/award_overtime_kinds.h"

namespace qora {
namespace {

template <class T>
T& AddOvertime(TObjAward& award, const char* code, double percentage, const char* next = "", double next_perc = 0) {
  auto item = std::make_unique<T>();
  T& ref = *item;
  ref.SetRateCode(code);
  ref.SetPercentage(percentage);
  ref.SetRate2Code(next);
  ref.SetOv2RatePerc(next_perc);
  ref.ConditionGroupLst().Add("A");
  award.ObjLstOvertime().Add(std::move(item));
  return ref;
}

const TaiCondition& Generate(TObjAward& award, TObjAwardOvertime& overtime, TaiConditionList& list) {
  award.SetupListProperties();
  overtime.PopulateConditions(list);
  EXPECT_EQ(list.Count(), 1);
  return *list.Items(list.Count() - 1);
}

TEST(OvertimeConditions, GeneratedConditionPerKind) {
  const std::string g = "((EqualString(ConditionGroup,\"A\")))";
  struct Case {
    const char* name;
    std::function<TObjAwardOvertime&(TObjAward&)> make;
    const char* code;
    std::string expression;
    const char* action;
    const char* params;
    int order;
  };
  const Case cases[] = {
      {"std with next rate", [](TObjAward& a) -> TObjAwardOvertime& {
         auto& o = AddOvertime<TObjAwardOvertimeStd>(a, "OT15", 150.5, "OT20", 200);
         o.SetApplyOvertime2(true);
         o.SetOv2FromHour(2);
         o.WorkDaysLst().Clear();
         o.WorkDaysLst().Add("monday");
         o.WorkDaysLst().Add("SUNDAY");
         return o;
       },
       "", g + " and (OvertimeHoursTotal > 0) and ((DayOfWeek(ShiftStartDate) = 2) or (DayOfWeek(ShiftStartDate) = 1))",
       "AddOvertimeHours", "\"OT15\";\"OT20\";2;\"\"", 150},
      {"std, next rate switched off", [](TObjAward& a) -> TObjAwardOvertime& {
         auto& o = AddOvertime<TObjAwardOvertimeStd>(a, "OT15", 150, "OT20", 200);
         o.SetOv2FromHour(2);
         o.WorkDaysLst().SetCommaText("\"Public Holiday\",none,Funday");
         o.ConditionGroupLst().Clear();  // validation keeps this out of awards; generation still works
         return o;
       },
       "", "() and (OvertimeHoursTotal > 0) and ((DayOfWeek(ShiftStartDate) = 8) or (DayOfWeek(ShiftStartDate) = 8) or "
       "(DayOfWeek(ShiftStartDate) = 8))", "AddOvertimeHours",
       "\"OT15\";\"\";0;\"\"", 150},
      {"time of day Saturday to Sunday", [](TObjAward& a) -> TObjAwardOvertime& {
         auto& o = AddOvertime<TObjAwardOvertimeTimeOfDay>(a, "WKND", 200);
         o.SetFromDay(TaiWorkDays::aiwd_Sat);
         o.SetToDay(TaiWorkDays::aiwd_Sun);
         o.SetToTime(24);
         o.SetOv2FromHour(1.25);
         return o;
       },
       "", g + " and (OvertimeHoursTotal > 0)", "AddTimeOfDayOvertimeHours", "7;1;0;24;\"WKND\";\"\";1.25", 200},
      {"entered on timesheet", [](TObjAward& a) -> TObjAwardOvertime& {
         auto& o = AddOvertime<TObjAwardOvertimeSpecified>(a, "CALL", 175, "CALL2", 250);
         o.SetTimesheetWorkCode("CB");
         o.SetApplyOvertime2(true);
         o.SetOv2FromHour(3);
         return o;
       },
       "Specified Overtime", g, "ApplyOvertimeToWorkCode", "\"CB\";\"CALL\";3;\"CALL2\"", 175},
      {"normal hours per shift becomes the total", [](TObjAward& a) -> TObjAwardOvertime& {
         return AddOvertime<TObjAwardOvertimeHoursWorked>(a, "OT15", 150);
       },
       "", g, "AddHoursWorkedOvertimeHours", "1;2;\"OT15\";\"\";0;0;\"\";0", 2150},
      {"fixed 7.5 hours per shift on Saturday", [](TObjAward& a) -> TObjAwardOvertime& {
         auto& o = AddOvertime<TObjAwardOvertimeHoursWorked>(a, "OT15", 150);
         o.SetExceedBasedOn(TaiOvertimeTotalType::aiot_Fixed);
         o.SetFromHour(7.5);
         o.WorkDaysLst().Clear();
         o.WorkDaysLst().Add("Saturday");
         o.SetIncludeLeave(true);
         o.InclLeaveReasonLst().Add("AL");
         o.InclLeaveReasonLst().Add("Long Service");
         o.SetStartDate(45108.5);
         return o;
       },
       "", g + " AND ((DayOfWeek(ShiftStartDate) = 7))", "AddHoursWorkedOvertimeHours",
       "3;1;\"OT15\";\"\";7.5;0;\"AL,\"Long Service\"\";45108.5", 150},
      {"fixed per 2 weeks", [](TObjAward& a) -> TObjAwardOvertime& {
         auto& o = AddOvertime<TObjAwardOvertimeHoursWorked>(a, "OT15", 150);
         o.SetExceedBasedOn(TaiOvertimeTotalType::aiot_Fixed);
         o.SetPeriodType(TaiPeriodType::aipt2Week);
         o.SetFromHour(76);
         return o;
       },
       "", g, "AddHoursWorkedOvertimeHours", "3;4;\"OT15\";\"\";76;0;\"\";0", 2150},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TObjAward award;
    TaiConditionList list;
    TObjAwardOvertime& overtime = c.make(award);
    const TaiCondition& condition = Generate(award, overtime, list);
    EXPECT_EQ(condition.Code(), c.code);
    EXPECT_EQ(condition.ConditionExpression(), c.expression);
    EXPECT_EQ(condition.ActionVariable(), c.action);
    EXPECT_EQ(condition.ActionType(), TaiActionType::aatCallMethod);
    EXPECT_EQ(condition.ActionExpression(), c.params);
    EXPECT_EQ(condition.Order(), c.order);
  }
}

TEST(OvertimeConditions, NormalisedPeriodIsKeptAndNoAwardMeansOrderZero) {
  TObjAward award;
  auto& o = AddOvertime<TObjAwardOvertimeHoursWorked>(award, "OT15", 150);
  o.SetExceedBasedOn(TaiOvertimeTotalType::aiot_WorkPattern);
  TaiConditionList list;
  Generate(award, o, list);
  EXPECT_EQ(o.PeriodType(), TaiPeriodType::aipt_Total);

  TObjAwardOvertimeSpecified outside;  // in no award: the table numbers it by position
  outside.SetRateCode("OT15");
  outside.PopulateConditions(list);
  EXPECT_EQ(list.Items(1)->Order(), 0);
}

TEST(OvertimeConditions, OrderOfACodeThatIsAlsoANextRate) {
  // The first overtime in the list holding the code decides, as its rate
  // or as its next rate.
  struct Case {
    bool next_rate_first;
    int expected;
  };
  for (const Case& c : {Case{true, 200}, Case{false, 210}}) {
    TObjAward award;
    if (c.next_rate_first) AddOvertime<TObjAwardOvertimeStd>(award, "OT15", 150, "OT20", 200.9);
    auto& own = AddOvertime<TObjAwardOvertimeStd>(award, "OT20", 210);
    if (!c.next_rate_first) AddOvertime<TObjAwardOvertimeStd>(award, "OT15", 150, "OT20", 200.9);
    TaiConditionList list;
    EXPECT_EQ(Generate(award, own, list).Order(), c.expected) << c.next_rate_first;
    EXPECT_EQ(award.ObjLstOvertime().GetPercentageForCode("OT20"), c.next_rate_first ? 200.9 : 210);
  }
}

TEST(OvertimeConditions, ListLookUpsAndDisplayTexts) {
  TObjAward award;
  auto& std_ot = AddOvertime<TObjAwardOvertimeStd>(award, "OT15", 150, "OT20", 200);
  std_ot.SetRateDescription("Time and a half");
  std_ot.SetRate2Description("Double time");
  std_ot.SetApplyOvertime2(true);
  auto& tod = AddOvertime<TObjAwardOvertimeTimeOfDay>(award, "ot20", 200);
  tod.SetRateDescription("Night");
  tod.SetFromDay(TaiWorkDays::aiwd_PubHol);
  tod.SetFromTime(6.5);
  auto& hw = AddOvertime<TObjAwardOvertimeHoursWorked>(award, "OT25", 250);
  hw.SetExceedBasedOn(TaiOvertimeTotalType::aiot_Fixed);
  hw.SetFromHour(38);
  hw.SetPeriodType(TaiPeriodType::aipt1Week);
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

}  // namespace
}  // namespace qora
