#include "award/award_condition_base.h"

#include <stdexcept>

#include "award/component_registry.h"
#include "award/condition_text.h"
#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardConditionBaseRegistry {
  static const ClassInfo& Build() {
    using C = TObjAwardConditionBase;
    return ClassBuilder<C>("TObjAwardConditionBase", true)
        .Field("ConditionID", &C::FConditionID)
        .Field("Order", &C::FOrder)
        .Enum("ConditionType", &C::FConditionType, TaiConditionTypeInfo())
        .Field("ConditionTypeName", &C::FConditionTypeName)
        .Field("Description", &C::FDescription)
        .Field("ConditionGroupLst", &C::FConditionGroupLst)
        .Field("ConditionGroupStr", &C::FConditionGroupStr)
        .Build();
  }
};

const ClassInfo& TObjAwardConditionBase::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardConditionBaseRegistry::Build();
  return info;
}

TObjAwardConditionBase::~TObjAwardConditionBase() = default;

void TObjAwardConditionBase::SetConditionKind(TaiConditionType pType) {
  FConditionType = pType;
  FConditionTypeName = ConditionTypeDisplayName(pType);
}

void TObjAwardConditionBase::RebuildConditionGroupStr() {
  FConditionGroupStr = ConditionGroupDisplayText(FConditionGroupLst, FConditionGroupStr);
}

TObjListAwardMessages& TObjAwardConditionBase::Messages() {
  if (!FMessages) FMessages = std::make_unique<TObjListAwardMessages>();
  return *FMessages;
}

void TObjAwardConditionBase::ValidateFields() {
  if (Trim(FDescription).empty()) {
    Messages().AddMessage("No Description entered.");
  } else if (HasApostrophe(FDescription)) {
    Messages().AddMessage(ApostropheMessage("Description"));
  }
  ValidateConditionFlds();
}

void TObjAwardConditionBase::ValidateConditionFlds() {
  if (!ConditionGroupExists()) Messages().AddMessage("No Condition Group selected.");
}

void TObjAwardConditionBase::PopulateConditions(TaiConditionList& /*pList*/) {}

void TObjAwardConditionBase::PopulateWorkCodes(TStringList& /*pList*/) const {}

bool TObjAwardConditionBase::ValidateAllFields() {
  Messages().Clear();
  ValidateFields();
  return Messages().Count() == 0;
}

void TObjAwardConditionBase::CopyValues(const TObjAwardConditionBase& pSource) {
  if (&pSource == this) return;
  CopyPublishedValues(pSource);
  FConditionID = 0;
}

bool TObjAwardConditionBase::RemoveThisConditionGroup(const std::string& pName) {
  bool changed = false;
  for (int i = FConditionGroupLst.Count() - 1; i >= 0; --i) {
    if (FConditionGroupLst[i] == pName) {
      FConditionGroupLst.Delete(i);
      changed = true;
    }
  }
  if (changed) RebuildConditionGroupStr();
  return changed;
}

bool TObjAwardConditionBase::ReplaceThisConditionGroup(const std::string& pOld, const std::string& pNew) {
  bool changed = false;
  for (int i = 0; i < FConditionGroupLst.Count(); ++i) {
    if (FConditionGroupLst[i] == pOld) {
      FConditionGroupLst[i] = pNew;
      changed = true;
    }
  }
  if (changed) RebuildConditionGroupStr();
  return changed;
}

bool TObjAwardConditionBase::AddThisConditionGroup(const std::string& pName) {
  if (FConditionGroupStr != kAllConditionGroups || FConditionGroupLst.IndexOf(pName) >= 0) return false;
  FConditionGroupLst.Add(pName);
  RebuildConditionGroupStr();
  return true;
}

}  // namespace qora
