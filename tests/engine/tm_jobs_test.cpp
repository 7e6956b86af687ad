// Guards the costing jobs on the sample database against a failing shift stopping the run, outputs of the wrong kind, the import not handed to the payroll, run logs stored with the wrong severity, user, timesheet or debug switch.
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
  // Written shift by shift, the file job's lines are those of the whole-timesheet outputs (the import
  // file's header carries the time it was made).
  EXPECT_EQ(ReadFile(folder / "out.csv"), ReadFile(folder / "costed_timesheet.csv"));
  const auto body = [&](const char* file) { const std::string t = ReadFile(folder / file); return t.substr(t.find('\n')); };
  EXPECT_EQ(body("out.yif"), body("timesheet.yif"));
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
  const TDBResult stored =
      db->Query("select iSeverity, iUserID, iTimesheetID, cGUID, cMessage from _estblTimesheetMessages");
  ASSERT_GE(stored.RowCount(), 1);
  for (const TDBRow& row : stored) {
    EXPECT_EQ(row["iSeverity"].AsInteger(), 2);
    EXPECT_EQ(row["iTimesheetID"].AsInteger(), 1);
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
  EXPECT_EQ(json["Shifts"][1]["EmployeeClassification"], "HOSP02");
  EXPECT_EQ(json["Shifts"][2]["LeaveDates"][0]["LeaveType"], "Annual Leave");
  const auto published = ShowStoredTimesheet("sqlite:" + db->Params().Path, 1, TaiCostingOutputType::cot_Publish);
  EXPECT_EQ(published["Shifts"].size(), 5u);
  EXPECT_THROW(ShowStoredTimesheet("sqlite:" + db->Params().Path, 42), eRecordNotFoundException);
}

}  // namespace
}  // namespace qora
