// One day of an employee's work pattern, as the payroll's
// _ipfnGetEmployeeWorkPatternDays gives it.
#pragma once

#include <string>

#include "common/datetime.h"

namespace qora {

struct TWorkPatternDay {
  TDateTime Date = 0;   // the day, at midnight
  double Hours = 0;     // the pattern's hours for the day; 0 when none
  std::string Holiday;  // the public holiday's description; "" when the day is none
};

}  // namespace qora
