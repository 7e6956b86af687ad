#include "award/award_component_list.h"

#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TObjListAwardConditionBase::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwardConditionBase>("TObjListAwardConditionBase").Build();
  return info;
}

bool TObjListAwardConditionBase::CheckDupeDesc(const TObjAwardConditionBase& pItem) const {
  for (int i = 0; i < Count(); ++i) {
    const TObjAwardConditionBase* other = Items(i);
    if (other != nullptr && other != &pItem && other->Description() == pItem.Description()) return false;
  }
  return true;
}

bool TObjListAwardConditionBase::ConditionGroupUsed(const std::string& pName) const {
  for (int i = 0; i < Count(); ++i) {
    const TObjAwardConditionBase* item = Items(i);
    if (item != nullptr && item->ConditionGroupLst().IndexOf(pName) >= 0) return true;
  }
  return false;
}

void TObjListAwardConditionBase::RemoveThisConditionGroup(const std::string& pName) {
  for (int i = 0; i < Count(); ++i) {
    if (TObjAwardConditionBase* item = Items(i)) item->RemoveThisConditionGroup(pName);
  }
}

void TObjListAwardConditionBase::ReplaceThisConditionGroup(const std::string& pOld, const std::string& pNew) {
  for (int i = 0; i < Count(); ++i) {
    if (TObjAwardConditionBase* item = Items(i)) item->ReplaceThisConditionGroup(pOld, pNew);
  }
}

void TObjListAwardConditionBase::AddThisConditionGroup(const std::string& pName) {
  for (int i = 0; i < Count(); ++i) {
    if (TObjAwardConditionBase* item = Items(i)) item->AddThisConditionGroup(pName);
  }
}

void TObjListAwardConditionBase::PopulateConditions(TaiConditionList& pList) const {
  for (int i = 0; i < Count(); ++i) {
    if (TObjAwardConditionBase* item = Items(i)) item->PopulateConditions(pList);
  }
}

void TObjListAwardConditionBase::PopulateWorkCodes(TStringList& pList) const {
  for (int i = 0; i < Count(); ++i) {
    if (const TObjAwardConditionBase* item = Items(i)) item->PopulateWorkCodes(pList);
  }
}

}  // namespace qora
