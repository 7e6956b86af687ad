#include "timesheet/timesheet_shift_run.h"

#include "foundation/user_feedback.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_manager_intf.h"

namespace qora {

ITimesheetManager* RunManagerOf(const TTimesheetShift& pShift) {
  const TTimesheet* timesheet = pShift.Timesheet();
  return timesheet ? timesheet->TimesheetManager() : nullptr;
}

const IShiftAward* ShiftAwardOf(const TTimesheetShift& pShift) {
  ITimesheetManager* manager = RunManagerOf(pShift);
  return manager ? manager->FindShiftAward(pShift) : nullptr;
}

void LogShiftDebug(const TTimesheetShift& pShift, const std::string& pText) {
  ITimesheetManager* manager = RunManagerOf(pShift);
  TUserFeedback* log = manager ? manager->UserFeedback() : nullptr;
  if (log) log->AddDebugMessage(pText, pShift.TimesheetID(), TMessageSeverity::ms_Information);
}

bool ShiftDebugging(const TTimesheetShift& pShift) {
  ITimesheetManager* manager = RunManagerOf(pShift);
  TUserFeedback* log = manager ? manager->UserFeedback() : nullptr;
  return log && log->DebugEnabled();
}

void LogShiftMessage(const TTimesheetShift& pShift, const std::string& pText, TMessageSeverity pSeverity) {
  ITimesheetManager* manager = RunManagerOf(pShift);
  TUserFeedback* log = manager ? manager->UserFeedback() : nullptr;
  if (log) log->AddLogMessage(pText, pShift.TimesheetID(), pSeverity, false);
}

}  // namespace qora
