// Guards against wrong pay on the sample award end to end: rates, loadings, overtime tiers, midnight, allowances, leave.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "qora/qora.h"

namespace {

namespace fs = std::filesystem;

struct Line {
  std::string employee, day, code;
  double units, rate, value;
  std::string classification;  // the pay class, never the rate code
};

// Lines of samples/payroll_demo.csv, worked out from the sample award and the
// sample employees: Alice EMP001 (HOSP02 at $31.75, HOSP03 at $32.40 from 15
// April, holds first aid and laundry), Ben EMP002 (HOSP01 at $28.00, night
// shift group), Chloe EMP003 (HOSP01 casual at $25.00). Penalties load the
// award rate of the classification (HOSP01 $24.10).
const std::vector<Line> kExpected = {
    {"EMP001", "14/04/2025", "Normal", 8, 31.75, 254.0, "HOSP02"},      // weekday 9-13, 13:30-17:30: 8 x 31.75
    {"EMP001", "14/04/2025", "FIRSTAID", 1, 3.5, 3.5, "HOSP02"},        // per shift, award amount
    {"EMP001", "14/04/2025", "UNIFORM", 1, 12.5, 12.5, "HOSP02"},       // her own $12.50, under the $20 weekly cap
    {"EMP001", "15/04/2025", "Normal", 8, 32.4, 259.2, "HOSP03"},       // 10.5 worked, 8 planned: 8 x 32.40
    {"EMP001", "15/04/2025", "OT15", 2, 48.6, 97.2, "HOSP03"},          // first 2 overtime hours: 2 x 1.5 x 32.40
    {"EMP001", "15/04/2025", "OT20", 0.5, 64.8, 32.4, "HOSP03"},        // beyond 2 hours: 0.5 x 2 x 32.40
    {"EMP001", "15/04/2025", "UNIFORM", 1, 7.5, 7.5, "HOSP03"},         // cap left for the week: 20 - 12.50
    {"EMP001", "16/04/2025", "Annual Leave", 7.6, 32.4, 246.24, "HOSP03"},  // AL at 100 % of 32.40: 7.6 x 32.40
    {"EMP002", "14/04/2025", "Normal", 7.5, 28, 210.0, "HOSP01"},       // 22-02, 02:30-06:30, 7.5 planned: 7.5 x 28
    {"EMP002", "14/04/2025", "OT15", 0.5, 42, 21.0, "HOSP01"},          // 06:00-06:30 past midnight: 0.5 x 1.5 x 28
    {"EMP002", "14/04/2025", "NIGHT", 4, 24.1, 14.46, "HOSP01"},        // 22-02 across midnight: 4 x 15 % x 24.10
    {"EMP002", "14/04/2025", "NIGHT", 3.5, 24.1, 12.6525, "HOSP01"},    // 02:30-06:00 ordinary: 3.5 x 15 % x 24.10
    {"EMP003", "18/04/2025", "Normal", 4, 25, 100.0, "HOSP01"},         // Good Friday 10-14 at her own rate
    {"EMP003", "18/04/2025", "PHPEN", 4, 24.1, 120.5, "HOSP01"},        // public holiday: 4 x 125 % x 24.10
    {"EMP003", "19/04/2025", "SATPEN", 4, 24.1, 24.1, "HOSP01"},        // Saturday: 4 x 25 % x 24.10
    {"EMP003", "20/04/2025", "SUNPEN", 4, 24.1, 48.2, "HOSP01"},        // Sunday: 4 x 50 % x 24.10
};

std::vector<Line> ReadLines(const fs::path& pFile) {
  std::ifstream in(pFile);
  std::vector<Line> lines;
  std::string text;
  std::getline(in, text);  // header
  while (std::getline(in, text)) {
    std::vector<std::string> f;
    std::stringstream row(text);
    for (std::string field; std::getline(row, field, ',');) f.push_back(field);
    if (f.size() >= 11) {
      lines.push_back({f[0], f[1], f[3], std::stod(f[4]), std::stod(f[5]), std::stod(f[6]), f[10]});
    }
  }
  return lines;
}

void ExpectPay(const fs::path& pFile) {
  std::vector<Line> actual = ReadLines(pFile);
  for (const Line& want : kExpected) {
    SCOPED_TRACE(want.employee + " " + want.day + " " + want.code);
    auto found = std::find_if(actual.begin(), actual.end(), [&](const Line& l) {
      return l.employee == want.employee && l.day == want.day && l.code == want.code;
    });
    ASSERT_NE(found, actual.end());
    EXPECT_DOUBLE_EQ(found->units, want.units);
    EXPECT_DOUBLE_EQ(found->rate, want.rate);
    EXPECT_NEAR(found->value, want.value, 1e-9);
    EXPECT_EQ(found->classification, want.classification);
    actual.erase(found);  // a code paid twice on one day is matched twice
  }
}

int RunCli(const std::string& pArgs) {
  return std::system((std::string(QORA_CLI_PATH) + " " + pArgs + " >/dev/null 2>&1").c_str());
}

TEST(EndToEnd, SampleWeekPaysTheHandWorkedLinesThroughTheCEntryPointAndTheTool) {
  const fs::path dir = fs::temp_directory_path() / ("qora_e2e_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string db = (dir / "pay.db").string();
  const std::string timesheet = std::string(QORA_SAMPLES_DIR) + "/payroll_demo.csv";
  ASSERT_EQ(RunCli("db init sqlite:" + db + " --sample"), 0);
  const fs::path c_out = dir / "c.csv", cli_out = dir / "cli.csv";
  ASSERT_EQ(ProcessTimeSheetFile(timesheet.c_str(), c_out.c_str(), QORA_OUTPUT_CSV, "sqlite", db.c_str(), "", ""), 0);
  ExpectPay(c_out);
  ASSERT_EQ(RunCli("cost " + timesheet + " --db sqlite:" + db + " --output " + cli_out.string() + " --output-type 1"), 0);
  ExpectPay(cli_out);
  fs::remove_all(dir);
}

std::string ReadAll(const fs::path& pFile) {
  std::ifstream in(pFile, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// However the file orders its shifts they are costed sorted by employee and
// time, so a weekly cap falls on the same days; a second run appends its
// lines under the file's one header.
TEST(EndToEnd, ReversedShiftsAppendTheSameLinesUnderTheOneHeader) {
  const fs::path dir = fs::temp_directory_path() / ("qora_e2e_rev_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string db = (dir / "pay.db").string(), sample = std::string(QORA_SAMPLES_DIR) + "/payroll_demo.csv";
  ASSERT_EQ(RunCli("db init sqlite:" + db + " --sample"), 0);
  std::ifstream in(sample);
  std::string header, row;
  std::vector<std::string> shifts;  // a dated row and the rows continuing it
  std::getline(in, header);
  while (std::getline(in, row)) {
    const bool continued = row.compare(row.find(',') + 1, 3, "\"\",") == 0;
    if (continued && !shifts.empty()) shifts.back() += row + "\n"; else shifts.push_back(row + "\n");
  }
  std::ofstream reversed(dir / "rev.csv");
  reversed << header << "\n";
  for (auto s = shifts.rbegin(); s != shifts.rend(); ++s) reversed << *s;
  reversed.close();
  const fs::path out = dir / "out.csv";
  ASSERT_EQ(ProcessTimeSheetFile(sample.c_str(), out.c_str(), QORA_OUTPUT_CSV, "sqlite", db.c_str(), "", ""), 0);
  const std::string first = ReadAll(out);
  const std::string rev = (dir / "rev.csv").string();
  ASSERT_EQ(ProcessTimeSheetFile(rev.c_str(), out.c_str(), QORA_OUTPUT_CSV, "sqlite", db.c_str(), "", ""), 0);
  EXPECT_EQ(ReadAll(out), first + first.substr(first.find("\r\n") + 2));
  EXPECT_FALSE(fs::exists(dir / "out.csv.part"));
  fs::remove_all(dir);
}

}  // namespace
