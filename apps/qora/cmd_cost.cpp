// qora cost: runs a costing job as the C entry points do and prints the run
// log and the job's return code.
//   qora cost FILE --db TARGET [--output OUT] [--output-type N] [--user U --password P]
//   qora cost --stored "ID=Type,..." --db TARGET [--user-id N] [--guid G]
// TARGET is a database URI (sqlite:PATH, postgresql://..., sqlserver://...)
// or the path of an SQLite file ending in .db, .sqlite or .sqlite3. The exit code is
// 0 when the job returned 0, else 1.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "command.h"
#include "common/text.h"
#include "engine/costing_jobs.h"
#include "target.h"

namespace {

struct CostOptions {
  std::string file;
  std::string stored;
  std::string target;
  std::string output;
  int output_type = 1;
  std::string user;
  std::string password;
  int user_id = 0;
  std::string guid = "qora-cli";
};

void PrintFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return;
  std::cout << in.rdbuf();
}

int Cost(const CostOptions& o) {
  if (o.target.empty()) {
    std::cerr << "A database target (--db) is required.\n";
    return 2;
  }
  // A target URI names the database by itself: it goes in as the server.
  const qora::ConnectionParams params{qora::cli::TargetUri(o.target), "", o.user, o.password};
  int32_t rc = 0;
  if (!o.stored.empty()) {
    rc = qora::RunStoredTimesheetJob(o.stored, o.user_id, o.guid, params);
    std::cout << "Run log stored in the database (or in qora_" << o.guid << ".log when it could not be).\n";
  } else if (!o.file.empty()) {
    const std::string output = o.output.empty() ? qora::ChangeFileExt(o.file, ".costing.csv") : o.output;
    rc = qora::RunTimesheetFileJob(o.file, output, o.output_type, params);
    std::cout << "== run log " << qora::ChangeFileExt(output, ".log") << "\n";
    PrintFile(qora::ChangeFileExt(output, ".log"));
  } else {
    std::cerr << "Give a timesheet file or --stored IDs.\n";
    return 2;
  }
  std::cout << "== result " << rc << "\n";
  return rc == 0 ? 0 : 1;
}

qora::cli::CommandRegistrar reg([](CLI::App& app, int& exit_code) {
  auto o = std::make_shared<CostOptions>();
  auto* cmd = app.add_subcommand("cost", "Cost a timesheet file or stored timesheets and print the run log");
  cmd->add_option("file", o->file, "Timesheet file: CSV, or XML time cards (.xml)");
  cmd->add_option("--stored", o->stored, "Stored timesheets as ID=CostingType,... (1 publish, 2 approve, 3 ad hoc)");
  cmd->add_option("--db", o->target, "Database: sqlite:PATH, FILE.db, postgresql://... or sqlserver://...")->required();
  cmd->add_option("--output", o->output, "Costing output file (default: FILE with .costing.csv)");
  cmd->add_option("--output-type", o->output_type, "1 CSV costing, 2 YIF, other values: none")->capture_default_str();
  cmd->add_option("--user", o->user, "Database user name");
  cmd->add_option("--password", o->password, "Database password");
  cmd->add_option("--user-id", o->user_id, "User ID recorded with the stored run log");
  cmd->add_option("--guid", o->guid, "Job identifier; \"Test...\" appends trial costing, \"...Debug...\" logs debug");
  cmd->callback([o, &exit_code] { exit_code = Cost(*o); });
});

}  // namespace
