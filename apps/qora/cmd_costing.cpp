// qora costing show FILE.csv [--json]: a CSV costing file as pay lines per
// shift with the dollar total, for reading what a costing run paid. Reads
// the file only. Exit status 1 when the file cannot be read.
#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "command.h"
#include "pay_lines.h"

namespace {

struct ShowOptions {
  std::string file;
  bool json = false;
};

int Show(const ShowOptions& options) {
  try {
    const auto shifts = qora::cli::ReadCostingFile(options.file);
    if (options.json) {
      std::cout << qora::cli::PayLinesToJson(shifts).dump(2) << "\n";
    } else {
      qora::cli::PrintPayLines(std::cout, shifts);
    }
    return 0;
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}

qora::cli::CommandRegistrar reg([](CLI::App& app, int& exit_code) {
  auto* costing = app.add_subcommand("costing", "Read costing output");
  costing->require_subcommand(1);
  auto options = std::make_shared<ShowOptions>();
  auto* show = costing->add_subcommand("show", "Print a CSV costing file as pay lines per shift with the total");
  show->add_option("file", options->file, "CSV costing file")->required();
  show->add_flag("--json", options->json, "Print JSON instead of a table");
  show->callback([options, &exit_code] { exit_code = Show(*options); });
});

}  // namespace
