// The four leave components. Each generates one condition, after overtime,
// penalties and allowances, that calls a leave action of the shift:
//  - TObjAwardLeaveAccrual: hours worked against a work code (or all
//    overtime) are accrued as leave instead of paid;
//  - TObjAwardLeavePayment: leave of a reason is paid at a rate;
//  - TObjAwardLeaveLoading: leave loading is compared with the penalties and
//    allowances the employee would otherwise have earned;
//  - TObjAwardLeavePaymPlannedHours: leave is paid at the average rate of
//    the rostered hours, penalties and allowances included.
#pragma once

#include <cstdint>
#include <string>

#include "award/award_enums.h"
#include "award/award_leave_base.h"
#include "common/string_list.h"
#include "foundation/award_const.h"

namespace qora {

class TObjAwardLeaveAccrual : public TObjAwardLeave {
  QORA_CLASS(TObjAwardLeaveAccrual, TObjAwardLeave)

 public:
  TObjAwardLeaveAccrual();

  const std::string& TimesheetWorkCode() const { return FTimesheetWorkCode; }
  void SetTimesheetWorkCode(const std::string& v) { FTimesheetWorkCode = v; }
  int32_t iLeaveType() const { return FiLeaveType; }
  void SetiLeaveType(int32_t v) { FiLeaveType = v; }
  // The leave class the hours accrue to.
  const std::string& LeaveCode() const { return FLeaveCode; }
  void SetLeaveCode(const std::string& v) { FLeaveCode = v; }
  const std::string& LeaveDesc() const { return FLeaveDesc; }
  void SetLeaveDesc(const std::string& v) { FLeaveDesc = v; }
  TaiAccrueHoursOpt AccrueHoursOpt() const { return FAccrueHoursOpt; }
  void SetAccrueHoursOpt(TaiAccrueHoursOpt v) { FAccrueHoursOpt = v; }
  // The payroll addition the accrued hours are recorded as.
  const std::string& AddDedCode() const { return FAddDedCode; }
  void SetAddDedCode(const std::string& v) { FAddDedCode = v; }
  const std::string& AddDedDescription() const { return FAddDedDescription; }
  void SetAddDedDescription(const std::string& v) { FAddDedDescription = v; }
  TADType AddDedType() const { return FAddDedType; }
  void SetAddDedType(TADType v) { FAddDedType = v; }
  TADHours AddDedHours() const { return FAddDedHours; }
  void SetAddDedHours(TADHours v) { FAddDedHours = v; }
  TADCategory AddDedCategory() const { return FAddDedCategory; }
  void SetAddDedCategory(TADCategory v) { FAddDedCategory = v; }
  double AddDedAmountPerc() const { return FAddDedAmountPerc; }
  void SetAddDedAmountPerc(double v) { FAddDedAmountPerc = v; }
  const std::string& AddDedUnitDesc() const { return FAddDedUnitDesc; }
  void SetAddDedUnitDesc(const std::string& v) { FAddDedUnitDesc = v; }
  const std::string& AddDedCostCode() const { return FAddDedCostCode; }
  void SetAddDedCostCode(const std::string& v) { FAddDedCostCode = v; }
  // Every overtime hour accrues, whatever its work code.
  bool AccrueAllOvertime() const { return FAccrueAllOvertime; }
  void SetAccrueAllOvertime(bool v) { FAccrueAllOvertime = v; }

  // Kept by whoever stores the component; not part of its stored form.
  int32_t AddDedID() const { return FAddDedID; }
  void SetAddDedID(int32_t v) { FAddDedID = v; }
  int32_t TempKey() const { return FTempKey; }
  void SetTempKey(int32_t v) { FTempKey = v; }
  // The leave type as loaded; -1 until loaded.
  int32_t LoadLeaveType() const { return FLoadLeaveType; }
  void SetLoadLeaveType(int32_t v) { FLoadLeaveType = v; }

  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;
  void PopulateWorkCodes(TStringList& pList) const override;
  void CopyValues(const TObjAwardConditionBase& pSource) override;

 private:
  friend struct TObjAwardLeaveKindsRegistry;
  std::string FTimesheetWorkCode;
  int32_t FiLeaveType = 1;
  std::string FLeaveCode;
  std::string FLeaveDesc;
  TaiAccrueHoursOpt FAccrueHoursOpt = TaiAccrueHoursOpt::aiaho_Paid;
  std::string FAddDedCode;
  std::string FAddDedDescription;
  TADType FAddDedType = TADType::adt_Percent;
  TADHours FAddDedHours = TADHours::adh_Spec;
  TADCategory FAddDedCategory = TADCategory::adc_Add_Before;
  double FAddDedAmountPerc = 0;
  std::string FAddDedUnitDesc;
  std::string FAddDedCostCode;
  bool FAccrueAllOvertime = false;
  int32_t FAddDedID = 0;
  int32_t FTempKey = 0;
  int32_t FLoadLeaveType = -1;
};

class TObjAwardLeavePayment : public TObjAwardLeave {
  QORA_CLASS(TObjAwardLeavePayment, TObjAwardLeave)

 public:
  TObjAwardLeavePayment();

  const std::string& LeaveReasonCode() const { return FLeaveReasonCode; }
  void SetLeaveReasonCode(const std::string& v) { FLeaveReasonCode = v; }
  const std::string& LeaveReasonDesc() const { return FLeaveReasonDesc; }
  void SetLeaveReasonDesc(const std::string& v) { FLeaveReasonDesc = v; }
  const std::string& CostCode() const { return FCostCode; }
  void SetCostCode(const std::string& v) { FCostCode = v; }
  // The rate the leave is paid at, as a percentage of the normal rate.
  const std::string& RateCode() const { return FRateCode; }
  void SetRateCode(const std::string& v) { FRateCode = v; }
  const std::string& RateDescription() const { return FRateDescription; }
  void SetRateDescription(const std::string& v) { FRateDescription = v; }
  double Percentage() const { return FPercentage; }
  void SetPercentage(double v) { FPercentage = v; }

  // Kept by whoever stores the component; not part of its stored form.
  int32_t CostAccountID() const { return FCostAccountID; }
  void SetCostAccountID(int32_t v) { FCostAccountID = v; }
  int32_t RateID() const { return FRateID; }
  void SetRateID(int32_t v) { FRateID = v; }
  int32_t RateTDID() const { return FRateTDID; }
  void SetRateTDID(int32_t v) { FRateTDID = v; }

  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;
  void CopyValues(const TObjAwardConditionBase& pSource) override;

 private:
  friend struct TObjAwardLeaveKindsRegistry;
  std::string FLeaveReasonCode;
  std::string FLeaveReasonDesc;
  std::string FCostCode;
  std::string FRateCode;
  std::string FRateDescription;
  double FPercentage = 0;
  int32_t FCostAccountID = 0;
  int32_t FRateID = 0;
  int32_t FRateTDID = 0;
};

// A code list is read through its indicator: 0 none, 2 all, anything else
// the codes in the list.
class TObjAwardLeaveLoading : public TObjAwardLeave {
  QORA_CLASS(TObjAwardLeaveLoading, TObjAwardLeave)

 public:
  TObjAwardLeaveLoading();

  TStringList& PenaltyAdditionLst() { return FPenaltyAdditionLst; }
  const TStringList& PenaltyAdditionLst() const { return FPenaltyAdditionLst; }
  TStringList& AllowanceAdditionLst() { return FAllowanceAdditionLst; }
  const TStringList& AllowanceAdditionLst() const { return FAllowanceAdditionLst; }
  int32_t PenaltyLstIndicator() const { return FPenaltyLstIndicator; }
  void SetPenaltyLstIndicator(int32_t v) { FPenaltyLstIndicator = v; }
  int32_t AllowanceLstIndicator() const { return FAllowanceLstIndicator; }
  void SetAllowanceLstIndicator(int32_t v) { FAllowanceLstIndicator = v; }

  bool PenaltyAdditionUsed(const std::string& pCode) const override;
  bool AllowanceAdditionUsed(const std::string& pCode) const override;
  bool ReplacePenaltyAdditionCode(const std::string& pOld, const std::string& pNew) override;
  bool ReplaceAllowanceAdditionCode(const std::string& pOld, const std::string& pNew) override;

  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardLeaveKindsRegistry;
  TStringList FPenaltyAdditionLst;
  TStringList FAllowanceAdditionLst;
  int32_t FPenaltyLstIndicator = 2;
  int32_t FAllowanceLstIndicator = 2;
};

class TObjAwardLeavePaymPlannedHours : public TObjAwardLeave {
  QORA_CLASS(TObjAwardLeavePaymPlannedHours, TObjAwardLeave)

 public:
  TObjAwardLeavePaymPlannedHours();

  // The leave reasons paid this way; its indicator has no "none" case
  // worth generating (validation rejects it).
  TStringList& LeaveReasonLst() { return FLeaveReasonLst; }
  const TStringList& LeaveReasonLst() const { return FLeaveReasonLst; }
  TStringList& PenaltyAdditionLst() { return FPenaltyAdditionLst; }
  const TStringList& PenaltyAdditionLst() const { return FPenaltyAdditionLst; }
  TStringList& AllowanceAdditionLst() { return FAllowanceAdditionLst; }
  const TStringList& AllowanceAdditionLst() const { return FAllowanceAdditionLst; }
  int32_t LeaveReasonLstIndicator() const { return FLeaveReasonLstIndicator; }
  void SetLeaveReasonLstIndicator(int32_t v) { FLeaveReasonLstIndicator = v; }
  int32_t PenaltyLstIndicator() const { return FPenaltyLstIndicator; }
  void SetPenaltyLstIndicator(int32_t v) { FPenaltyLstIndicator = v; }
  int32_t AllowanceLstIndicator() const { return FAllowanceLstIndicator; }
  void SetAllowanceLstIndicator(int32_t v) { FAllowanceLstIndicator = v; }

  bool PenaltyAdditionUsed(const std::string& pCode) const override;
  bool AllowanceAdditionUsed(const std::string& pCode) const override;
  bool ReplacePenaltyAdditionCode(const std::string& pOld, const std::string& pNew) override;
  bool ReplaceAllowanceAdditionCode(const std::string& pOld, const std::string& pNew) override;

  void ValidateConditionFlds() override;
  // The allowances are passed through their indicator exactly as the
  // penalties are (see the comment in the definition).
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardLeaveKindsRegistry;
  TStringList FLeaveReasonLst;
  TStringList FPenaltyAdditionLst;
  TStringList FAllowanceAdditionLst;
  int32_t FLeaveReasonLstIndicator = 2;
  int32_t FPenaltyLstIndicator = 2;
  int32_t FAllowanceLstIndicator = 2;
};

}  // namespace qora
