// The five process-wide objects of a costing call. Each accessor creates its
// object on first use; FreeGlobalObjects destroys all five, so nothing
// survives from one call to the next. Not thread-safe: calls never overlap.
#pragma once

namespace qora {

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

// Connects the objects to each other, creating them as needed: the
// timesheet manager gets the run log, the employee cache and the award
// cache; the process manager gets the award cache and the run log.
void LinkGlobalObjects();

// Destroys the run log, the employee cache, the award cache, the process
// manager and the timesheet manager, in this order, each only if it exists.
// Also runs when the library is unloaded.
void FreeGlobalObjects();

}  // namespace qora
