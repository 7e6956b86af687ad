// The award's penalty, allowance, rule and leave lists. Penalties and
// allowances are looked up by the payroll addition they pay.
#pragma once

#include <string>

#include "award/award_add_ded_base.h"
#include "award/award_allowance.h"
#include "award/award_component_list.h"
#include "award/award_leave_base.h"
#include "award/award_penalty.h"
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

// The award's penalties. A stored component lands in the list its module
// names whatever its kind, so an item may be a component of another family;
// the look-ups see what pays an addition.
class TObjListAwardPenalties : public TObjListAwardAdditions {
  QORA_CLASS(TObjListAwardPenalties, TObjListAwardAdditions)

 public:
  TObjListAwardPenalties() = default;
  // The first item paying the addition pCode (exact); null when none.
  TObjAwardAddDedBase* GetPenalty(const std::string& pCode) const { return FindByAdditionCode(pCode); }
};

// The award's allowances; like the penalties, any component the stored
// module puts here stays, and the look-ups see what pays an addition.
class TObjListAwardAllowances : public TObjListAwardAdditions {
  QORA_CLASS(TObjListAwardAllowances, TObjListAwardAdditions)

 public:
  TObjListAwardAllowances() = default;
  // The first item paying the addition pCode (exact); null when none.
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

class TObjAwardLeaveAccrual;
class TObjAwardLeavePayment;

class TObjListAwardLeave : public TObjListAwardConditionBase {
  QORA_CLASS(TObjListAwardLeave, TObjListAwardConditionBase)

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
