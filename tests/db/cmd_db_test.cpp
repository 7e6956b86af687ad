// Guards qora db and qora award as run from the shell against wrong output texts and exit codes, a failed init leaving objects behind, --sample being ignored, and identity columns on PostgreSQL colliding with the sample's IDs.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "award/sample_award.h"
#include "db/connection.h"
#include "db/schema.h"
#include "db_test_support.h"

namespace qora {
namespace {

struct TRun {
  int exitCode;
  std::string output;
};

TRun RunTool(const std::string& arguments) {
  const std::string command = std::string(QORA_CLI_PATH) + " " + arguments + " 2>&1";
  TRun run{-1, {}};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(CmdDbTest, InitCreatesBothDatabasesWithSampleDataInOneSqliteFile) {
  const std::string path = ::testing::TempDir() + "qora_cmd_db_" + std::to_string(getpid()) + ".db";
  std::remove(path.c_str());
  const TRun run = RunTool("db init sqlite:" + path + " --sample");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(run.output, "Created the common database in sqlite:" + path + "\nCreated the payroll database in sqlite:" +
                            path + "\nAdded the sample data; payroll link token QORA_SAMPLE\n"
                            "Stored the sample award HOSP (samples/awards/HOSP.xml) and its employee assignments\n");
  auto db = OpenConnection("sqlite", path, "", "");
  EXPECT_EQ(db->QueryValue("select count(*) from _estblTimesheetRow where iTimesheetID = 1").AsInteger(), 7);
  EXPECT_EQ(db->QueryValue("select cDatabase from _hrtblPayrollDatabase").AsString(), path);
  db.reset();
  std::remove(path.c_str());
}

TEST(CmdDbTest, TheSampleAwardThroughTheAwardTool) {
  const std::string path = ::testing::TempDir() + "qora_cmd_award_" + std::to_string(getpid()) + ".db";
  std::remove(path.c_str());
  ASSERT_EQ(RunTool("db init sqlite:" + path + " --sample").exitCode, 0);
  const std::string db = " --db sqlite:" + path + " --code HOSP";
  const struct {
    std::string arguments;
    int exitCode;
    std::string output;  // contained in the output
  } cases[] = {
      {"award show" + db + " --date 2025-04-15", 0, "Award HOSP: Hospitality Industry Award\n"},
      {"award show" + db, 0, "  1. Planned Hours Exceeded: Weekday overtime after the planned hours\n"},
      {"award conditions" + db, 0, "\"150\",\"2\","},
      {"award export" + db, 0, std::string(SampleAwardText())},
      {"award show" + db + " --date 15/04/2025", 2, "--date \"15/04/2025\" is not a date; write it as YYYY-MM-DD."},
      {"award show" + db + " --date 2020-01-01", 1, "Award \"HOSP\" has no version in force on 2020-01-01."},
      {"award show no_such_award.xml", 3, "Award file \"no_such_award.xml\": the file cannot be opened."},
      // Alice moves from HOSP02 to HOSP03 in the middle of her week.
      {"timesheet show --db sqlite:" + path + " --id 1", 0, "\"BaseRate\": 24.97,"},
      {"timesheet show --db sqlite:" + path + " --id 1", 0, "\"BaseRate\": 26.08,"},
  };
  for (const auto& c : cases) {
    const TRun run = RunTool(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.output;
    EXPECT_NE(run.output.find(c.output), std::string::npos) << c.arguments << "\n" << run.output;
  }
  std::remove(path.c_str());
}

TEST(CmdDbTest, InitWithoutSampleLeavesTheTablesEmpty) {
  const std::string path = ::testing::TempDir() + "qora_cmd_db_empty_" + std::to_string(getpid()) + ".sqlite";
  std::remove(path.c_str());
  ASSERT_EQ(RunTool("db init sqlite:" + path).exitCode, 0);
  auto db = OpenConnection("sqlite", path, "", "");
  EXPECT_EQ(db->QueryValue("select count(*) from _hrtblPayrollDatabase").AsInteger(), 0);
  EXPECT_EQ(db->Query("select * from _ipfnGetAwards('2025-01-01',1,0,0)").RowCount(), 0);
  db.reset();
  std::remove(path.c_str());
}

TEST(CmdDbTest, AFailedInitLeavesTheDatabaseAsItWas) {
  // The payroll script's last table exists already: the common database and
  // most of the payroll one are created before that fails.
  const std::string path = ::testing::TempDir() + "qora_cmd_db_half_" + std::to_string(getpid()) + ".db";
  std::remove(path.c_str());
  OpenConnection("sqlite", path, "", "")->Execute("create table _iptblPublicHolidays (x integer)");
  const TRun run = RunTool("db init " + path + " --sample");
  EXPECT_EQ(run.exitCode, 4);
  EXPECT_NE(run.output.find("_iptblPublicHolidays already exists"), std::string::npos) << run.output;
  auto db = OpenConnection("sqlite", path, "", "");
  EXPECT_EQ(db->QueryValue("select group_concat(name) from sqlite_master").AsString(), "_iptblPublicHolidays");
  db.reset();
  std::remove(path.c_str());
}

class CmdDbInitTest : public testing::DbBackendTest {};

TEST_P(CmdDbInitTest, InitOnPostgreSQLSchema) {
  OpenDatabase(false, false);
  if (IsSkipped()) return;
  const TRun run = RunTool("db init '" + Db().Params().ToUri() + "' --sample");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(Db().QueryValue("select count(*) from _iptblEmployee").AsInteger(), 3);
  // Identity columns continue after the sample's IDs.
  Db().Execute("insert into _estblJobCode (cJobCode) values ('BAR')");
  EXPECT_EQ(Db().QueryValue("select idJobCode from _estblJobCode where cJobCode = 'BAR'").AsInteger(), 4);
}

INSTANTIATE_TEST_SUITE_P(PostgreSQL, CmdDbInitTest, ::testing::Values(testing::TTestBackend::PostgreSQL),
                         testing::BackendParamName);

TEST(CmdDbTest, SchemaPrintsTheScriptOfABackEnd) {
  TRun run = RunTool("db schema sqlserver payroll");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.output, std::string(SchemaScript(TDBBackend::SqlServer, TDatabaseKind::Payroll)));
  EXPECT_NE(run.output.find("CREATE PROCEDURE dbo._ipspUpdateEmployeeAward_TD"), std::string::npos);
  run = RunTool("db schema oracle");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.output, "Unknown back end \"oracle\" (sqlite, postgresql or sqlserver)\n");
}

}  // namespace
}  // namespace qora
