// Guards the tool as run from the shell against wrong output texts and exit codes, a message without file and line or without what to do, a database file created by a reader, --sample ignored, a failed init leaving objects behind, and identity columns on PostgreSQL colliding with the sample's IDs.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "../db/db_test_support.h"
#include "award/sample_award.h"
#include "db/connection.h"

namespace qora {
namespace {

std::pair<int, std::string> RunTool(const std::string& arguments) {
  FILE* pipe = popen((std::string(QORA_CLI_PATH) + " " + arguments + " 2>&1").c_str(), "r");
  std::string output;
  char buffer[4096];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string Replace(std::string text, const std::string& dir) {
  for (size_t at; (at = text.find("{D}")) != std::string::npos;) text.replace(at, 3, dir);
  return text;
}

TEST(CliErrorsTest, MistakesGetALocatedMessageAndTheirExitCode) {
  const std::string dir = ::testing::TempDir() + "qora_cli_errors_" + std::to_string(getpid());
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::ofstream(dir + "/bad.csv") << "\"cEmployeeCode\",\"dDayWorked\",\"dStart\",\"dEnd\",\"iRosterBreak\",\"fMeals\",\n"
                                     "\"E1\",\"2024-03-04\",\"09:00:00\",\"17:00:00\",\"thirty\",\"lots\",\n"
                                     "\"E1\",\"2024-13-45\",\"09:00:00\",\"17:00:00\",\"\",\"\",\n";
  std::ofstream(dir + "/bad.xml") << "<TimeCards>\n<TimeCard><TimeCardNo>E1</TimeCardNo>\n<Shift>\n"
                                     "<RosteredBreak>half an hour</RosteredBreak>\n</Shift>\n"
                                     "<Allowance Type=\"Unit\"><AllowanceNo>7</AllowanceNo>\n<Value>lots</Value>"
                                     "</Allowance></TimeCard></TimeCards>\n";
  std::ofstream(dir + "/nobody.csv") << "cEmployeeCode,dDayWorked,dStart,dEnd,\nNOBODY,2025-04-14,09:00:00,17:00:00,\n";
  std::ofstream(dir + "/empty.db") << "";
  // The payroll script's last table exists already: the common database and
  // most of the payroll one are created before the init fails.
  OpenConnection("sqlite", dir + "/half.db", "", "")->Execute("create table _iptblPublicHolidays (x integer)");
  const auto [init_code, init_output] = RunTool("db init sqlite:" + dir + "/demo.db --sample");
  ASSERT_EQ(init_code, 0) << init_output;
  EXPECT_EQ(init_output, Replace("Created the common database in sqlite:{D}/demo.db\nCreated the payroll database in "
                                 "sqlite:{D}/demo.db\nAdded the sample data; payroll link token QORA_SAMPLE\nStored the "
                                 "sample award HOSP (samples/awards/HOSP.xml) and its employee assignments\n",
                                 dir));
  const std::string demo = " --db " + dir + "/demo.db";
  const std::string award = " --db sqlite:" + dir + "/demo.db --code HOSP";
  const std::string sample = std::string(QORA_SAMPLES_DIR) + "/payroll_demo.csv";
  const struct {
    std::string arguments;
    int exit_code;
    std::string fragment;
  } cases[] = {
      {"--version", 0, "Version 8.0 SP4"},
      {"version", 0, "Version 8.0 SP4\n"},
      {"cots", 2, "\"cots\" is not a command of qora. Did you mean \"qora cost\"?"},
      {"db inti x.db", 2, "Did you mean \"qora db init\"?"},
      {"cost " + sample + " --db nothing", 2, "\"nothing\" does not name a database; use sqlite:PATH"},
      {"cost " + sample + " --db {D}/missing.db", 4, "create it with `qora db init sqlite:{D}/missing.db`"},
      {"timesheet show --id 1 --db {D}/missing.db", 4, "(no file {D}/missing.db)"},
      {"runlog show --db {D}/missing.db", 4, "does not exist"},
      {"cost " + sample + " --db {D}/empty.db", 4,
       "sqlite:{D}/empty.db holds no payroll database; create one with `qora db init sqlite:{D}/empty.db`\n  ("},
      {"db init {D}/demo.db", 4, "sqlite:{D}/demo.db already holds a payroll database"},
      {"db init sqlite:{D}/no/such/dir.db", 4, "Cannot open the SQLite database sqlite:{D}/no/such/dir.db; check"},
      {"db init {D}/half.db --sample", 4, "_iptblPublicHolidays already exists"},
      {"db init sqlite:{D}/bare.db", 0, "Created the payroll database in sqlite:{D}/bare.db\n"},
      {"db schema sqlserver payroll", 0, "\nCREATE PROCEDURE dbo._ipspUpdateEmployeeAward_TD"},
      {"db schema oracle", 2, "Unknown back end \"oracle\" (sqlite, postgresql or sqlserver)\n"},
      {"award show" + award + " --date 2025-04-15", 0, "Award HOSP: Hospitality Industry Award\n"},
      {"award show" + award, 0, "  1. Planned Hours Exceeded: Weekday overtime after the planned hours\n"},
      {"award conditions" + award, 0, "\"150\",\"2\","},
      {"award export" + award, 0, std::string(SampleAwardText())},
      {"award show" + award + " --date 15/04/2025", 2, "--date \"15/04/2025\" is not a date; write it as YYYY-MM-DD."},
      {"award show" + award + " --date 2020-01-01", 1, "Award \"HOSP\" has no version in force on 2020-01-01."},
      {"award show no_such_award.xml", 3, "Award file \"no_such_award.xml\": the file cannot be opened."},
      // Alice moves from HOSP02 to HOSP03 in the middle of her week.
      {"timesheet show" + demo + " --id 1", 0, "\"BaseRate\": 24.97,"},
      {"timesheet show" + demo + " --id 1", 0, "\"BaseRate\": 26.08,"},
      {"timesheet validate {D}/bad.csv", 3, "{D}/bad.csv:3: dDayWorked: \"2024-13-45\" is not a valid date (YYYY-MM-DD)"},
      {"timesheet validate {D}/bad.csv", 3, "{D}/bad.csv:2: iRosterBreak: \"thirty\" is not a whole number"},
      {"timesheet validate {D}/bad.csv", 3, "{D}/bad.csv:2: fMeals: \"lots\" is not a number; read as 0"},
      {"timesheet validate {D}/bad.xml", 0, "{D}/bad.xml:4: RosteredBreak: \"half an hour\" is not a number"},
      {"timesheet validate {D}/bad.xml --strict", 3, "{D}/bad.xml:7: Value: \"lots\" is not a number"},
      {"timesheet show {D}", 3, "\"{D}\" is a folder, not a timesheet file."},
      {"cost {D}/bad.csv" + demo, 3, "{D}/bad.csv:3: dDayWorked:"},
      {"timesheet show {D}/bad.csv --json", 3, "\",\"file\":\"{D}/bad.csv\",\"line\":3}"},
      {"cost --stored 12=x" + demo, 2, "must be 1 (publish), 2 (approve) or 3 (ad hoc)"},
      {"cost --stored 99999999999=1" + demo, 2, "a timesheet number from 1 to 2147483647"},
      {"cost {D}/nobody.csv" + demo, 1, "Every shift was skipped (1)"},
      {"cost " + sample + demo + " --output {D}/out.csv", 0, "Costing written to {D}/out.csv (CSV costing)."},
      {"cost " + sample + demo + " --output {D}/traced.csv --debug", 0, "Run log with the rule engine's trace ("},
  };
  for (const auto& c : cases) {
    const auto [code, output] = RunTool(Replace(c.arguments, dir));
    EXPECT_EQ(code, c.exit_code) << c.arguments << "\n" << output;
    EXPECT_NE(output.find(Replace(c.fragment, dir)), std::string::npos) << c.arguments << "\n" << output;
  }
  std::ifstream traced(dir + "/traced.log");
  const std::string trace((std::istreambuf_iterator<char>(traced)), std::istreambuf_iterator<char>());
  EXPECT_NE(trace.find("Adding Condition with the following details:"), std::string::npos);
  // Readers never leave a database file behind.
  EXPECT_FALSE(std::filesystem::exists(dir + "/missing.db"));
  // The sample data (costed above through the payroll database it registers)
  // only with --sample; a failed init leaves only what was there.
  auto db = OpenConnection("sqlite", dir + "/bare.db", "", "");
  EXPECT_EQ(db->QueryValue("select count(*) from _hrtblPayrollDatabase").AsInteger(), 0);
  EXPECT_EQ(db->Query("select * from _ipfnGetAwards('2025-01-01',1,0,0)").RowCount(), 0);
  db = OpenConnection("sqlite", dir + "/half.db", "", "");
  EXPECT_EQ(db->QueryValue("select group_concat(name) from sqlite_master").AsString(), "_iptblPublicHolidays");
  db.reset();
  std::filesystem::remove_all(dir);
}

class CliInitTest : public testing::DbBackendTest {};

TEST_P(CliInitTest, InitOnPostgreSQLSchema) {
  OpenDatabase(false, false);
  if (IsSkipped()) return;
  const auto [code, output] = RunTool("db init '" + Db().Params().ToUri() + "' --sample");
  EXPECT_EQ(code, 0) << output;
  EXPECT_EQ(Db().QueryValue("select count(*) from _iptblEmployee").AsInteger(), 3);
  // Identity columns continue after the sample's IDs.
  Db().Execute("insert into _estblJobCode (cJobCode) values ('BAR')");
  EXPECT_EQ(Db().QueryValue("select idJobCode from _estblJobCode where cJobCode = 'BAR'").AsInteger(), 4);
}

INSTANTIATE_TEST_SUITE_P(PostgreSQL, CliInitTest, ::testing::Values(testing::TTestBackend::PostgreSQL),
                         testing::BackendParamName);

}  // namespace
}  // namespace qora
