// qora timesheet show FILE: loads a timesheet file as a costing run does
// (CSV, or XML time cards by the ".xml" extension; breaks filled in, shifts
// sorted) and prints what was read as JSON. A file that cannot be loaded
// prints the engine's message on stderr and exits with 1.
#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "command.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_file_loader.h"
#include "timesheet/timesheet_json.h"

namespace {

// Where `timesheet show` takes its timesheet from. Only a file for now; the
// source is a separate option set so that other sources can join it.
struct ShowOptions {
  std::string file;
};

int ShowTimesheet(const ShowOptions& options) {
  if (options.file.empty()) {
    std::cerr << "A timesheet file is required.\n";
    return 2;
  }
  try {
    auto timesheet = std::make_unique<qora::TTimesheet>();
    qora::LoadTimesheetFromFile(options.file, *timesheet, nullptr);
    std::cout << qora::TimesheetToJson(*timesheet).dump(2) << "\n";
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
  show->callback([options, &exit_code] { exit_code = ShowTimesheet(*options); });
});

}  // namespace
