// How a shift's pay operations reach the run they belong to: the employee's
// award and the run log. A shift read on its own (no timesheet, or a
// timesheet without a manager, as when a file is only being shown) takes
// default rates and logs nothing; these helpers never throw for that.
#pragma once

#include <string>

#include "foundation/enums.h"

namespace qora {

class TTimesheetShift;
class ITimesheetManager;
class IShiftAward;

// The run's manager; null when the shift is not part of a run.
ITimesheetManager* RunManagerOf(const TTimesheetShift& pShift);
// The employee's award for the shift; null when there is no run or the
// employee has no award loaded.
const IShiftAward* ShiftAwardOf(const TTimesheetShift& pShift);
// Writes a debug message with the shift's TimesheetID to the run log
// (recorded only when debugging is on); nothing without a run.
void LogShiftDebug(const TTimesheetShift& pShift, const std::string& pText);
// True when LogShiftDebug would record anything, so that debug texts that
// cost something to write are written only then.
bool ShiftDebugging(const TTimesheetShift& pShift);
// Writes a message with the shift's TimesheetID to the run log; nothing
// without a run.
void LogShiftMessage(const TTimesheetShift& pShift, const std::string& pText, TMessageSeverity pSeverity);

}  // namespace qora
