#include "award/award_list.h"
#include "award/employee_award_cache.h"
#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TObjListAwards::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwards>("TObjListAwards").Build();
  return info;
}

const ClassInfo& TEmployeeAwardCache::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TEmployeeAwardCache>("TEmployeeAwardCache").Build();
  return info;
}

}  // namespace qora
