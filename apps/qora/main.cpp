// qora: the command-line face of the award-interpretation engine.
#include <algorithm>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli_errors.h"
#include "command.h"
#include "engine/version.h"

namespace qora::cli {
std::vector<CommandSetup>& Commands() {
  static std::vector<CommandSetup> commands;
  return commands;
}
}  // namespace qora::cli

namespace {

size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The parser only says an argument was not expected; a person who mistyped
// a command wants to hear which command was meant. Walks the command words
// of argv down the subcommand tree and names the first that is not one.
// Returns an empty text when every command word is known.
std::string UnknownCommand(CLI::App& app, int argc, char** argv) {
  CLI::App* current = &app;
  std::string path = "qora";
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word.empty() || word[0] == '-') continue;
    const auto subcommands = current->get_subcommands([](CLI::App*) { return true; });
    if (subcommands.empty()) return "";
    CLI::App* next = nullptr;
    std::string closest;
    size_t best = std::string::npos;
    for (CLI::App* sub : subcommands) {
      if (sub->get_name() == word) next = sub;
      const size_t distance = EditDistance(sub->get_name(), word);
      if (distance < best) {
        best = distance;
        closest = sub->get_name();
      }
    }
    if (!next) {
      std::string message = "\"" + word + "\" is not a command of " + path + ".";
      if (best <= std::max<size_t>(2, word.size() / 2)) message += " Did you mean \"" + path + " " + closest + "\"?";
      return message + " See `" + path + " --help`.";
    }
    current = next;
    path += " " + word;
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace qora::cli;
  for (int i = 1; i < argc; ++i) JsonErrors() = JsonErrors() || std::strcmp(argv[i], "--json") == 0;
  CLI::App app{"qora - award interpretation engine for payroll"};
  app.footer(ExitCodesText());
  app.set_version_flag("--version", qora::GetVersionText());
  app.require_subcommand(1);
  // --json is understood everywhere, for errors at least; the subcommands
  // created after this pass the options they do not know up to here.
  app.fallthrough();
  app.add_flag("--json", JsonErrors(), "Errors as JSON on stderr (and results as JSON where a command offers it)");
  int exit_code = 0;
  for (auto& setup : Commands()) setup(app, exit_code);
  const std::string unknown = UnknownCommand(app, argc, argv);
  if (!unknown.empty()) {
    PrintError(unknown);
    return kExitUsage;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::string message = e.what();
    if (!message.empty() && message.back() != '.') message += '.';
    PrintError(message + " See `qora --help`.");
    return kExitUsage;
  } catch (const std::exception& e) {
    int code = kExitJobFailed;
    PrintError(Explain(e.what(), code));
    return code;
  }
  return exit_code;
}
