// Guards against the wrong reader chosen by extension, shifts loaded out of order or without breaks, a JSON
// view that drops or mistypes a value, Windows-1252 files misread or unreported, and command-line exit codes.
#include <array>
#include <cstdio>

#include "csv_file_fixture.h"
#include "hours_fakes.h"
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
  // The file name, its text, the first employee read.
  const std::vector<std::tuple<const char*, std::string, std::string>> cases = {
      {"a.txt", kCsv, "A1"}, {"noext", kCsv, "A1"}, {"a.xml", kXml, "X9"}, {"A.XML", kXml, "X9"},
  };
  for (const auto& [name, text, first_employee] : cases) {
    TempFiles files;
    TTimesheet timesheet;
    LoadTimesheetFromFile(files.Write(name, text), timesheet, nullptr);
    ASSERT_GT(timesheet.Count(), 0) << name;
    EXPECT_EQ(timesheet.Items(0)->EmployeeCode(), first_employee) << name;
  }
}

TEST(LoaderTimesheetFile, BreaksPeriodOrderAndJsonView) {
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

  // The JSON view of the same sheet, with a leave entry, and of a time card file.
  TDateGroup* leave = timesheet.Items(0)->LeaveDatesList().AddNew();
  leave->SetLeaveType("Annual Leave");
  leave->SetDateFrom(EncodeDateTime(2024, 3, 5, 13, 30, 0));

  TTimesheet cards;
  LoadTimesheetFromFile(files.Write("t.xml", kXml), cards, nullptr);
  const nlohmann::ordered_json json = TimesheetToJson(timesheet), cards_json = TimesheetToJson(cards);
  ASSERT_EQ(json["Shifts"].size(), 3u);
  using Pointer = nlohmann::ordered_json::json_pointer;
  // Values at a path of the CSV sheet's view (the XML one's from "/x").
  const std::vector<std::pair<std::string, nlohmann::ordered_json>> values{
      {"/StartDate", "2024-03-05"}, {"/Shifts/0/EmployeeCode", "A1"}, {"/Shifts/0/RosteredHoursEnd", 17.5},
      {"/Shifts/0/IsDummyShift", false}, {"/Shifts/0/HoursGroups/0/HoursType", "htOrdinary"},
      {"/Shifts/0/HoursGroups/0/WorkCode", "WC"}, {"/Shifts/0/HoursGroups/2/HoursType", "htBreak"},
      {"/Shifts/0/Columns/fKm", 0.0}, {"/Shifts/0/Columns/cNote", ""}, {"/Shifts/1/Columns/fKm", 2.0},
      {"/Shifts/0/LeaveDates/0/LeaveType", "Annual Leave"}, {"/Shifts/0/LeaveDates/0/DateFrom", "2024-03-05T13:30:00"},
      {"/x/Shifts/0/ShiftEndDate", "2024-03-09"}, {"/x/Shifts/0/HoursGroups/0/ToTime", 25.0},
      {"/x/Shifts/0/TimesheetTotalHours", 3.0}};
  for (const auto& [path, value] : values) {
    const bool xml = path.rfind("/x/", 0) == 0;
    EXPECT_EQ((xml ? cards_json : json).at(Pointer(xml ? path.substr(2) : path)), value) << path;
  }
  EXPECT_FALSE(json["Shifts"][0].contains("LastShiftEndDate")) << "needs a costing run";
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
    EXPECT_EQ(std::tuple(log.Messages()[0].Text, log.Messages()[0].Info.Severity),
              std::tuple("The file \"" + path + "\" is not UTF-8 text; it was read as Windows-1252.",
                         TMessageSeverity::ms_Warning));
  }
  auto [status, out] = RunCli("timesheet show " + files.Write("w.csv", csv));
  EXPECT_EQ(status, 0) << out;
  EXPECT_NE(out.find("\"JobTitle\": \"Zo\xC3\xAB \xE2\x82\xAC\""), std::string::npos) << out;
  EXPECT_NE(out.find("it was read as Windows-1252."), std::string::npos) << out;
}

TEST(LoaderTimesheetFile, CommandLineReportsTheEnginesMessage) {
  auto [status, out] = RunCli("timesheet show /no/such/file.csv");
  EXPECT_EQ(status, 3) << out;
  EXPECT_EQ(out, "Cannot open file \"/no/such/file.csv\".\n");
}

}  // namespace
}  // namespace qora::testing
