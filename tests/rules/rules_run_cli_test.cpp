// Guards qora rules run: a condition file runs on every shift of a timesheet
// file, a failing shift names its condition and sets the exit status, and
// the JSON form carries the processed hours and the same failure.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

// The command's exit status; its standard output in `output`.
int Shell(const std::string& command, std::string& output) {
  output.clear();
  FILE* p = popen(command.c_str(), "r");
  for (std::array<char, 256> buf{}; p && fgets(buf.data(), buf.size(), p);) output += buf.data();
  const int status = p ? pclose(p) : -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(RulesRunCommand, RunsEveryShiftAndNamesTheConditionThatFailed) {
  const std::string conditions = ::testing::TempDir() + "qora_rules_run.csv";
  std::ofstream(conditions) << "\"iOrder\",\"iAction\",\"cConditionExpression\",\"cActionExpression\","
                               "\"cActionVariable\",\"cCode\",\n"
                               "\"2\",\"2\",\"ShiftEnd > 17\",\"\"\"OT15\"\";\"\"\"\";0;\"\"\"\"\","
                               "\"AddOvertimeHours\",\"OT\",\n"
                               "\"3\",\"1\",\"EmployeeCode = \"\"E1003\"\"\",\"ShiftStart + \"\"x\"\"\","
                               "\"RejectReason\",\"BAD\",\n";
  const std::string command =
      std::string(QORA_CLI_PATH) + " rules run --conditions " + conditions + " " QORA_SAMPLES_DIR "/timesheet.csv";
  std::string out;
  EXPECT_EQ(Shell(command, out), 1);
  EXPECT_NE(out.find("Shift 4: E1003"), std::string::npos) << out;
  EXPECT_NE(out.find("FAILED: condition 3 \"BAD\" of \"" + conditions + "\": Error in parsing \"+\" operator"),
            std::string::npos)
      << out;

  EXPECT_EQ(Shell(command + " --json", out), 1);
  const auto json = nlohmann::json::parse(out);
  const auto& first = json["Shifts"][0];
  EXPECT_FALSE(first["Run"]["Failed"]);
  std::vector<double> overtime_ends;  // overtime runs to the worked end, 17:45
  for (const auto& block : first["HoursGroups"]) {
    if (block["HoursType"] == "htOvertime") overtime_ends.push_back(block["ToTime"]);
  }
  EXPECT_EQ(overtime_ends, std::vector<double>{17.75});
  EXPECT_EQ(json["Shifts"][3]["Run"]["Error"]["Code"], "BAD");
  EXPECT_EQ(json["Shifts"][3]["Run"]["Error"]["Order"], 3);
}

}  // namespace
