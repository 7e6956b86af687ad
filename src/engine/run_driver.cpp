#include "engine/run_driver.h"

#include <exception>
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

int32_t ProcessShifts(TTimesheetManager& manager, IProcessManager& process_manager, TUserFeedback& log,
                      TShiftSteps steps) {
  const TDateTime start = Now();
  RegisterRuleEngineHandlers(manager, process_manager);
  const int count = manager.Timesheet().Count();  // read once: steps may not add shifts to this run
  int skipped = 0;
  for (int i = 0; i < count; ++i) {
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
      log.AddLogMessage(Format("An error occurred processing shift %d: \"%s\"", i + 1, e.what()), timesheet_id,
                        TMessageSeverity::ms_Error, false);
      manager.ShiftCosted(i);
      if (ShiftProgress()) ShiftProgress()(i, count, true);
      continue;
    }
    manager.ShiftCosted(i);
    if (ShiftProgress()) ShiftProgress()(i, count, false);
  }
  const double seconds = (Now() - start) * 86400.0;
  log.AddLogMessage(Format("Processed: %d. Skipped %d. Time: %f.1 seconds", count - skipped, skipped, seconds), 0,
                    TMessageSeverity::ms_Information, false);
  return 0;
}

}  // namespace qora
