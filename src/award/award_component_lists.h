// The award's penalty, allowance, rule and leave lists. Penalties and
// allowances are looked up by the payroll addition they pay.
#pragma once

#include <string>

#include "award/award_add_ded_base.h"
#include "award/award_component_list.h"
#include "award/award_leave_base.h"
#include "award/award_rule_base.h"
#include "common/string_list.h"

namespace qora {

// What the penalty and the allowance list share: components that pay a
// payroll addition.
class TObjListAwardAdditions : public TObjListAwardConditionBase {
  QORA_CLASS(TObjListAwardAdditions, TObjListAwardConditionBase)

 public:
  TObjListAwardAdditions() = default;

  // Item `index` as a component paying an addition; null for one of
  // another family. Throws std::out_of_range for a bad index.
  TObjAwardAddDedBase* Addition(int index) const { return dynamic_cast<TObjAwardAddDedBase*>(Items(index)); }

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

class TObjListAwardRules : public TObjListAwardConditionBase {
  QORA_CLASS(TObjListAwardRules, TObjListAwardConditionBase)

 public:
  TObjListAwardRules() = default;
};

class TObjListAwardLeave : public TObjListAwardConditionBase {
  QORA_CLASS(TObjListAwardLeave, TObjListAwardConditionBase)

 public:
  TObjListAwardLeave() = default;
};

}  // namespace qora
