// Guards the manager's loading of stored timesheets (timesheet semantics, so SQLite) against the wrong rows for a costing type, rosters and hours across midnight, lost leave, RDO and allowance rows, documents stored as XML and the loaders' errors; and of employees against fields lost on the way into the shift, a wrong or missing payroll database, the cache hiding a later assignment or loading twice, passwords in the log, and dates or codes compared the wrong way.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "common/datetime.h"
#include "common/exceptions.h"
#include "common/format.h"
#include "common/text.h"
#include "db/db_error.h"
#include "db/schema.h"
#include "engine/stored_timesheet_view.h"
#include "timesheet/timesheet.h"
#include "tm_test_support.h"

namespace qora::testing {
namespace {

TDBValue At(int y, int m, int d, int h = 0, int n = 0) {
  return TDBValue::DateTime(EncodeDate(y, m, d) + EncodeTime(h, n, 0));
}

class TmShiftsTest : public ManagerDbTest {
 protected:
  std::vector<int> ShiftIDs() {
    std::vector<int> ids;
    for (int i = 0; i < manager.Timesheet().Count(); ++i) ids.push_back(manager.Timesheet().Items(i)->ID());
    return ids;
  }
  TTimesheetShift& ShiftWithID(int id) {
    for (int i = 0; i < manager.Timesheet().Count(); ++i) {
      if (manager.Timesheet().Items(i)->ID() == id) return *manager.Timesheet().Items(i);
    }
    throw std::runtime_error("no shift " + std::to_string(id));
  }
  // Timesheet 3 for Chloe (user 3) with one row on 2025-04-22 and its plan.
  void AddTimesheet3(const TDBValue& rostered_start, const TDBValue& rostered_end) {
    Db().Execute("insert into _estblTimesheet (idTimesheet, iUserID, iStatus, dStartDate, dEndDate) "
                 "values (3, 3, 1, :Start, :End)",
                 {{"Start", At(2025, 4, 21)}, {"End", At(2025, 4, 27)}});
    Db().Execute("insert into _estblTimesheetRow (idTimesheetRow, iTimesheetID, iUserID, dDateWorked, bIsOffDay) "
                 "values (30, 3, 3, :Day, 0)",
                 {{"Day", At(2025, 4, 22)}});
    Db().Execute("insert into _estblTimesheetRowPlan (idTimesheetRowPlan, iTimesheetRowID, dRosteredStartTime, "
                 "dRosteredEndTime, iRosteredBreakMinutes, cJobTitle, cWorkCode, cCostCode, iJobCodeID, bActualEmpty) "
                 "values (30, 30, :From, :To, 45, 'Cook', 'ORD', 'KITCHEN', 1, 0)",
                 {{"From", rostered_start}, {"To", rostered_end}});
  }
  void AddActualHours(int id, const TDBValue& from, const TDBValue& to, bool next_day) {
    Db().Execute("insert into _estblTimesheetRowHours (idTimesheetRowHours, iTimesheetRowPlanID, dStartTime, "
                 "dEndTime, bNextDay, cWorkCode, cCostCode, cJobTitle, iJobCodeID) "
                 "values (:ID, 30, :From, :To, :NextDay, 'ORD', 'KITCHEN', 'Cook', 1)",
                 {{"ID", id}, {"From", from}, {"To", to}, {"NextDay", next_day}});
  }
};

TEST_P(TmShiftsTest, ActualCostingLoadsRowsWithHoursLeaveRdoOrAllowances) {
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Approve);
  manager.DBLoadTimesheetShifts("1");
  // Good Friday (row 5) has nothing to cost.
  EXPECT_EQ(ShiftIDs(), (std::vector<int>{1, 2, 3, 4, 6, 7}));
  EXPECT_EQ(manager.Timesheet().ShiftCount(), 6);
  EXPECT_EQ(FormatIsoDate(manager.Timesheet().StartDate()) + " " + FormatIsoDate(manager.Timesheet().EndDate()),
            "2025-04-14 2025-04-20");
  EXPECT_EQ(manager.Timesheet().StatusID(), 1);

  // The night shift: rostered 22 to 30, worked 22:00 to 06:15 next day.
  TTimesheetShift& night = ShiftWithID(2);
  EXPECT_EQ(std::vector<int>({night.TimesheetID(), night.UserID(), night.TimesheetRowPlanID()}),
            std::vector<int>({1, 1, 2}));
  EXPECT_EQ(night.EmployeeCode() + " " + night.EmployeeAward(), "EMP001 HOSP");
  EXPECT_EQ(std::vector<double>({night.RosteredHoursStart(), night.RosteredHoursEnd(), night.RosteredBreakHours()}),
            std::vector<double>({22, 30, 0.5}));
  EXPECT_EQ(FormatIsoDate(night.ShiftStartDate()) + " " + FormatIsoDate(night.ShiftEndDate()), "2025-04-15 2025-04-16");
  ASSERT_EQ(night.HoursGroupList().Count(), 1);
  const THoursGroup& worked = *night.HoursGroupList().Items(0);
  EXPECT_EQ(std::vector<double>({worked.FromTime(), worked.ToTime()}), std::vector<double>({22, 30.25}));
  EXPECT_EQ(worked.ComponentName() + " " + worked.JobCode() + " " + worked.CostAccount(), "Normal COOK KITCHEN");
  EXPECT_EQ(FormatIsoDateTime(night.LastImportDate()), "2025-04-21 08:30:00");

  // Split shift: two blocks with the break between filled in; the unplanned
  // allowance only (the planned one belongs to the rostered plan).
  TTimesheetShift& split = ShiftWithID(4);
  EXPECT_EQ(std::vector<double>({split.OrdinaryHoursTotal(), split.BreakHours()}), std::vector<double>({8, 0.5}));
  TTimesheetColumn* first_aid = split.FindColumnByName("fFIRSTAID");
  ASSERT_NE(first_aid, nullptr);
  EXPECT_DOUBLE_EQ(first_aid->FloatValue(), 1);
  EXPECT_EQ(first_aid->JobCode() + " " + first_aid->CostCode() + " " + first_aid->JobTitle(), "WAIT FOH Waiter");
  EXPECT_EQ(split.FindColumnByName("fMEAL"), nullptr);
  EXPECT_NE(ShiftWithID(1).FindColumnByName("fMEAL"), nullptr);

  // Leave: annual leave on row 3, user-defined study leave on row 7 (its reason trimmed).
  for (const auto& [id, text] : {std::pair{3, "Annual Leave/AL//7.6"}, {7, "User Defined Leave/STUDY/STUDY/4"}}) {
    ASSERT_EQ(ShiftWithID(id).LeaveDatesList().Count(), 1);
    const TDateGroup& leave = *ShiftWithID(id).LeaveDatesList().Items(0);
    EXPECT_EQ(leave.LeaveType() + "/" + leave.LeaveReason() + "/" + leave.LeaveClass() + "/" +
                  FloatToStr(leave.TotalHours()), text);
  }
  EXPECT_FALSE(ShiftWithID(7).IsDummyShift());

  // RDO on Saturday.
  TTimesheetShift& rdo = ShiftWithID(6);
  ASSERT_EQ(rdo.RDODatesList().Count(), 1);
  const TDateGroup& rdo_day = *rdo.RDODatesList().Items(0);
  EXPECT_EQ(rdo_day.LeaveClass() + " " + FloatToStr(rdo_day.TotalHours()) + " " + FormatIsoDate(rdo_day.DateFrom()),
            "RDO Hours 7.6 2025-04-19");
  EXPECT_FALSE(rdo.IsOffDay());
  EXPECT_EQ(rdo.HoursGroupList().Count(), 0);
}

TEST_P(TmShiftsTest, PublishedCostingLoadsTheRosteredPlan) {
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Publish);
  manager.DBLoadTimesheetShifts("1");
  EXPECT_EQ(ShiftIDs(), (std::vector<int>{1, 2, 3, 4, 6}));
  TTimesheetShift& night = ShiftWithID(2);
  // The rostered break is not paid.
  EXPECT_EQ(std::vector<double>({night.ShiftStart(), night.ShiftEnd(), night.OrdinaryHoursTotal()}),
            std::vector<double>({22, 30, 7.5}));
  EXPECT_EQ(FormatIsoDate(night.ShiftEndDate()), "2025-04-16");
  // The plan's job title, job code and cost code, each from its own column.
  const THoursGroup& block = *night.HoursGroupList().Items(0);
  EXPECT_EQ((std::vector<std::string>{block.JobTitle(), block.JobCode(), block.CostAccount()}),
            (std::vector<std::string>{"Cook", "COOK", "KITCHEN"}));
  EXPECT_EQ(ShiftWithID(3).LeaveDatesList().Count(), 0);  // no leave in the plan
  ASSERT_NE(ShiftWithID(4).FindColumnByName("fMEAL"), nullptr);
  EXPECT_EQ(ShiftWithID(4).FindColumnByName("fFIRSTAID"), nullptr);
  // The RDO row has no roster: an off day without hours, so a dummy shift.
  EXPECT_TRUE(ShiftWithID(6).IsOffDay());
  EXPECT_TRUE(ShiftWithID(6).IsDummyShift());
  EXPECT_EQ(ShiftWithID(6).RDODatesList().Count(), 1);
}

TEST_P(TmShiftsTest, RostersAndActualHoursAcrossMidnight) {
  // 09:00 to 09:00 is a 24-hour roster ending the next day.
  AddTimesheet3(At(2025, 4, 22, 9), At(2025, 4, 22, 9));
  // Actual: 23:00 to 02:00 (end on the next day) and 03:00 to 05:00 marked
  // as the next day.
  AddActualHours(31, At(2025, 4, 22, 23), At(2025, 4, 23, 2), false);
  AddActualHours(32, At(2025, 4, 22, 3), At(2025, 4, 22, 5), true);
  AddActualHours(33, At(2025, 4, 22, 6), TDBValue(), false);  // no end: ignored

  manager.SetCostingOutputType(TaiCostingOutputType::cot_Publish);
  manager.DBLoadTimesheetShifts("3");
  ASSERT_EQ(manager.Timesheet().Count(), 1);
  TTimesheetShift& planned = *manager.Timesheet().Items(0);
  EXPECT_EQ(std::vector<double>({planned.RosteredHoursStart(), planned.RosteredHoursEnd(), planned.RosteredBreakHours()}),
            std::vector<double>({9, 33, 0.75}));
  EXPECT_EQ(FormatIsoDate(planned.ShiftEndDate()) + " " + planned.EmployeeCode(), "2025-04-23 EMP003");

  manager.SetCostingOutputType(TaiCostingOutputType::cot_Adhoc);
  manager.DBLoadTimesheetShifts("3");
  ASSERT_EQ(manager.Timesheet().Count(), 1);
  TTimesheetShift& actual = *manager.Timesheet().Items(0);
  std::vector<std::pair<double, double>> blocks;
  for (const THoursGroup* g : actual.HoursGroupList().Groups()) {
    if (g->HoursType() == THoursType::htOrdinary) blocks.emplace_back(g->FromTime(), g->ToTime());
  }
  std::sort(blocks.begin(), blocks.end());
  EXPECT_EQ(blocks, (std::vector<std::pair<double, double>>{{23, 26}, {27, 29}}));
}

TEST_P(TmShiftsTest, HoursPastMidnightEndTheShiftOnTheNextDay) {
  // Rostered 14:00 to 22:00, worked on with two breaks after midnight.
  AddTimesheet3(At(2025, 4, 22, 14), At(2025, 4, 22, 22));
  AddActualHours(31, At(2025, 4, 22, 22), At(2025, 4, 22, 23), false);
  AddActualHours(32, At(2025, 4, 22, 0, 30), At(2025, 4, 22, 2), true);
  AddActualHours(33, At(2025, 4, 22, 2, 30), At(2025, 4, 22, 6), true);
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Adhoc);
  manager.DBLoadTimesheetShifts("3");
  ASSERT_EQ(manager.Timesheet().Count(), 1);
  const TTimesheetShift& shift = *manager.Timesheet().Items(0);
  EXPECT_EQ(FormatIsoDate(shift.ShiftStartDate()) + " " + FormatIsoDate(shift.ShiftEndDate()), "2025-04-22 2025-04-23");
  EXPECT_DOUBLE_EQ(shift.ShiftEnd(), 30);
}

TEST_P(TmShiftsTest, TwoTimesheetsInOneListAndListValidation) {
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Approve);
  manager.DBLoadTimesheetShifts(" 1, 2 ");
  EXPECT_EQ(manager.Timesheet().Count(), 7);
  EXPECT_EQ(ShiftWithID(8).EmployeeCode(), "EMP002");
  EXPECT_THROW(manager.DBLoadTimesheetShifts("1) or (1=1"), EDatabaseError);
  manager.DBLoadTimesheetShifts("");
  EXPECT_EQ(manager.Timesheet().Count(), 0);
}

TEST_P(TmShiftsTest, MissingShiftsAreReportedAsErrors) {
  auto first = std::make_unique<TTimesheetShift>();
  first->SetTimesheetID(7);
  manager.Timesheet().AddShift(std::move(first));
  manager.DBAddTimesheetLeave(nullptr);
  manager.DBAddTimesheetRDO(nullptr);
  manager.DBAddTimesheetAllowances(nullptr);
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"No shift specified in DBAddTimesheetLeave for Timesheet ID 7",
                                                      "No shift specified in DBAddTimesheetRDO for Timesheet ID 7",
                                                      "No shift specified in DBAddTimesheetAllowances for Timesheet ID 7"}));
  for (const auto& m : log.Messages()) EXPECT_EQ(m.Info.Severity, TMessageSeverity::ms_Error);
}


TEST_P(TmShiftsTest, DocumentsStoredInTheDatabase) {
  Db().Execute("insert into _estblTimesheet (idTimesheet, iUserID, iStatus, dStartDate, dEndDate, iImportType, nData) "
               "values (5, 1, 1, :Start, :End, 1, :Data), (6, 1, 1, :Start, :End, 2, 'a,b')",
               {{"Start", At(2025, 4, 14)}, {"End", At(2025, 4, 20)}, {"Data", kCards}});
  manager.XMLLoadFromDatabase(5);
  ASSERT_EQ(manager.Timesheet().Count(), 2);
  EXPECT_EQ(manager.Timesheet().Items(0)->EmployeeCode(), "EMP001");
  EXPECT_DOUBLE_EQ(manager.Timesheet().Items(0)->OrdinaryHoursTotal(), 8);
  EXPECT_EQ(ErrorOf<eNotImplementException>([&] { manager.XMLLoadFromDatabase(6); }),
            "Loading CSV timesheets from the database is not supported. Use XML format instead.");
  EXPECT_THROW(manager.XMLLoadFromDatabase(99), eRecordNotFoundException);
  // Streams must hold a document, read from its start.
  EXPECT_EQ(ErrorOf<eLoadFromStreamException>([&] { manager.LoadTimesheetFromStream(nullptr, 1); }),
            "Blank or Invalid Timesheet.");
  std::istringstream empty;
  EXPECT_THROW(manager.LoadTimesheetFromStream(&empty, 1), eLoadFromStreamException);
  std::istringstream csv("a,b");
  EXPECT_THROW(manager.LoadTimesheetFromStream(&csv, 2), eNotImplementException);
  std::istringstream cards(kCards);
  cards.seekg(10);  // the stream is read from its start
  const int loaded = manager.Timesheet().Count();
  manager.LoadTimesheetFromStream(&cards, 1);
  EXPECT_EQ(manager.Timesheet().Count(), loaded + 2);
}

INSTANTIATE_TEST_SUITE_P(SQLite, TmShiftsTest, SqliteOnly(), BackendParamName);

// The view opens its own connection from a URI, so it runs on every back end.
class TmStoredViewTest : public ManagerDbTest {};

TEST_P(TmStoredViewTest, TheStoredTimesheetViewReadsEveryBackEnd) {
  const std::string uri = Db().Params().ToUri();
  const nlohmann::ordered_json json = ShowStoredTimesheet(uri, 2);
  ASSERT_EQ(json["Shifts"].size(), 1u);
  EXPECT_EQ(json["Shifts"][0]["EmployeeCode"], "EMP002");
  EXPECT_EQ(json["Shifts"][0]["EmployeeCategory"], "PT");
  EXPECT_EQ(json["Shifts"][0]["ConditionGroup"], "Night Shift");
  EXPECT_DOUBLE_EQ(json["Shifts"][0]["BaseWeeklyHours"].get<double>(), 30);
  const nlohmann::ordered_json first = ShowStoredTimesheet(uri, 1);
  EXPECT_EQ(first["TimesheetID"], 1);
  EXPECT_EQ(first["CostingType"], "cot_Approve");
  ASSERT_EQ(first["Shifts"].size(), 6u);
  EXPECT_EQ(first["Shifts"][1]["EmployeeClassification"], "HOSP02");
  EXPECT_EQ(first["Shifts"][2]["LeaveDates"][0]["LeaveType"], "Annual Leave");
  EXPECT_EQ(ShowStoredTimesheet(uri, 1, TaiCostingOutputType::cot_Publish)["Shifts"].size(), 5u);
  EXPECT_THROW(ShowStoredTimesheet(uri, 42), eRecordNotFoundException);
}

INSTANTIATE_TEST_SUITE_P(Backends, TmStoredViewTest, AllTestBackends(), BackendParamName);

TDateTime Mon14() { return EncodeDate(2025, 4, 14); }

class TmEmployeeTest : public ManagerDbTest {
 protected:
  void SetUp() override {
    ManagerDbTest::SetUp();
    if (IsSkipped()) return;
    manager.Timesheet().SetStartDate(Mon14());
    manager.Timesheet().SetEndDate(EncodeDate(2025, 4, 20));
  }
};
// Engine rules of loading and the cache, where the back ends do not differ.
class TmEmployeeLogicTest : public TmEmployeeTest {};

TEST_P(TmEmployeeTest, LoadsTheEmployeeIntoTheShiftWithEveryDebugMessage) {
  // SQLite ignores credentials; the test server accepts any password for
  // its own user. The log must not show the password.
  manager.SetDBSQLUserName(Backend() == TDBBackend::SQLite ? "payroll_user" : Db().Params().UserName);
  manager.SetDBSQLPassword("s3cret!");
  auto shift = FileShift("EMP001", Mon14());
  manager.DBLoadEmployeeDetails(*shift);

  EXPECT_EQ(shift->PayrollLinkToken() + " " + shift->EmployeeCategory() + " " + shift->ConditionGroup() + " " +
                FormatIsoDate(shift->EmployeeDOB()),
            "QORA_SAMPLE FT Standard 1990-05-12");
  // Weekly pay: the base weekly hours are the stored normal hours.
  EXPECT_EQ(std::vector<double>({1.0 * shift->EmployeeID(), shift->EmployeeNormalHours(), shift->BaseWeeklyHours(),
                                 1.0 * shift->LeaveLoadingClassID()}),
            std::vector<double>({1, 38, 38, 1}));
  // Work pattern Monday to Sunday: five days of 7.6 hours, Good Friday named.
  ASSERT_EQ(shift->WorkPatternList().Count(), 7);
  EXPECT_NEAR(shift->EmployeeWorkPatternHours(), 38.0, 1e-9);
  EXPECT_TRUE(shift->IsPublicHoliday(EncodeDate(2025, 4, 18)));
  // Additions held on the employee in 2025: uniform at 12.50 (not the 2024
  // amount), first aid from the register.
  ASSERT_EQ(shift->AllowanceList().Count(), 2);
  const TAllowance* uniform = shift->AllowanceList().FindAllowance("UNIFORM");
  const TAllowance* first_aid = shift->AllowanceList().FindAllowance("FIRSTAID");
  ASSERT_TRUE(uniform != nullptr && first_aid != nullptr);
  EXPECT_TRUE(uniform->OnEmployee());
  EXPECT_EQ(uniform->AddDedType() + " " + first_aid->AddDedType(), "Amount Rate");
  EXPECT_EQ(manager.LeaveRateList().Count(), 4);

  std::vector<std::string> texts = MessageTexts();
  // Timing messages vary; check their form and drop them.
  for (std::string& t : texts) {
    if (t.find(" seconds") != std::string::npos) {
      EXPECT_TRUE(t.size() > 10 && t.substr(t.size() - 10) == ".1 seconds") << t;
      t = t.substr(0, t.find(" in "));
    }
    if (StartsText("Payroll connection = \"", t)) {
      EXPECT_NE(t.find("Provider=SQLOLEDB;"), std::string::npos) << t;
      EXPECT_NE(t.find("Password=********;"), std::string::npos) << t;
      EXPECT_EQ(t.find("s3cret!"), std::string::npos) << t;
      t = "Payroll connection = ...";
    }
    if (StartsText("Connected to ", t)) t = "Connected to ...";
  }
  const std::vector<std::string> expected = {
      "Loading employee details for \"EMP001\"",
      "Loading payroll database with token \"QORA_SAMPLE\"",
      "Payroll connection = ...",
      "Connected to ...",
      "Checking employee cache for \"EMP001\"",
      "Employee \"EMP001\" not in cache, starting load from database",
      "Loaded employee details for \"EMP001\"",
      "Loaded award details for \"EMP001\"",
      "Loaded allowance details for \"EMP001\"",
      "Finished loading details for \"EMP001\"",
      "Loading work pattern for \"EMP001\"",
      "Loaded 7 work pattern days",
      "Loading leave rates for \"EMP001\"",
      "Loaded 4 leave rates",
      "Loaded employee details"};
  EXPECT_EQ(texts, expected);
  // Loading the same shift again does not duplicate the employee's additions.
  manager.DBLoadEmployeeDetails(*shift);
  EXPECT_EQ(shift->AllowanceList().Count(), 2);
}

TEST_P(TmEmployeeTest, BaseWeeklyHoursFollowThePayPeriod) {
  // The code as typed in a timesheet file: employee codes match whatever their case.
  auto shift = FileShift("emp002", EncodeDate(2025, 4, 8));
  manager.DBLoadEmployeeDetails(*shift);
  // Fortnightly pay: the base weekly hours are half the stored normal hours.
  EXPECT_EQ(std::vector<double>({1.0 * shift->EmployeeID(), shift->EmployeeNormalHours(), shift->BaseWeeklyHours(),
                                 1.0 * shift->LeaveLoadingClassID()}),
            std::vector<double>({2, 60, 30, 0}));
}

TEST_P(TmEmployeeTest, TheSameEmployeeIsLoadedOnceAndReloadedPastTheAssignmentsEnd) {
  auto first = FileShift("EMP001", Mon14());
  auto second = FileShift("EMP001", EncodeDate(2025, 4, 15));
  manager.DBLoadEmployeeDetails(*first);
  manager.DBLoadEmployeeDetails(*second);
  EXPECT_EQ(CountMessages("Employee \"EMP001\" not in cache, starting load from database"), 1);
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_EQ(CountMessages("Connected to ", true), 1);
  EXPECT_EQ(second->EmployeeAward(), "HOSP");

  // With only the 2024 assignment cached (HOSP01 at 30.50, ended
  // 2024-12-31), a shift after its end date loads the employee again.
  auto old_shift = FileShift("EMP001", EncodeDate(2024, 12, 31));
  cache.Clear();
  manager.DBLoadEmployeeDetails(*old_shift);
  EXPECT_EQ(old_shift->EmployeeClassification() + " " + FloatToStr(old_shift->EmployeeNormalRate()), "HOSP01 30.5");
  ASSERT_NE(old_shift->AllowanceList().FindAllowance("UNIFORM"), nullptr);
  EXPECT_DOUBLE_EQ(old_shift->AllowanceList().FindAllowance("UNIFORM")->AmountPerc(), 11.0);
  auto next_day = FileShift("EMP001", EncodeDate(2025, 1, 1));
  manager.DBLoadEmployeeDetails(*next_day);
  EXPECT_EQ(CountMessages("Employee \"EMP001\" not in cache, starting load from database"), 3);
  EXPECT_EQ(next_day->EmployeeClassification(), "HOSP02");
  EXPECT_EQ(cache.Count(), 2);
}

TEST_P(TmEmployeeLogicTest, StoredShiftsOfTheSameTokenLookUpThePayrollDatabaseOnce) {
  for (int day = 14; day <= 15; ++day) {
    auto shift = FileShift("", EncodeDate(2025, 4, day));
    shift->SetUserID(1);
    shift->SetTimesheetID(1);
    manager.DBLoadEmployeeDetails(*shift);
    EXPECT_EQ(shift->EmployeeCode(), "EMP001");
  }
  EXPECT_EQ(CountMessages("Loading payroll database with token \"QORA_SAMPLE\""), 1);
  // The leave rates are loaded when the token changes only.
  EXPECT_EQ(CountMessages("Loading leave rates for \"EMP001\""), 1);
  // Messages carry the shift's timesheet ID.
  EXPECT_EQ(log.Messages().front().Info.TimesheetID, 1);
}

TEST_P(TmEmployeeTest, SwitchesThePayrollDatabaseWhenTheTokenChanges) {
  TTestDatabase other(GetParam(), true, true);
  other.Connection().Execute("update _iptblEmployeeAwards_TD set fNormalRate = 99 where iEmployeeID = 3");
  other.Connection().Execute("update _iptblRateTypes_TD set fRate = 77 where idRateTypeTD = 3");
  const TPayrollLocation where = PayrollLocationFor(other.Connection().Params());
  Db().Execute("insert into _hrtblPayrollDatabase (idPayrollDatabase, cPayrollLinkToken, cDescription, cServer, "
               "cDatabase) values (2, 'OTHER', 'Second payroll', :Server, :Database)",
               {{"Server", where.Server}, {"Database", where.Database}});
  Db().Execute("update _hrtblPerson set iPayrollDatabaseID = 2 where idPerson = 3");

  auto alice = FileShift("EMP001", Mon14());
  auto chloe = FileShift("EMP003", Mon14());
  auto alice_again = FileShift("EMP001", EncodeDate(2025, 4, 15));
  manager.DBLoadEmployeeDetails(*alice);
  EXPECT_EQ(manager.PayrollLinkToken(), kSamplePayrollToken);
  manager.DBLoadEmployeeDetails(*chloe);
  EXPECT_EQ(manager.PayrollLinkToken() + " " + chloe->PayrollLinkToken(), "OTHER OTHER");
  EXPECT_DOUBLE_EQ(chloe->EmployeeNormalRate(), 99.0);  // read from the other database
  EXPECT_DOUBLE_EQ(manager.GetLeaveRate("STUDY")->Value(), 77.0);  // its leave rates too, for the same date
  EXPECT_EQ(payroll.Params().DefaultDatabase(), where.Database);
  manager.DBLoadEmployeeDetails(*alice_again);
  EXPECT_EQ(manager.PayrollLinkToken(), kSamplePayrollToken);
  EXPECT_DOUBLE_EQ(manager.GetLeaveRate("STUDY")->Value(), 36.0);
  EXPECT_EQ(CountMessages("Connected to ", true), 3);
  EXPECT_EQ(CountMessages("Loading leave rates for \"EMP001\""), 2);
  EXPECT_EQ(CountMessages("Loading leave rates for \"EMP003\""), 1);
  // Alice's second shift comes from the cache under her own token.
  EXPECT_EQ(CountMessages("Employee \"EMP001\" not in cache, starting load from database"), 1);
}

TEST_P(TmEmployeeLogicTest, PayrollDatabaseErrors) {
  // A person whose payroll database is not registered has no token.
  Db().Execute("insert into _hrtblPerson (idPerson, cEmployeeCode, iPayrollDatabaseID) values (9, 'LOST', NULL)");
  auto lost = FileShift("LOST", Mon14());
  EXPECT_EQ(ErrorOf<ePayrollException>([&] { manager.DBLoadEmployeeDetails(*lost); }),
            "The payroll database was not found");
  // Two databases registered under one token.
  Db().Execute("insert into _hrtblPayrollDatabase (idPayrollDatabase, cPayrollLinkToken, cServer, cDatabase) "
               "select 3, cPayrollLinkToken, cServer, cDatabase from _hrtblPayrollDatabase where idPayrollDatabase = 1");
  auto alice = FileShift("EMP001", Mon14());
  EXPECT_EQ(ErrorOf<ePayrollException>([&] { manager.DBLoadEmployeeDetails(*alice); }),
            "There are multiple payroll databases linked to the same payroll token!");
  // No code and no user: nothing to look the employee up by.
  auto nobody = FileShift("", Mon14());
  EXPECT_THROW(manager.DBLoadEmployeeDetails(*nobody), eDatabaseException);
}

TEST_P(TmEmployeeTest, APlainConnectionOpenOnThePayrollDatabaseIsReused) {
  auto plain = Database().OpenAnother();
  manager.SetPayrollConnection(plain.get());
  auto shift = FileShift("EMP001", Mon14());
  manager.DBLoadEmployeeDetails(*shift);
  EXPECT_EQ(shift->EmployeeAward(), "HOSP");
  EXPECT_EQ(CountMessages("Loading payroll database with token \"QORA_SAMPLE\""), 1);
  EXPECT_EQ(CountMessages("Connected to ", true), 0);

  // A closed plain connection cannot be pointed anywhere.
  plain->Close();
  auto again = FileShift("EMP001", Mon14());
  EXPECT_THROW(manager.DBLoadEmployeeDetails(*again), ePayrollException);
}

TEST_P(TmEmployeeTest, LeaveRatesFollowTheShiftDate) {
  // A code kept with trailing blanks, as a fixed-width column returns it.
  Db().Execute("update _iptblLeaveReasons set cCode = 'AL  ' where cCode = 'AL'");
  auto shift = FileShift("EMP001", EncodeDate(2024, 6, 3));
  manager.DBLoadEmployeeDetails(*shift);
  // Paid leave of the ordinary rate type, and a reason without a rate, pay the
  // employee's normal rate (30.50 in 2024); unpaid leave pays nothing.
  EXPECT_EQ(std::vector<double>({manager.GetLeaveReasonRate(" AL", *shift), manager.GetLeaveReasonRate("STUDY", *shift),
                                 manager.GetLeaveReasonRate("LWOP", *shift), manager.GetLeaveReasonRate("JURY", *shift)}),
            std::vector<double>({30.5, 35, 0, 30.5}));
  EXPECT_EQ(manager.GetLeaveRate("study"), nullptr);  // codes compare exactly
  const TLeaveRate* study = manager.GetLeaveRate(" STUDY ");
  ASSERT_NE(study, nullptr);
  EXPECT_DOUBLE_EQ(study->Value(), 35.0);  // the 2024 rate
  EXPECT_FALSE(study->UseNormalRate());
  EXPECT_EQ(study->CostCode() + " " + study->Reason() + " " + std::to_string(study->LeaveReasonID()), "FOH Study Leave 4");
  // Each stored timesheet starts over (ClearAll) and reads the rates of its
  // own first day, whatever the timesheet before it read.
  for (const auto& [date, rate] : {std::pair{Mon14(), 36.0}, std::pair{EncodeDate(2024, 6, 3), 35.0}}) {
    manager.ClearAll();
    manager.DBLoadEmployeeDetails(*FileShift("EMP001", date));
    EXPECT_DOUBLE_EQ(manager.GetLeaveRate("STUDY")->Value(), rate) << date;
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, TmEmployeeTest, AllTestBackends(),
                         BackendParamName);

TEST_P(TmEmployeeLogicTest, ADayWithoutAnAssignmentDoesNotHideALaterOne) {
  // Chloe's rate and award start on 2 January, written with and without a time.
  Db().Execute("update _iptblEmployeeRates_TD set dEffectiveDate = '2025-01-02' where iEmployeeID = 3");
  Db().Execute("update _iptblEmployeeAwards_TD set dEffectiveDate = '2025-01-02 00:00:00' where iEmployeeID = 3");
  for (const TDateTime day : {EncodeDate(2024, 12, 30), EncodeDate(2024, 12, 31), EncodeDate(2025, 1, 1),
                              EncodeDate(2025, 1, 2), EncodeDate(2025, 1, 3)}) {
    auto shift = FileShift("EMP003", day);
    manager.DBLoadEmployeeDetails(*shift);
    EXPECT_EQ(shift->EmployeeAward(), day < EncodeDate(2025, 1, 2) ? "" : "HOSP") << FormatIsoDate(day);
  }
  // Each day without an assignment was looked up once; the assignment once.
  EXPECT_EQ(CountMessages("Employee \"EMP003\" not in cache, starting load from database"), 4);
}

INSTANTIATE_TEST_SUITE_P(SQLite, TmEmployeeLogicTest, SqliteOnly(), BackendParamName);

}  // namespace
}  // namespace qora::testing
