// Guards the manager's query services against wrong addition and hours totals, leave rates, average rates and compare loading of a row's costing, a run log stored in part, and timesheet ID lists that let a bad item through.
#include <gtest/gtest.h>

#include "common/datetime.h"
#include "db/db_error.h"
#include "db/schema.h"
#include "common/exceptions.h"
#include "timesheet/timesheet.h"
#include "tm_test_support.h"

namespace qora::testing {
namespace {

TEST(ServicesTest, AdditionsHistoryQueries) {
  TTimesheetManager m;
  const TDateTime d14 = EncodeDate(2025, 4, 14), d16 = EncodeDate(2025, 4, 16);
  m.AddAdditionToHistory("EMP001", "MEAL", d14, 10, true);
  m.AddAdditionToHistory("EMP001", "MEAL", d16, 5, true);
  m.AddAdditionToHistory("EMP001", "MEAL", d16, 7, false);
  m.AddAdditionToHistory("EMP002", "MEAL", d16, 100, true);
  struct Case {
    const char* code;
    TDateTime from;
    bool for_costing;
    bool exists;
    double total;
  };
  const Case cases[] = {{"MEAL", 0, true, true, 15},          {"MEAL", d14, true, true, 15},
                        {"MEAL", d14 + 1, true, true, 5},     {"MEAL", d16 + 1, true, false, 0},
                        {"MEAL", 0, false, true, 7},          {"meal", 0, true, false, 0},
                        {"UNIFORM", 0, true, false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " " + std::to_string(c.from));
    EXPECT_EQ(m.AdditionExists("EMP001", c.code, c.from, c.for_costing), c.exists);
    EXPECT_DOUBLE_EQ(m.GetAdditionTotal("EMP001", c.code, c.from, c.for_costing), c.total);
  }
}

TEST(ServicesTest, LeaveRateRules) {
  struct Case {
    double value;
    bool unpaid;
    int32_t type;
    bool normal;
  };
  const Case cases[] = {{0, false, 1, true},  {36, false, 1, false}, {36, false, 2, true},
                        {0, true, 0, false},  {0, true, 2, true},    {-1, false, 0, true}};
  for (const Case& c : cases) EXPECT_EQ(TLeaveRate::UsesNormalRate(c.value, c.unpaid, c.type), c.normal);

  TTimesheetManager m;
  auto add = [&](const char* code, double value, bool unpaid, int32_t type) {
    auto rate = std::make_unique<TLeaveRate>();
    rate->SetCode(code);
    rate->SetValue(value);
    rate->SetIsUnpaid(unpaid);
    rate->SetRateType(type);
    rate->SetUseNormalRate(TLeaveRate::UsesNormalRate(value, unpaid, type));
    m.LeaveRateList().Add(std::move(rate));
  };
  add("AL ", 0, false, 2);
  add("STUDY", 36, false, 1);
  add("LWOP", 0, true, 0);
  add("STUDY", 99, false, 1);  // the first one of a code wins
  TTimesheetShift shift;
  shift.SetEmployeeNormalRate(31.75);
  EXPECT_DOUBLE_EQ(m.GetLeaveReasonRate(" AL", shift), 31.75);
  EXPECT_DOUBLE_EQ(m.GetLeaveReasonRate("STUDY", shift), 36);
  EXPECT_DOUBLE_EQ(m.GetLeaveReasonRate("LWOP", shift), 0);
  EXPECT_DOUBLE_EQ(m.GetLeaveReasonRate("JURY", shift), 31.75);
  EXPECT_EQ(m.GetLeaveRate("study"), nullptr);
  EXPECT_EQ(m.GetLeaveRate(" STUDY ")->Value(), 36);
}

TEST(ServicesTest, HoursTotalsFromTheHistory) {
  TTimesheetManager m;
  auto shift = std::make_unique<TTimesheetShift>();
  shift->SetEmployeeCode("EMP001");
  TTimesheetShift* s = m.Timesheet().AddShift(std::move(shift));
  const TDateTime d = EncodeDate(2025, 4, 14);
  // The first total records what the history is for (the whole period:
  // no stored history to load); a history for other arguments would be
  // emptied before it is reloaded.
  EXPECT_DOUBLE_EQ(m.GetHoursTotal(*s, kWorkedHoursTypes, "", TaiPeriodType::aipt_Total, 0, "", 0), 0);
  m.AddHoursToHistory("EMP001", "Normal", d, 8, THoursType::htOrdinary, "", "", "", 30, 100);
  m.AddHoursToHistory("EMP001", "OT150", d, 2, THoursType::htOvertime, "", "", "", 45, 150);
  m.AddHoursToHistory("EMP001", "OT200", d, 1, THoursType::htOvertime, "", "", "", 60, 200);
  m.AddHoursToHistory("EMP001", "AL", d, 7.6, THoursType::htLeave, "Annual Leave", "AL", "", 30, 100);
  m.AddHoursToHistory("EMP001", "SICK", d, 4, THoursType::htLeave, "Sick Leave", "SICK", "", 30, 100);
  m.AddHoursToHistory("EMP002", "Normal", d, 50, THoursType::htOrdinary, "", "", "", 30, 100);
  struct Case {
    THoursTypeSet types;
    const char* reasons;
    const char* rate_code;
    double total;
  };
  const Case cases[] = {{{THoursType::htOrdinary}, "", "", 8},
                        {kWorkedHoursTypes, "", "", 11},
                        {kWorkedHoursTypes, "", "OT150", 2},
                        {{THoursType::htOrdinary}, "AL", "", 15.6},
                        {{THoursType::htOrdinary}, "AL,SICK", "", 19.6},
                        {{}, "\"SICK\"", "", 4},
                        {{THoursType::htLeave}, "", "", 11.6}};
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(m.GetHoursTotal(*s, c.types, c.reasons, TaiPeriodType::aipt_Total, 0, c.rate_code, 0), c.total)
        << c.reasons << " " << c.rate_code;
  }
  // Another cycle start reloads (here: empties) the history.
  EXPECT_DOUBLE_EQ(m.GetHoursTotal(*s, kWorkedHoursTypes, "", TaiPeriodType::aipt_Total, 1, "", 0), 0);
}

TEST(ServicesTest, ShiftsOnARowAndFieldDefaults) {
  TTimesheetManager m;
  TUserFeedback log;
  log.SetDebugEnabled(true);
  m.SetUserFeedback(&log);
  for (int id : {7, 8, 7}) {
    auto shift = std::make_unique<TTimesheetShift>();
    shift->SetID(id);
    m.Timesheet().AddShift(std::move(shift));
  }
  EXPECT_EQ(m.NumberofShiftsOnRow(7), 2);
  EXPECT_EQ(m.NumberofShiftsOnRow(9), 0);
  const TDBRow row(std::make_shared<const TDBColumns>(std::vector<std::string>{"cCode", "fRate"}),
                   {TDBValue("AL"), TDBValue(1.5)});
  EXPECT_EQ(m.GetFieldValueDef(row, "CCODE", "x"), "AL");
  EXPECT_EQ(m.GetFieldValueDef(row, "fRate", "x"), "1.5");
  EXPECT_EQ(log.Count(), 0);
  EXPECT_EQ(m.GetFieldValueDef(row, "cMissing", "dflt"), "dflt");
  ASSERT_EQ(log.Count(), 1);
  EXPECT_EQ(log.Messages()[0].Text, "No value was supplied for \"cMissing\"");
  EXPECT_TRUE(log.Messages()[0].Info.IsDebugMessage);
}

TEST(ServicesTest, TheRunLogIsStoredWholeOrNotAtAll) {
  auto db = OpenSampleDatabase();
  db->ExecuteScript("create trigger qora_injected before insert on _estblTimesheetMessages "
                    "when new.cMessage = 'third' begin select raise(abort, 'injected failure'); end;");
  TUserFeedback log;
  for (const char* text : {"first", "second", "third"}) log.AddLogMessage(text, 0, TMessageSeverity::ms_Error, false);
  TTimesheetManager manager;
  manager.SetUserFeedback(&log);
  manager.SetDBConnection(db.get());
  EXPECT_THROW(manager.DBSaveUserFeedback(1, "GUID"), EDatabaseError);
  EXPECT_EQ(db->QueryValue("select count(*) from _estblTimesheetMessages").AsInteger(), 0);
}

class ServicesDbTest : public ManagerDbTest {
 protected:
  void AddLine(int id, int type, const char* component_type, const char* name, double units, double value) {
    Db().Execute("insert into _estblTimesheetCost (idTimesheetCost, iTimesheetID, iTimesheetRowID, iCostingType, "
                 "cComponentType, cComponentName, fRate, fUnits, fValue, fPercent) "
                 "values (:ID, 2, 8, :Type, :CType, :Name, 0, :Units, :Value, 100)",
                 {{"ID", id}, {"Type", type}, {"CType", component_type}, {"Name", name}, {"Units", units},
                  {"Value", value}});
  }
  int CountRows(const std::string& where) {
    return Db().QueryValue("select count(*) from _estblTimesheetCost where " + where).AsInteger();
  }
};

TEST_P(ServicesDbTest, AverageHourlyRateOfARowsCosting) {
  AddLine(10, 2, "Penalty", "NIGHT", 5, 20);
  AddLine(11, 2, "Amount Allowance", "MEAL", 1, 10);
  AddLine(12, 2, "Penalty", "O'BRIEN", 1, 1000);  // a quote in a name stays inside its literal
  const THoursTypeSet hours{THoursType::htOrdinary};
  struct Case {
    const char* allowances;
    const char* penalties;
    double rate;
  };
  const Case cases[] = {{"", "", 28},
                        {"", "NIGHT", 32},
                        {"MEAL", "", 30},
                        {"MEAL", "NIGHT,OTHER", 34},
                        {"<All>", "", 30},
                        {"", "\"O'BRIEN\"", 228},
                        {"<All>", "<All>", 234}};
  for (const Case& c : cases) {
    EXPECT_NEAR(manager.GetAverageHourlyRate(8, 2, hours, c.allowances, c.penalties), c.rate, 1e-9)
        << c.allowances << " / " << c.penalties;
  }
  EXPECT_DOUBLE_EQ(manager.GetAverageHourlyRate(8, 3, hours, "", ""), 0);  // no costing of the type
  EXPECT_DOUBLE_EQ(manager.GetAverageHourlyRate(99, 2, hours, "", ""), 0);
  // A row with only penalty units: the division by zero reads as 0.
  Db().Execute("delete from _estblTimesheetCost where cComponentType = 'Ordinary Hours'");
  EXPECT_DOUBLE_EQ(manager.GetAverageHourlyRate(8, 2, hours, "", "<All>"), 0);
}

TEST_P(ServicesDbTest, CompareLoadingCopiesPublishedPenaltiesAndAllowances) {
  AddLine(20, 1, "Penalty", "NIGHT", 5, 20);
  AddLine(21, 1, "Percent Allowance", "TOOLS", 1, 3);
  AddLine(22, 1, "Amount Allowance", "MEAL", 1, 10);
  AddLine(23, 2, "Penalty", "NIGHT", 5, 20);  // not type 1: never copied
  manager.ApplyCompareLoading(8, 7, 3, "MEAL", "<All>");
  EXPECT_EQ(CountRows("iCostingType = 3 and iALLink = 7"), 2);
  EXPECT_EQ(CountRows("iCostingType = 3 and cComponentName = 'NIGHT' and fValue = 20"), 1);
  EXPECT_EQ(CountRows("iCostingType = 3 and cComponentName = 'MEAL'"), 1);
  EXPECT_EQ(CountRows("iCostingType = 3 and cComponentType = 'Ordinary Hours'"), 0);
  manager.ApplyCompareLoading(8, 9, 3, "", "");
  EXPECT_EQ(CountRows("iALLink = 9"), 0);
}

TEST_P(ServicesDbTest, ApprovedCostingDropsATimesheetFromTheRun) {
  Db().Execute("insert into _estblTimesheetCost (idTimesheetCost, iTimesheetID, iTimesheetRowID, iCostingType, "
               "cComponentType) values (60, 12, 1, 2, 'Ordinary Hours')");
  manager.PopulateTimesheetIDList("12=1,15=3,12=2");
  EXPECT_EQ(manager.TimesheetIDList().CommaText(), "15=3");
  EXPECT_EQ(manager.GetTimesheetIDString(TaiCostingOutputType::cot_Adhoc), "15");
  // Sample timesheet 2 already has approved costing; timesheet 1 has none.
  manager.PopulateTimesheetIDList("1=1,2=3,1=2");
  EXPECT_EQ(manager.TimesheetIDList().CommaText(), "1=1,1=2");
  EXPECT_EQ(manager.GetTimesheetIDString(TaiCostingOutputType::cot_Approve), "1");
  // Every 32-bit ID counts; an item that is not an ID fails the list, named.
  manager.PopulateTimesheetIDList("1000000001=2,2147483647=2,1=2");
  EXPECT_EQ(manager.GetTimesheetIDString(TaiCostingOutputType::cot_Approve), "1000000001,2147483647,1");
  for (const char* bad : {"x=1", "2147483648=2", "0=2", "7"}) {
    try {
      manager.PopulateTimesheetIDList(std::string("1=2,") + bad);
      ADD_FAILURE() << bad;
    } catch (const eaiPRocessorException& e) {
      EXPECT_EQ(std::string(e.what()), "\"" + std::string(bad) + "\" is not a valid timesheet ID.");
    }
  }
  // An empty list leaves "in ()" empty, which every back end rejects.
  EXPECT_THROW(manager.PopulateTimesheetIDList(""), EDatabaseError);
}

INSTANTIATE_TEST_SUITE_P(Backends, ServicesDbTest, AllTestBackends(),
                         BackendParamName);

}  // namespace
}  // namespace qora::testing
