// Penalties: loadings paid as a payroll addition on hours worked on given
// days, in given time windows, after a missed meal break or after too short
// a rest between shifts. This is what the five kinds share: the days they
// apply on, the unit the amount is given for and the check of the amount.
#pragma once

#include <string>

#include "award/award_add_ded_base.h"
#include "common/string_list.h"

namespace qora {

class TObjAwardPenalty : public TObjAwardAddDedBase {
  QORA_CLASS(TObjAwardPenalty, TObjAwardAddDedBase)

 public:
  // Monday to Friday, paid as a percentage of the base rate per hour.
  TObjAwardPenalty();

  // Day names ("Monday" ... "Sunday", "Public Holiday").
  TStringList& WorkDaysLst() { return FWorkDaysLst; }
  const TStringList& WorkDaysLst() const { return FWorkDaysLst; }
  TaiAllowancePayUnit PayUnitType() const { return FPayUnitType; }
  void SetPayUnitType(TaiAllowancePayUnit v) { FPayUnitType = v; }
  // How the penalty pays, e.g. "25 % of Base Rate per Hour".
  std::string GetPayDetailsStr() const;
  // The days as shown to users (Mon,Tue,...); see DaysWorkedText.
  std::string GetDaysWorkedStr() const;

  TaiAllowancePayUnit AdditionPayUnit() const override { return FPayUnitType; }
  // After the addition's checks: the days, then the amount ("No Penalty
  // Amount entered." for an amount, "No Penalty Percentage entered."
  // otherwise); each kind's own checks follow.
  void ValidateConditionFlds() override;

 protected:
  // The expression every kind but the window-based ones uses: the group
  // clause and the day clause.
  std::string GroupAndDaysClause() const;
  // A new condition calling pAction at the penalties' order (1000), with
  // Code and Percentage set; the caller sets the rest.
  TaiCondition& AddPenaltyCondition(TaiConditionList& pList, TaiAction pAction, std::string pExpression,
                                    std::string pCode = {}) const;

 private:
  friend struct TObjAwardPenaltyRegistry;

  TStringList FWorkDaysLst;
  TaiAllowancePayUnit FPayUnitType = TaiAllowancePayUnit::aiapu_Hour;
};

}  // namespace qora
