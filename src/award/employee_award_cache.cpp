#include "award/employee_award_cache.h"

#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TEmployeeAwardCache::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TEmployeeAwardCache>("TEmployeeAwardCache").Build();
  return info;
}

TEmployeeAwardObj* TEmployeeAwardCache::GetEmployeeAward(std::string_view payroll_link_token,
                                                         std::string_view employee_code, TDateTime date) const {
  for (int i = 0; i < Count(); ++i) {
    TEmployeeAwardObj* record = Items(i);
    if (!record || !SameText(record->EmployeeCode(), employee_code) ||
        !SameText(record->PayrollLinkToken(), payroll_link_token)) {
      continue;
    }
    // A negative date finds nothing, as it does for awards: no record is in
    // force before the calendar starts.
    if (date > 0 ? record->CoversDate(date) : date == 0) return record;
  }
  return nullptr;
}

}  // namespace qora
