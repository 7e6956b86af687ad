// The five award rules. Each generates one condition:
//  - TObjAwardRuleConditionGroupChange: for shifts rostered to start in a
//    time window, the employee's condition group becomes another group for
//    the rest of the shift (an assignment, not an action call);
//  - TObjAwardRuleMinHours: a short shift is topped up to a minimum
//    engagement;
//  - TObjAwardRuleMinOvertime: overtime is paid for at least a minimum of
//    hours (runs after every other component);
//  - TObjAwardRuleHigherDuty: higher-duties pay once enough hours are
//    worked at a higher job;
//  - TObjAwardRuleUnworkedPubHoliday: an unworked public holiday is paid.
#pragma once

#include <string>

#include "award/award_rule_base.h"
#include "foundation/award_const.h"

namespace qora {

class TObjAwardRuleConditionGroupChange : public TObjAwardRule {
  QORA_CLASS(TObjAwardRuleConditionGroupChange, TObjAwardRule)

 public:
  TObjAwardRuleConditionGroupChange();

  TaiConditionTimeOpt TimeOpt() const { return FTimeOpt; }
  void SetTimeOpt(TaiConditionTimeOpt v) { FTimeOpt = v; }
  double Time1() const { return FTime1; }
  void SetTime1(double v) { FTime1 = v; }
  double Time2() const { return FTime2; }
  void SetTime2(double v) { FTime2 = v; }
  // The group the employee changes to.
  const std::string& ConditionGroup() const { return FConditionGroup; }
  void SetConditionGroup(const std::string& v) { FConditionGroup = v; }

  // Also renames the target group when it is the renamed one.
  bool ReplaceThisConditionGroup(const std::string& pOld, const std::string& pNew) override;
  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardRulesRegistry;
  TaiConditionTimeOpt FTimeOpt = TaiConditionTimeOpt::aicto_Before;
  double FTime1 = 0;
  double FTime2 = 0;
  std::string FConditionGroup;
};

class TObjAwardRuleMinHours : public TObjAwardRule {
  QORA_CLASS(TObjAwardRuleMinHours, TObjAwardRule)

 public:
  TObjAwardRuleMinHours();

  double MinHours() const { return FMinHours; }
  void SetMinHours(double v) { FMinHours = v; }
  // The minimum applies only to shifts carrying the work code.
  bool IfEnterOnTimesheet() const { return FIfEnterOnTimesheet; }
  void SetIfEnterOnTimesheet(bool v) { FIfEnterOnTimesheet = v; }
  const std::string& TimesheetWorkCode() const { return FTimesheetWorkCode; }
  void SetTimesheetWorkCode(const std::string& v) { FTimesheetWorkCode = v; }

  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;
  void PopulateWorkCodes(TStringList& pList) const override;

 private:
  friend struct TObjAwardRulesRegistry;
  double FMinHours = 0;
  bool FIfEnterOnTimesheet = false;
  std::string FTimesheetWorkCode;
};

class TObjAwardRuleMinOvertime : public TObjAwardRule {
  QORA_CLASS(TObjAwardRuleMinOvertime, TObjAwardRule)

 public:
  TObjAwardRuleMinOvertime();

  double MinHours() const { return FMinHours; }
  void SetMinHours(double v) { FMinHours = v; }
  const std::string& OvertimeRateCode() const { return FOvertimeRateCode; }
  void SetOvertimeRateCode(const std::string& v) { FOvertimeRateCode = v; }

  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardRulesRegistry;
  double FMinHours = 0;
  std::string FOvertimeRateCode;
};

class TObjAwardRuleHigherDuty : public TObjAwardRule {
  QORA_CLASS(TObjAwardRuleHigherDuty, TObjAwardRule)

 public:
  TObjAwardRuleHigherDuty();

  // Higher duties are paid once more than these hours are worked at the
  // higher job.
  double Hours() const { return FHours; }
  void SetHours(double v) { FHours = v; }

  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardRulesRegistry;
  double FHours = 0;
};

class TObjAwardRuleUnworkedPubHoliday : public TObjAwardRule {
  QORA_CLASS(TObjAwardRuleUnworkedPubHoliday, TObjAwardRule)

 public:
  TObjAwardRuleUnworkedPubHoliday();

  const std::string& CostCode() const { return FCostCode; }
  void SetCostCode(const std::string& v) { FCostCode = v; }

  // "": the rule applies to public holidays, not to a list of days.
  std::string GetDaysWorkedStr() const override;
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardRulesRegistry;
  std::string FCostCode;
};

}  // namespace qora
