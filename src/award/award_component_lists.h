// The award's penalty, allowance, rule and leave lists. Each accepts only
// components of its family; penalties and allowances are looked up by the
// payroll addition they pay.
#pragma once

#include <string>

#include "award/award_add_ded_base.h"
#include "award/award_component_list.h"
#include "award/award_leave_base.h"
#include "award/award_rule_base.h"
#include "award/checked_list.h"
#include "common/string_list.h"

namespace qora {

using TObjListAwardAdditionsBase = TCheckedObjectList<TObjAwardAddDedBase, TObjListAwardConditionBase>;

// What the penalty and the allowance list share: components that pay a
// payroll addition.
class TObjListAwardAdditions : public TObjListAwardAdditionsBase {
  QORA_CLASS(TObjListAwardAdditions, TObjListAwardAdditionsBase)

 public:
  TObjListAwardAdditions() = default;

  // The first item whose AddDedCode equals pCode (exact); null when none.
  TObjAwardAddDedBase* FindByAdditionCode(const std::string& pCode) const;
  // "CODE - Description" per item, in list order.
  TStringList GetAdditionCodeDescLst() const;
  // False when an item other than pItem has the same addition code,
  // ignoring case.
  bool CheckDupeADCode(const TObjAwardAddDedBase& pItem) const;
};

class TObjListAwardPenalties : public TObjListAwardAdditions {
  QORA_CLASS(TObjListAwardPenalties, TObjListAwardAdditions)

 public:
  TObjListAwardPenalties() = default;
  TObjAwardAddDedBase* GetPenalty(const std::string& pCode) const { return FindByAdditionCode(pCode); }
};

class TObjListAwardAllowances : public TObjListAwardAdditions {
  QORA_CLASS(TObjListAwardAllowances, TObjListAwardAdditions)

 public:
  TObjListAwardAllowances() = default;
  TObjAwardAddDedBase* GetAllowance(const std::string& pCode) const { return FindByAdditionCode(pCode); }
  // True when any allowance is paid as a percentage of the standard rate
  // (the award then needs a standard pay class).
  bool StdRateUsed() const;
};

using TObjListAwardRulesBase = TCheckedObjectList<TObjAwardRule, TObjListAwardConditionBase>;

class TObjListAwardRules : public TObjListAwardRulesBase {
  QORA_CLASS(TObjListAwardRules, TObjListAwardRulesBase)

 public:
  TObjListAwardRules() = default;
};

using TObjListAwardLeaveBase = TCheckedObjectList<TObjAwardLeave, TObjListAwardConditionBase>;

class TObjListAwardLeave : public TObjListAwardLeaveBase {
  QORA_CLASS(TObjListAwardLeave, TObjListAwardLeaveBase)

 public:
  TObjListAwardLeave() = default;
};

}  // namespace qora
