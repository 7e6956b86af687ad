#include "engine/run_driver.h"

#include <exception>

#include "common/datetime.h"
#include "common/delphi_format.h"
#include "db/connection.h"
#include "engine/timesheet_manager.h"
#include "foundation/user_feedback.h"
#include "rules/process_manager_intf.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_shift.h"

namespace qora {
namespace {

void RegisterHandlers(TTimesheetManager& manager, IProcessManager& pm) {
  pm.SetOnCreateVariables([&manager](TQelParser& parser) { manager.CreateCustomVariables(&parser); });
  pm.SetOnSetVariable([&manager](TQelParser& parser, const std::string& variable, bool& handled) {
    manager.SetCustomVariableValue(&parser, variable, handled);
  });
  pm.SetOnDebugMessage([&manager](TQelParser& parser, TnxBaseObject* item, const std::string& message) {
    manager.LogDebugMessages(&parser, item, message);
  });
}

void ProcessOneShift(TTimesheetManager& manager, IProcessManager& pm, int index, int32_t& timesheet_id) {
  TTimesheetShift* shift = manager.Timesheet().GetTimesheetShift(index);
  // The shift's own ID goes with any failure message, including a failure
  // to load its employee.
  timesheet_id = shift->TimesheetID();
  manager.SetCurrentShiftIndex(index);
  pm.SetWorkItem(shift);
  pm.LoadCurrentShiftConditions();
  manager.SetDefaultHours(*shift);
  pm.Process();
  manager.SaveHoursHistory();
  manager.BreakDownComponents();
}

// Inside a stored timesheet's transaction each shift gets a savepoint of
// its own: a shift that fails takes back what it wrote to the database (and
// a failed statement does not poison the timesheet's transaction), while
// the other shifts' work stays.
class ShiftLevel {
 public:
  explicit ShiftLevel(TDBConnection* db)
      : FDb(db && db->Connected() && db->TransactionDepth() > 0 ? db : nullptr) {
    if (FDb) FDb->StartTransaction();
  }
  ~ShiftLevel() {
    if (!FDb) return;
    try {
      FDb->Rollback();
    } catch (...) {
      // A connection that is gone has nothing left to undo.
    }
  }
  ShiftLevel(const ShiftLevel&) = delete;
  ShiftLevel& operator=(const ShiftLevel&) = delete;
  void Commit() {
    if (FDb) FDb->Commit();
    FDb = nullptr;
  }

 private:
  TDBConnection* FDb;
};

}  // namespace

int32_t ProcessShifts(TTimesheetManager& manager, IProcessManager& process_manager, TUserFeedback& log) {
  const TDateTime start = Now();
  RegisterHandlers(manager, process_manager);
  const int count = manager.Timesheet().Count();  // read once: steps may not add shifts to this run
  int skipped = 0;
  for (int i = 0; i < count; ++i) {
    int32_t timesheet_id = 0;
    try {
      ShiftLevel level(manager.DBConnection());
      ProcessOneShift(manager, process_manager, i, timesheet_id);
      level.Commit();
    } catch (const std::exception& e) {
      ++skipped;
      // A shift that could not be costed is not paid on a guess: it is
      // rejected, and the outputs leave it out (the log says why).
      TTimesheetShift* failed = manager.Timesheet().GetTimesheetShift(i);
      failed->SetRejected(true);
      failed->SetRejectReason(e.what());
      log.AddLogMessage(Format("An error occurred processing shift %d: \"%s\"", i + 1, e.what()), timesheet_id,
                        TMessageSeverity::ms_Error, false);
    }
  }
  const double seconds = (Now() - start) * 86400.0;
  log.AddLogMessage(Format("Processed: %d. Skipped %d. Time: %f.1 seconds", count - skipped, skipped, seconds), 0,
                    TMessageSeverity::ms_Information, false);
  return 0;
}

}  // namespace qora
