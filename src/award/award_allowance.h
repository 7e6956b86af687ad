// Allowances: payroll additions paid for a shift because the employee holds
// the addition, or because the timesheet carries a work code. This is what
// the three kinds share: when the allowance applies, the unit its amount is
// given for and the value the shift's allowance action receives.
#pragma once

#include <string>

#include "award/award_add_ded_base.h"

namespace qora {

class TObjAwardAllowance : public TObjAwardAddDedBase {
  QORA_CLASS(TObjAwardAllowance, TObjAwardAddDedBase)

 public:
  // Held on the employee, an amount per week.
  TObjAwardAllowance();

  TaiAllowanceApplyOpt ApplyOption() const { return FApplyOption; }
  void SetApplyOption(TaiAllowanceApplyOpt v) { FApplyOption = v; }
  // The work code that carries the allowance when it applies on the
  // timesheet (aiaao_OnTimesheet).
  const std::string& TimesheetWorkCode() const { return FTimesheetWorkCode; }
  void SetTimesheetWorkCode(const std::string& v) { FTimesheetWorkCode = v; }
  TaiAllowancePayUnit PayUnitType() const { return FPayUnitType; }
  void SetPayUnitType(TaiAllowancePayUnit v) { FPayUnitType = v; }

  // The condition expression: the group clause, directly followed by
  // "and (" and the test of when the allowance applies.
  virtual std::string GetConditionExpression() const;
  // How the allowance pays, e.g. "$ 12.5 per Shift".
  virtual std::string GetPayDetailsStr() const;
  // The Value parameter of the allowance actions: the quantity paid (units
  // entered, hours, or the amount itself for shifts, weeks and days).
  std::string ValueParam() const;

  TaiAllowancePayUnit AdditionPayUnit() const override { return FPayUnitType; }
  void ValidateConditionFlds() override;
  void PopulateWorkCodes(TStringList& pList) const override;

 protected:
  // A new condition calling pAction at the allowances' order (1000), with
  // Value and Code set; the caller sets the rest.
  TaiCondition& AddAllowanceCondition(TaiConditionList& pList, TaiAction pAction) const;

  TaiAllowancePayUnit FPayUnitType = TaiAllowancePayUnit::aiapu_Week;

 private:
  friend struct TObjAwardAllowanceRegistry;

  TaiAllowanceApplyOpt FApplyOption = TaiAllowanceApplyOpt::aiaao_HeldOnEmployee;
  std::string FTimesheetWorkCode;
};

}  // namespace qora
