// Leave components: how leave on a timesheet is paid, loaded and accrued.
// The family adds no field of its own; it exists so that the award's leave
// list holds only leave components, and so that the list can keep the
// components that name penalty and allowance codes in step when one of
// those codes changes.
#pragma once

#include <string>

#include "award/award_condition_base.h"

namespace qora {

class TObjAwardLeave : public TObjAwardConditionBase {
  QORA_CLASS(TObjAwardLeave, TObjAwardConditionBase)

 public:
  TObjAwardLeave() = default;

  // Whether the component's penalty (allowance) list names the addition
  // code, compared exactly. False for kinds without such a list.
  virtual bool PenaltyAdditionUsed(const std::string& /*pCode*/) const { return false; }
  virtual bool AllowanceAdditionUsed(const std::string& /*pCode*/) const { return false; }
  // Renames the code in that list; true when an item changed. Nothing for
  // kinds without such a list.
  virtual bool ReplacePenaltyAdditionCode(const std::string& /*pOld*/, const std::string& /*pNew*/) { return false; }
  virtual bool ReplaceAllowanceAdditionCode(const std::string& /*pOld*/, const std::string& /*pNew*/) { return false; }
};

}  // namespace qora
