#include "engine/global_objects.h"

#include <memory>

#include "award/award_list.h"
#include "award/award_provider.h"
#include "award/employee_award_cache.h"
#include "engine/timesheet_manager.h"
#include "foundation/user_feedback.h"
#include "rules/process_manager.h"

namespace qora {
namespace {

struct GlobalObjects {
  std::unique_ptr<TAwardProvider> award_provider;
  std::unique_ptr<TUserFeedback> user_feedback;
  std::unique_ptr<TEmployeeAwardCache> employee_cache;
  std::unique_ptr<TObjListAwards> award_cache;
  std::unique_ptr<TaiProcessManager> process_manager;
  std::unique_ptr<TTimesheetManager> timesheet_manager;

  void Free() {
    // The provider refers to the cache and the log: it goes first.
    award_provider.reset();
    user_feedback.reset();
    employee_cache.reset();
    award_cache.reset();
    process_manager.reset();
    timesheet_manager.reset();
  }
  // Unloading the library (or ending the process) frees whatever a call left.
  ~GlobalObjects() { Free(); }
};

GlobalObjects& Globals() {
  static GlobalObjects globals;
  return globals;
}

template <class T>
T& Obtain(std::unique_ptr<T>& slot) {
  if (!slot) slot = std::make_unique<T>();
  return *slot;
}

}  // namespace

TUserFeedback& GetUserFeedback() { return Obtain(Globals().user_feedback); }
TEmployeeAwardCache& GetEmployeeCache() { return Obtain(Globals().employee_cache); }
TObjListAwards& GetAwardCache() { return Obtain(Globals().award_cache); }
TaiProcessManager& GetProcessManager() { return Obtain(Globals().process_manager); }
TTimesheetManager& GetTimesheetManager() { return Obtain(Globals().timesheet_manager); }

TAwardProvider& GetAwardProvider() {
  std::unique_ptr<TAwardProvider>& slot = Globals().award_provider;
  if (!slot) {
    slot = std::make_unique<TAwardProvider>(GetAwardCache(), &GetUserFeedback(),
                                            [] { return GetProcessManager().PayrollConnection(); });
  }
  return *slot;
}

void LinkGlobalObjects() {
  TTimesheetManager& tm = GetTimesheetManager();
  tm.SetUserFeedback(&GetUserFeedback());
  tm.SetEmployeeCache(&GetEmployeeCache());
  tm.SetAwardCache(&GetAwardCache());
  tm.SetAwardProvider(&GetAwardProvider());
  TaiProcessManager& pm = GetProcessManager();
  pm.SetAwardCache(&GetAwardCache());
  pm.SetUserFeedback(&GetUserFeedback());
  pm.SetAwardProvider(&GetAwardProvider());
}

void FreeGlobalObjects() { Globals().Free(); }

}  // namespace qora
