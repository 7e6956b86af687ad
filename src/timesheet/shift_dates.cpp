#include "timesheet/shift_dates.h"

#include <cmath>

#include "common/datetime.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

void ExtendShiftEndDate(TTimesheetShift& shift, double end_hours) {
  const TDateTime end_day = DateOf(shift.ShiftStartDate()) + std::floor(end_hours / 24);
  if (end_day > shift.ShiftEndDate()) shift.SetShiftEndDate(end_day);
}

}  // namespace qora
