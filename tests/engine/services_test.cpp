// Guards the manager's query services against wrong addition and hours totals, leave rates, average rates and compare loading of a row's costing, a run log stored in part, timesheet ID lists that let a bad item through, and the hours and additions history: wrong or missing entries for a costed shift, stored costing of the wrong priority or dates, needless or missed reloads, and the wrong last date an addition was paid.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

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
  EXPECT_DOUBLE_EQ(m.GetLastAdditionTransactionDate("EMP001", "MEAL", false), 0);  // no payroll connection
  const TDateTime d14 = EncodeDate(2025, 4, 14), d16 = EncodeDate(2025, 4, 16);
  m.AddAdditionToHistory("EMP001", "MEAL", d14, 10, true);
  m.AddAdditionToHistory("EMP001", "MEAL", d16, 5, true);
  m.AddAdditionToHistory("EMP001", "MEAL", d14 + 1, 7, false);
  m.AddAdditionToHistory("EMP002", "MEAL", d16, 100, true);
  m.AddAdditionToHistory("EMP002", "MEAL", d16 + 2, 100, false);
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
  // The last date paid in this run, of the same kind of entry; codes compare exactly.
  EXPECT_EQ(FormatIsoDate(m.GetLastAdditionTransactionDate("EMP001", "MEAL", false)), "2025-04-15");
  EXPECT_EQ(FormatIsoDate(m.GetLastAdditionTransactionDate("EMP001", "MEAL", true)), "2025-04-16");
  EXPECT_DOUBLE_EQ(m.GetLastAdditionTransactionDate("EMP001", "meal", false), 0);
}

TEST(ServicesTest, LeaveRateRules) {
  // Value, unpaid, rate type: whether the employee's normal rate is paid.
  for (const auto& [value, unpaid, type, normal] : std::initializer_list<std::tuple<double, bool, int32_t, bool>>{
           {0, false, 1, true}, {36, false, 1, false}, {36, false, 2, true},
           {0, true, 0, false}, {0, true, 2, true}, {-1, false, 0, true}}) {
    EXPECT_EQ(TLeaveRate::UsesNormalRate(value, unpaid, type), normal) << value << " " << unpaid << " " << type;
  }
  // The lookup of a leave reason's rate: TmEmployeeTest.LeaveRatesFollowTheShiftDate.
}

// A costed shift: 8 ordinary hours, 2 hours of overtime at OT150, one leave
// entry and two penalties, one of them paid as an amount.
void BuildCostedShift(TTimesheetManager& manager) {
  auto shift = std::make_unique<TTimesheetShift>();
  shift->SetEmployeeCode("EMP001");
  shift->SetShiftStartDate(EncodeDate(2025, 4, 14));
  shift->SetEmployeeNormalRate(31.75);
  shift->_AddHours(9, 17, "Normal", "ORD", THoursType::htOrdinary, "", "", "");
  shift->_AddHours(17, 19, "OT150", "ORD", THoursType::htOvertime, "", "", "");
  shift->HoursGroupList().Items(1)->SetRateCode("OT150");
  shift->HoursGroupList().Items(1)->SetRate(47.625);
  shift->HoursGroupList().Items(1)->SetPercentage(150);
  auto leave = std::make_unique<TDateGroup>();
  leave->SetLeaveType("Annual Leave");
  leave->SetLeaveReason("AL");
  leave->SetRateCode("ALHRS");
  leave->SetTotalHours(3.8);
  leave->SetRate(31.75);
  shift->LeaveDatesList().Add(std::move(leave));
  for (auto option : {TaiConditionPayOpt::aicpo_PercOfBase, TaiConditionPayOpt::aicpo_Amount}) {
    auto penalty = std::make_unique<TPenalty>();
    penalty->SetAddDedCode(option == TaiConditionPayOpt::aicpo_Amount ? "MEALPEN" : "NIGHT");
    penalty->SetPayOption(option);
    penalty->SetUnits(2);
    penalty->SetRate(31.75);
    penalty->SetAmountPerc(15);
    shift->PenaltyList().Add(std::move(penalty));
  }
  manager.Timesheet().AddShift(std::move(shift));
}

TEST(HistoryTest, SaveHoursHistoryRecordsTheCurrentShift) {
  TTimesheetManager manager;
  manager.SaveHoursHistory();  // no shift: nothing
  EXPECT_EQ(manager.HoursList().Count(), 0);
  BuildCostedShift(manager);
  const TTimesheetShift& shift = *manager.Timesheet().GetTimesheetShift(0);
  // The first total records what the history is for (the whole period: no
  // stored history to load); a history for other arguments would be emptied
  // before it is reloaded.
  EXPECT_DOUBLE_EQ(manager.GetHoursTotal(shift, kWorkedHoursTypes, "", TaiPeriodType::aipt_Total, 0, "", 0), 0);
  manager.SetCurrentShiftIndex(0);
  manager.SaveHoursHistory();
  // Rate code, hours type, hours, rate, percent, leave type/reason, employee, day worked, from stored costing.
  std::vector<std::string> entries;
  for (int i = 0; i < manager.HoursList().Count(); ++i) {
    const THoursWorkedHistory& e = *manager.HoursList().Items(i);
    std::ostringstream entry;
    entry << e.RateCode() << ' ' << static_cast<int>(e.HoursType()) << ' ' << e.Hours() << ' ' << e.Rate() << ' '
          << e.AmtPercent() << ' ' << e.LeaveType() << '/' << e.LeaveReason() << ' ' << e.EmployeeCode() << ' '
          << FormatIsoDate(e.DayWorked()) << ' ' << e.FromCosting();
    entries.push_back(entry.str());
  }
  EXPECT_EQ(entries, (std::vector<std::string>{"Normal 1 8 31.75 100 / EMP001 2025-04-14 0",
                                               "OT150 2 2 47.625 150 / EMP001 2025-04-14 0",
                                               "ALHRS 6 3.8 31.75 100 Annual Leave/AL EMP001 2025-04-14 0",
                                               "NIGHT 0 2 31.75 15 / EMP001 2025-04-14 0"}));

  // Totals over the history, with hours of other rates, leave and employees added.
  const TDateTime d = EncodeDate(2025, 4, 14);
  manager.AddHoursToHistory("EMP001", "OT200", d, 1, THoursType::htOvertime, "", "", "", 60, 200);
  manager.AddHoursToHistory("EMP001", "SICK", d, 4, THoursType::htLeave, "Sick Leave", "SICK", "", 30, 100);
  manager.AddHoursToHistory("EMP002", "Normal", d, 50, THoursType::htOrdinary, "", "", "", 30, 100);
  struct Case {
    THoursTypeSet types;
    const char* reasons;
    const char* rate_code;
    double total;
  };
  const Case cases[] = {{{THoursType::htOrdinary}, "", "", 8},
                        {kWorkedHoursTypes, "", "", 11},  // the penalty's entry is not worked hours
                        {kWorkedHoursTypes, "", "OT150", 2},
                        {{THoursType::htOrdinary}, "AL", "", 11.8},
                        {{THoursType::htOrdinary}, "AL,SICK", "", 15.8},
                        {{}, "\"SICK\"", "", 4},
                        {{THoursType::htLeave}, "", "", 7.8}};
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(manager.GetHoursTotal(shift, c.types, c.reasons, TaiPeriodType::aipt_Total, 0, c.rate_code, 0),
                     c.total)
        << c.reasons << " " << c.rate_code;
  }
  // Another cycle start reloads (here: empties) the history.
  EXPECT_DOUBLE_EQ(manager.GetHoursTotal(shift, kWorkedHoursTypes, "", TaiPeriodType::aipt_Total, 1, "", 0), 0);
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

TDBValue Day(int y, int m, int d) { return TDBValue::DateTime(EncodeDate(y, m, d)); }

class ServicesDbTest : public ManagerDbTest {
 protected:
  void AddCosting(int id, int timesheet, int row, int type, const char* component_type, const char* name,
                  double units, double value = 0) {
    Db().Execute("insert into _estblTimesheetCost (idTimesheetCost, iTimesheetID, iTimesheetRowID, iCostingType, "
                 "cComponentType, cComponentName, fRate, fUnits, fValue, fPercent, cLeaveReason, cLeaveClass) "
                 "values (:ID, :TS, :Row, :Type, :CType, :Name, 28, :Units, :Value, 100, 'AL', 'ANN')",
                 {{"ID", id}, {"TS", timesheet}, {"Row", row}, {"Type", type}, {"CType", component_type},
                  {"Name", name}, {"Units", units}, {"Value", value}});
  }
  void AddLine(int id, int type, const char* component_type, const char* name, double units, double value) {
    AddCosting(id, 2, 8, type, component_type, name, units, value);
  }
  int CountRows(const std::string& where) {
    return Db().QueryValue("select count(*) from _estblTimesheetCost where " + where).AsInteger();
  }
  void AddBenTimesheet(int id, int row, TDBValue day) {
    Db().Execute("insert into _estblTimesheet (idTimesheet, iUserID, iStatus, dStartDate, dEndDate) "
                 "values (:ID, 2, 1, :Day, :Day)",
                 {{"ID", id}, {"Day", day}});
    Db().Execute("insert into _estblTimesheetRow (idTimesheetRow, iTimesheetID, iUserID, dDateWorked) "
                 "values (:Row, :ID, 2, :Day)",
                 {{"Row", row}, {"ID", id}, {"Day", day}});
  }
};
// The history read back from stored costing.
class HistoryDbTest : public ServicesDbTest {};

TEST_P(ServicesDbTest, AverageHourlyRateOfARowsCosting) {
  AddLine(10, 2, "Penalty", "NIGHT", 5, 20);
  AddLine(11, 2, "Amount Allowance", "MEAL", 1, 10);
  AddLine(12, 2, "Penalty", "O'BRIEN", 1, 1000);  // a quote in a name stays inside its literal
  const THoursTypeSet hours{THoursType::htOrdinary};
  // Allowances and penalties counted in, and the average rate.
  const std::tuple<const char*, const char*, double> cases[] = {
      {"", "", 28},         {"", "NIGHT", 32},           {"MEAL", "", 30},      {"MEAL", "NIGHT,OTHER", 34},
      {"<All>", "", 30},    {"", "\"O'BRIEN\"", 228},  {"<All>", "<All>", 234}};
  for (const auto& [allowances, penalties, rate] : cases) {
    EXPECT_NEAR(manager.GetAverageHourlyRate(8, 2, hours, allowances, penalties), rate, 1e-9)
        << allowances << " / " << penalties;
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
  // Sample timesheet 2 already has approved costing; timesheet 1 has none.
  manager.PopulateTimesheetIDList("1=1,2=3,1=2");
  EXPECT_EQ(manager.TimesheetIDList().CommaText(), "1=1,1=2");
  // An item that is not an ID fails the list, named.
  for (const char* bad : {"x=1", "2147483648=2", "0=2", "7"}) {
    EXPECT_EQ(ErrorOf<eaiPRocessorException>([&] { manager.PopulateTimesheetIDList(std::string("1=2,") + bad); }),
              "\"" + std::string(bad) + "\" is not a valid timesheet ID.");
  }
  // An empty list leaves "in ()" empty, which every back end rejects.
  EXPECT_THROW(manager.PopulateTimesheetIDList(""), EDatabaseError);
}

TEST_P(HistoryDbTest, LoadsTheHighestPriorityCostingOfEarlierTimesheetsOnce) {
  // Timesheet 2 (sample) has approved and published costing on 8 April;
  // timesheet 4 has published and ad hoc costing on 10 April, including leave
  // and a penalty; timesheet 5 lies after the timesheet start (not loaded).
  AddBenTimesheet(4, 40, Day(2025, 4, 10));
  AddCosting(40, 4, 40, 1, "Ordinary Hours", "Normal", 9);
  AddCosting(41, 4, 40, 3, "Ordinary Hours", "Normal", 6);
  AddCosting(42, 4, 40, 3, "Leave Hours", "Annual Leave", 1.5);
  AddCosting(43, 4, 40, 3, "Penalty", "NIGHT", 2);
  AddCosting(44, 4, 40, 3, "Overtime Hours", "OT150", 0.5);
  AddBenTimesheet(5, 50, Day(2025, 4, 15));
  AddCosting(50, 5, 50, 2, "Ordinary Hours", "Normal", 7);

  THoursHistoryList list;
  const auto load = [&](int days, int from_day) {
    manager.LoadHoursHistory("EMP002", days, EncodeDate(2025, 4, 7), EncodeDate(2025, 4, from_day),
                             EncodeDate(2025, 4, 20), list);
  };
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Approve);
  load(14, 14);
  ASSERT_EQ(list.Count(), 5);
  double ordinary = 0;
  for (int i = 0; i < list.Count(); ++i) {
    const THoursWorkedHistory& e = *list.Items(i);
    EXPECT_TRUE(e.FromCosting());
    EXPECT_EQ(e.EmployeeCode(), "EMP002");
    if (e.HoursType() == THoursType::htOrdinary) ordinary += e.Hours();
  }
  EXPECT_DOUBLE_EQ(ordinary, 5 + 6);  // approved of timesheet 2, ad hoc of timesheet 4
  EXPECT_EQ(list.Items(0)->RateCode() + " " + FormatIsoDate(list.Items(0)->DayWorked()), "Normal 2025-04-08");
  EXPECT_DOUBLE_EQ(list.Items(0)->Rate(), 28);
  const THoursWorkedHistory& leave = *list.Items(2);
  EXPECT_EQ(leave.HoursType(), THoursType::htLeave);
  EXPECT_EQ(leave.LeaveType() + "/" + leave.LeaveReason() + "/" + leave.LeaveClass(), "Annual Leave/AL/ANN");
  EXPECT_EQ(list.Items(3)->HoursType(), THoursType::htNone);
  EXPECT_EQ(list.Items(4)->HoursType(), THoursType::htOvertime);

  // Other arguments reload: only 8 April lies before 9 April, and a cycle
  // that starts after the costing finds none of it.
  load(14, 9);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_DOUBLE_EQ(list.Items(0)->Hours(), 5);
  load(7, 14);
  EXPECT_EQ(list.Count(), 0);
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Adhoc);
  load(14, 14);
  EXPECT_EQ(list.Count(), 5);
  // The same arguments do not read the database again; another costing type of the run does.
  Db().Execute("delete from _estblTimesheetCost");
  load(14, 14);
  EXPECT_EQ(list.Count(), 5);
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Approve);
  load(14, 14);
  EXPECT_EQ(list.Count(), 0);
}

TEST_P(HistoryDbTest, NoDaysMeansNoStoredHistory) {
  THoursHistoryList list;
  list.Add(std::make_unique<THoursWorkedHistory>());
  manager.LoadHoursHistory("EMP002", 0, EncodeDate(2025, 4, 7), EncodeDate(2025, 4, 21), EncodeDate(2025, 4, 27),
                           list);
  EXPECT_EQ(list.Count(), 0);
}

TEST_P(HistoryDbTest, TheLastAdditionDateComesFromThePayrollWhenTheRunHasNone) {
  auto shift = FileShift("EMP001", EncodeDate(2025, 4, 14));
  manager.DBLoadEmployeeDetails(*shift);  // connects the payroll database
  EXPECT_EQ(FormatIsoDate(manager.GetLastAdditionTransactionDate("EMP001", "MEAL", false)), "2025-04-10");
  EXPECT_DOUBLE_EQ(manager.GetLastAdditionTransactionDate("EMP001", "UNIFORM", false), 0);
  manager.AddAdditionToHistory("EMP001", "MEAL", EncodeDate(2025, 4, 15), 15.2, false);
  EXPECT_EQ(FormatIsoDate(manager.GetLastAdditionTransactionDate("EMP001", "MEAL", false)), "2025-04-15");
}

INSTANTIATE_TEST_SUITE_P(Backends, ServicesDbTest, AllTestBackends(), BackendParamName);
INSTANTIATE_TEST_SUITE_P(Backends, HistoryDbTest, AllTestBackends(), BackendParamName);

}  // namespace
}  // namespace qora::testing
