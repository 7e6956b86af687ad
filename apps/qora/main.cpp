// qora: the command-line face of the award-interpretation engine.
#include <exception>
#include <iostream>

#include "command.h"

namespace qora::cli {
std::vector<CommandSetup>& Commands() {
  static std::vector<CommandSetup> commands;
  return commands;
}
}  // namespace qora::cli

int main(int argc, char** argv) {
  CLI::App app{"qora - award interpretation engine for payroll"};
  app.require_subcommand(1);
  int exit_code = 0;
  for (auto& setup : qora::cli::Commands()) setup(app, exit_code);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return exit_code;
}
