#include "award/award_leave_kinds.h"

#include "award/condition_text.h"
#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardLeaveKindsRegistry {
  static const ClassInfo& Accrual() {
    using C = TObjAwardLeaveAccrual;
    return ClassBuilder<C>("TObjAwardLeaveAccrual")
        .Field("TimesheetWorkCode", &C::FTimesheetWorkCode)
        .Field("iLeaveType", &C::FiLeaveType)
        .Field("LeaveCode", &C::FLeaveCode)
        .Field("LeaveDesc", &C::FLeaveDesc)
        .Enum("AccrueHoursOpt", &C::FAccrueHoursOpt, TaiAccrueHoursOptInfo())
        .Field("AddDedCode", &C::FAddDedCode)
        .Field("AddDedDescription", &C::FAddDedDescription)
        .Enum("AddDedType", &C::FAddDedType, TADTypeInfo())
        .Enum("AddDedHours", &C::FAddDedHours, TADHoursInfo())
        .Enum("AddDedCategory", &C::FAddDedCategory, TADCategoryInfo())
        .Field("AddDedAmountPerc", &C::FAddDedAmountPerc)
        .Field("AddDedUnitDesc", &C::FAddDedUnitDesc)
        .Field("AddDedCostCode", &C::FAddDedCostCode)
        .Field("AccrueAllOvertime", &C::FAccrueAllOvertime)
        .Build();
  }
  static const ClassInfo& Payment() {
    using C = TObjAwardLeavePayment;
    return ClassBuilder<C>("TObjAwardLeavePayment")
        .Field("LeaveReasonCode", &C::FLeaveReasonCode)
        .Field("LeaveReasonDesc", &C::FLeaveReasonDesc)
        .Field("CostCode", &C::FCostCode)
        .Field("RateCode", &C::FRateCode)
        .Field("RateDescription", &C::FRateDescription)
        .Field("Percentage", &C::FPercentage)
        .Build();
  }
  static const ClassInfo& Loading() {
    using C = TObjAwardLeaveLoading;
    return ClassBuilder<C>("TObjAwardLeaveLoading")
        .Field("PenaltyAdditionLst", &C::FPenaltyAdditionLst)
        .Field("AllowanceAdditionLst", &C::FAllowanceAdditionLst)
        .Field("PenaltyLstIndicator", &C::FPenaltyLstIndicator)
        .Field("AllowanceLstIndicator", &C::FAllowanceLstIndicator)
        .Build();
  }
  static const ClassInfo& PlannedHours() {
    using C = TObjAwardLeavePaymPlannedHours;
    return ClassBuilder<C>("TObjAwardLeavePaymPlannedHours")
        .Field("LeaveReasonLst", &C::FLeaveReasonLst)
        .Field("PenaltyAdditionLst", &C::FPenaltyAdditionLst)
        .Field("AllowanceAdditionLst", &C::FAllowanceAdditionLst)
        .Field("LeaveReasonLstIndicator", &C::FLeaveReasonLstIndicator)
        .Field("PenaltyLstIndicator", &C::FPenaltyLstIndicator)
        .Field("AllowanceLstIndicator", &C::FAllowanceLstIndicator)
        .Build();
  }
};

namespace {

// Leave is settled after overtime, penalties and allowances, which it may
// convert or compare with, and before the minimum-overtime top-up.
constexpr int32_t kLeaveOrder = 10000;
constexpr int32_t kNoneIndicator = 0;
// The condition code of accruals and leave payments alike; no condition
// jumps to it, it only names the row in the condition table.
constexpr const char* kLeaveAccrualCode = "Leave Accrual";

bool ReplaceCode(TStringList& pList, const std::string& pOld, const std::string& pNew) {
  bool changed = false;
  for (int i = 0; i < pList.Count(); ++i) {
    if (pList[i] == pOld) {
      pList[i] = pNew;
      changed = true;
    }
  }
  return changed;
}

// A code list as an action parameter: its indicator text, quoted.
std::string ListParam(const TStringList& pList, int32_t pIndicator, bool pHasNoneCase = true) {
  return QuotedParam(IndicatorListText(pList, pIndicator, pHasNoneCase));
}

void ValidateAdditionLists(TObjListAwardMessages& pMessages, int32_t pPenaltyIndicator, int32_t pAllowanceIndicator) {
  if (pPenaltyIndicator == kNoneIndicator && pAllowanceIndicator == kNoneIndicator) {
    pMessages.AddMessage("No Penalty or Allowance Addition has been selected.");
  }
}

}  // namespace

// ---- Accrued, not paid ------------------------------------------------------------

const ClassInfo& TObjAwardLeaveAccrual::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardLeaveKindsRegistry::Accrual();
  return info;
}

TObjAwardLeaveAccrual::TObjAwardLeaveAccrual() { SetConditionKind(TaiConditionType::aict_LeaveAccrual); }

void TObjAwardLeaveAccrual::ValidateConditionFlds() {
  TObjAwardLeave::ValidateConditionFlds();
  TObjListAwardMessages& messages = Messages();
  if (Trim(FTimesheetWorkCode).empty() && !FAccrueAllOvertime) messages.AddMessage("No Timesheet Work Code entered.");
  if (Trim(FLeaveCode).empty()) messages.AddMessage("No Leave Class selected");
  ValidateCodeText(messages, FAddDedCode, "No Addition Code entered.", "Addition Code");
  ValidateDescriptionText(messages, FAddDedDescription, "No Addition Description entered.", "Addition Description");
}

void TObjAwardLeaveAccrual::PopulateConditions(TaiConditionList& pList) {
  const std::string accrue_all = BooleanParam(FAccrueAllOvertime);
  // The doubled blank before "or" is kept: dumps of condition tables are
  // compared as text from one version of an award to the next.
  TaiCondition& condition =
      AddCallCondition(pList, TaiAction::aaApplyLeaveAccrual, kLeaveOrder,
                       ConditionGroupClause(ConditionGroupLst()) + " and (WorkCodeExists(" +
                           QuotedParam(FTimesheetWorkCode) + ")) " + " or (" + accrue_all + " <> 0)",
                       kLeaveAccrualCode);
  condition.SetParam("Code", QuotedParam(FAddDedCode));
  condition.SetParam("WorkCode", QuotedParam(FTimesheetWorkCode));
  condition.SetParam("AccrueType", OrdinalParam(FAccrueHoursOpt));
  condition.SetParam("AccrueAll", accrue_all);
}

void TObjAwardLeaveAccrual::PopulateWorkCodes(TStringList& pList) const { pList.Add(FTimesheetWorkCode); }

void TObjAwardLeaveAccrual::CopyValues(const TObjAwardConditionBase& pSource) {
  TObjAwardLeave::CopyValues(pSource);
  FAddDedID = 0;
}

// ---- Leave pay rate -----------------------------------------------------------------

const ClassInfo& TObjAwardLeavePayment::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardLeaveKindsRegistry::Payment();
  return info;
}

TObjAwardLeavePayment::TObjAwardLeavePayment() { SetConditionKind(TaiConditionType::aict_LeavePayment); }

void TObjAwardLeavePayment::ValidateConditionFlds() {
  TObjAwardLeave::ValidateConditionFlds();
  TObjListAwardMessages& messages = Messages();
  ValidateCodeText(messages, FLeaveReasonCode, "No Leave Reason Code has been entered.", "Leave Reason Code");
  ValidateDescriptionText(messages, FLeaveReasonDesc, "No Leave Reason Description has been entered.",
                          "Leave Reason Description");
  ValidateCodeText(messages, FRateCode, "No Leave Rate Code has been entered.", "Leave Rate Code");
  ValidateDescriptionText(messages, FRateDescription, "No Leave Rate Description has been entered.",
                          "Leave Rate Description");
  if (FPercentage <= 0) messages.AddMessage("No Percentage has been entered.");
}

void TObjAwardLeavePayment::PopulateConditions(TaiConditionList& pList) {
  TaiCondition& condition = AddCallCondition(
      pList, TaiAction::aaApplyLeaveReason, kLeaveOrder,
      ConditionGroupClause(ConditionGroupLst()) + " and LeaveReasonExists(" + QuotedParam(FLeaveReasonCode) + ")",
      kLeaveAccrualCode);
  condition.SetParam("RateCode", QuotedParam(FRateCode));
  condition.SetParam("LeaveReason", QuotedParam(FLeaveReasonCode));
  condition.SetParam("Percentage", NumberParam(FPercentage));
}

void TObjAwardLeavePayment::CopyValues(const TObjAwardConditionBase& pSource) {
  TObjAwardLeave::CopyValues(pSource);
  FRateID = 0;
}

// ---- Compare leave loading ----------------------------------------------------------

const ClassInfo& TObjAwardLeaveLoading::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardLeaveKindsRegistry::Loading();
  return info;
}

TObjAwardLeaveLoading::TObjAwardLeaveLoading() { SetConditionKind(TaiConditionType::aict_LeaveLoading); }

bool TObjAwardLeaveLoading::PenaltyAdditionUsed(const std::string& pCode) const {
  return FPenaltyAdditionLst.IndexOf(pCode) >= 0;
}

bool TObjAwardLeaveLoading::AllowanceAdditionUsed(const std::string& pCode) const {
  return FAllowanceAdditionLst.IndexOf(pCode) >= 0;
}

bool TObjAwardLeaveLoading::ReplacePenaltyAdditionCode(const std::string& pOld, const std::string& pNew) {
  return ReplaceCode(FPenaltyAdditionLst, pOld, pNew);
}

bool TObjAwardLeaveLoading::ReplaceAllowanceAdditionCode(const std::string& pOld, const std::string& pNew) {
  return ReplaceCode(FAllowanceAdditionLst, pOld, pNew);
}

void TObjAwardLeaveLoading::ValidateConditionFlds() {
  TObjAwardLeave::ValidateConditionFlds();
  ValidateAdditionLists(Messages(), FPenaltyLstIndicator, FAllowanceLstIndicator);
}

void TObjAwardLeaveLoading::PopulateConditions(TaiConditionList& pList) {
  TaiCondition& condition = AddCallCondition(pList, TaiAction::aaApplyCompareLeaveLoading, kLeaveOrder,
                                             ConditionGroupClause(ConditionGroupLst()));
  condition.SetParam("Allowances", ListParam(FAllowanceAdditionLst, FAllowanceLstIndicator));
  condition.SetParam("Penalties", ListParam(FPenaltyAdditionLst, FPenaltyLstIndicator));
}

// ---- Paid on planned hours ----------------------------------------------------------

const ClassInfo& TObjAwardLeavePaymPlannedHours::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardLeaveKindsRegistry::PlannedHours();
  return info;
}

TObjAwardLeavePaymPlannedHours::TObjAwardLeavePaymPlannedHours() {
  SetConditionKind(TaiConditionType::aict_LeavePaymPlannedHours);
}

bool TObjAwardLeavePaymPlannedHours::PenaltyAdditionUsed(const std::string& pCode) const {
  return FPenaltyAdditionLst.IndexOf(pCode) >= 0;
}

bool TObjAwardLeavePaymPlannedHours::AllowanceAdditionUsed(const std::string& pCode) const {
  return FAllowanceAdditionLst.IndexOf(pCode) >= 0;
}

bool TObjAwardLeavePaymPlannedHours::ReplacePenaltyAdditionCode(const std::string& pOld, const std::string& pNew) {
  return ReplaceCode(FPenaltyAdditionLst, pOld, pNew);
}

bool TObjAwardLeavePaymPlannedHours::ReplaceAllowanceAdditionCode(const std::string& pOld, const std::string& pNew) {
  return ReplaceCode(FAllowanceAdditionLst, pOld, pNew);
}

void TObjAwardLeavePaymPlannedHours::ValidateConditionFlds() {
  TObjAwardLeave::ValidateConditionFlds();
  if (FLeaveReasonLstIndicator == kNoneIndicator) Messages().AddMessage("No Leave Reasons selected.");
  ValidateAdditionLists(Messages(), FPenaltyLstIndicator, FAllowanceLstIndicator);
}

void TObjAwardLeavePaymPlannedHours::PopulateConditions(TaiConditionList& pList) {
  TaiCondition& condition = AddCallCondition(pList, TaiAction::aaApplyPlannedHoursLeave, kLeaveOrder,
                                             ConditionGroupClause(ConditionGroupLst()));
  condition.SetParam("LeaveReasons", ListParam(FLeaveReasonLst, FLeaveReasonLstIndicator, false));
  // The allowances chosen for the planned-hours average are passed through
  // their indicator exactly as the penalties are. Leave paid on planned
  // hours stands in for the shift the employee would have worked, with its
  // allowances; an officer who selects allowances expects them to count,
  // and leaving them out would underpay the leave. The allowance list is
  // validated and kept in step with code changes for the same reason.
  condition.SetParam("Allowances", ListParam(FAllowanceAdditionLst, FAllowanceLstIndicator));
  condition.SetParam("Penalties", ListParam(FPenaltyAdditionLst, FPenaltyLstIndicator));
}

}  // namespace qora
