#include "award/award_list.h"
#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TObjListAwards::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwards>("TObjListAwards").Build();
  return info;
}

}  // namespace qora
