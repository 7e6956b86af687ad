#include "engine/stored_timesheet_view.h"

#include <exception>

#include "award/award_list.h"
#include "award/award_provider.h"
#include "common/format.h"
#include "db/connection.h"
#include "common/exceptions.h"
#include "engine/hours_history.h"
#include "engine/payroll_connection.h"
#include "engine/timesheet_manager.h"
#include "foundation/user_feedback.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_json.h"

namespace qora {

void LoadStoredTimesheetForShow(TTimesheetManager& manager, int32_t timesheet_id, TaiCostingOutputType costing_type) {
  TDBConnection* main = manager.DBConnection();
  if (!main || !main->Connected()) throw eDatabaseException("The main database connection is not open.");
  const bool exists = main->QueryValue("select count(*) from _estblTimesheet where idTimesheet = :TimesheetID",
                                       {{"TimesheetID", timesheet_id}})
                          .AsInteger() > 0;
  if (!exists) throw eRecordNotFoundException(Format("Timesheet %d was not found.", timesheet_id));
  manager.ClearAll();
  manager.SetCostingOutputType(costing_type);
  manager.DBLoadTimesheetShifts(std::to_string(timesheet_id));
}

void PrepareShiftAwardsForShow(TTimesheetManager& manager, TAwardProvider& provider) {
  TTimesheet& timesheet = manager.Timesheet();
  for (int i = 0; i < timesheet.Count(); ++i) {
    TTimesheetShift& shift = *timesheet.GetTimesheetShift(i);
    try {
      // Each employee's award is in the payroll database of that employee.
      manager.ConnectPayrollDatabase(shift);
      provider.PrepareShiftAward(shift, shift.EmployeeAward());
    } catch (const std::exception& e) {
      if (manager.UserFeedback() != nullptr) {
        manager.UserFeedback()->AddLogMessage(e.what(), shift.TimesheetID(), TMessageSeverity::ms_Error, false);
      }
    }
  }
}

nlohmann::ordered_json ShowStoredTimesheet(const std::string& target_uri, int32_t timesheet_id,
                                           TaiCostingOutputType costing_type) {
  const TDBConnectionParams params = ParseConnectionUri(target_uri);
  auto main = CreateConnection(params);
  main->Open();
  TPayrollConnection payroll;
  TUserFeedback log;
  TTimesheetManager manager;
  TObjListAwards awards;
  TAwardProvider provider(awards, &log, [&payroll]() -> TDBConnection* { return &payroll; });
  manager.SetUserFeedback(&log);
  manager.SetAwardCache(&awards);
  manager.SetAwardProvider(&provider);
  manager.SetDBConnection(main.get());
  manager.SetPayrollConnection(&payroll);
  manager.SetDBSQLUserName(params.UserName);
  manager.SetDBSQLPassword(params.Password);
  LoadStoredTimesheetForShow(manager, timesheet_id, costing_type);
  PrepareShiftAwardsForShow(manager, provider);
  nlohmann::ordered_json out;
  out["TimesheetID"] = timesheet_id;
  out["CostingType"] = TaiCostingOutputTypeInfo().NameOf(static_cast<int>(costing_type));
  out.update(TimesheetToJson(manager.Timesheet()));
  nlohmann::ordered_json messages = nlohmann::ordered_json::array();
  log.ForEachMessage([&messages](const TUserFeedback::Entry& entry) {
    if (entry.Info.Severity == TMessageSeverity::ms_Information) return;
    messages.push_back({{"TimesheetID", entry.Info.TimesheetID},
                        {"Severity", entry.Info.Severity == TMessageSeverity::ms_Error ? "Error" : "Warning"},
                        {"Message", entry.Text}});
  });
  if (!messages.empty()) out["Messages"] = std::move(messages);
  return out;
}

}  // namespace qora
