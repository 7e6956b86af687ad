// What a shift needs from the run's timesheet manager. The engine's
// TTimesheetManager implements it; a timesheet holds a pointer to it (not
// owned) so that its shifts can reach the run log and the award cache.
#pragma once

#include <string>

#include "foundation/award_const.h"
#include "common/datetime.h"
#include "timesheet/hours_type.h"

namespace qora {

class TUserFeedback;
class TObjListAwards;
class TTimesheetShift;
class IShiftAward;

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

  // The employee's award in force on the shift's date (looked up by the
  // shift's EmployeeAward and ShiftStartDate in the award cache), seen
  // through what the shift's pay operations need. Null when the employee
  // has no award loaded: the hours then take default rates. Also asked
  // while a timesheet is being read, before the employee is known; "not
  // found" is the answer then. The view stays valid while the award stays
  // in the cache (the whole call).
  virtual const IShiftAward* FindShiftAward(const TTimesheetShift& pShift) = 0;
  // The hours of the shift's employee over a period, from the hours
  // history: the entries whose hours type is in pHoursTypeSet (and, when
  // pRateCode is not empty, whose rate code equals it), plus the leave
  // hours of every reason in the comma text pLeaveReasons. The period is
  // pPeriodType's length counted with pCycleStartDate and the timesheet's
  // dates. pDeductPenaltyMinimumRate does not change the result. 0 when
  // there is no history.
  virtual double GetHoursTotal(const TTimesheetShift& pShift, THoursTypeSet pHoursTypeSet,
                               const std::string& pLeaveReasons, TaiPeriodType pPeriodType,
                               TDateTime pCycleStartDate, const std::string& pRateCode,
                               double pDeductPenaltyMinimumRate) = 0;

 protected:
  ITimesheetManager() = default;
  ITimesheetManager(const ITimesheetManager&) = default;
  ITimesheetManager& operator=(const ITimesheetManager&) = default;
};

}  // namespace qora
