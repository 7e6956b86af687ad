#include "cli_errors.h"

#include <iostream>

#include <nlohmann/json.hpp>

#include "common/exceptions.h"
#include "common/text.h"
#include "db/db_error.h"

namespace qora::cli {

const char* ExitCodesText() {
  return "Exit codes: 0 success; 1 the job ran and failed (the run log says why); 2 wrong command line; "
         "3 input file unreadable or invalid; 4 database missing, unreachable or not a qora database.";
}

bool& JsonErrors() {
  static bool json = false;
  return json;
}

std::string& CurrentTarget() {
  static std::string target;
  return target;
}

namespace {

void Print(const char* key, const std::string& message, const std::string& file, int line) {
  if (!JsonErrors()) {
    std::cerr << (std::string(key) == "warning" ? "warning: " : "") << message << "\n";
    return;
  }
  nlohmann::ordered_json entry = {{key, message}};
  entry["file"] = file.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(file);
  entry["line"] = line > 0 ? nlohmann::ordered_json(line) : nlohmann::ordered_json(nullptr);
  std::cerr << entry.dump() << "\n";
}

}  // namespace

void PrintError(const std::string& message, const std::string& file, int line) {
  Print("error", message, file, line);
}

void PrintWarning(const std::string& message, const std::string& file, int line) {
  Print("warning", message, file, line);
}

namespace {

std::string TargetName() { return CurrentTarget().empty() ? std::string("The database") : CurrentTarget(); }

std::string WithDetail(const std::string& sentence, const std::string& what) {
  return sentence + "\n  (" + what + ")";
}

}  // namespace

std::string Explain(const std::string& what, int& code) {
  code = kExitDatabase;
  const std::string target = TargetName();
  if (ContainsText(what, "no such table") || (ContainsText(what, "relation") && ContainsText(what, "does not exist")) ||
      ContainsText(what, "Invalid object name")) {
    return WithDetail(target + " holds no payroll database; create one with `qora db init " + target + "`", what);
  }
  if (ContainsText(what, "already exists")) {
    return WithDetail(target + " already holds a payroll database; use it as it is, or remove it (for SQLite: delete "
                               "the file) and run `qora db init` again",
                      what);
  }
  if (ContainsText(what, "unable to open database file")) {
    return WithDetail("Cannot open the SQLite database " + target +
                          "; check that its folder exists and that you may write there",
                      what);
  }
  if (ContainsText(what, "file is not a database")) {
    return WithDetail(target + " is not an SQLite database file; name a file made by `qora db init`", what);
  }
  if (ContainsText(what, "could not connect") || ContainsText(what, "Connection refused") ||
      ContainsText(what, "password authentication failed")) {
    return WithDetail("Cannot connect to " + target +
                          "; check the server is running, the address, the user and QORA_PASSWORD",
                      what);
  }
  code = kExitInput;
  if (ContainsText(what, "basic_filebuf") || ContainsText(what, "Is a directory")) {
    return WithDetail("A file could not be read: it is a folder, or not a readable file", what);
  }
  if (ContainsText(what, "Cannot open file") || ContainsText(what, "is blank")) return what;
  code = kExitJobFailed;
  return what;
}

int Guarded(const std::function<int()>& action) {
  try {
    return action();
  } catch (const CliError& e) {
    PrintError(e.what(), e.File, e.Line);
    return e.Code;
  } catch (const eLoadFromFileException& e) {
    // The readers' own errors name the file already.
    int code = kExitInput;
    PrintError(Explain(e.what(), code));
    return kExitInput;
  } catch (const eLoadFromStreamException& e) {
    int code = kExitInput;
    PrintError(Explain(e.what(), code));
    return kExitInput;
  } catch (const EDatabaseError& e) {
    int code = kExitDatabase;
    const std::string message = Explain(e.what(), code);
    PrintError(message);
    return code == kExitJobFailed ? kExitDatabase : code;
  } catch (const std::exception& e) {
    int code = kExitJobFailed;
    PrintError(Explain(e.what(), code));
    return code;
  }
}

}  // namespace qora::cli
