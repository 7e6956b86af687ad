// qora cost: runs a costing job as the C entry points do, then says how it
// went: the run log, the summary line, where the costing went.
//   qora cost FILE --db TARGET [--output OUT.csv|OUT.yif] [--output-type N]
//   qora cost --stored "ID=Type,..." --db TARGET [--user-id N] [--guid G]
// The database must exist and hold a payroll database; the timesheet file
// is checked first, and values the engine would read as 0 are pointed out
// with their line. Exit codes as for every command: 0 the job ran and
// costed its shifts, 1 the job failed (its result was not 0) or every shift
// was skipped, 2 a wrong command line, 3 an unreadable or invalid
// timesheet file, 4 a database that is missing or not a payroll database.
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli_errors.h"
#include "command.h"
#include "pay_lines.h"
#include "common/format.h"
#include "common/text.h"
#include "db/connection.h"
#include "engine/costing_jobs.h"
#include "engine/run_driver.h"
#include "runlog.h"
#include "target.h"
#include "timesheet/timesheet_check.h"

namespace {

using namespace qora::cli;

struct CostOptions {
  std::string file;
  std::string stored;
  std::string target;
  std::string output;
  int output_type = -1;  // -1: from the output file's extension
  std::string user;
  std::string password;
  int user_id = 0;
  std::string guid;
  bool debug = false;
};

// Shifts counted as the engine reports them, drawn as a bar on a terminal
// once a run has taken more than a second (a short run, or output to a
// file or pipe, shows none).
class Progress {
 public:
  Progress() : FStart(std::chrono::steady_clock::now()), FTerminal(isatty(STDERR_FILENO) != 0) {
    qora::SetShiftProgress([this](int index, int count, bool skipped) { Step(index, count, skipped); });
  }
  ~Progress() { Finish(); }
  // Stops counting and wipes the bar, so that what is printed next starts
  // on a clean line.
  void Finish() {
    qora::SetShiftProgress(nullptr);
    if (FDrawn) std::cerr << "\r\033[K" << std::flush;
    FDrawn = false;
  }
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  int Processed() const { return FProcessed; }
  int Skipped() const { return FSkipped; }

 private:
  void Step(int index, int count, bool skipped) {
    (skipped ? FSkipped : FProcessed) += 1;
    if (!FTerminal) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - FStart < std::chrono::seconds(1) || now - FLastDraw < std::chrono::milliseconds(100)) return;
    FLastDraw = now;
    const int width = 30;
    const int filled = count > 0 ? (index + 1) * width / count : width;
    std::cerr << "\r[" << std::string(static_cast<size_t>(filled), '#') << std::string(static_cast<size_t>(width - filled), '.')
              << "] " << index + 1 << "/" << count << " shifts, " << FSkipped << " skipped" << std::flush;
    FDrawn = true;
  }

  std::chrono::steady_clock::time_point FStart;
  std::chrono::steady_clock::time_point FLastDraw;
  bool FTerminal;
  bool FDrawn = false;
  int FProcessed = 0;
  int FSkipped = 0;
};

// "12=1,15=3": each ID a positive 32-bit number, each costing type 1, 2 or 3.
// Checked here because the engine would take a bad entry as no timesheet.
void CheckStoredList(const std::string& list) {
  std::stringstream entries(list);
  std::string entry;
  while (std::getline(entries, entry, ',')) {
    const std::string item = qora::Trim(entry);
    const size_t equals = item.find('=');
    int64_t id = 0;
    int64_t type = 0;
    const bool id_ok = equals != std::string::npos && qora::TryStrToInt(item.substr(0, equals), id) && id > 0 &&
                       id <= INT32_MAX;
    if (!id_ok) {
      throw UsageError("--stored \"" + list + "\": \"" + item +
                       "\" is not ID=TYPE with ID a timesheet number from 1 to 2147483647.");
    }
    if (!qora::TryStrToInt(item.substr(equals + 1), type) || type < 1 || type > 3) {
      throw UsageError("--stored \"" + list + "\": the costing type of \"" + item +
                       "\" must be 1 (publish), 2 (approve) or 3 (ad hoc).");
    }
  }
  if (qora::Trim(list).empty()) throw UsageError("--stored needs at least one ID=TYPE, for example \"12=1\".");
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Prints the checker's findings on stderr; errors stop the run.
void CheckTimesheet(const std::string& file) {
  const std::vector<qora::TTimesheetIssue> issues = qora::CheckTimesheetFile(file);
  const qora::TTimesheetIssue* first_error = nullptr;
  for (const auto& issue : issues) {
    if (issue.Error && !first_error) first_error = &issue;
    if (!issue.Error) PrintWarning(qora::IssueText(issue), issue.File, issue.Line);
  }
  if (first_error) {
    throw CliError(kExitInput, qora::IssueText(*first_error) + " (see `qora timesheet validate " + file + "`)",
                   first_error->File, first_error->Line);
  }
}

// The verdict shared by both modes: the job's result, then the shifts.
int Verdict(int32_t rc, const Progress& progress, const std::string& last_error, const std::string& log_place) {
  if (rc != 0) {
    PrintError(qora::Format("The costing job failed (result %d): %s. The run log is %s.", rc,
                            last_error.empty() ? std::string("see the run log") : last_error, log_place));
    return kExitJobFailed;
  }
  if (progress.Processed() == 0 && progress.Skipped() == 0) {
    PrintError(qora::Format("No shift was costed: the job found none to cost (a stored timesheet whose approved "
                            "costing exists already is left alone). The run log is %s.",
                            log_place));
    return kExitJobFailed;
  }
  if (progress.Processed() == 0) {
    PrintError(qora::Format("Every shift was skipped (%d); nothing was costed. The run log (%s) says why for each.",
                            progress.Skipped(), log_place));
    return kExitJobFailed;
  }
  return kExitOk;
}

// The pay lines of a CSV costing file as a table. A costing file that cannot
// be read back is not an error of the run: the job's own result stands.
void PrintCosting(const std::string& pFile) {
  try {
    qora::cli::PrintPayLines(std::cout, qora::cli::ReadCostingFile(pFile));
  } catch (const std::exception& e) {
    std::cout << "(the costing file cannot be shown: " << e.what() << ")\n";
  }
}

int CostFile(const CostOptions& o, const qora::ConnectionParams& params) {
  CheckTimesheet(o.file);
  const std::string output = o.output.empty() ? qora::ChangeFileExt(o.file, ".costing.csv") : o.output;
  const int type = o.output_type != -1 ? o.output_type : (qora::SameText(qora::ExtractFileExt(output), ".yif") ? 2 : 1);
  const std::string log_file = qora::ChangeFileExt(output, ".log");
  int32_t rc = 0;
  Progress progress;
  rc = qora::RunTimesheetFileJob(o.file, output, type, params, o.debug);
  progress.Finish();
  std::string last_error;
  const std::vector<std::string> log_lines = ReadLines(log_file);
  for (const std::string& line : log_lines) {
    // A traced run log runs to a thousand lines a shift: it stays in its file.
    if (!o.debug) std::cout << line << "\n";
    if (!qora::StartsText("Processed: ", line) && !line.empty()) last_error = line;
  }
  std::cout << "Shifts costed: " << progress.Processed() << ", skipped: " << progress.Skipped() << ".\n";
  if (rc == 0 && progress.Processed() > 0 && type == 1) PrintCosting(output);
  if (rc == 0 && progress.Processed() > 0 && (type == 1 || type == 2)) {
    std::cout << "Costing written to " << output << (type == 2 ? " (YIF payroll import)" : " (CSV costing)") << ".\n";
  }
  if (o.debug) {
    std::cout << "Run log with the rule engine's trace (" << log_lines.size() << " lines) written to " << log_file
              << ".\n";
  } else {
    std::cout << "Run log written to " << log_file << ".\n";
  }
  return Verdict(rc, progress, last_error, log_file);
}

std::string DefaultGuid() {
  char stamp[32];
  const std::time_t now = std::time(nullptr);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::gmtime(&now));
  return std::string("qora-cli-") + stamp + "-" + std::to_string(getpid());
}

int CostStored(const CostOptions& o, const qora::ConnectionParams& params) {
  const std::string guid = o.guid.empty() ? DefaultGuid() : o.guid;
  int32_t rc = 0;
  Progress progress;
  rc = qora::RunStoredTimesheetJob(o.stored, o.user_id, guid, params, o.debug);
  progress.Finish();
  std::string last_error;
  std::cout << "== run log of job " << guid << " as stored in " << CurrentTarget() << "\n";
  try {
    auto db = OpenPayrollDatabase(o.target);
    if (PrintStoredRunLog(*db, guid, std::cout, last_error) == 0) std::cout << "(no errors stored)\n";
  } catch (const std::exception& e) {
    std::cout << "(the stored run log cannot be read: " << e.what() << ")\n";
  }
  std::cout << "Shifts costed: " << progress.Processed() << ", skipped: " << progress.Skipped() << ".\n";
  if (rc == 0 && progress.Processed() > 0) {
    std::cout << "Costing stored in " << CurrentTarget() << " (table _estblTimesheetCost) for " << o.stored
              << ". Run log: `qora runlog show --db " << CurrentTarget() << " --guid " << guid << "`.\n";
  }
  if (qora::StartsText("Test", guid)) std::cout << "Trial costing appended to " << qora::kTrialCostingFile << ".\n";
  return Verdict(rc, progress, last_error, "stored under GUID " + guid + " (or in qora_" + guid + ".log)");
}

int Cost(const CostOptions& o) {
  if (!o.stored.empty() && !o.file.empty()) throw UsageError("Give a timesheet FILE or --stored IDs, not both.");
  if (o.stored.empty() && o.file.empty()) throw UsageError("Give a timesheet FILE or --stored \"ID=TYPE,...\".");
  if (!o.stored.empty()) CheckStoredList(o.stored);
  // The database is checked before the job runs: the job would otherwise
  // create an empty SQLite file and bury the reason in its run log.
  OpenPayrollDatabase(o.target);
  const qora::ConnectionParams params{ExistingTargetUri(o.target), "", o.user, PasswordFrom(o.password)};
  return o.stored.empty() ? CostFile(o, params) : CostStored(o, params);
}

CommandRegistrar reg([](CLI::App& app, int& exit_code) {
  auto o = std::make_shared<CostOptions>();
  auto* cmd = app.add_subcommand("cost", "Cost a timesheet file or stored timesheets and print the run log");
  cmd->add_option("file", o->file, "Timesheet file: CSV, or XML time cards (.xml)");
  cmd->add_option("--stored", o->stored, "Stored timesheets as ID=CostingType,... (1 publish, 2 approve, 3 ad hoc)");
  cmd->add_option("--db", o->target, TargetFormsText())->required();
  cmd->add_option("--output", o->output, "Costing output file, .csv or .yif (default: FILE with .costing.csv)");
  cmd->add_option("--output-type", o->output_type, "1 CSV costing, 2 YIF, 0 none (default: by the --output extension)");
  cmd->add_option("--user", o->user, "Database user name");
  cmd->add_option("--password", o->password,
                  "Database password; visible to other users in the process list, so prefer QORA_PASSWORD");
  cmd->add_option("--user-id", o->user_id, "User ID recorded with the stored run log");
  cmd->add_option("--guid", o->guid, "Job identifier (default: a new one); \"Test...\" appends trial costing, "
                                     "\"...Debug...\" stores debug messages");
  cmd->add_flag("--debug", o->debug,
                "Record the rule engine's trace in the run log: each condition of each shift, "
                "whether it held and what its action did");
  cmd->callback([o, &exit_code] { exit_code = Guarded([&] { return Cost(*o); }); });
});

}  // namespace
