// What a shift needs from the run's timesheet manager. The engine's
// TTimesheetManager implements it; a timesheet holds a pointer to it (not
// owned) so that its shifts can reach the run log and the award cache.
#pragma once

#include <string>

#include <cstdint>

#include "common/datetime.h"
#include "foundation/award_const.h"
#include "foundation/enums.h"
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

  // Which costing the run produces (cot_None for file runs).
  virtual TaiCostingOutputType CostingOutputType() const = 0;
  // The number of the timesheet's shifts that come from the stored row
  // pTimesheetRowId (a shift's ID is its row's); 0 when none does.
  virtual int NumberofShiftsOnRow(int32_t pTimesheetRowId) const = 0;
  // The value per ordinary and overtime hour of the costing of type
  // pCostingType stored for the row, counting its hours lines and the
  // penalty and allowance lines named in the comma texts pPenalties and
  // pAllowances ("<All>" names every one). 0 when the row has no such hours
  // or no costing of that type. pHoursTypeSet does not change the result.
  // Database errors propagate.
  virtual double GetAverageHourlyRate(int32_t pTimesheetRowId, int32_t pCostingType, THoursTypeSet pHoursTypeSet,
                                      const std::string& pAllowances, const std::string& pPenalties) = 0;
  // Stores, under costing type pCostingType and with the annual-leave link
  // pALLink, a copy of the penalty and allowance lines named in the comma
  // texts ("<All>" for every one) of the row's planned (published) costing,
  // so that the leave loading can be compared with what the day would have
  // paid. Nothing is stored when the row has no such lines. Database errors
  // propagate.
  virtual void ApplyCompareLoading(int32_t pTimesheetRowId, int32_t pALLink, int32_t pCostingType,
                                   const std::string& pAllowances, const std::string& pPenalties) = 0;

 protected:
  ITimesheetManager() = default;
  ITimesheetManager(const ITimesheetManager&) = default;
  ITimesheetManager& operator=(const ITimesheetManager&) = default;
};

}  // namespace qora
