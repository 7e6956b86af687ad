// The three kinds of allowance. Each generates one condition that calls an
// allowance action of the shift:
//  - TObjAwardAllowanceStd: the allowance as given, or proportioned to the
//    normal hours paid or the hours actually worked;
//  - TObjAwardAllowanceCapped: limited to a minimum or maximum per period;
//  - TObjAwardAllowancePropHrs: proportioned to the hours of the shift.
#pragma once

#include <string>

#include "award/award_allowance.h"
#include "foundation/award_const.h"

namespace qora {

class TObjAwardAllowanceStd : public TObjAwardAllowance {
  QORA_CLASS(TObjAwardAllowanceStd, TObjAwardAllowance)

 public:
  TObjAwardAllowanceStd();

  TaiProportionedOpt ProportionedOnOpt() const { return FProportionedOnOpt; }
  void SetProportionedOnOpt(TaiProportionedOpt v) { FProportionedOnOpt = v; }
  // A shift or day allowance is paid without worked hours when the day has
  // leave (PayIfLeaveOnly) or carries an allowance paid per unit
  // (PayIfAllowanceOnly). The shift reads these; they shape no condition.
  bool PayIfLeaveOnly() const override { return FPayIfLeaveOnly; }
  void SetPayIfLeaveOnly(bool v) { FPayIfLeaveOnly = v; }
  bool PayIfAllowanceOnly() const override { return FPayIfAllowanceOnly; }
  void SetPayIfAllowanceOnly(bool v) { FPayIfAllowanceOnly = v; }

  bool IsStandardAllowance() const override { return true; }
  // The base text, then " Proportioned on ..." when proportioned.
  std::string GetPayDetailsStr() const override;
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardAllowanceKindsRegistry;
  TaiProportionedOpt FProportionedOnOpt = TaiProportionedOpt::aipo_None;
  bool FPayIfLeaveOnly = false;
  bool FPayIfAllowanceOnly = false;
};

class TObjAwardAllowanceCapped : public TObjAwardAllowance {
  QORA_CLASS(TObjAwardAllowanceCapped, TObjAwardAllowance)

 public:
  // An amount per shift.
  TObjAwardAllowanceCapped();

  TaiCondMinMax CapMinMax() const { return FCapMinMax; }
  void SetCapMinMax(TaiCondMinMax v) { FCapMinMax = v; }
  // The cap, per CapPayUnitType.
  double CapAmountPerc() const { return FCapAmountPerc; }
  void SetCapAmountPerc(double v) { FCapAmountPerc = v; }
  TaiAllowancePayUnit CapPayUnitType() const { return FCapPayUnitType; }
  void SetCapPayUnitType(TaiAllowancePayUnit v) { FCapPayUnitType = v; }
  // Kept with the allowance; the shift applies them to standard
  // allowances only.
  bool PayIfLeaveOnly() const override { return FPayIfLeaveOnly; }
  void SetPayIfLeaveOnly(bool v) { FPayIfLeaveOnly = v; }
  bool PayIfAllowanceOnly() const override { return FPayIfAllowanceOnly; }
  void SetPayIfAllowanceOnly(bool v) { FPayIfAllowanceOnly = v; }

  // The base text, then " Capped at Maximum " (or Minimum, None) and the
  // cap's own pay details.
  std::string GetPayDetailsStr() const override;
  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardAllowanceKindsRegistry;
  TaiCondMinMax FCapMinMax = TaiCondMinMax::aicmm_Max;
  double FCapAmountPerc = 0;
  TaiAllowancePayUnit FCapPayUnitType = TaiAllowancePayUnit::aiapu_Week;
  bool FPayIfLeaveOnly = false;
  bool FPayIfAllowanceOnly = false;
};

class TObjAwardAllowancePropHrs : public TObjAwardAllowance {
  QORA_CLASS(TObjAwardAllowancePropHrs, TObjAwardAllowance)

 public:
  TObjAwardAllowancePropHrs();

  void PopulateConditions(TaiConditionList& pList) override;
};

}  // namespace qora
