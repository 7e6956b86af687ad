// qora version: prints the engine's version text.
#include <iostream>

#include "command.h"
#include "engine/version.h"

namespace {
qora::cli::CommandRegistrar reg([](CLI::App& app, int&) {
  auto* cmd = app.add_subcommand("version", "Print the engine's version text");
  cmd->callback([] { std::cout << qora::GetVersionText() << "\n"; });
});
}  // namespace
