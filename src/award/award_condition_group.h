// An award's condition groups: an employee belongs to one group at a time,
// and every award component names the groups it applies to.
#pragma once

#include <cstdint>
#include <string>

#include "award/award_messages.h"
#include "award/checked_list.h"
#include "foundation/base_object.h"

namespace qora {

class TObjAwardConditionGroup : public TnxBaseObject {
  QORA_CLASS(TObjAwardConditionGroup, TnxBaseObject)

 public:
  TObjAwardConditionGroup() = default;

  int32_t IdConditionGroup() const { return FIdConditionGroup; }
  void SetIdConditionGroup(int32_t v) { FIdConditionGroup = v; }
  // The group's name.
  const std::string& ConditionGroup() const { return FConditionGroup; }
  void SetConditionGroup(const std::string& v) { FConditionGroup = v; }

  std::string LookupText() const override { return FConditionGroup; }

 private:
  friend struct TObjAwardConditionGroupRegistry;

  int32_t FIdConditionGroup = 0;
  std::string FConditionGroup;
};

// Group names are unique within an award whatever their letter case, and
// are looked up the same way.
class TObjListConditionGroup : public TCheckedObjectList<TObjAwardConditionGroup> {
  QORA_CLASS(TObjListConditionGroup, TCheckedObjectList<TObjAwardConditionGroup>)

 public:
  TObjListConditionGroup() = default;

  // The first group of that name, ignoring case; null when none.
  TObjAwardConditionGroup* GetConditionGroup(const std::string& pName) const;
  // Its IdConditionGroup; 0 when there is no such group.
  int32_t GetConditionGroupID(const std::string& pName) const;
  // False when a group other than pGroup has the same name, ignoring case.
  bool CheckDupeCondGroup(const TObjAwardConditionGroup& pGroup) const;
  // Appends every group's messages with the group's 1-based line number: an
  // empty name, an apostrophe, and a name already used by an earlier group
  // (so the duplicate, not the original, is reported). True when none.
  bool Validate(TObjListAwardMessages& pMessages) const;
};

}  // namespace qora
