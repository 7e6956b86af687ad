// Employees' award assignments already loaded in a costing call, so that
// a run loads each employee from the payroll database once per assignment.
#pragma once

#include <string_view>

#include "award/employee_award_obj.h"
#include "foundation/object_list.h"

namespace qora {

class TEmployeeAwardCache : public TypedObjectList<TEmployeeAwardObj> {
  QORA_CLASS(TEmployeeAwardCache, TypedObjectList<TEmployeeAwardObj>)

 public:
  TEmployeeAwardCache() = default;

  // The first record, in list order, whose EmployeeCode and
  // PayrollLinkToken equal the arguments ignoring letter case and which, when
  // `date` is above 0, is in force on `date` (TEmployeeAwardObj::CoversDate);
  // with `date` 0 dates are not compared. Null when none: not an error, the
  // caller loads the employee then. The record stays owned by the cache.
  TEmployeeAwardObj* GetEmployeeAward(std::string_view payroll_link_token, std::string_view employee_code,
                                      TDateTime date) const;
};

}  // namespace qora
