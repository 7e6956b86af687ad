// The run driver: walks the shifts of the current timesheet and runs the
// award's conditions against each, isolating a failing shift from the rest.
#pragma once

#include <cstdint>

namespace qora {

class IProcessManager;
class TTimesheetManager;
class TUserFeedback;

// Processes every shift of the manager's timesheet:
//  select the shift (loads employee details when connected), hand it to the
//  process manager, load its conditions, set its default hours, run the
//  conditions, record its hours history and break it down into costing.
// A shift whose steps throw is counted as skipped and logged as
// "An error occurred processing shift <n>: "<message>"" with its TimesheetID;
// the loop goes on. Ends with the summary line
// "Processed: <n>. Skipped <m>. Time: <seconds>.1 seconds". Always returns 0.
int32_t ProcessShifts(TTimesheetManager& manager, IProcessManager& process_manager, TUserFeedback& log);

}  // namespace qora
