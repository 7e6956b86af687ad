// The base of every award component (overtime, penalty, allowance, rule,
// leave): the fields all components share, the validation of those fields,
// and the one operation that matters at run time, PopulateConditions, which
// turns the component into the conditions the rule engine runs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "award/award_messages.h"
#include "common/string_list.h"
#include "foundation/award_const.h"
#include "foundation/base_object.h"
#include "rules/condition.h"

namespace qora {

class TObjAwardConditionBase : public TnxBaseObject {
  QORA_CLASS(TObjAwardConditionBase, TnxBaseObject)

 public:
  TObjAwardConditionBase() = default;
  ~TObjAwardConditionBase() override;

  // Database identity of the stored component (idAwardCondition).
  int32_t ConditionID() const { return FConditionID; }
  void SetConditionID(int32_t v) { FConditionID = v; }
  // The order kept with the component; generators set their conditions'
  // orders themselves.
  int32_t Order() const { return FOrder; }
  void SetOrder(int32_t v) { FOrder = v; }
  TaiConditionType ConditionType() const { return FConditionType; }
  const std::string& ConditionTypeName() const { return FConditionTypeName; }
  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& v) { FDescription = v; }
  // Names of the condition groups the component applies to. After editing
  // the list call RebuildConditionGroupStr.
  TStringList& ConditionGroupLst() { return FConditionGroupLst; }
  const TStringList& ConditionGroupLst() const { return FConditionGroupLst; }
  // The display text of the groups, or "< All >" for a component that
  // applies to every group of the award (new groups are then added to it).
  const std::string& ConditionGroupStr() const { return FConditionGroupStr; }
  void SetConditionGroupStr(const std::string& v) { FConditionGroupStr = v; }
  void RebuildConditionGroupStr();
  bool ConditionGroupExists() const { return !FConditionGroupLst.Empty(); }

  // Validation messages of the last ValidateAllFields; created on first use
  // and owned by the component.
  TObjListAwardMessages& Messages();

  // Checks the description and then calls ValidateConditionFlds; adds
  // messages, never throws.
  virtual void ValidateFields();
  // Checks the fields that shape the conditions; derived classes call the
  // inherited check first, so messages come base first.
  virtual void ValidateConditionFlds();
  // Appends the component's conditions to pList (which owns them); nothing
  // for the base and the intermediate classes. Generation does not
  // validate: an incomplete component still generates its conditions.
  virtual void PopulateConditions(TaiConditionList& pList);
  // Appends the timesheet work codes the component names; nothing here.
  virtual void PopulateWorkCodes(TStringList& pList) const;
  // Clears the messages, runs ValidateFields; true when none was added.
  virtual bool ValidateAllFields();
  // Copies the configuration of another component of the same class (every
  // writable published property), then resets the database identities so
  // the copy is stored as a new component. Throws std::invalid_argument for
  // a component of another class.
  virtual void CopyValues(const TObjAwardConditionBase& pSource);

  // Group edits made when the award's condition groups change. Each
  // returns true when the component changed; the display text is rebuilt.
  bool RemoveThisConditionGroup(const std::string& pName);
  virtual bool ReplaceThisConditionGroup(const std::string& pOld, const std::string& pNew);
  // Appends the group when the component applies to all groups ("< All >").
  bool AddThisConditionGroup(const std::string& pName);

 protected:
  // Sets the stored type and its display name; concrete classes call it in
  // their constructors.
  void SetConditionKind(TaiConditionType pType);

 private:
  friend struct TObjAwardConditionBaseRegistry;

  int32_t FConditionID = 0;
  int32_t FOrder = 0;
  TaiConditionType FConditionType = TaiConditionType::aict_None;
  std::string FConditionTypeName = "None";
  std::string FDescription;
  TStringList FConditionGroupLst;
  std::string FConditionGroupStr;
  std::unique_ptr<TObjListAwardMessages> FMessages;
};

}  // namespace qora
