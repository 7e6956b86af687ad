// The base of the award's five component lists (overtime, penalties,
// allowances, rules, leave): an owning list of components in the order
// condition generation follows, with the edits that keep components in step
// when the award's condition groups change.
//
// A list holds any component, not only those of its family: a stored row
// lands in the list its module names whatever its kind, and generates its
// conditions from there. Look-ups that need a family's fields see only the
// components of that family.
#pragma once

#include <string>

#include "award/award_condition_base.h"
#include "award/checked_list.h"
#include "foundation/object_list.h"

namespace qora {

class TObjListAwardConditionBase : public TCheckedObjectList<TObjAwardConditionBase> {
  QORA_CLASS(TObjListAwardConditionBase, TCheckedObjectList<TObjAwardConditionBase>)

 public:
  TObjListAwardConditionBase() = default;

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
