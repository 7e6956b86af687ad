// qora timesheet show FILE: loads a timesheet file as a costing run does
// (CSV, or XML time cards by the ".xml" extension; breaks filled in, shifts
// sorted) and prints what was read as JSON.
// qora timesheet show --db TARGET --id N [--costing-type T]: loads stored
// timesheet N as a costing run of type T (1 published, 2 actual/approved -
// the default - or 3 ad hoc) does, with every shift's employee details.
// qora timesheet validate FILE [--strict]: lists every value of the file
// that stops a costing run (an error) or that the engine reads as 0 or
// ignores (a warning), each with its file, line and column or element.
// A file with errors exits with 3, and so does one with warnings under
// --strict.
// `show` checks the file the same way first: warnings go to stderr, an
// error ends it with exit code 3; the readers' own notes also go to stderr.
#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "cli_errors.h"
#include "command.h"
#include "db/connection.h"
#include "target.h"
#include "engine/stored_timesheet_view.h"
#include "foundation/user_feedback.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_check.h"
#include "timesheet/timesheet_file_loader.h"
#include "timesheet/timesheet_json.h"

namespace {

// Where `timesheet show` takes its timesheet from. Only a file for now; the
// source is a separate option set so that other sources can join it.
struct ShowOptions {
  std::string file;
  std::string target;
  int id = 0;
  int costing_type = 2;
};

using namespace qora::cli;

int ShowStored(const ShowOptions& options) {
  if (options.id <= 0 || options.costing_type < 1 || options.costing_type > 3) {
    throw UsageError("A stored timesheet needs --id N (N > 0) and --costing-type 1, 2 or 3.");
  }
  OpenPayrollDatabase(options.target);
  const auto json = qora::ShowStoredTimesheet(ExistingTargetUri(options.target), options.id,
                                              static_cast<qora::TaiCostingOutputType>(options.costing_type));
  std::cout << qora::JsonText(json) << "\n";
  return kExitOk;
}

int ShowTimesheet(const ShowOptions& options) {
  if (!options.target.empty()) return ShowStored(options);
  if (options.file.empty()) throw UsageError("A timesheet file, or --db with --id, is required.");
  for (const auto& issue : qora::CheckTimesheetFile(options.file)) {
    if (issue.Error) throw CliError(kExitInput, qora::IssueText(issue), issue.File, issue.Line);
    PrintWarning(qora::IssueText(issue), issue.File, issue.Line);
  }
  auto timesheet = std::make_unique<qora::TTimesheet>();
  qora::TUserFeedback log;
  qora::LoadTimesheetFromFile(options.file, *timesheet, &log);
  // What the readers noted (a file read as Windows-1252, say) goes to
  // stderr, so that stdout stays JSON.
  for (const auto& message : log.Messages()) std::cerr << message.Text << "\n";
  std::cout << qora::JsonText(qora::TimesheetToJson(*timesheet)) << "\n";
  return kExitOk;
}

int Validate(const std::string& file, bool strict) {
  int errors = 0;
  int warnings = 0;
  for (const auto& issue : qora::CheckTimesheetFile(file)) {
    (issue.Error ? errors : warnings) += 1;
    std::cout << qora::IssueText(issue) << (issue.Error ? "" : " (warning)") << "\n";
  }
  std::cout << file << ": " << errors << " error(s), " << warnings << " warning(s)\n";
  return errors > 0 || (strict && warnings > 0) ? kExitInput : kExitOk;
}

qora::cli::CommandRegistrar reg([](CLI::App& app, int& exit_code) {
  auto* timesheet = app.add_subcommand("timesheet", "Inspect timesheets");
  timesheet->require_subcommand(1);
  auto options = std::make_shared<ShowOptions>();
  auto* show = timesheet->add_subcommand("show", "Load a timesheet as the engine does and print it as JSON");
  show->add_option("file", options->file, "Timesheet file: CSV, or XML time cards (.xml)");
  show->add_option("--db", options->target, TargetFormsText());
  show->add_option("--id", options->id, "Stored timesheet ID (with --db)");
  show->add_option("--costing-type", options->costing_type, "1 published, 2 actual (default), 3 ad hoc")
      ->capture_default_str();
  show->callback([options, &exit_code] { exit_code = Guarded([&] { return ShowTimesheet(*options); }); });
  auto strict = std::make_shared<bool>(false);
  auto* validate = timesheet->add_subcommand("validate", "List every error and doubtful value of a timesheet file");
  validate->add_option("file", options->file, "Timesheet file: CSV, or XML time cards (.xml)")->required();
  validate->add_flag("--strict", *strict, "Exit with 3 on warnings too");
  validate->callback([options, strict, &exit_code] {
    exit_code = Guarded([&] { return Validate(options->file, *strict); });
  });
});

}  // namespace
