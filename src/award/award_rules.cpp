#include "award/award_rules.h"

#include <memory>

#include "award/condition_text.h"
#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardRulesRegistry {
  static const ClassInfo& ConditionGroupChange() {
    using C = TObjAwardRuleConditionGroupChange;
    return ClassBuilder<C>("TObjAwardRuleConditionGroupChange")
        .Enum("TimeOpt", &C::FTimeOpt, TaiConditionTimeOptInfo())
        .Field("Time1", &C::FTime1)
        .Field("Time2", &C::FTime2)
        .Field("ConditionGroup", &C::FConditionGroup)
        .Build();
  }
  static const ClassInfo& MinHours() {
    using C = TObjAwardRuleMinHours;
    return ClassBuilder<C>("TObjAwardRuleMinHours")
        .Field("MinHours", &C::FMinHours)
        .Field("IfEnterOnTimesheet", &C::FIfEnterOnTimesheet)
        .Field("TimesheetWorkCode", &C::FTimesheetWorkCode)
        .Build();
  }
  static const ClassInfo& MinOvertime() {
    using C = TObjAwardRuleMinOvertime;
    return ClassBuilder<C>("TObjAwardRuleMinOvertime")
        .Field("MinHours", &C::FMinHours)
        .Field("OvertimeRateCode", &C::FOvertimeRateCode)
        .Build();
  }
  static const ClassInfo& HigherDuty() {
    using C = TObjAwardRuleHigherDuty;
    return ClassBuilder<C>("TObjAwardRuleHigherDuty").Field("Hours", &C::FHours).Build();
  }
  static const ClassInfo& UnworkedPubHoliday() {
    using C = TObjAwardRuleUnworkedPubHoliday;
    return ClassBuilder<C>("TObjAwardRuleUnworkedPubHoliday").Field("CostCode", &C::FCostCode).Build();
  }
};

namespace {

constexpr int32_t kRuleOrder = -1000;
// After leave (10000): the minimum is topped up once every other component
// has paid its overtime.
constexpr int32_t kMinOvertimeOrder = 20000;

std::string GroupAndDays(const TObjAwardRule& pRule) {
  return ConditionGroupClause(pRule.ConditionGroupLst()) + " and " + DayClause(pRule.WorkDaysLst());
}

}  // namespace

// ---- Condition-group change ---------------------------------------------------

const ClassInfo& TObjAwardRuleConditionGroupChange::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardRulesRegistry::ConditionGroupChange();
  return info;
}

TObjAwardRuleConditionGroupChange::TObjAwardRuleConditionGroupChange() {
  SetConditionKind(TaiConditionType::aict_RuleConditionGroupChange);
}

bool TObjAwardRuleConditionGroupChange::ReplaceThisConditionGroup(const std::string& pOld, const std::string& pNew) {
  bool changed = TObjAwardRule::ReplaceThisConditionGroup(pOld, pNew);
  if (FConditionGroup == pOld) {
    FConditionGroup = pNew;
    changed = true;
  }
  return changed;
}

void TObjAwardRuleConditionGroupChange::ValidateConditionFlds() {
  TObjAwardRule::ValidateConditionFlds();
  ValidateTimeWindow(Messages(), FTimeOpt, FTime1, FTime2);
  if (FConditionGroup.empty()) Messages().AddMessage("No Change Status has been entered.");
}

void TObjAwardRuleConditionGroupChange::PopulateConditions(TaiConditionList& pList) {
  // An assignment rather than an action: the group clauses of every later
  // condition of the shift read the changed group.
  auto condition = std::make_unique<TaiCondition>();
  condition->SetCode("Change Condition Group");
  condition->SetConditionExpression(GroupAndDays(*this) + " and (" +
                                    TimeWindowTest(FTimeOpt, "RosteredHoursStart", FTime1, FTime2) + ")");
  condition->SetOrder(kRuleOrder);
  condition->SetActionType(TaiActionType::aatSet);
  condition->SetActionVariable("ConditionGroup");
  condition->SetVariableValue(QuotedParam(FConditionGroup));
  pList.AddCondition(std::move(condition));
}

// ---- Minimum hours --------------------------------------------------------------

const ClassInfo& TObjAwardRuleMinHours::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardRulesRegistry::MinHours();
  return info;
}

TObjAwardRuleMinHours::TObjAwardRuleMinHours() { SetConditionKind(TaiConditionType::aict_RuleMinHours); }

void TObjAwardRuleMinHours::ValidateConditionFlds() {
  TObjAwardRule::ValidateConditionFlds();
  if (FMinHours <= 0) Messages().AddMessage("No Minimum Hours have been entered.");
  if (FIfEnterOnTimesheet && Trim(FTimesheetWorkCode).empty()) {
    Messages().AddMessage("No Timesheet Work Code entered.");
  }
}

void TObjAwardRuleMinHours::PopulateConditions(TaiConditionList& pList) {
  const std::string hours = NumberParam(FMinHours);
  // A shift without worked hours is not topped up: the minimum engagement
  // pays for a short shift, not for an absence.
  std::string expression =
      GroupAndDays(*this) + " and (WorkedHoursTotal < " + hours + ") and (WorkedHoursTotal > 0) ";
  if (FIfEnterOnTimesheet && !FTimesheetWorkCode.empty()) {
    expression += " and (WorkCodeExists(" + QuotedParam(FTimesheetWorkCode) + "))";
  }
  TaiCondition& condition = AddCallCondition(pList, TaiAction::aaAddHours, kRuleOrder, expression);
  condition.SetParam("StartTime", "ShiftEnd");
  condition.SetParam("EndTime", "ShiftStart + " + hours);
  condition.SetParam("Code", QuotedParam("Normal"));
  condition.SetParam("WorkCode", QuotedParam(""));
  condition.SetParam("HoursType", "1");  // ordinary hours
  condition.SetParam("JobTitle", QuotedParam(""));
}

void TObjAwardRuleMinHours::PopulateWorkCodes(TStringList& pList) const { pList.Add(FTimesheetWorkCode); }

// ---- Minimum overtime -----------------------------------------------------------

const ClassInfo& TObjAwardRuleMinOvertime::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardRulesRegistry::MinOvertime();
  return info;
}

TObjAwardRuleMinOvertime::TObjAwardRuleMinOvertime() { SetConditionKind(TaiConditionType::aict_RuleMinOvertime); }

void TObjAwardRuleMinOvertime::ValidateConditionFlds() {
  TObjAwardRule::ValidateConditionFlds();
  if (FMinHours <= 0) Messages().AddMessage("No Minimum Overtime Hours have been entered.");
  if (FOvertimeRateCode.empty()) Messages().AddMessage("No Overtime Rate selected.");
}

void TObjAwardRuleMinOvertime::PopulateConditions(TaiConditionList& pList) {
  TaiCondition& condition = AddCallCondition(pList, TaiAction::aaAddMinOvertime, kMinOvertimeOrder, GroupAndDays(*this));
  condition.SetParam("RateCode", QuotedParam(FOvertimeRateCode));
  condition.SetParam("Hours", NumberParam(FMinHours));
}

// ---- Higher duty ----------------------------------------------------------------

const ClassInfo& TObjAwardRuleHigherDuty::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardRulesRegistry::HigherDuty();
  return info;
}

TObjAwardRuleHigherDuty::TObjAwardRuleHigherDuty() { SetConditionKind(TaiConditionType::aict_RuleHigherDuty); }

void TObjAwardRuleHigherDuty::ValidateConditionFlds() {
  TObjAwardRule::ValidateConditionFlds();
  if (FHours <= 0) Messages().AddMessage("No Hours have been entered.");
}

void TObjAwardRuleHigherDuty::PopulateConditions(TaiConditionList& pList) {
  TaiCondition& condition =
      AddCallCondition(pList, TaiAction::aaApplyHigherDuty, kRuleOrder,
                       ConditionGroupClause(ConditionGroupLst()) + " and (HigherDutiesHoursTotal > " +
                           NumberParam(FHours) + ")");
  condition.SetParam("StartTime", "ShiftStart");
  condition.SetParam("EndTime", "ShiftEnd");
  // The higher job's code is the shift's own, read when the condition runs.
  condition.SetParam("Code", "HigherDutyCode");
}

// ---- Unworked public holiday ----------------------------------------------------

const ClassInfo& TObjAwardRuleUnworkedPubHoliday::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardRulesRegistry::UnworkedPubHoliday();
  return info;
}

TObjAwardRuleUnworkedPubHoliday::TObjAwardRuleUnworkedPubHoliday() {
  SetConditionKind(TaiConditionType::aict_RuleUnworkedPubHoliday);
}

std::string TObjAwardRuleUnworkedPubHoliday::GetDaysWorkedStr() const { return ""; }

void TObjAwardRuleUnworkedPubHoliday::PopulateConditions(TaiConditionList& pList) {
  TaiCondition& condition = AddCallCondition(pList, TaiAction::aaAddUnworkedPublicHoliday, kRuleOrder,
                                             ConditionGroupClause(ConditionGroupLst()));
  condition.SetParam("CostCode", QuotedParam(FCostCode));
}

}  // namespace qora
