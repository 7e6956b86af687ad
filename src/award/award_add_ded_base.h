// Components paid as a payroll addition (penalties and allowances): which
// addition is paid, how it is valued and how much.
//
// The shift's addition actions read penalties and allowances through a few
// virtual questions answered here for the plain case; the penalty and
// allowance classes override the ones that apply to them (their pay unit,
// and for the standard allowance its "pay even without worked hours"
// switches).
#pragma once

#include <cstdint>
#include <string>

#include "award/award_condition_base.h"
#include "award/award_enums.h"

namespace qora {

class TObjAwardAddDedBase : public TObjAwardConditionBase {
  QORA_CLASS(TObjAwardAddDedBase, TObjAwardConditionBase)

 public:
  TObjAwardAddDedBase() = default;

  TaiConditionPayOpt PayOption() const { return FPayOption; }
  void SetPayOption(TaiConditionPayOpt v) { FPayOption = v; }
  int32_t AddDedID() const { return FAddDedID; }
  void SetAddDedID(int32_t v) { FAddDedID = v; }
  int32_t AddDedTDID() const { return FAddDedTDID; }
  void SetAddDedTDID(int32_t v) { FAddDedTDID = v; }
  const std::string& AddDedCode() const { return FAddDedCode; }
  // A different code keeps the code it replaces in PreviousAddDedCode, so
  // that leave components naming the old code can be updated.
  void SetAddDedCode(const std::string& v);
  // The code AddDedCode had before its last change; "" when never changed.
  const std::string& PreviousAddDedCode() const { return FPreviousAddDedCode; }
  const std::string& AddDedDescription() const { return FAddDedDescription; }
  void SetAddDedDescription(const std::string& v) { FAddDedDescription = v; }
  TADType AddDedType() const { return FAddDedType; }
  void SetAddDedType(TADType v) { FAddDedType = v; }
  TADHours AddDedHours() const { return FAddDedHours; }
  void SetAddDedHours(TADHours v) { FAddDedHours = v; }
  TADCategory AddDedCategory() const { return FAddDedCategory; }
  void SetAddDedCategory(TADCategory v) { FAddDedCategory = v; }
  // The amount (PayOption aicpo_Amount) or percentage paid.
  double AddDedAmountPerc() const { return FAddDedAmountPerc; }
  void SetAddDedAmountPerc(double v) { FAddDedAmountPerc = v; }
  double AddDedAmount() const { return FAddDedAmount; }
  void SetAddDedAmount(double v) { FAddDedAmount = v; }
  double AddDedRate() const { return FAddDedRate; }
  void SetAddDedRate(double v) { FAddDedRate = v; }
  double AddDedPercent() const { return FAddDedPercent; }
  void SetAddDedPercent(double v) { FAddDedPercent = v; }
  const std::string& AddDedUnitDesc() const { return FAddDedUnitDesc; }
  void SetAddDedUnitDesc(const std::string& v) { FAddDedUnitDesc = v; }
  const std::string& AddDedCostCode() const { return FAddDedCostCode; }
  void SetAddDedCostCode(const std::string& v) { FAddDedCostCode = v; }
  // The amount as it was loaded, so an edit can be told from the stored
  // value; set by whoever loads the component.
  double LoadAddDedAmountPerc() const { return FLoadAddDedAmountPerc; }
  void SetLoadAddDedAmountPerc(double v) { FLoadAddDedAmountPerc = v; }

  // The unit the amount is given for; aiapu_None unless the component
  // kind has a pay unit.
  virtual TaiAllowancePayUnit AdditionPayUnit() const { return TaiAllowancePayUnit::aiapu_None; }
  // True only for the standard allowance, whose two switches below let it
  // be paid on a day with leave only or with allowances only.
  virtual bool IsStandardAllowance() const { return false; }
  virtual bool PayIfLeaveOnly() const { return false; }
  virtual bool PayIfAllowanceOnly() const { return false; }

  void ValidateConditionFlds() override;
  void CopyValues(const TObjAwardConditionBase& pSource) override;

 protected:
  TaiConditionPayOpt FPayOption = TaiConditionPayOpt::aicpo_None;
  TADType FAddDedType = TADType::adt_Amount;
  std::string FAddDedUnitDesc;

 private:
  friend struct TObjAwardAddDedBaseRegistry;

  int32_t FAddDedID = 0;
  int32_t FAddDedTDID = 0;
  std::string FAddDedCode;
  std::string FPreviousAddDedCode;
  std::string FAddDedDescription;
  TADHours FAddDedHours = TADHours::adh_Spec;
  TADCategory FAddDedCategory = TADCategory::adc_Add_Before;
  double FAddDedAmountPerc = 0;
  double FAddDedAmount = 0;
  double FAddDedRate = 0;
  double FAddDedPercent = 0;
  std::string FAddDedCostCode;
  double FLoadAddDedAmountPerc = 0;
};

}  // namespace qora
