// Subcommands of the qora tool. Each subcommand lives in its own file and
// registers itself with a static QORA_COMMAND object; main() builds the
// command line from every registered subcommand.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <vector>

namespace qora::cli {

// Adds a subcommand to `app`. The subcommand's callback sets `exit_code`.
using CommandSetup = std::function<void(CLI::App& app, int& exit_code)>;

std::vector<CommandSetup>& Commands();

struct CommandRegistrar {
  explicit CommandRegistrar(CommandSetup setup) { Commands().push_back(std::move(setup)); }
};

}  // namespace qora::cli
