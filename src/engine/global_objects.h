// The five process-wide objects of a costing call. Each accessor creates its
// object on first use; FreeGlobalObjects destroys all five, so nothing
// survives from one call to the next. Not thread-safe: calls never overlap.
#pragma once

namespace qora {

class TAwardProvider;
class TEmployeeAwardCache;
class TObjListAwards;
class TTimesheetManager;
class TUserFeedback;
class TaiProcessManager;

TUserFeedback& GetUserFeedback();
TEmployeeAwardCache& GetEmployeeCache();
TObjListAwards& GetAwardCache();
TaiProcessManager& GetProcessManager();
TTimesheetManager& GetTimesheetManager();
// The award of each shift, over the award cache, the run log and the
// process manager's payroll connection as it stands when an award is asked
// for (no open connection: award files). The rule engine prepares each
// shift's award through it; the timesheet manager's FindShiftAward answers
// from it.
TAwardProvider& GetAwardProvider();

// Connects the objects to each other, creating them as needed: the
// timesheet manager gets the run log, the employee cache, the award cache
// and the award provider; the process manager gets the award cache and the
// run log.
void LinkGlobalObjects();

// Destroys the award provider, the run log, the employee cache, the award
// cache, the process manager and the timesheet manager, in this order, each
// only if it exists.
// Also runs when the library is unloaded.
void FreeGlobalObjects();

}  // namespace qora
