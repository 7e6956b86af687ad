// The award's penalty, allowance, rule and leave lists. Each accepts only
// components of its family; penalties and allowances are looked up by the
// payroll addition they pay.
#pragma once

#include <string>

#include "award/award_add_ded_base.h"
#include "award/award_allowance.h"
#include "award/award_component_list.h"
#include "award/award_leave_base.h"
#include "award/award_penalty.h"
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

// Holds penalties only (Add throws for any other component).
class TObjListAwardPenalties : public TObjListAwardAdditions {
  QORA_CLASS(TObjListAwardPenalties, TObjListAwardAdditions)

 public:
  TObjListAwardPenalties();
  // The first penalty whose AddDedCode equals pCode (exact); null when none.
  TObjAwardPenalty* GetPenalty(const std::string& pCode) const;
};

// Holds allowances only (Add throws for any other component).
class TObjListAwardAllowances : public TObjListAwardAdditions {
  QORA_CLASS(TObjListAwardAllowances, TObjListAwardAdditions)

 public:
  TObjListAwardAllowances();
  // The first allowance whose AddDedCode equals pCode (exact); null when none.
  TObjAwardAllowance* GetAllowance(const std::string& pCode) const;
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

class TObjAwardLeaveAccrual;
class TObjAwardLeavePayment;

class TObjListAwardLeave : public TObjListAwardLeaveBase {
  QORA_CLASS(TObjListAwardLeave, TObjListAwardLeaveBase)

 public:
  TObjListAwardLeave() = default;

  // Duplicate checks for the maintenance screens, ignoring case as the
  // other lists' checks do: false when another accrual records its hours
  // as the same addition code, or another leave payment prices the same
  // leave reason (uses the same rate code).
  bool CheckDupeADCode(const TObjAwardLeaveAccrual& pItem) const;
  bool CheckDupeLeaveReason(const TObjAwardLeavePayment& pItem) const;
  bool CheckDupeRateCode(const TObjAwardLeavePayment& pItem) const;

  // Code changes elsewhere in the award, carried into the leave components
  // that name the code (exact comparison): a rate code of the leave
  // payments, a penalty or allowance code of the loading and planned-hours
  // components' lists.
  void ReplaceOvertimeRateCodes(const std::string& pOld, const std::string& pNew);
  void ReplacePenaltyAdditionCodes(const std::string& pOld, const std::string& pNew);
  void ReplaceAllowanceAdditionCodes(const std::string& pOld, const std::string& pNew);
  // Whether any leave component lists the penalty (allowance) code, so that
  // it is not removed from the award while named.
  bool IsPenaltyAdditionUsed(const std::string& pCode) const;
  bool IsAllowanceAdditionUsed(const std::string& pCode) const;
};

}  // namespace qora
