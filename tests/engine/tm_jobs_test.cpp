// The manager inside the costing jobs and the stored-timesheet view, on the
// sample SQLite database.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "db/schema.h"
#include "engine/costing_jobs.h"
#include "common/exceptions.h"
#include "engine/stored_timesheet_view.h"

namespace qora {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

constexpr const char* kCards = R"(<?xml version="1.0"?>
<TimeCards>
<TimeCard><TimeCardNo>EMP001</TimeCardNo><TotalHours>8</TotalHours>
<Shift><RosteredStartTime>2025-04-14T09:00:00</RosteredStartTime><RosteredFinishTime>2025-04-14T17:00:00</RosteredFinishTime>
<RosteredBreak>0</RosteredBreak><ShiftHours><StartTime>2025-04-14T09:00:00</StartTime>
<FinishTime>2025-04-14T17:00:00</FinishTime><Job>ORD</Job><PayRateCode>Cook</PayRateCode></ShiftHours></Shift>
</TimeCard>
<TimeCard><TimeCardNo>NOBODY</TimeCardNo><TotalHours>8</TotalHours>
<Shift><RosteredStartTime>2025-04-15T09:00:00</RosteredStartTime><RosteredFinishTime>2025-04-15T17:00:00</RosteredFinishTime>
<RosteredBreak>0</RosteredBreak><ShiftHours><StartTime>2025-04-15T09:00:00</StartTime>
<FinishTime>2025-04-15T17:00:00</FinishTime><Job>ORD</Job><PayRateCode>Cook</PayRateCode></ShiftHours></Shift>
</TimeCard>
</TimeCards>)";

// The file job loads each shift's employee from the sample database: the
// known employee's shift is costed under the sample award, the unknown one
// fails on its payroll database and the run goes on.
TEST(TmJobsTest, TimesheetFileJobLoadsEachShiftsEmployee) {
  auto db = OpenSampleDatabase();
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("qora_tm_job_" + std::to_string(reinterpret_cast<uintptr_t>(db.get())));
  std::filesystem::create_directories(folder);
  const std::filesystem::path cards = folder / "cards.XML";
  std::ofstream(cards) << kCards;
  const std::filesystem::path output = folder / "costing.csv";
  const int32_t result =
      RunTimesheetFileJob(cards.string(), output.string(), 0, {"sqlite", db->Params().Path, "", ""});
  EXPECT_EQ(result, kResultOK);
  const std::string log = ReadFile(folder / "costing.log");
  EXPECT_EQ(log.find("An error occurred processing shift 1:"), std::string::npos) << log;
  EXPECT_NE(log.find("An error occurred processing shift 2: \"The payroll database was not found\""),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("Processed: 1. Skipped 1."), std::string::npos) << log;
  std::filesystem::remove_all(folder);
}

// The file job writes the costing file or the import file its output type
// asks for; the web-configured job writes both and hands the import to the
// payroll database.
TEST(TmJobsTest, JobsWriteTheOutputsTheyAreAskedFor) {
  auto db = OpenSampleDatabase();
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("qora_tm_out_" + std::to_string(reinterpret_cast<uintptr_t>(db.get())));
  std::filesystem::create_directories(folder);
  const std::filesystem::path cards = folder / "cards.XML";
  std::ofstream(cards) << kCards;
  const ConnectionParams params{"sqlite", db->Params().Path, "", ""};
  for (const auto& [type, file, start] : {std::tuple{1, "out.csv", "EmployeeCode,"}, {2, "out.yif", "YIFV02.00\\"}}) {
    EXPECT_EQ(RunTimesheetFileJob(cards.string(), (folder / file).string(), type, params), kResultOK);
    EXPECT_EQ(ReadFile(folder / file).rfind(start, 0), 0u) << file;
  }
  std::ofstream(folder / "web.config") << "<configuration><appSettings><add key=\"CS\" value=\"sqlite\"/><add key=\"CDB\" "
                                          "value=\"" + db->Params().Path + "\"/></appSettings></configuration>";
  EXPECT_EQ(RunWebConfigJob(cards.string(), folder.string()), kResultOK);
  EXPECT_EQ(ReadFile(folder / "timesheet.yif").rfind("YIFV02.00\\", 0), 0u);
  EXPECT_EQ(ReadFile(folder / "costed_timesheet.csv").rfind("EmployeeCode,", 0), 0u);
  EXPECT_EQ(db->QueryValue("select count(*) from _iptblImportData where cImportSource = 'QORA'").AsInteger(), 1);
  std::filesystem::remove_all(folder);
}

// The stored-timesheet job loads the timesheet (employees included) and
// stores its run log: with debug off only the errors, here the shifts whose
// conditions could not run.
TEST(TmJobsTest, StoredTimesheetJobStoresItsRunLog) {
  auto db = OpenSampleDatabase();
  // Without award assignments every shift fails, so the log has errors to store.
  db->Execute("delete from _iptblEmployeeAwards_TD");
  const int32_t result = RunStoredTimesheetJob("1=3", 5, "GUID-7", {"sqlite", db->Params().Path, "", ""});
  EXPECT_EQ(result, kResultOK);
  const TDBResult stored = db->Query("select iSeverity, iUserID, cGUID, cMessage from _estblTimesheetMessages");
  ASSERT_GE(stored.RowCount(), 1);
  for (const TDBRow& row : stored) {
    EXPECT_EQ(row["iSeverity"].AsInteger(), 2);
    EXPECT_EQ(row["iUserID"].AsInteger(), 5);
    EXPECT_EQ(row["cGUID"].AsString(), "GUID-7");
  }
  EXPECT_EQ(stored[0]["cMessage"].AsString().rfind("An error occurred processing shift 1: ", 0), 0u);

  // With "Debug" in the GUID every message is stored, the employee's
  // loading notes included.
  db->Execute("delete from _estblTimesheetMessages");
  RunStoredTimesheetJob("1=3", 5, "Debug-8", {"sqlite", db->Params().Path, "", ""});
  EXPECT_GE(db->QueryValue("select count(*) from _estblTimesheetMessages where cMessage = "
                           "'Employee \"EMP001\" not in cache, starting load from database'")
                .AsInteger(),
            1);
}

TEST(TmJobsTest, ShowStoredTimesheetGivesTheEmployeeDetailsOfEveryShift) {
  auto db = OpenSampleDatabase();
  const nlohmann::ordered_json json = ShowStoredTimesheet("sqlite:" + db->Params().Path, 1);
  EXPECT_EQ(json["TimesheetID"], 1);
  EXPECT_EQ(json["CostingType"], "cot_Approve");
  ASSERT_EQ(json["Shifts"].size(), 6u);
  const auto& night = json["Shifts"][1];
  EXPECT_EQ(night["EmployeeCode"], "EMP001");
  EXPECT_EQ(night["EmployeeAward"], "HOSP");
  EXPECT_EQ(night["EmployeeClassification"], "HOSP02");
  EXPECT_EQ(night["EmployeeCategory"], "FT");
  EXPECT_EQ(night["ConditionGroup"], "Standard");
  EXPECT_DOUBLE_EQ(night["EmployeeNormalRate"].get<double>(), 31.75);
  EXPECT_DOUBLE_EQ(night["BaseWeeklyHours"].get<double>(), 38);
  EXPECT_NEAR(night["EmployeeworkPatternHours"].get<double>(), 38, 1e-9);
  EXPECT_DOUBLE_EQ(night["RosteredHoursEnd"].get<double>(), 30);
  EXPECT_EQ(json["Shifts"][2]["LeaveDates"][0]["LeaveType"], "Annual Leave");
  EXPECT_EQ(json["Shifts"][4]["RDODates"][0]["LeaveClass"], "RDO Hours");
  EXPECT_DOUBLE_EQ(json["Shifts"][3]["Columns"]["fFIRSTAID"].get<double>(), 1);
  EXPECT_EQ(json["Shifts"][0]["Allowances"].size(), 2u);

  const auto published = ShowStoredTimesheet("sqlite:" + db->Params().Path, 1, TaiCostingOutputType::cot_Publish);
  EXPECT_EQ(published["Shifts"].size(), 5u);
  EXPECT_THROW(ShowStoredTimesheet("sqlite:" + db->Params().Path, 42), eRecordNotFoundException);
}

}  // namespace
}  // namespace qora
