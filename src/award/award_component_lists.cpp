#include "award/award_component_lists.h"

#include "award/award_leave_kinds.h"
#include "common/format.h"
#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TObjListAwardAdditions::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwardAdditions>("TObjListAwardAdditions", true).Build();
  return info;
}

const ClassInfo& TObjListAwardPenalties::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwardPenalties>("TObjListAwardPenalties").Build();
  return info;
}

const ClassInfo& TObjListAwardAllowances::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwardAllowances>("TObjListAwardAllowances").Build();
  return info;
}

const ClassInfo& TObjListAwardRules::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwardRules>("TObjListAwardRules").Build();
  return info;
}

const ClassInfo& TObjListAwardLeave::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwardLeave>("TObjListAwardLeave").Build();
  return info;
}

TObjAwardAddDedBase* TObjListAwardAdditions::FindByAdditionCode(const std::string& pCode) const {
  for (int i = 0; i < Count(); ++i) {
    TObjAwardAddDedBase* item = Addition(i);
    if (item != nullptr && item->AddDedCode() == pCode) return item;
  }
  return nullptr;
}

TStringList TObjListAwardAdditions::GetAdditionCodeDescLst() const {
  TStringList lines;
  for (int i = 0; i < Count(); ++i) {
    if (const TObjAwardAddDedBase* item = Addition(i)) {
      lines.Add(Format("%s - %s", item->AddDedCode(), item->AddDedDescription()));
    }
  }
  return lines;
}

bool TObjListAwardAdditions::CheckDupeADCode(const TObjAwardAddDedBase& pItem) const {
  for (int i = 0; i < Count(); ++i) {
    const TObjAwardAddDedBase* other = Addition(i);
    if (other != nullptr && other != &pItem && SameText(other->AddDedCode(), pItem.AddDedCode())) return false;
  }
  return true;
}

bool TObjListAwardAllowances::StdRateUsed() const {
  for (int i = 0; i < Count(); ++i) {
    const TObjAwardAddDedBase* item = Addition(i);
    if (item != nullptr && item->PayOption() == TaiConditionPayOpt::aicpo_PercOfStd) return true;
  }
  return false;
}

// ---- Leave ------------------------------------------------------------------------

namespace {

// True when an item of kind K other than pItem has a code equal to pItem's
// (ignoring case); an empty code is never a duplicate.
template <class K>
bool OtherHasCode(const TObjListAwardLeave& pList, const K& pItem, const std::string& (K::*pCode)() const) {
  const std::string& code = (pItem.*pCode)();
  if (code.empty()) return false;
  for (int i = 0; i < pList.Count(); ++i) {
    const auto* other = dynamic_cast<const K*>(pList.Items(i));
    if (other != nullptr && other != &pItem && SameText((other->*pCode)(), code)) return true;
  }
  return false;
}

}  // namespace

bool TObjListAwardLeave::CheckDupeADCode(const TObjAwardLeaveAccrual& pItem) const {
  return !OtherHasCode(*this, pItem, &TObjAwardLeaveAccrual::AddDedCode);
}

bool TObjListAwardLeave::CheckDupeLeaveReason(const TObjAwardLeavePayment& pItem) const {
  return !OtherHasCode(*this, pItem, &TObjAwardLeavePayment::LeaveReasonCode);
}

bool TObjListAwardLeave::CheckDupeRateCode(const TObjAwardLeavePayment& pItem) const {
  return !OtherHasCode(*this, pItem, &TObjAwardLeavePayment::RateCode);
}

void TObjListAwardLeave::ReplaceOvertimeRateCodes(const std::string& pOld, const std::string& pNew) {
  for (int i = 0; i < Count(); ++i) {
    auto* payment = dynamic_cast<TObjAwardLeavePayment*>(Items(i));
    if (payment != nullptr && payment->RateCode() == pOld) payment->SetRateCode(pNew);
  }
}

void TObjListAwardLeave::ReplacePenaltyAdditionCodes(const std::string& pOld, const std::string& pNew) {
  for (int i = 0; i < Count(); ++i) {
    if (auto* item = dynamic_cast<TObjAwardLeave*>(Items(i))) item->ReplacePenaltyAdditionCode(pOld, pNew);
  }
}

void TObjListAwardLeave::ReplaceAllowanceAdditionCodes(const std::string& pOld, const std::string& pNew) {
  for (int i = 0; i < Count(); ++i) {
    if (auto* item = dynamic_cast<TObjAwardLeave*>(Items(i))) item->ReplaceAllowanceAdditionCode(pOld, pNew);
  }
}

bool TObjListAwardLeave::IsPenaltyAdditionUsed(const std::string& pCode) const {
  for (int i = 0; i < Count(); ++i) {
    const auto* item = dynamic_cast<const TObjAwardLeave*>(Items(i));
    if (item != nullptr && item->PenaltyAdditionUsed(pCode)) return true;
  }
  return false;
}

bool TObjListAwardLeave::IsAllowanceAdditionUsed(const std::string& pCode) const {
  for (int i = 0; i < Count(); ++i) {
    const auto* item = dynamic_cast<const TObjAwardLeave*>(Items(i));
    if (item != nullptr && item->AllowanceAdditionUsed(pCode)) return true;
  }
  return false;
}

}  // namespace qora
