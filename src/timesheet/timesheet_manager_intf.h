// What a shift needs from the run's timesheet manager. The engine's
// TTimesheetManager implements it; a timesheet holds a pointer to it (not
// owned) so that its shifts can reach the run log and the award cache.
#pragma once

namespace qora {

class TUserFeedback;
class TObjListAwards;

class ITimesheetManager {
 public:
  virtual ~ITimesheetManager() = default;

  // The run log of the current call; never null while a run is going.
  virtual TUserFeedback* UserFeedback() = 0;
  // The awards loaded so far in this call; never null while a run is going.
  virtual TObjListAwards* AwardCache() = 0;
  // Index, in the timesheet, of the shift being processed; -1 before the
  // first shift.
  virtual int CurrentShiftIndex() const = 0;

 protected:
  ITimesheetManager() = default;
  ITimesheetManager(const ITimesheetManager&) = default;
  ITimesheetManager& operator=(const ITimesheetManager&) = default;
};

}  // namespace qora
