// The hourly rates that the shift's hours and addition operations share.
#pragma once

#include <string>

namespace qora {

class TTimesheetShift;
class IShiftAward;

// The hourly rate for work under pClassification: its class rate, or the
// employee's own when that is higher (a class rate the award lacks counts
// as 0). A lower, non-zero class rate is noted in the run log, as the
// officer will want to know that the higher duty paid nothing extra.
double HigherDutiesRate(const TTimesheetShift& pShift, const IShiftAward& pAward,
                        const std::string& pClassification);

}  // namespace qora
