// Leave components: how leave on a timesheet is paid, loaded and accrued.
// The family adds no field of its own; it exists so that the award's leave
// list holds only leave components.
#pragma once

#include "award/award_condition_base.h"

namespace qora {

class TObjAwardLeave : public TObjAwardConditionBase {
  QORA_CLASS(TObjAwardLeave, TObjAwardConditionBase)

 public:
  TObjAwardLeave() = default;
};

}  // namespace qora
