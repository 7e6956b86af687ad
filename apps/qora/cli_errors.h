// How the qora tool ends: its exit codes, and errors printed as a sentence
// that says what happened and what to do (as JSON under --json), with the
// library's own text after it for whoever has to dig deeper.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace qora::cli {

// The exit codes, the same for every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitJobFailed = 1;  // the job ran and failed, or a shift or check failed
inline constexpr int kExitUsage = 2;      // the command line is wrong
inline constexpr int kExitInput = 3;      // an input file cannot be read or holds a bad value
inline constexpr int kExitDatabase = 4;   // a database is missing, unreachable or not a qora database

// The help text's paragraph on exit codes.
const char* ExitCodesText();

// An error the tool raises itself, with its exit code and, for input
// errors, where in which file.
class CliError : public std::runtime_error {
 public:
  CliError(int code, const std::string& message, std::string file = "", int line = 0)
      : std::runtime_error(message), Code(code), File(std::move(file)), Line(line) {}
  int Code;
  std::string File;
  int Line;
};

struct UsageError : CliError {
  explicit UsageError(const std::string& message) : CliError(kExitUsage, message) {}
};

// True when errors go to stderr as JSON (the command line has --json).
bool& JsonErrors();

// The database the current command works on, as the user named it; errors
// that come from a database name it.
std::string& CurrentTarget();

// Prints one error on stderr: the text, or {"error": ..., "file": ...,
// "line": ...} under --json.
void PrintError(const std::string& message, const std::string& file = "", int line = 0);
// The same for a warning: "warning: TEXT", or {"warning": ...} under --json.
void PrintWarning(const std::string& message, const std::string& file = "", int line = 0);

// The sentence for a failure of the libraries underneath (the database
// driver, the file streams), followed by their own text; `code` receives
// the exit code that fits. Text the tool does not recognise is returned
// unchanged with kExitJobFailed.
std::string Explain(const std::string& what, int& code);

// Runs `action` and returns its exit code; anything it throws is printed
// (explained) and becomes the fitting exit code.
int Guarded(const std::function<int()>& action);

}  // namespace qora::cli
