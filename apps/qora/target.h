// Database targets as the tool's users type them: one set of forms for
// every subcommand, passwords kept off the command line where possible,
// and no database file ever created by a command that only reads.
#pragma once

#include <memory>
#include <string>

namespace qora {
class TDBConnection;
}

namespace qora::cli {

// The accepted forms, for messages.
const char* TargetFormsText();

// The target as a database URI: "sqlite:PATH", "postgresql://...",
// "postgres://..." and "sqlserver://..." as given; a bare path ending in
// ".db", ".sqlite" or ".sqlite3" becomes "sqlite:PATH" (the engine takes
// SQLite only when it is named). A server URI without a password takes the
// one in the environment variable QORA_PASSWORD. Anything else throws a
// UsageError listing the accepted forms. Records the target for error
// messages (CurrentTarget).
std::string TargetUri(const std::string& target);

// As TargetUri, for a database that must exist already: a missing SQLite
// file throws a CliError (exit 4) naming the path and `qora db init`.
std::string ExistingTargetUri(const std::string& target);

// Opens an existing target and checks that it holds a payroll database;
// throws a CliError (exit 4) saying what to do when it does not.
std::unique_ptr<TDBConnection> OpenPayrollDatabase(const std::string& target);

// The password to use: `option` when given, else QORA_PASSWORD, else "".
std::string PasswordFrom(const std::string& option);

}  // namespace qora::cli
