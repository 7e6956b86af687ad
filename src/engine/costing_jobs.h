// The three costing jobs behind the C entry points. Each sets up the
// process-wide engine objects, works inside a protected section whose
// failures become return codes, writes or stores the run log, and tears
// everything down again. None of them lets an exception escape.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "engine/engine_connections.h"
#include "foundation/enums.h"

namespace qora {

class IProcessManager;
class TCostingCommitGroup;
class TTimesheetManager;
class TUserFeedback;

// Return codes of the costing jobs (see include/qora/qora.h).
inline constexpr int32_t kResultOK = 0;
inline constexpr int32_t kResultDatabase = 1;
inline constexpr int32_t kResultRecordNotFound = 2;
inline constexpr int32_t kResultSyntax = 3;
inline constexpr int32_t kResultNoConnection = 4;
inline constexpr int32_t kResultOtherError = -2;
inline constexpr int32_t kResultSetupFailed = -3;

// The code for an exception that ended the protected section:
// eRecordNotFoundException 2, else eDatabaseException 1, else
// eSyntaxException 3, else -2 (tested in this order).
int32_t ResultCodeFor(const std::exception& e);

// Costs one timesheet file; output_type 1 writes a CSV costing file, 2 a
// YIF file, anything else none. The run log goes beside output_file (".log");
// with debug it also holds the rule engine's trace.
int32_t RunTimesheetFileJob(const std::string& timesheet_file, const std::string& output_file, int32_t output_type,
                            const ConnectionParams& params, bool debug = false);

// Costs one timesheet file with the database named by web.config in
// application_folder; writes "timesheet.yif" and "costed_timesheet.csv"
// beside the timesheet and the run log as the timesheet's ".log".
int32_t RunWebConfigJob(const std::string& timesheet_file, const std::string& application_folder);

// Costs stored timesheets ("ID=Type,..."), stores their costing and the run
// log. A GUID starting with "Test" appends every costing to
// "TESTQora_Costing.csv" in the current folder (deleted at the start); a GUID
// containing "Debug", or debug, records debug messages.
int32_t RunStoredTimesheetJob(const std::string& id_list, int32_t user_id, const std::string& guid,
                              const ConnectionParams& params, bool force_debug = false);

// Costs one stored timesheet as `type`: resets the manager, loads the
// timesheet's shifts, then deletes its old costing of that type, runs the
// shifts and stores the new costing inside one transaction of the main
// connection, which is rolled back when anything there throws (the
// exception propagates). Failed shifts do not throw: they are logged and
// left out, as the run driver does. With a group, that transaction is a
// savepoint of the group's, opened before the first write; the caller
// commits the group.
void CostStoredTimesheet(TTimesheetManager& tm, IProcessManager& pm, TUserFeedback& log, const std::string& id,
                         TaiCostingOutputType type, TCostingCommitGroup* group = nullptr);

// The name of the trial costing file of stored-timesheet runs.
inline constexpr const char* kTrialCostingFile = "TESTQora_Costing.csv";

}  // namespace qora
