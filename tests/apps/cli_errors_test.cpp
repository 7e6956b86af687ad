// Guards the tool's answers to common mistakes: wrong exit code, a message without file and line or without what to do, a database file created by a reader.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

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
  ASSERT_EQ(RunTool("db init " + dir + "/demo.db --sample").first, 0);
  const std::string demo = " --db " + dir + "/demo.db";
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
  std::filesystem::remove_all(dir);
}

}  // namespace
