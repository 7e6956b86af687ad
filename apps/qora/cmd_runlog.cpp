// qora runlog show --db TARGET [--guid G]: the run logs that stored costing
// jobs (qora cost --stored, or a host calling the stored-timesheet entry
// point) left in the common database; by default every job's.
#include <iostream>
#include <memory>
#include <string>

#include "cli_errors.h"
#include "command.h"
#include "db/connection.h"
#include "runlog.h"
#include "target.h"

namespace qora::cli {

namespace {
const char* SeverityName(int severity) {
  switch (severity) {
    case 0:
      return "info";
    case 1:
      return "warning";
    default:
      return "error";
  }
}
}  // namespace

int PrintStoredRunLog(TDBConnection& db, const std::string& guid, std::ostream& out, std::string& last_error) {
  const std::string sql =
      "select iTimesheetID, iSeverity, cMessage, cGUID from _estblTimesheetMessages" +
      std::string(guid.empty() ? "" : " where cGUID = :guid") + " order by idTimesheetMessage";
  TDBParams params;
  if (!guid.empty()) params.push_back({"guid", TDBValue(guid)});
  int count = 0;
  for (const TDBRow& row : db.Query(sql, params)) {
    const int severity = row["iSeverity"].AsInteger();
    const std::string text = row["cMessage"].AsString();
    if (severity >= 2) last_error = text;
    out << "[" << row["cGUID"].AsString() << "] " << SeverityName(severity);
    if (row["iTimesheetID"].AsInteger() != 0) out << " timesheet " << row["iTimesheetID"].AsInteger();
    out << ": " << text << "\n";
    ++count;
  }
  return count;
}

namespace {

struct RunlogOptions {
  std::string target;
  std::string guid;
};

int Show(const RunlogOptions& options) {
  auto db = OpenPayrollDatabase(options.target);
  std::string last_error;
  const int count = PrintStoredRunLog(*db, options.guid, std::cout, last_error);
  if (count == 0) {
    std::cout << "No stored run-log messages" << (options.guid.empty() ? "" : " for job " + options.guid)
              << " (jobs store their errors only, unless the job's GUID contains \"Debug\").\n";
  }
  return kExitOk;
}

CommandRegistrar reg([](CLI::App& app, int& exit_code) {
  auto* runlog = app.add_subcommand("runlog", "Run logs stored in the database by costing jobs");
  runlog->require_subcommand(1);
  auto options = std::make_shared<RunlogOptions>();
  auto* show = runlog->add_subcommand("show", "Print stored run logs, oldest first");
  show->add_option("--db", options->target, TargetFormsText())->required();
  show->add_option("--guid", options->guid, "Only the messages of this job");
  show->callback([options, &exit_code] { exit_code = Guarded([&] { return Show(*options); }); });
});

}  // namespace
}  // namespace qora::cli
