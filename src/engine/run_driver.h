// The run driver: walks the shifts of the current timesheet and runs the
// award's conditions against each, isolating a failing shift from the rest.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

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
// With TShiftSteps::WithoutCosting the breakdown into costing is left out
// (a tool that only shows what the conditions do to the shifts).
enum class TShiftSteps : uint8_t { Costing, WithoutCosting };
int32_t ProcessShifts(TTimesheetManager& manager, IProcessManager& process_manager, TUserFeedback& log,
                      TShiftSteps steps = TShiftSteps::Costing);

// As ProcessShifts, for a timesheet too long to hold at once: `feed` appends
// the next few shifts of the run (returning how many; 0 ends the run early)
// to the manager's timesheet, from which the shifts already costed go
// except the last (the first new shift may look back at it). Messages and
// progress number the shifts through the whole run of `total`, and the
// shifts not on the timesheet count as shifts of row 0 (those of a file).
using TShiftFeed = std::function<int()>;
int32_t ProcessShiftsFed(TTimesheetManager& manager, IProcessManager& process_manager, TUserFeedback& log, int total,
                         const TShiftFeed& feed);

// Told after each shift that ProcessShifts ran: the shift's 0-based index,
// the number of shifts in the run and whether the shift was skipped. One
// observer for the process (a tool's progress display); an empty function
// removes it. It must not throw.
using TShiftProgress = std::function<void(int index, int count, bool skipped)>;
void SetShiftProgress(TShiftProgress observer);

// The three rule-engine handlers of the timesheet manager (column variables
// and domain functions, storing into columns, the trace) registered on the
// process manager. The manager must outlive the process manager's use of them.
void RegisterRuleEngineHandlers(TTimesheetManager& manager, IProcessManager& process_manager);

// The steps of one shift (the body of the loop of ProcessShifts), for
// callers that report each shift themselves. Throws what a step throws.
void ProcessShift(TTimesheetManager& manager, IProcessManager& process_manager, int index,
                  TShiftSteps steps = TShiftSteps::Costing);

}  // namespace qora
