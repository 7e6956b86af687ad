// The base of the award's five component lists (overtime, penalties,
// allowances, rules, leave): an owning list of components in the order
// condition generation follows, with the edits that keep components in step
// when the award's condition groups change.
#pragma once

#include <string>

#include "award/award_condition_base.h"
#include "foundation/object_list.h"

namespace qora {

class TObjListAwardConditionBase : public TnxBaseObjectList {
  QORA_CLASS(TObjListAwardConditionBase, TnxBaseObjectList)

 public:
  TObjListAwardConditionBase() = default;

  // Item `index` as a component; null when the slot holds another kind of
  // object. Throws std::out_of_range for a bad index.
  TObjAwardConditionBase* Component(int index) const;

  // False when another item (not pItem itself) has the same Description,
  // compared exactly; true otherwise.
  bool CheckDupeDesc(const TObjAwardConditionBase& pItem) const;
  // True when any item lists the group (exact name).
  bool ConditionGroupUsed(const std::string& pName) const;
  // Takes the group out of every item's list and rebuilds its display text.
  void RemoveThisConditionGroup(const std::string& pName);
  // Renames the group in every item's list (and the target group of
  // condition-group changes).
  void ReplaceThisConditionGroup(const std::string& pOld, const std::string& pNew);
  // Appends the group to every item that applies to all groups ("< All >").
  void AddThisConditionGroup(const std::string& pName);
  // Appends every item's conditions, item by item in list order.
  void PopulateConditions(TaiConditionList& pList) const;
  // Appends every item's timesheet work codes in list order.
  void PopulateWorkCodes(TStringList& pList) const;
};

}  // namespace qora
