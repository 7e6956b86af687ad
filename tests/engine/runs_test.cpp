// Guards against wrong pay on the sample award end to end (rates, loadings, overtime tiers, midnight, allowances, leave) through the C entry point and the tool; the engine set-up against wrong connection strings, web.config keys misread or the debug switch taken from anything but "Y", exceptions mapped to the wrong result code, and timesheet IDs picked for the wrong costing type; the run driver against steps out of order, one failing shift stopping the run or being paid, wrong error and summary texts, the rule trace reaching a log without debug, and awards that run each other without end; and the costing jobs against wrong result codes, logs not written or not replaced, the trial switch, fallback log names that leave the current folder, a failing shift stopping the run, outputs of the wrong kind, the import not handed to the payroll, and run logs stored with the wrong severity, user, timesheet or debug switch.
#include "engine/costing_jobs.h"
#include "engine/run_driver.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "db/connection.h"
#include "db/db_error.h"
#include "db/schema.h"
#include "engine/connection_string.h"
#include "common/exceptions.h"
#include "engine/web_config.h"
#include "formula/parser.h"
#include "rules/process_manager.h"
#include "rules/process_manager_intf.h"
#include "rules/rules_test_support.h"
#include "timesheet/timesheet.h"
#include "qora/qora.h"
#include "tm_test_support.h"

namespace qora {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Each test works in a folder of its own, which is also the current folder
// (the stored-timesheet job writes its trial and fallback files there).
struct JobFixture : ::testing::Test {
  fs::path dir;
  fs::path previous;
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("qora_jobs_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
           std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    previous = fs::current_path();
    fs::current_path(dir);
  }
  void TearDown() override {
    fs::current_path(previous);
    fs::remove_all(dir);
  }
};

const ConnectionParams kUnreachable{"postgresql://127.0.0.1:1", "qiv", "user", "secret"};

TEST_F(JobFixture, FileJobWithUnreachableServerReturns1AndWritesTheLog) {
  std::ofstream(dir / "ts.csv") << "x";
  EXPECT_EQ(RunTimesheetFileJob((dir / "ts.csv").string(), (dir / "out.csv").string(), 3, kUnreachable),
            kResultDatabase);
  const std::string log = ReadFile(dir / "out.log");
  EXPECT_NE(log.find("127.0.0.1"), std::string::npos) << log;
  EXPECT_NE(log.find("\r\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "out.csv"));
}

TEST_F(JobFixture, FileJobLoadFailureIsLoggedAndTheLogReplacesAnOldOne) {
  std::ofstream(dir / "out.log") << "stale";
  // An empty SQLite database opens, so the job reaches the timesheet loader.
  const ConnectionParams sqlite{"sqlite", (dir / "empty.db").string(), "", ""};
  const int32_t rc = RunTimesheetFileJob((dir / "missing.csv").string(), (dir / "out.csv").string(), 3, sqlite);
  EXPECT_NE(rc, kResultOK);
  EXPECT_NE(rc, kResultDatabase);  // the connection was open at the end
  const std::string log = ReadFile(dir / "out.log");
  EXPECT_EQ(log.find("stale"), std::string::npos);
  EXPECT_NE(log.find("missing.csv"), std::string::npos) << log;
}

TEST_F(JobFixture, WebConfigJobWithoutConfigFails) {
  const fs::path host = dir / "host";
  fs::create_directories(host);
  EXPECT_EQ(RunWebConfigJob((dir / "ts.csv").string(), host.string()), kResultSetupFailed);
  EXPECT_EQ(ReadFile(dir / "ts.log"),
            "Could not find the \"web.config\" file in directory: \"" + host.string() + "\".\r\n");
}

TEST_F(JobFixture, WebConfigJobWithUnreachableServerReturns4) {
  std::ofstream(dir / "web.config")
      << "<configuration><appSettings><add key=\"CS\" value=\"postgresql://127.0.0.1:1\"/>"
         "<add key=\"CDB\" value=\"qiv\"/></appSettings></configuration>";
  EXPECT_EQ(RunWebConfigJob((dir / "ts.csv").string(), dir.string()), kResultNoConnection);
  EXPECT_NE(ReadFile(dir / "ts.log").find("127.0.0.1"), std::string::npos);
}

TEST_F(JobFixture, StoredJobTrialSwitchDeletesTheTrialFile) {
  struct Case {
    std::string guid;
    bool trial_file_deleted;
    std::string log;  // without a connection the run log is kept in this file, in the current folder
  };
  for (const Case& c : {Case{"TestDebug-1", true, "qora_TestDebug-1.log"}, Case{"test-1", false, "qora_test-1.log"},
                        Case{"Debug", false, "qora_Debug.log"}, Case{"../x/y", false, "qora____x_y.log"}}) {
    std::ofstream(kTrialCostingFile) << "old costing";
    EXPECT_EQ(RunStoredTimesheetJob("12=1", 7, c.guid, kUnreachable), kResultDatabase) << c.guid;
    EXPECT_EQ(!fs::exists(kTrialCostingFile), c.trial_file_deleted) << c.guid;
    EXPECT_TRUE(fs::exists(c.log)) << c.guid;
  }
}


// The file job writes the costing file or the import file its output type
// asks for; the web-configured job writes both and hands the import to the
// payroll database.
struct TmJobsTest : JobFixture {};

TEST_F(TmJobsTest, JobsWriteTheOutputsTheyAreAskedFor) {
  auto db = OpenSampleDatabase();
  const fs::path cards = dir / "cards.XML";
  std::ofstream(cards) << testing::kCards;
  const ConnectionParams params{"sqlite", db->Params().Path, "", ""};
  EXPECT_EQ(RunTimesheetFileJob(cards.string(), (dir / "out.csv").string(), 1, params, true), kResultOK);
  EXPECT_NE(ReadFile(dir / "out.log").find("Saved file \"" + (dir / "out.csv").string() + "\" in "), std::string::npos);
  EXPECT_EQ(RunTimesheetFileJob(cards.string(), (dir / "out.yif").string(), 2, params), kResultOK);
  EXPECT_EQ(ReadFile(dir / "out.yif").rfind("YIFV02.00\\", 0), 0u);
  std::ofstream(dir / "web.config") << "<configuration><appSettings><add key=\"CS\" value=\"sqlite\"/><add key=\"CDB\" "
                                          "value=\"" + db->Params().Path + "\"/></appSettings></configuration>";
  EXPECT_EQ(RunWebConfigJob(cards.string(), dir.string()), kResultOK);
  EXPECT_EQ(ReadFile(dir / "timesheet.yif").rfind("YIFV02.00\\", 0), 0u);
  EXPECT_EQ(ReadFile(dir / "costed_timesheet.csv").rfind("EmployeeCode,", 0), 0u);
  EXPECT_EQ(db->QueryValue("select count(*) from _iptblImportData where cImportSource = 'QORA'").AsInteger(), 1);
  // Written shift by shift, the file job's lines are those of the whole-timesheet outputs (the import
  // file's header carries the time it was made).
  EXPECT_EQ(ReadFile(dir / "out.csv"), ReadFile(dir / "costed_timesheet.csv"));
  const auto body = [&](const char* file) { const std::string t = ReadFile(dir / file); return t.substr(t.find('\n')); };
  EXPECT_EQ(body("out.yif"), body("timesheet.yif"));
}

// The stored-timesheet job loads the timesheet (employees included) and
// stores its run log: with debug off only the errors, here the shifts whose
// conditions could not run.
TEST_F(TmJobsTest, StoredTimesheetJobStoresItsRunLog) {
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

TEST(ConnectionString, CredentialsAndDatabaseAreOptional) {
  const std::string head =
      "Provider=SQLOLEDB;Data Source=srv;Persist Security Info=False;Use Procedure for Prepare=1;"
      "Auto Translate=True;Packet Size=4096;";
  EXPECT_EQ(BuildConnectionString("srv", "QIV", "sa", "pw"), head + "User ID=sa;Password=pw;Initial Catalog=QIV;");
  EXPECT_EQ(BuildConnectionString("srv", "", "", "pw"), head + "Integrated Security=SSPI;");
  EXPECT_EQ(BuildConnectionString("srv", "QIV", "", ""), head + "Integrated Security=SSPI;Initial Catalog=QIV;");
}

struct WebConfig : JobFixture {};

TEST_F(WebConfig, ReadsAppSettingsAndToleratesMissingKeys) {
  std::ofstream(dir / "web.config") << R"(<?xml version="1.0"?>
<configuration><appSettings>
  <add key="CS" value="  db.example  "/>
  <add key="CDB" value="QIVCommon"/>
  <add key="ALLOWD" value="y"/>
  <!-- CDBUID, CDBPWD and the others are missing -->
</appSettings></configuration>)";
  TWebConfigObject config(dir.string());
  EXPECT_EQ(config.DefaultCommonServer() + "|" + config.DefaultCommonDatabase() + "|" + config.DefaultSQLUserName() +
                "|" + config.DefaultSQLPassword() + "|" + config.DOTNETVersion(),
            "db.example|QIVCommon|||2.0");
  EXPECT_EQ(config.LogFile(), (dir / "QIVLog.log").string());
  EXPECT_EQ(TWebConfigObject("/nonexistent/folder").AppSettings().Count(), 0);
  for (auto [value, expected] : std::vector<std::pair<std::string, bool>>{
           {"Y", true}, {" y ", true}, {"Yes", false}, {"N", false}, {"", false}}) {
    std::ofstream(dir / "web.config", std::ios::trunc)
        << "<configuration><appSettings><add key=\"ALLOWD\" value=\"" << value
        << "\"/></appSettings></configuration>";
    EXPECT_EQ(TWebConfigObject(dir.string()).AllowDebug(), expected) << value;
  }
}

TEST(ResultCodes, ExceptionClassesMapToCodes) {
  EXPECT_EQ(ResultCodeFor(eRecordNotFoundException("x")), 2);
  EXPECT_EQ(ResultCodeFor(eDatabaseException("x")), 1);
  EXPECT_EQ(ResultCodeFor(eSyntaxException("x")), 3);
  EXPECT_EQ(ResultCodeFor(ePayrollException("x")), -2);
  EXPECT_EQ(ResultCodeFor(eNotImplementException("x")), -2);
  EXPECT_EQ(ResultCodeFor(eaiPRocessorException("x")), -2);
  EXPECT_EQ(ResultCodeFor(std::runtime_error("x")), -2);
  // An error the database itself raised is not the engine's database exception.
  EXPECT_EQ(ResultCodeFor(EDatabaseError("x")), -2);
}

TEST(TimesheetIDList, SelectsByCostingType) {
  struct Case {
    std::string list;
    TaiCostingOutputType type;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"12=1,15=3,12=2", TaiCostingOutputType::cot_Publish, "12"},
      {"12=1,15=3,12=2", TaiCostingOutputType::cot_Approve, "12"},
      {"12=1,15=3,12=2", TaiCostingOutputType::cot_Adhoc, "15"},
      {"12=1,15=3,12=2", TaiCostingOutputType::cot_None, "12,15,12"},
      // Only the first character after "=" counts; a name that is not a
      // number is never selected.
      {"7=12,abc=1", TaiCostingOutputType::cot_Publish, "7"},
      {"7=12,abc=1", TaiCostingOutputType::cot_Approve, ""},
      {"0=1,-4=1,5=x,6", TaiCostingOutputType::cot_Publish, ""},
      {"9=1 10=1", TaiCostingOutputType::cot_Publish, "9,10"},
      {"\"11=3\",12=3", TaiCostingOutputType::cot_Adhoc, "11,12"},
      {"1;drop table x=1", TaiCostingOutputType::cot_Publish, ""},
      {"1000000001=2,2147483647=2,2147483648=2", TaiCostingOutputType::cot_Approve, "1000000001,2147483647"},
  };
  for (const Case& c : cases) {
    TTimesheetManager tm;
    tm.TimesheetIDList().SetCommaText(c.list);
    EXPECT_EQ(tm.GetTimesheetIDString(c.type), c.expected) << c.list << " type " << int(c.type);
  }
}

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

struct EndToEnd : JobFixture {};

TEST_F(EndToEnd, SampleWeekPaysTheHandWorkedLinesThroughTheCEntryPointAndTheTool) {
  const std::string db = (dir / "pay.db").string();
  const std::string timesheet = std::string(QORA_SAMPLES_DIR) + "/payroll_demo.csv";
  ASSERT_EQ(RunCli("db init sqlite:" + db + " --sample"), 0);
  const fs::path c_out = dir / "c.csv", cli_out = dir / "cli.csv";
  ASSERT_EQ(ProcessTimeSheetFile(timesheet.c_str(), c_out.c_str(), QORA_OUTPUT_CSV, "sqlite", db.c_str(), "", ""), 0);
  ExpectPay(c_out);
  ASSERT_EQ(RunCli("cost " + timesheet + " --db sqlite:" + db + " --output " + cli_out.string() + " --output-type 1"), 0);
  ExpectPay(cli_out);
}

// A shift's pay lines are made while its employee's own payroll database is
// loaded: the leave of EMP001, moved to a second payroll database, takes the
// cost account that database gives annual leave, though EMP003's database is
// the one loaded when the run ends.
TEST_F(EndToEnd, LeaveTakesTheCostAccountOfTheEmployeesOwnPayrollDatabase) {
  const std::string db = (dir / "pay.db").string(), other = (dir / "other.db").string();
  ASSERT_EQ(RunCli("db init sqlite:" + db + " --sample"), 0);
  ASSERT_EQ(RunCli("db init sqlite:" + other + " --sample"), 0);
  OpenConnection("sqlite", other, "", "")->Execute("update _iptblLeaveReasons set iCostAccountID = 2 where cCode = 'AL'");
  auto common = OpenConnection("sqlite", db, "", "");
  common->Execute("insert into _hrtblPayrollDatabase (idPayrollDatabase, cPayrollLinkToken, cServer, cDatabase) "
                  "values (2, 'OTHER', 'sqlite', :Path)", {{"Path", other}});
  common->Execute("update _hrtblPerson set iPayrollDatabaseID = 2 where cEmployeeCode = 'EMP001'");
  const std::string sample = std::string(QORA_SAMPLES_DIR) + "/payroll_demo.csv", out = (dir / "out.csv").string();
  ASSERT_EQ(ProcessTimeSheetFile(sample.c_str(), out.c_str(), QORA_OUTPUT_CSV, "sqlite", db.c_str(), "", ""), 0);
  const std::string text = ReadFile(out);
  EXPECT_NE(text.find("EMP001,16/04/2025,Leave Hours,Annual Leave,7.6,32.4,246.24,Hours,FOH,"), std::string::npos);
}

// However the file orders its shifts they are costed sorted by employee and
// time, so a weekly cap falls on the same days; a second run appends its
// lines under the file's one header.
TEST_F(EndToEnd, ReversedShiftsAppendTheSameLinesUnderTheOneHeader) {
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
  const std::string first = ReadFile(out);
  const std::string rev = (dir / "rev.csv").string();
  ASSERT_EQ(ProcessTimeSheetFile(rev.c_str(), out.c_str(), QORA_OUTPUT_CSV, "sqlite", db.c_str(), "", ""), 0);
  EXPECT_EQ(ReadFile(out), first + first.substr(first.find("\r\n") + 2));
  EXPECT_FALSE(fs::exists(dir / "out.csv.part"));
}

// Records the steps the driver takes and fails the steps it is told to.
struct StepLog {
  std::vector<std::string> steps;
  int fail_conditions_at = -1;   // shift index whose conditions fail to load
  int fail_breakdown_at = -1;    // shift index whose breakdown fails
};

class FakeProcessManager : public IProcessManager {
 public:
  explicit FakeProcessManager(StepLog& log) : log_(log) {}
  void SetOnCreateVariables(TCreateVariablesEvent h, const void*) override { create_ = std::move(h); }
  void SetOnSetVariable(TECAParserEvent h) override { set_ = std::move(h); }
  void SetOnDebugMessage(TECADebugEvent h) override { debug_ = std::move(h); }
  void SetWorkItem(TTimesheetShift* s) override { item_ = s; }
  TTimesheetShift* WorkItem() const override { return item_; }
  void LoadCurrentShiftConditions() override {
    log_.steps.push_back("conditions " + std::to_string(item_->TimesheetID()));
    if (item_->TimesheetID() == log_.fail_conditions_at) throw eRecordNotFoundException("Award \"X\" not found.");
  }
  void Process() override {
    log_.steps.push_back("process");
    if (debug_) debug_(*parser_, item_, "trace of " + std::to_string(item_->TimesheetID()));
  }

  TCreateVariablesEvent create_;
  TECAParserEvent set_;
  TECADebugEvent debug_;

 private:
  StepLog& log_;
  TTimesheetShift* item_ = nullptr;
  std::unique_ptr<TQelParser> parser_ = std::make_unique<TQelParser>();
};

class FakeManager : public TTimesheetManager {
 public:
  explicit FakeManager(StepLog& log) : log_(log) {}
  void SetDefaultHours(TTimesheetShift&) override { log_.steps.push_back("default hours"); }
  void SaveHoursHistory() override { log_.steps.push_back("history"); }
  void BreakDownComponents() override {
    log_.steps.push_back("breakdown");
    if (CurrentShift()->TimesheetID() == log_.fail_breakdown_at) throw std::runtime_error("no pay class");
  }

 private:
  StepLog& log_;
};

struct DriverFixture : ::testing::Test {
  StepLog steps;
  TUserFeedback log;
  FakeManager manager{steps};
  FakeProcessManager pm{steps};

  void AddShifts(int n) {
    for (int i = 1; i <= n; ++i) {
      auto shift = std::make_unique<TTimesheetShift>();
      shift->SetTimesheetID(100 + i);
      manager.Timesheet().AddShift(std::move(shift));
    }
    manager.SetUserFeedback(&log);
  }
};


TEST_F(DriverFixture, StepsRunInOrderForEachShift) {
  AddShifts(2);
  ProcessShifts(manager, pm, log);
  const std::vector<std::string> expected = {"conditions 101", "default hours", "process", "history", "breakdown",
                                             "conditions 102", "default hours", "process", "history", "breakdown"};
  EXPECT_EQ(steps.steps, expected);
  EXPECT_EQ(manager.CurrentShiftIndex(), 1);
}

TEST_F(DriverFixture, FailingShiftsAreSkippedAndTheRestRunOn) {
  AddShifts(4);
  steps.fail_conditions_at = 102;
  steps.fail_breakdown_at = 104;
  EXPECT_EQ(ProcessShifts(manager, pm, log), 0);

  ASSERT_EQ(log.Count(), 3);
  EXPECT_EQ(log.Messages()[0].Text, "An error occurred processing shift 2: \"Award \"X\" not found.\"");
  EXPECT_EQ(log.Messages()[0].Info.TimesheetID, 102);
  EXPECT_EQ(log.Messages()[0].Info.Severity, TMessageSeverity::ms_Error);
  EXPECT_FALSE(log.Messages()[0].Info.IsDebugMessage);
  EXPECT_EQ(log.Messages()[1].Text, "An error occurred processing shift 4: \"no pay class\"");
  EXPECT_EQ(log.Messages()[1].Info.TimesheetID, 104);
  EXPECT_TRUE(std::regex_match(log.Messages()[2].Text,
                               std::regex(R"(Processed: 2\. Skipped 2\. Time: \d+\.\d\d\.1 seconds)")))
      << log.Messages()[2].Text;
  EXPECT_EQ(log.Messages()[2].Info.TimesheetID, 0);
  // Shift 3 still ran all its steps after shift 2 failed.
  EXPECT_NE(std::find(steps.steps.begin(), steps.steps.end(), "conditions 103"), steps.steps.end());
  // The failed shifts are rejected with their reason, so no output pays them.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(manager.Timesheet().GetTimesheetShift(i)->Rejected(), i % 2 == 1) << i;
  EXPECT_EQ(manager.Timesheet().GetTimesheetShift(3)->RejectReason(), "no pay class");
}

TEST_F(DriverFixture, RuleEngineTraceReachesTheLogOnlyWithDebugOn) {
  AddShifts(1);
  ProcessShifts(manager, pm, log);
  EXPECT_EQ(log.DebugMessageCount(), 0);

  TUserFeedback debug_log;
  debug_log.SetDebugEnabled(true);
  manager.SetUserFeedback(&debug_log);
  ProcessShifts(manager, pm, debug_log);
  ASSERT_EQ(debug_log.DebugMessageCount(), 1);
  EXPECT_EQ(debug_log.Messages()[0].Text, "trace of 101");
  EXPECT_EQ(debug_log.Messages()[0].Info.TimesheetID, 0);
  EXPECT_TRUE(pm.create_ && pm.set_ && pm.debug_);
}

// The real process manager behind the driver: conditions run on each shift
// through the manager's handlers, and an award that cannot be had, or that
// runs its own conditions without end, skips only its shift.

struct CostlessManager : TTimesheetManager {
  void BreakDownComponents() override {}
};

TEST(RunDriverConditions, ShiftsRunTheirAwardsConditions) {
  constexpr auto kSet = TaiActionType::aatSet;
  testing::TRowsProvider provider;
  provider.Add("AW", {{1, kSet, "EqualString(ConditionGroup, \"a\")", "\"B\"", "ConditionGroup"},
                      {2, TaiActionType::aatCallMethod, "ShiftEnd = 17", "17;18;\"OT\";\"GEN\";2;\"\"", "AddHours"}});
  provider.Add("LOOP", {{1, TaiActionType::aatProcessRule, "", "", "LOOP", false, "L1"}});
  TUserFeedback log;
  CostlessManager manager;
  manager.SetUserFeedback(&log);
  for (const char* award : {"AW", "NOPE", "LOOP"}) {
    TTimesheetShift& shift = testing::AddShift(manager, "E1", 9, 17);
    shift.SetEmployeeAward(award);
    shift.SetConditionGroup("A");
  }
  TaiProcessManager pm;
  pm.SetUserFeedback(&log);
  ProcessShifts(manager, pm, log);
  EXPECT_EQ(log.Messages()[0].Text,
            "An error occurred processing shift 1: \"Award conditions cannot be loaded: the run has no award "
            "provider.\"");

  log.Clear();
  pm.SetAwardProvider(&provider);
  ProcessShifts(manager, pm, log);
  const TTimesheetShift& first = *manager.Timesheet().GetTimesheetShift(0);
  EXPECT_EQ(first.ConditionGroup(), "B");
  EXPECT_EQ(first.ShiftEnd(), 18.0);
  ASSERT_EQ(log.Count(), 3);
  EXPECT_EQ(log.Messages()[0].Text,
            "An error occurred processing shift 2: \"Could not load award code \"NOPE\" for Employee \"E1\"\"");
  EXPECT_EQ(log.Messages()[1].Text,
            "An error occurred processing shift 3: \"Condition 1 \"L1\" runs the conditions of award \"LOOP\" nested 17 "
            "deep; awards that run each other's conditions in a circle never end, so the shift stops here.\"");
  EXPECT_EQ(pm.FailedCondition()->Order, 1);
  EXPECT_EQ(pm.ProcessorCount(), TaiProcessManager::kMaxRuleDepth + 1);
  // A job runs the driver once per timesheet: the award compiles once.
  ProcessShifts(manager, pm, log);
  EXPECT_EQ(pm.AwardProgram(*provider.awards["AW"])->LayoutCount(), 1);
}

}  // namespace
}  // namespace qora
