// Guards the pay lines against wrong sums, merges, field counts, record IDs, header order, cap arithmetic and lost or duplicated lines, stored costing and import batches against rounding and date-binding faults per back end, and against half-stored costing after a failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <regex>
#include <sstream>

#include "../engine/tm_test_support.h"
#include "common/exceptions.h"
#include "db/db_error.h"
#include "engine/costing_jobs.h"
#include "engine/timesheet_manager.h"
#include "foundation/user_feedback.h"
#include "rules/process_manager_intf.h"
#include "timesheet/timesheet.h"

namespace qora::testing {
namespace {

// A CSV line's comma-separated fields, empty ones included.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out(1);
  for (char c : line) {
    if (c == ',') out.emplace_back();
    else out.back().push_back(c);
  }
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  TStringList list;
  list.SetText(text);
  return list.Items();
}

// Ordinary hours at rate code Normal, 30 an hour.
THoursGroup& Hours(TTimesheetShift& s, double from, double to, const std::string& account = "") {
  THoursGroup& g = *s.HoursGroupList().Add(std::make_unique<THoursGroup>());
  g.SetHoursType(THoursType::htOrdinary);
  g.SetFromTime(from);
  g.SetToTime(to);
  g.SetRateCode("Normal");
  g.SetRate(30);
  g.SetCostAccount(account);
  return g;
}

struct Costing : ::testing::Test {
  const TDateTime kDay = EncodeDate(2024, 3, 5);
  TUserFeedback log;
  TTimesheetManager tm;
  void SetUp() override { tm.SetUserFeedback(&log); }

  TTimesheetShift& Shift(const std::string& emp, TDateTime day, const std::string& pay_class = "C1") {
    auto s = std::make_unique<TTimesheetShift>();
    s->SetEmployeeCode(emp);
    s->SetShiftStartDate(day);
    s->SetShiftEndDate(day);
    s->SetID(11);
    s->SetTimesheetID(7);
    s->SetEmployeeClassification(pay_class);
    s->SetEmployeeAward("HOSP");
    s->SetEmployeeNormalRate(25);
    return *tm.Timesheet().AddShift(std::move(s));
  }
  static void Penalty(TTimesheetShift& s) {
    TPenalty& p = *s.PenaltyList().AddNew();
    p.SetAddDedCode("PEN1");
    p.SetAddDedType("Percent");
    p.SetUnits(2);
    p.SetAmountPerc(50);
    p.SetRate(30);
    p.SetPayOption(TaiConditionPayOpt::aicpo_PercOfStd);
  }
  TDateGroup& Leave(TLeaveDateList& list, const std::string& type, double hours) {
    TDateGroup& d = *list.AddNew();
    d.SetLeaveType(type);
    d.SetDateFrom(kDay);
    d.SetDateTo(kDay);
    d.SetTotalHours(hours);
    d.SetRate(25);
    return d;
  }
  std::string Yif() {
    std::ostringstream out;
    tm.SaveYIFToStream(out);
    return out.str();
  }
};

TEST_F(Costing, CsvLinesMergeHoursPricePenaltiesAndCountTheirFields) {
  TTimesheetShift& s = Shift("E001", kDay);
  Hours(s, 9, 12);
  Hours(s, 12.5, 17.5, "A1");  // a top-up without an account joins the worked hours' line
  Penalty(s);  // 2 units at 50 % of 30
  Leave(s.RDODatesList(), "RDO", 7.6);
  Leave(s.RDODatesList(), "RDO", 0.004);  // rounds to no hours: left out with a warning
  Leave(s.LeaveDatesList(), "Sick Leave", 7.6);
  Leave(s.LeaveDatesList(), "annual leave", 7.6).SetALLink(3);
  TAllowance& nil = *s.AllowanceList().AddNew();  // worth nothing: left out with a warning
  nil.SetAddDedCode("UNIFORM");
  nil.SetPayOption(TaiConditionPayOpt::aicpo_Amount);

  const std::vector<std::string> lines = Lines(tm.CSVCostingAsString());
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(Fields(lines[0]).size(), 21u);
  EXPECT_EQ(lines[1], "E001,05/03/2024,Ordinary Hours,Normal,8.0,30.0,240.0,Hours,A1,,C1,12.5,17.5,11,7,,05/03/2024,,,0.0");
  const std::vector<size_t> counts = {17, 20, 20, 21};  // RDO, penalty, sick leave, annual leave
  for (size_t i = 0; i < counts.size(); ++i) EXPECT_EQ(Fields(lines[i + 2]).size(), counts[i]) << lines[i + 2];
  EXPECT_EQ(Fields(lines[2])[6], "190.0");  // 7.6 h at the employee's 25
  EXPECT_EQ(Fields(lines[3])[6], "30.0");   // 2 units at 50 % of 30
  EXPECT_EQ(Fields(lines[5])[20], "3");
  ASSERT_GE(log.Count(), 2);
  EXPECT_EQ(log.Messages()[log.Count() - 2].Text,
            "Employee \"E001\": No value for hours transaction \"RDO Hours\". Transaction not generated.");
  EXPECT_EQ(log.Messages().back().Text,
            "Employee \"E001\": No value for addition code \"UNIFORM\". Transaction not generated.");
  EXPECT_EQ(log.Messages().back().Info.Severity, TMessageSeverity::ms_Warning);
}

TEST_F(Costing, CsvFileKeepsOneHeaderWhenAppendedTo) {
  Hours(Shift("E001", kDay), 9, 17);
  const std::string file = (std::filesystem::temp_directory_path() / "qora_costing_append.csv").string();
  std::filesystem::remove(file);
  tm.SaveCSVCostingFile(file);
  tm.SaveCSVCostingFile(file);
  std::ifstream in(file);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].rfind("EmployeeCode,", 0), 0u);
  EXPECT_EQ(lines[1], lines[2]);
  std::filesystem::remove(file);
}

TEST_F(Costing, YifPutsLaterShiftsUnderTheEmployeeHeaderWithTheRdoFlag) {
  Shift("", kDay);  // no employee: never costed
  TTimesheetShift& failed = Shift("E009", kDay);
  Hours(failed, 9, 17);
  failed.SetRejected(true);  // the run could not cost it: never paid
  ASSERT_EQ(Lines(Yif()).size(), 1u);  // nothing costable: the file header alone
  Hours(Shift("E001", kDay), 9, 17);
  TTimesheetShift& second = Shift("E001", kDay + 1);
  Hours(second, 9, 17);
  Leave(second.RDODatesList(), "RDO", 7.6);
  Hours(Shift("E002", kDay, ""), 9, 10);
  const std::vector<std::string> lines = Lines(Yif());
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_TRUE(std::regex_match(lines[0], std::regex(R"(YIFV02\.00\\DODO\\\d{8}\\\\\\\d{6}\\D)"))) << lines[0];
  EXPECT_EQ(lines[1], R"(E001\\\N\\P\\)");
  EXPECT_EQ(lines[2], R"(\TA,C1\30.0\\Normal\8.0\06032024\0.0\\06032024\)");
  EXPECT_EQ(lines[3], R"(\TR\P\\\\\\\\\\\7.6\190.0)");
  EXPECT_EQ(lines[4], R"(\TA,C1\30.0\\Normal\8.0\05032024\0.0\\05032024\)");
  EXPECT_EQ(lines[5], R"(E002\\\N\\\\)");
  EXPECT_EQ(lines[6].rfind(R"(\TA\30.0\)", 0), 0u) << lines[6];
}

TEST_F(Costing, YifLeaveAndPenaltyRecordsFollowTheirLayouts) {
  TTimesheetShift& s = Shift("E001", kDay);
  Leave(s.LeaveDatesList(), "Annual Leave", 7.6).SetALLink(4);
  Leave(s.LeaveDatesList(), "Sick Leave", 7.6);
  Penalty(s);  // 2 units at 50 % of 30
  const std::vector<std::string> lines = Lines(Yif());
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[2], R"(\TN\P\PEN1\30.0\0.0\50.0\2.0\2.0\\2.0\\05032024\\05032024\)");  // YIF value: the units
  EXPECT_EQ(lines[3], R"(\TL\25.0\\7.6\05032024\05032024\\\\\4)");
  EXPECT_EQ(lines[4], R"(\TS\25.0\\7.6\05032024\05032024\\\)");
}

TEST_F(Costing, GenerationErrorsEndTheOutput) {
  const std::pair<std::function<void(TTimesheetShift&)>, std::string> cases[] = {
      {[this](TTimesheetShift& s) { Leave(s.LeaveDatesList(), "Other", 8); },
       "Employee \"E001\": Unknown Leave Transaction Type \"Other\""},
      {[this](TTimesheetShift& s) { Leave(s.LeaveDatesList(), "User Defined Leave", 8); },
       "Employee \"E001\": \"Leave Class\" was not supplied for a User Defined Leave Transaction"},
      {[](TTimesheetShift& s) {
         Hours(s, 9, 12, "A1");
         Hours(s, 13, 17, "B2");
       },
       "\"Normal\": This type of transaction already exists in the transaction list"},
  };
  for (const auto& [setup, message] : cases) {
    tm.ClearAll();
    setup(Shift("E001", kDay));
    try {
      Yif();
      ADD_FAILURE() << message;
    } catch (const eGeneratorException& e) {
      EXPECT_EQ(e.what(), message);
    }
  }
}

TEST_F(Costing, CappedAndWeeklyAllowancesCountTheWindowsPayments) {
  using U = TaiAllowancePayUnit;
  using K = TaiCondMinMax;
  // Cap kind, cap unit, cap, pay unit, the days paid on, the lines' values ("" = no line).
  const std::tuple<K, U, double, U, std::vector<int>, std::vector<std::string>> cases[] = {
      {K::aicmm_Max, U::aiapu_Week, 50, U::aiapu_Shift, {0, 2, 7}, {"40.0", "10.0", "40.0"}},
      {K::aicmm_Min, U::aiapu_Week, 50, U::aiapu_Shift, {0, 2}, {"50.0", "40.0"}},
      {K::aicmm_Min, U::aiapu_Day, 50, U::aiapu_Shift, {0, 1}, {"50.0", "50.0"}},
      {K::aicmm_None, U::aiapu_Week, 50, U::aiapu_Shift, {0, 2}, {"40.0", "40.0"}},
      {K::aicmm_None, U::aiapu_None, 0, U::aiapu_Week, {0, 6, 7}, {"40.0", "", "40.0"}},
  };
  for (const auto& [kind, cap_unit, cap, unit, days, expected_values] : cases) {
    tm.ClearAll();
    for (int day : days) {
      TAllowance& a = *Shift("E001", kDay + day).AllowanceList().AddNew();
      a.SetAddDedCode("MEAL");
      a.SetPayOption(TaiConditionPayOpt::aicpo_Amount);
      a.SetAmountPerc(40);
      a.SetUnitType(unit);
      a.SetCapAmount(cap);
      a.SetCapUnitType(cap_unit);
      a.SetCapMinMax(kind);
    }
    const std::string csv = tm.CSVCostingAsString();
    EXPECT_EQ(tm.CSVCostingAsString(), csv);  // a second output carries the same lines
    std::vector<std::string> values;
    for (const std::string& line : Lines(csv)) values.push_back(Fields(line)[6]);
    values.erase(values.begin());
    std::vector<std::string> expected = expected_values;
    std::erase(expected, "");
    EXPECT_EQ(values, expected) << static_cast<int>(kind) << " " << days.size();
  }
}

// Runs no conditions: the shifts keep the hours they were loaded with.
class NoConditions : public IProcessManager {
 public:
  void SetOnCreateVariables(TCreateVariablesEvent, const void*) override {}
  void SetOnSetVariable(TECAParserEvent) override {}
  void SetOnDebugMessage(TECADebugEvent) override {}
  void SetWorkItem(TTimesheetShift* shift) override { FShift = shift; }
  TTimesheetShift* WorkItem() const override { return FShift; }
  void LoadCurrentShiftConditions() override {}
  void Process() override {}

 private:
  TTimesheetShift* FShift = nullptr;
};

// Loses the connection at the Nth costing line it is asked to store.
class FailingStore : public TRecordingConnection {
 public:
  FailingStore(TDBConnection& inner, int fail_at) : TRecordingConnection(inner), FFailAt(fail_at) {}
  TDBRow ExecProc(std::string_view name, const TDBParams& params) override {
    if (name == "_qivAddTimesheetCost" && ++FCalls == FFailAt) throw EDatabaseError("connection lost");
    return TRecordingConnection::ExecProc(name, params);
  }

 private:
  int FFailAt;
  int FCalls = 0;
};

class CostingStoreTest : public ManagerDbTest {
 protected:
  std::vector<std::string> StoredCosting() {
    std::vector<std::string> rows;
    for (const TDBRow& r : Db().Query("select iTimesheetRowID, cComponentName, fUnits from _estblTimesheetCost "
                                      "where iTimesheetID = 1 and iCostingType = 3 "
                                      "order by iTimesheetRowID, cComponentName, fUnits")) {
      rows.push_back(r["iTimesheetRowID"].AsString() + " " + r["cComponentName"].AsString() + " " +
                     r["fUnits"].AsString());
    }
    return rows;
  }
};

TEST_P(CostingStoreTest, StoredLinesAreRoundedAndDatedAsTheCostingSays) {
  if (IsSkipped()) return;
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Adhoc);
  manager.SetPayrollConnection(&Db());
  auto shift = FileShift("EMP001", EncodeDate(2025, 4, 14));
  shift->SetID(1);
  shift->SetEmployeeAward("HOSP");
  THoursGroup& group = Hours(*shift, 9, 16.555);
  group.SetRateCode("Round, trip 50%n");  // stored as named, though the costing text does not quote it
  group.SetRate(30.123456);
  manager.Timesheet().AddShift(std::move(shift));
  auto unstored = FileShift("EMP001", EncodeDate(2025, 4, 15));  // a row the database does not hold
  unstored->SetID(424242);
  unstored->SetEmployeeAward("HOSP");
  Hours(*unstored, 9, 12);
  manager.Timesheet().AddShift(std::move(unstored));
  manager.Timesheet().SetStartDate(EncodeDate(2025, 4, 14));

  manager.DBSaveCosting();
  EXPECT_EQ(Db().QueryValue("select count(*) from _estblTimesheetCost where iTimesheetRowID = 424242").AsInteger(), 0);
  const TDBResult rows = Db().Query("select * from _estblTimesheetCost where cComponentName = 'Round, trip 50%n'");
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_DOUBLE_EQ(rows[0]["fRate"].AsFloat(), 30.1235);
  EXPECT_DOUBLE_EQ(rows[0]["fUnits"].AsFloat(), 7.56);    // 7.555 rounds up, not to even
  EXPECT_DOUBLE_EQ(rows[0]["fValue"].AsFloat(), 227.73);  // 7.56 x 30.123456
  EXPECT_EQ(rows[0]["iTimesheetID"].AsInteger(), 1);
  EXPECT_EQ(FormatIsoDate(rows[0]["dStartDate"].AsDateTime()), "2025-04-14");  // not the 4th of some month
  EXPECT_EQ(FormatIsoTime(rows[0]["dEndTime"].AsDateTime()), "16:33:18");

  manager.DBSaveYIF("import");
  const TDBResult batch = Db().Query("select * from _iptblImportData where cImportSource = 'QORA'");
  ASSERT_EQ(batch.RowCount(), 1);
  EXPECT_EQ(batch[0]["iImportFormat"].AsInteger(), 2);
  EXPECT_EQ(FormatIsoDate(batch[0]["dEndDate"].AsDateTime()), "2025-04-14");
  // The header names the end of an unprocessed pay period of the payroll database.
  EXPECT_TRUE(std::regex_search(batch[0]["nYIFData"].AsString(), std::regex(R"(^YIFV02\.00\\DODO\\\d{8}\\(20|27)042025\\)")))
      << batch[0]["nYIFData"].AsString();
}

TEST_P(CostingStoreTest, AFailureHalfWayKeepsThePreviousCosting) {
  if (IsSkipped()) return;
  NoConditions pm;
  CostStoredTimesheet(manager, pm, log, "1", TaiCostingOutputType::cot_Adhoc);
  const std::vector<std::string> before = StoredCosting();
  ASSERT_GT(before.size(), 2u);

  FailingStore failing(Db(), 2);
  manager.SetDBConnection(&failing);
  EXPECT_THROW(CostStoredTimesheet(manager, pm, log, "1", TaiCostingOutputType::cot_Adhoc), EDatabaseError);
  EXPECT_EQ(Db().TransactionDepth(), 0);
  EXPECT_EQ(StoredCosting(), before);
}

INSTANTIATE_TEST_SUITE_P(Backends, CostingStoreTest, AllTestBackends(), BackendParamName);

}  // namespace
}  // namespace qora::testing
