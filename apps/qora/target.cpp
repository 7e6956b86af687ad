#include "target.h"

#include <cstdlib>
#include <filesystem>

#include "cli_errors.h"
#include "common/text.h"
#include "db/connection.h"

namespace qora::cli {

const char* TargetFormsText() {
  return "sqlite:PATH, a file name ending in .db, .sqlite or .sqlite3, postgresql://USER@HOST:PORT/DATABASE or "
         "sqlserver://USER@HOST/DATABASE (the password from QORA_PASSWORD)";
}

std::string PasswordFrom(const std::string& option) {
  if (!option.empty()) return option;
  const char* env = std::getenv("QORA_PASSWORD");
  return env ? env : "";
}

namespace {

bool IsServerUri(const std::string& target) {
  return StartsText("postgresql://", target) || StartsText("postgres://", target) ||
         StartsText("sqlserver://", target);
}

}  // namespace

std::string TargetUri(const std::string& target) {
  CurrentTarget() = target;
  if (target.empty()) throw UsageError(std::string("A database target is required: ") + TargetFormsText() + ".");
  if (StartsText("sqlite:", target)) return target;
  if (IsServerUri(target)) {
    TDBConnectionParams params = ParseConnectionUri(target);
    // Messages name the database without a password the user may have typed.
    CurrentTarget() = params.ToUri(false);
    if (!params.Password.empty()) return target;
    params.Password = PasswordFrom("");
    return params.Password.empty() ? target : params.ToUri(true);
  }
  const std::string ext = LowerCase(ExtractFileExt(target));
  if (ext == ".db" || ext == ".sqlite" || ext == ".sqlite3") {
    CurrentTarget() = "sqlite:" + target;
    return "sqlite:" + target;
  }
  throw UsageError("\"" + target + "\" does not name a database; use " + TargetFormsText() + ".");
}

std::string ExistingTargetUri(const std::string& target) {
  const std::string uri = TargetUri(target);
  if (!StartsText("sqlite:", uri)) return uri;
  const std::string path = uri.substr(7);
  if (path.empty() || path == ":memory:" || StartsText("file:", path)) return uri;
  if (!std::filesystem::exists(path)) {
    throw CliError(kExitDatabase, "The database " + uri + " does not exist (no file " + path +
                                      "); create it with `qora db init " + uri + "`");
  }
  return uri;
}

std::unique_ptr<TDBConnection> OpenPayrollDatabase(const std::string& target) {
  auto connection = CreateConnection(ParseConnectionUri(ExistingTargetUri(target)));
  connection->Open();
  // Any table of the common database tells a qora database from another
  // file; its absence is reported as such rather than as a failed statement.
  connection->QueryValue("select count(*) from _estblTimesheetMessages");
  return connection;
}

}  // namespace qora::cli
