// Guards rule generation against wrong expressions (time windows across
// midnight, the work-code test, the missing day clause), wrong assignment of
// the condition group, and an award's conditions reaching the rule engine
// out of order or with stale group names.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "award/award.h"
#include "award/award_conditions.h"
#include "award/award_overtime_kinds.h"
#include "award/award_rules.h"
#include "award/component_registry.h"

namespace qora {
namespace {

const std::string kGroup = "((EqualString(ConditionGroup,\"A\")))";
const std::string kWeekdays =
    "((DayOfWeek(ShiftStartDate) = 2) or (DayOfWeek(ShiftStartDate) = 3) or (DayOfWeek(ShiftStartDate) = 4) or "
    "(DayOfWeek(ShiftStartDate) = 5) or (DayOfWeek(ShiftStartDate) = 6))";

template <class T>
std::unique_ptr<TObjAwardRule> Rule(const std::function<void(T&)>& edit) {
  auto rule = std::make_unique<T>();
  rule->ConditionGroupLst().Add("A");
  edit(*rule);
  return rule;
}

TEST(RuleConditions, GeneratedConditionPerKind) {
  struct Case {
    const char* name;
    std::unique_ptr<TObjAwardRule> rule;
    const char* code;
    std::string expression;
    TaiActionType type;
    const char* variable;
    const char* action_expression;
    int order;
  };
  using Change = TObjAwardRuleConditionGroupChange;
  auto change = [](TaiConditionTimeOpt opt, double t1, double t2) {
    return Rule<Change>([=](Change& r) {
      r.SetTimeOpt(opt);
      r.SetTime1(t1);
      r.SetTime2(t2);
      r.SetConditionGroup("Night");
    });
  };
  Case cases[] = {
      {"group change across midnight", change(TaiConditionTimeOpt::aicto_Between, 22, 6), "Change Condition Group",
       kGroup + " and " + kWeekdays + " and ((RosteredHoursStart >= 22) or (RosteredHoursStart <= 6))",
       TaiActionType::aatSet, "ConditionGroup", "\"Night\"", -1000},
      {"group change within a day", change(TaiConditionTimeOpt::aicto_Between, 6, 22), "Change Condition Group",
       kGroup + " and " + kWeekdays + " and ((RosteredHoursStart >= 6) and (RosteredHoursStart <= 22))",
       TaiActionType::aatSet, "ConditionGroup", "\"Night\"", -1000},
      {"group change before", change(TaiConditionTimeOpt::aicto_Before, 5.5, 0), "Change Condition Group",
       kGroup + " and " + kWeekdays + " and (RosteredHoursStart < 5.5)", TaiActionType::aatSet, "ConditionGroup",
       "\"Night\"", -1000},
      {"minimum hours on a work code", Rule<TObjAwardRuleMinHours>([](auto& r) {
         r.SetMinHours(3);
         r.SetIfEnterOnTimesheet(true);
         r.SetTimesheetWorkCode("MEET");
       }),
       "",
       kGroup + " and " + kWeekdays +
           " and (WorkedHoursTotal < 3) and (WorkedHoursTotal > 0)  and (WorkCodeExists(\"MEET\"))",
       TaiActionType::aatCallMethod, "AddHours", "ShiftEnd;ShiftStart + 3;\"Normal\";\"\";1;\"\"", -1000},
      {"minimum hours, work code not required", Rule<TObjAwardRuleMinHours>([](auto& r) {
         r.SetMinHours(2.5);
         r.SetTimesheetWorkCode("MEET");
       }),
       "", kGroup + " and " + kWeekdays + " and (WorkedHoursTotal < 2.5) and (WorkedHoursTotal > 0) ",
       TaiActionType::aatCallMethod, "AddHours", "ShiftEnd;ShiftStart + 2.5;\"Normal\";\"\";1;\"\"", -1000},
      {"minimum overtime", Rule<TObjAwardRuleMinOvertime>([](auto& r) {
         r.SetMinHours(2);
         r.SetOvertimeRateCode("OT15");
       }),
       "", kGroup + " and " + kWeekdays, TaiActionType::aatCallMethod, "AddMinOvertime", "\"OT15\";2", 20000},
      {"higher duty", Rule<TObjAwardRuleHigherDuty>([](auto& r) { r.SetHours(1.5); }), "",
       kGroup + " and (HigherDutiesHoursTotal > 1.5)", TaiActionType::aatCallMethod, "ApplyHigherDuty",
       "ShiftStart;ShiftEnd;HigherDutyCode", -1000},
      {"unworked public holiday", Rule<TObjAwardRuleUnworkedPubHoliday>([](auto& r) { r.SetCostCode("PH01"); }), "",
       kGroup, TaiActionType::aatCallMethod, "AddUnworkedPublicHolidayHours", "\"PH01\"", -1000},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    TaiConditionList list;
    c.rule->PopulateConditions(list);
    ASSERT_EQ(list.Count(), 1);
    const TaiCondition& condition = *list.Items(0);
    EXPECT_EQ(condition.Code(), c.code);
    EXPECT_EQ(condition.ConditionExpression(), c.expression);
    EXPECT_EQ(condition.ActionType(), c.type);
    EXPECT_EQ(condition.ActionVariable(), c.variable);
    EXPECT_EQ(condition.ActionExpression(), c.action_expression);
    EXPECT_EQ(condition.Order(), c.order);
  }
}

TEST(RuleConditions, MixedAwardReachesTheEngineInFamilyOrderAndSortsByOrder) {
  TObjAward award;
  award.ObjLstRules().Add(CreateAwardComponent(20));  // minimum overtime
  award.ObjLstPenalties().Add(CreateAwardComponent(11));  // a stored row's module decides its list, not its kind
  for (auto [type, code, percentage] : {std::tuple{18, "OT20", 200.0}, std::tuple{1, "OT15", 150.5}}) {
    auto overtime = CreateAwardComponent(type);
    auto* rate = dynamic_cast<TObjAwardOvertime*>(overtime.get());
    ASSERT_NE(rate, nullptr);
    rate->SetRateCode(code);
    rate->SetPercentage(percentage);
    if (type == 18) {
      auto& period = dynamic_cast<TObjAwardOvertimeHoursWorked&>(*rate);
      period.SetExceedBasedOn(TaiOvertimeTotalType::aiot_Fixed);
      period.SetPeriodType(TaiPeriodType::aipt_Shift);
    }
    award.ObjLstOvertime().Add(std::move(overtime));
  }
  award.ObjLstLeave().Add(CreateAwardComponent(21));  // leave on planned hours
  award.ObjLstAllowances().Add(CreateAwardComponent(9));
  award.ObjLstPenalties().Add(CreateAwardComponent(17));  // insufficient rest
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
  auto all = std::make_unique<TObjAwardRuleConditionGroupChange>();
  all->ConditionGroupLst().Add("Day");
  all->SetConditionGroupStr("< All >");
  all->SetConditionGroup("Day");
  auto some = std::make_unique<TObjAwardRuleHigherDuty>();
  some->ConditionGroupLst().Add("Day");
  some->ConditionGroupLst().Add("Casual");
  some->RebuildConditionGroupStr();
  TObjAwardRule* all_ptr = all.get();
  TObjAwardRule* some_ptr = some.get();
  TObjListAwardRules& rules = award.ObjLstRules();
  rules.Add(std::move(all));
  rules.Add(std::move(some));

  rules.AddThisConditionGroup("Night");
  rules.ReplaceThisConditionGroup("Day", "Days");
  EXPECT_EQ(all_ptr->ConditionGroupLst().CommaText(), "Days,Night");
  EXPECT_EQ(all_ptr->ConditionGroupStr(), "< All >");
  EXPECT_EQ(static_cast<TObjAwardRuleConditionGroupChange*>(all_ptr)->ConditionGroup(), "Days");
  EXPECT_EQ(some_ptr->ConditionGroupStr(), "Days, Casual");
  rules.RemoveThisConditionGroup("Days");
  rules.RemoveThisConditionGroup("Casual");
  EXPECT_EQ(some_ptr->ConditionGroupStr(), "(None)");
  EXPECT_FALSE(rules.ConditionGroupUsed("Days"));

  TObjAwardOvertimeStd source;
  source.SetConditionID(9);
  source.SetRateID(8);
  source.SetRateTDID(7);
  source.SetRate2ID(6);
  source.SetRate2TDID(5);
  source.SetRateCode("OT15");
  source.WorkDaysLst().Add("Saturday");
  TObjAwardOvertimeStd copy;
  copy.CopyValues(source);
  // Identities that would make the copy overwrite the original are cleared;
  // the rate's version identity names the same rate and is kept.
  EXPECT_EQ(std::vector<int>({copy.ConditionID(), copy.RateID(), copy.Rate2ID(), copy.Rate2TDID(), copy.RateTDID()}),
            std::vector<int>({0, 0, 0, 0, 7}));
  EXPECT_EQ(copy.RateCode(), "OT15");
  EXPECT_EQ(copy.WorkDaysLst().Count(), 6);
  EXPECT_THROW(copy.CopyValues(*some_ptr), std::invalid_argument);
}

}  // namespace
}  // namespace qora
