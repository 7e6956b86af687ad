#include "award/award_condition_group.h"

#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardConditionGroupRegistry {
  static const ClassInfo& Build() {
    using C = TObjAwardConditionGroup;
    return ClassBuilder<C>("TObjAwardConditionGroup")
        .Field("IdConditionGroup", &C::FIdConditionGroup)
        .Field("ConditionGroup", &C::FConditionGroup)
        .Build();
  }
};

const ClassInfo& TObjAwardConditionGroup::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardConditionGroupRegistry::Build();
  return info;
}

const ClassInfo& TObjListConditionGroup::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListConditionGroup>("TObjListConditionGroup").Build();
  return info;
}

TObjAwardConditionGroup* TObjListConditionGroup::GetConditionGroup(const std::string& pName) const {
  for (int i = 0; i < Count(); ++i) {
    TObjAwardConditionGroup* group = Items(i);
    if (group != nullptr && SameText(group->ConditionGroup(), pName)) return group;
  }
  return nullptr;
}

int32_t TObjListConditionGroup::GetConditionGroupID(const std::string& pName) const {
  const TObjAwardConditionGroup* group = GetConditionGroup(pName);
  return group != nullptr ? group->IdConditionGroup() : 0;
}

bool TObjListConditionGroup::CheckDupeCondGroup(const TObjAwardConditionGroup& pGroup) const {
  for (int i = 0; i < Count(); ++i) {
    const TObjAwardConditionGroup* other = Items(i);
    if (other != nullptr && other != &pGroup && SameText(other->ConditionGroup(), pGroup.ConditionGroup())) {
      return false;
    }
  }
  return true;
}

bool TObjListConditionGroup::Validate(TObjListAwardMessages& pMessages) const {
  const int before = pMessages.Count();
  for (int i = 0; i < Count(); ++i) {
    const TObjAwardConditionGroup* group = Items(i);
    if (group == nullptr) continue;
    const std::string& name = group->ConditionGroup();
    const int line = i + 1;
    if (Trim(name).empty()) {
      // A blank name is reported once, not again as a duplicate of another blank.
      pMessages.AddMessage("No Condition Group entered.", line);
      continue;
    }
    if (HasApostrophe(name)) pMessages.AddMessage(ApostropheMessage("Condition Group"), line);
    for (int j = 0; j < i; ++j) {
      const TObjAwardConditionGroup* earlier = Items(j);
      if (earlier != nullptr && SameText(earlier->ConditionGroup(), name)) {
        pMessages.AddMessage("Condition Group \"" + name + "\" already exists.", line);
        break;
      }
    }
  }
  return pMessages.Count() == before;
}

}  // namespace qora
