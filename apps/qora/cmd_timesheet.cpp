// qora timesheet show FILE: loads a timesheet file as a costing run does
// (CSV, or XML time cards by the ".xml" extension; breaks filled in, shifts
// sorted) and prints what was read as JSON.
// qora timesheet show --db TARGET --id N [--costing-type T]: loads stored
// timesheet N as a costing run of type T (1 published, 2 actual/approved -
// the default - or 3 ad hoc) does, with every shift's employee details.
// A timesheet that cannot be loaded prints the engine's message on stderr
// and exits with 1; the readers' warnings also go to stderr.
#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "command.h"
#include "target.h"
#include "engine/stored_timesheet_view.h"
#include "foundation/user_feedback.h"
#include "timesheet/timesheet.h"
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

int ShowStored(const ShowOptions& options) {
  if (options.id <= 0 || options.costing_type < 1 || options.costing_type > 3) {
    std::cerr << "A stored timesheet needs --id N (N > 0) and --costing-type 1, 2 or 3.\n";
    return 2;
  }
  try {
    const auto json = qora::ShowStoredTimesheet(qora::cli::TargetUri(options.target), options.id,
                                                static_cast<qora::TaiCostingOutputType>(options.costing_type));
    std::cout << qora::JsonText(json) << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}

int ShowTimesheet(const ShowOptions& options) {
  if (!options.target.empty()) return ShowStored(options);
  if (options.file.empty()) {
    std::cerr << "A timesheet file, or --db with --id, is required.\n";
    return 2;
  }
  try {
    auto timesheet = std::make_unique<qora::TTimesheet>();
    qora::TUserFeedback log;
    qora::LoadTimesheetFromFile(options.file, *timesheet, &log);
    // What the readers noted (a file read as Windows-1252, say) goes to
    // stderr, so that stdout stays JSON.
    for (const auto& message : log.Messages()) std::cerr << message.Text << "\n";
    std::cout << qora::JsonText(qora::TimesheetToJson(*timesheet)) << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}

qora::cli::CommandRegistrar reg([](CLI::App& app, int& exit_code) {
  auto* timesheet = app.add_subcommand("timesheet", "Inspect timesheets");
  timesheet->require_subcommand(1);
  auto options = std::make_shared<ShowOptions>();
  auto* show = timesheet->add_subcommand("show", "Load a timesheet as the engine does and print it as JSON");
  show->add_option("file", options->file, "Timesheet file: CSV, or XML time cards (.xml)");
  show->add_option("--db", options->target, "Database holding stored timesheets: sqlite:PATH or postgresql://...");
  show->add_option("--id", options->id, "Stored timesheet ID (with --db)");
  show->add_option("--costing-type", options->costing_type, "1 published, 2 actual (default), 3 ad hoc")
      ->capture_default_str();
  show->callback([options, &exit_code] { exit_code = ShowTimesheet(*options); });
});

}  // namespace
