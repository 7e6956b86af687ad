// Guards employee loading against fields lost on the way into the shift, a wrong or missing payroll database, the cache hiding a later assignment or loading twice, passwords in the log, and dates or codes compared the wrong way.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/datetime.h"
#include "common/text.h"
#include "db/schema.h"
#include "common/exceptions.h"
#include "timesheet/timesheet.h"
#include "tm_test_support.h"

namespace qora::testing {
namespace {

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
    if (StartsText("Payroll connection = ", t)) t = "Payroll connection = ...";
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
}

TEST_P(TmEmployeeTest, BaseWeeklyHoursFollowThePayPeriod) {
  // The code as typed in a timesheet file: employee codes match whatever their case.
  auto shift = FileShift("emp002", EncodeDate(2025, 4, 8));
  manager.DBLoadEmployeeDetails(*shift);
  EXPECT_EQ(shift->EmployeeID(), 2);
  EXPECT_DOUBLE_EQ(shift->EmployeeNormalHours(), 60);
  EXPECT_DOUBLE_EQ(shift->BaseWeeklyHours(), 30);  // fortnightly
  EXPECT_EQ(shift->LeaveLoadingClassID(), 0);
}

TEST_P(TmEmployeeTest, TheSameEmployeeIsLoadedOnceAndReloadedPastTheAssignmentsEnd) {
  auto first = FileShift("EMP001", Mon14());
  auto second = FileShift("EMP001", EncodeDate(2025, 4, 15));
  manager.DBLoadEmployeeDetails(*first);
  manager.DBLoadEmployeeDetails(*second);
  EXPECT_EQ(CountMessages("Employee \"EMP001\" not in cache, starting load from database"), 1);
  EXPECT_EQ(cache.Count(), 1);
  int connects = 0;
  for (const std::string& t : MessageTexts()) connects += StartsText("Connected to ", t) ? 1 : 0;
  EXPECT_EQ(connects, 1);
  EXPECT_EQ(second->EmployeeAward(), "HOSP");

  // With only the 2024 assignment cached (HOSP01 at 30.50, ended
  // 2024-12-31), a shift after its end date loads the employee again.
  auto old_shift = FileShift("EMP001", EncodeDate(2024, 12, 31));
  cache.Clear();
  manager.DBLoadEmployeeDetails(*old_shift);
  EXPECT_EQ(old_shift->EmployeeClassification(), "HOSP01");
  EXPECT_DOUBLE_EQ(old_shift->EmployeeNormalRate(), 30.50);
  ASSERT_NE(old_shift->AllowanceList().FindAllowance("UNIFORM"), nullptr);
  EXPECT_DOUBLE_EQ(old_shift->AllowanceList().FindAllowance("UNIFORM")->AmountPerc(), 11.0);
  auto next_day = FileShift("EMP001", EncodeDate(2025, 1, 1));
  manager.DBLoadEmployeeDetails(*next_day);
  EXPECT_EQ(CountMessages("Employee \"EMP001\" not in cache, starting load from database"), 3);
  EXPECT_EQ(next_day->EmployeeClassification(), "HOSP02");
  EXPECT_EQ(cache.Count(), 2);
}

TEST_P(TmEmployeeLogicTest, ReloadingAShiftsEmployeeDoesNotDuplicateHisAdditions) {
  auto shift = FileShift("EMP001", Mon14());
  manager.DBLoadEmployeeDetails(*shift);
  manager.DBLoadEmployeeDetails(*shift);
  EXPECT_EQ(shift->AllowanceList().Count(), 2);
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
  EXPECT_EQ(main->CountContaining("from _hrtblPayrollDatabase where cPayrollLinkToken"), 1);
  // The leave rates are loaded when the token changes only.
  EXPECT_EQ(CountMessages("Loading leave rates for \"EMP001\""), 1);
  // Messages carry the shift's timesheet ID.
  EXPECT_EQ(log.Messages().front().Info.TimesheetID, 1);
}

TEST_P(TmEmployeeTest, SwitchesThePayrollDatabaseWhenTheTokenChanges) {
  TTestDatabase other(GetParam(), true, true);
  other.Connection().Execute("update _iptblEmployeeAwards_TD set fNormalRate = 99 where iEmployeeID = 3");
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
  EXPECT_EQ(manager.PayrollLinkToken(), "OTHER");
  EXPECT_EQ(chloe->PayrollLinkToken(), "OTHER");
  EXPECT_DOUBLE_EQ(chloe->EmployeeNormalRate(), 99.0);  // read from the other database
  EXPECT_EQ(payroll.Params().DefaultDatabase(), where.Database);
  manager.DBLoadEmployeeDetails(*alice_again);
  EXPECT_EQ(manager.PayrollLinkToken(), kSamplePayrollToken);
  int connects = 0;
  for (const std::string& t : MessageTexts()) connects += StartsText("Connected to ", t) ? 1 : 0;
  EXPECT_EQ(connects, 3);
  EXPECT_EQ(CountMessages("Loading leave rates for \"EMP001\""), 2);
  EXPECT_EQ(CountMessages("Loading leave rates for \"EMP003\""), 1);
  // Alice's second shift comes from the cache under her own token.
  EXPECT_EQ(CountMessages("Employee \"EMP001\" not in cache, starting load from database"), 1);
}

TEST_P(TmEmployeeLogicTest, PayrollDatabaseErrors) {
  // A person whose payroll database is not registered has no token.
  Db().Execute("insert into _hrtblPerson (idPerson, cEmployeeCode, iPayrollDatabaseID) values (9, 'LOST', NULL)");
  auto lost = FileShift("LOST", Mon14());
  try {
    manager.DBLoadEmployeeDetails(*lost);
    FAIL() << "no payroll database";
  } catch (const ePayrollException& e) {
    EXPECT_STREQ(e.what(), "The payroll database was not found");
  }
  // Two databases registered under one token.
  Db().Execute("insert into _hrtblPayrollDatabase (idPayrollDatabase, cPayrollLinkToken, cServer, cDatabase) "
               "select 3, cPayrollLinkToken, cServer, cDatabase from _hrtblPayrollDatabase where idPayrollDatabase = 1");
  auto alice = FileShift("EMP001", Mon14());
  try {
    manager.DBLoadEmployeeDetails(*alice);
    FAIL() << "two payroll databases";
  } catch (const ePayrollException& e) {
    EXPECT_STREQ(e.what(), "There are multiple payroll databases linked to the same payroll token!");
  }
  // No code and no user: nothing to look the employee up by.
  auto nobody = FileShift("", Mon14());
  EXPECT_THROW(manager.DBLoadEmployeeDetails(*nobody), eDatabaseException);
}

TEST_P(TmEmployeeTest, ThePayrollConnectionTextInTheLogHidesThePassword) {
  // SQLite ignores credentials; the test server accepts any password for
  // its own user.
  manager.SetDBSQLUserName(Backend() == TDBBackend::SQLite ? "payroll_user" : Db().Params().UserName);
  manager.SetDBSQLPassword("s3cret!");
  auto shift = FileShift("EMP001", Mon14());
  manager.DBLoadEmployeeDetails(*shift);
  bool found = false;
  for (const std::string& t : MessageTexts()) {
    if (!StartsText("Payroll connection = \"", t)) continue;
    found = true;
    EXPECT_NE(t.find("Provider=SQLOLEDB;"), std::string::npos) << t;
    EXPECT_NE(t.find("Password=********;"), std::string::npos) << t;
    EXPECT_EQ(t.find("s3cret!"), std::string::npos) << t;
  }
  EXPECT_TRUE(found);
}

TEST_P(TmEmployeeTest, APlainConnectionOpenOnThePayrollDatabaseIsReused) {
  auto plain = Database().OpenAnother();
  manager.SetPayrollConnection(plain.get());
  auto shift = FileShift("EMP001", Mon14());
  manager.DBLoadEmployeeDetails(*shift);
  EXPECT_EQ(shift->EmployeeAward(), "HOSP");
  EXPECT_EQ(CountMessages("Loading payroll database with token \"QORA_SAMPLE\""), 1);
  for (const std::string& t : MessageTexts()) EXPECT_FALSE(StartsText("Connected to ", t)) << t;

  // A closed plain connection cannot be pointed anywhere.
  plain->Close();
  auto again = FileShift("EMP001", Mon14());
  EXPECT_THROW(manager.DBLoadEmployeeDetails(*again), ePayrollException);
}

TEST_P(TmEmployeeTest, LeaveRatesFollowTheShiftDate) {
  auto shift = FileShift("EMP001", EncodeDate(2024, 6, 3));
  manager.DBLoadEmployeeDetails(*shift);
  const TLeaveRate* study = manager.GetLeaveRate("STUDY");
  ASSERT_NE(study, nullptr);
  EXPECT_DOUBLE_EQ(study->Value(), 35.0);  // the 2024 rate
  EXPECT_FALSE(study->UseNormalRate());
  EXPECT_EQ(study->CostCode(), "FOH");
  EXPECT_EQ(study->Reason(), "Study Leave");
  EXPECT_EQ(study->LeaveReasonID(), 4);
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
