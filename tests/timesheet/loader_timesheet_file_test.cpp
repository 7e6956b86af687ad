// Guards against the wrong reader chosen by extension, shifts loaded out of order or without breaks, a JSON
// view that drops or mistypes a value, Windows-1252 files misread or unreported, and command-line exit codes.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "csv_file_fixture.h"
#include "hours_fakes.h"
#include "foundation/user_feedback.h"
#include "timesheet/timesheet_file_loader.h"
#include "timesheet/timesheet_json.h"

namespace qora::testing {
namespace {

const std::string kCsv =
    "cEmployeeCode,dDayWorked,dStart,dRosterStart,dEnd,dRosterEnd,iRosterBreak,cWorkCode,cJobTitle,fKm,cNote,\r\n"
    "B2,2024-03-06,13:00:00,,17:00:00,,,,,1.5,late,\r\n"
    "B2,2024-03-06,08:00:00,,12:00:00,,,,,2,early,\r\n"
    "A1,2024-03-05,09:00:00,09:00:00,12:00:00,17:30:00,30,WC,Clerk,0,,\r\n"
    "A1,,12:30:00,,17:30:00,,,WC,Clerk,0,,\r\n";

const std::string kXml =
    "<TimeCards><TimeCard><TimeCardNo>X9</TimeCardNo><TotalHours>3</TotalHours><Shift><ShiftHours>"
    "<StartTime>2024-03-08T22:00:00</StartTime><FinishTime>2024-03-09T01:00:00</FinishTime></ShiftHours></Shift>"
    "</TimeCard></TimeCards>";

TEST(LoaderTimesheetFile, ExtensionDecidesTheReader) {
  struct Case {
    const char* name;
    std::string text;
    std::string first_employee;
  };
  const std::vector<Case> cases = {
      {"a.txt", kCsv, "A1"}, {"noext", kCsv, "A1"}, {"a.xml", kXml, "X9"}, {"A.XML", kXml, "X9"},
  };
  for (const Case& c : cases) {
    TempFiles files;
    TTimesheet timesheet;
    LoadTimesheetFromFile(files.Write(c.name, c.text), timesheet, nullptr);
    ASSERT_GT(timesheet.Count(), 0) << c.name;
    EXPECT_EQ(timesheet.Items(0)->EmployeeCode(), c.first_employee) << c.name;
  }
}

TEST(LoaderTimesheetFile, BreaksPeriodAndOrder) {
  TempFiles files;
  TTimesheet timesheet;
  LoadTimesheetFromFile(files.Write("t.csv", kCsv), timesheet, nullptr);
  ASSERT_EQ(timesheet.Count(), 3);
  EXPECT_EQ(timesheet.StartDate(), EncodeDate(2024, 3, 5));
  EXPECT_EQ(timesheet.EndDate(), EncodeDate(2024, 3, 6));
  std::vector<std::pair<std::string, double>> order;
  for (int i = 0; i < timesheet.Count(); ++i) {
    order.emplace_back(timesheet.Items(i)->EmployeeCode(), timesheet.Items(i)->ShiftStart());
  }
  EXPECT_EQ(order, (std::vector<std::pair<std::string, double>>{{"A1", 9}, {"B2", 8}, {"B2", 13}}));
  EXPECT_EQ(ByStart(Blocks(timesheet.Items(0)->HoursGroupList())),
            ByStart({{kOrd, 9, 12, "Normal"}, {kBrk, 12, 12.5, ""}, {kOrd, 12.5, 17.5, "Normal"}}));
}

TEST(LoaderTimesheetFile, JsonView) {
  TempFiles files;
  TTimesheet timesheet;
  LoadTimesheetFromFile(files.Write("t.csv", kCsv), timesheet, nullptr);
  auto leave = std::make_unique<TDateGroup>();
  leave->SetLeaveType("Annual Leave");
  leave->SetDateFrom(EncodeDateTime(2024, 3, 5, 13, 30, 0));
  timesheet.Items(0)->LeaveDatesList().Add(std::move(leave));

  const nlohmann::ordered_json json = TimesheetToJson(timesheet);
  EXPECT_EQ(json["StartDate"], "2024-03-05");
  ASSERT_EQ(json["Shifts"].size(), 3u);
  const auto& a1 = json["Shifts"][0];
  EXPECT_EQ(a1["EmployeeCode"], "A1");
  EXPECT_EQ(a1["RosteredHoursEnd"], 17.5);
  EXPECT_EQ(a1["IsDummyShift"], false);
  EXPECT_EQ(a1["HoursGroups"][0]["HoursType"], "htOrdinary");
  EXPECT_EQ(a1["HoursGroups"][0]["WorkCode"], "WC");
  EXPECT_EQ(a1["HoursGroups"][2]["HoursType"], "htBreak");
  EXPECT_TRUE(a1["Columns"]["fKm"].is_number());
  EXPECT_EQ(a1["Columns"]["cNote"], "");
  EXPECT_EQ(a1["LeaveDates"][0]["LeaveType"], "Annual Leave");
  EXPECT_EQ(a1["LeaveDates"][0]["DateFrom"], "2024-03-05T13:30:00");
  EXPECT_FALSE(a1.contains("LastShiftEndDate")) << "needs a costing run";
  EXPECT_EQ(json["Shifts"][1]["Columns"]["fKm"], 2.0);
  TTimesheet cards;
  LoadTimesheetFromFile(files.Write("t.xml", kXml), cards, nullptr);
  const nlohmann::ordered_json cards_json = TimesheetToJson(cards);
  const auto& x9 = cards_json["Shifts"][0];
  EXPECT_EQ(x9["ShiftEndDate"], "2024-03-09");
  EXPECT_EQ(x9["HoursGroups"][0]["ToTime"], 25.0);
  EXPECT_EQ(x9["TimesheetTotalHours"], 3.0);
}

// Runs the command line tool; returns its exit status and standard output.
std::pair<int, std::string> RunCli(const std::string& args) {
  std::string out;
  FILE* p = popen((std::string(QORA_CLI_PATH) + " " + args + " 2>&1").c_str(), "r");
  if (!p) return {-1, ""};
  std::array<char, 4096> buf{};
  while (fgets(buf.data(), buf.size(), p)) out += buf.data();
  const int status = pclose(p);
  return {WEXITSTATUS(status), out};
}

TEST(LoaderTimesheetFile, CommandLineShowsTheSamples) {
  struct Case {
    std::string file;
    size_t shifts;
    std::string first_employee;
  };
  const std::vector<Case> cases = {{"timesheet.csv", 4, "E1001"}, {"timecards.xml", 6, "E2001"}};
  for (const Case& c : cases) {
    auto [status, out] = RunCli("timesheet show " + std::string(QORA_SAMPLES_DIR) + "/" + c.file);
    ASSERT_EQ(status, 0) << out;
    const auto json = nlohmann::json::parse(out);
    ASSERT_EQ(json["Shifts"].size(), c.shifts) << c.file;
    EXPECT_EQ(json["Shifts"][0]["EmployeeCode"], c.first_employee) << c.file;
  }
}

TEST(LoaderTimesheetFile, Windows1252FilesAreReadWithAWarning) {
  // "Zoë" and a euro sign as an older payroll export writes them.
  const std::string csv = "cEmployeeCode,dDayWorked,dStart,dEnd,cJobTitle,\r\nE1,2024-03-05,09:00:00,17:00:00,Zo\xEB \x80,\r\n";
  const std::string xml =
      "<TimeCards><TimeCard><TimeCardNo>E1</TimeCardNo><Shift><ShiftHours><StartTime>2024-03-05T09:00:00</StartTime>"
      "<FinishTime>2024-03-05T17:00:00</FinishTime><PayRateCode>Zo\xEB \x80</PayRateCode></ShiftHours></Shift>"
      "</TimeCard></TimeCards>";
  TempFiles files;
  for (const auto& [name, text] : {std::pair{"w.csv", csv}, std::pair{"w.xml", xml}}) {
    const std::string path = files.Write(name, text);
    TTimesheet timesheet;
    TUserFeedback log;
    LoadTimesheetFromFile(path, timesheet, &log);
    ASSERT_EQ(timesheet.Count(), 1) << name;
    EXPECT_EQ(timesheet.Items(0)->HoursGroupList().Items(0)->JobTitle(), "Zo\xC3\xAB \xE2\x82\xAC") << name;
    ASSERT_EQ(log.Count(), 1) << name;
    EXPECT_EQ(log.Messages()[0].Text, "The file \"" + path + "\" is not UTF-8 text; it was read as Windows-1252.");
    EXPECT_EQ(log.Messages()[0].Info.Severity, TMessageSeverity::ms_Warning);
  }
  auto [status, out] = RunCli("timesheet show " + files.Write("w.csv", csv));
  EXPECT_EQ(status, 0) << out;
  EXPECT_NE(out.find("\"JobTitle\": \"Zo\xC3\xAB \xE2\x82\xAC\""), std::string::npos) << out;
  EXPECT_NE(out.find("it was read as Windows-1252."), std::string::npos) << out;
}

TEST(LoaderTimesheetFile, CommandLineReportsTheEnginesMessage) {
  TempFiles files;
  const std::string bad = files.Write("bad.csv", "cEmployeeCode,dDayWorked,\r\nE1,2024/3/5,\r\n");
  struct Case {
    std::string args;
    int status;
    std::string output;
  };
  const std::vector<Case> cases = {
      {"timesheet show " + bad, 3, bad + ":2: dDayWorked: \"2024/3/5\" is not a valid date (YYYY-MM-DD)\n"},
      {"timesheet show /no/such/file.csv", 3, "Cannot open file \"/no/such/file.csv\".\n"},
  };
  for (const Case& c : cases) {
    auto [status, out] = RunCli(c.args);
    EXPECT_EQ(status, c.status) << c.args;
    EXPECT_EQ(out, c.output) << c.args;
  }
}

}  // namespace
}  // namespace qora::testing
