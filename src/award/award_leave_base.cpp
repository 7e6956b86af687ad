#include "award/award_leave_base.h"

#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TObjAwardLeave::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjAwardLeave>("TObjAwardLeave", true).Build();
  return info;
}

}  // namespace qora
