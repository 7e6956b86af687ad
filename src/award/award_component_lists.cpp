#include "award/award_component_lists.h"

#include "common/delphi_format.h"
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

}  // namespace qora
