#include "engine/run_driver.h"

#include <exception>
#include <functional>
#include <optional>

#include "common/datetime.h"
#include "common/format.h"
#include "db/connection.h"
#include "engine/timesheet_manager.h"
#include "foundation/user_feedback.h"
#include "rules/process_manager_intf.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

namespace {
TShiftProgress& ShiftProgress() {
  static TShiftProgress observer;
  return observer;
}
}  // namespace

void SetShiftProgress(TShiftProgress observer) { ShiftProgress() = std::move(observer); }

void RegisterRuleEngineHandlers(TTimesheetManager& manager, IProcessManager& pm) {
  pm.SetOnCreateVariables([&manager](TQelParser& parser) { manager.CreateCustomVariables(&parser); }, &manager);
  pm.SetOnSetVariable([&manager](TQelParser& parser, const std::string& variable, bool& handled) {
    manager.SetCustomVariableValue(&parser, variable, handled);
  });
  pm.SetOnDebugMessage([&manager](TQelParser& parser, TnxBaseObject* item, const std::string& message) {
    manager.LogDebugMessages(&parser, item, message);
  });
}

void ProcessShift(TTimesheetManager& manager, IProcessManager& pm, int index, TShiftSteps steps) {
  TTimesheetShift* shift = manager.Timesheet().GetTimesheetShift(index);
  manager.SetCurrentShiftIndex(index);
  // A component column that an action adds gets its variable in the
  // running conditions, whatever the shift was read from.
  shift->SetOnCreateVariable(
      [&manager](TQelParser* parser, TTimesheetColumn* column) { manager.CreateColumnVariable(parser, column); });
  pm.SetWorkItem(shift);
  pm.LoadCurrentShiftConditions();
  manager.SetDefaultHours(*shift);
  pm.Process();
  manager.SaveHoursHistory();
  if (steps == TShiftSteps::Costing) manager.BreakDownComponents();
}

namespace {

// Runs the timesheet's shifts from `first` on, numbering shift i as
// i + number_offset of `total` in messages and progress; returns how many
// were skipped.
int RunShifts(TTimesheetManager& manager, IProcessManager& process_manager, TUserFeedback& log, TShiftSteps steps,
              int first, int number_offset, int total) {
  const int count = manager.Timesheet().Count();  // read once: steps may not add shifts to this run
  int skipped = 0;
  for (int i = first; i < count; ++i) {
    const int number = i + number_offset;
    // The shift's own ID goes with any failure message, including a failure
    // to load its employee.
    const int32_t timesheet_id = manager.Timesheet().GetTimesheetShift(i)->TimesheetID();
    try {
      // Inside a stored timesheet's transaction each shift gets a savepoint
      // of its own: a shift that fails takes back what it wrote (and a failed
      // statement does not poison the timesheet's transaction), while the
      // other shifts' work stays.
      std::optional<TDBTransaction> level;
      TDBConnection* db = manager.DBConnection();
      if (db && db->Connected() && db->TransactionDepth() > 0) level.emplace(*db);
      ProcessShift(manager, process_manager, i, steps);
      if (level) level->Commit();
    } catch (const std::exception& e) {
      ++skipped;
      // A shift that could not be costed is not paid on a guess: it is
      // rejected, and the outputs leave it out (the log says why).
      TTimesheetShift* failed = manager.Timesheet().GetTimesheetShift(i);
      failed->SetRejected(true);
      failed->SetRejectReason(e.what());
      log.AddLogMessage(Format("An error occurred processing shift %d: \"%s\"", number + 1, e.what()), timesheet_id,
                        TMessageSeverity::ms_Error, false);
      manager.ShiftCosted(i);
      if (ShiftProgress()) ShiftProgress()(number, total, true);
      continue;
    }
    manager.ShiftCosted(i);
    if (ShiftProgress()) ShiftProgress()(number, total, false);
  }
  return skipped;
}

void LogSummary(TUserFeedback& log, int processed, int skipped, TDateTime start) {
  const double seconds = (Now() - start) * 86400.0;
  log.AddLogMessage(Format("Processed: %d. Skipped %d. Time: %f.1 seconds", processed, skipped, seconds), 0,
                    TMessageSeverity::ms_Information, false);
}

}  // namespace

int32_t ProcessShifts(TTimesheetManager& manager, IProcessManager& process_manager, TUserFeedback& log,
                      TShiftSteps steps) {
  const TDateTime start = Now();
  RegisterRuleEngineHandlers(manager, process_manager);
  const int count = manager.Timesheet().Count();
  const int skipped = RunShifts(manager, process_manager, log, steps, 0, 0, count);
  LogSummary(log, count - skipped, skipped, start);
  return 0;
}

int32_t ProcessShiftsFed(TTimesheetManager& manager, IProcessManager& process_manager, TUserFeedback& log, int total,
                         const TShiftFeed& feed) {
  const TDateTime start = Now();
  RegisterRuleEngineHandlers(manager, process_manager);
  TTimesheet& timesheet = manager.Timesheet();
  int done = 0;
  int skipped = 0;
  while (done < total) {
    while (timesheet.Count() > 1) timesheet.Delete(0);
    const int kept = timesheet.Count();
    const int added = feed();
    if (added <= 0) break;
    manager.SetShiftsOffTimesheet(total - timesheet.Count());
    skipped += RunShifts(manager, process_manager, log, TShiftSteps::Costing, kept, done - kept, total);
    done += added;
  }
  manager.SetShiftsOffTimesheet(0);
  LogSummary(log, done - skipped, skipped, start);
  return 0;
}

}  // namespace qora
