// Guards the employee award records against the payroll database: fields lost or mis-bound between the view, the list and the update procedure on each back end, the pay facts' queries per dialect, and a failed save that leaves part of a change stored.
#include <gtest/gtest.h>

#include "award/employee_award_list.h"
#include "common/datetime.h"
#include "db/connection.h"
#include "foundation/class_info.h"
#include "../db/db_test_support.h"

namespace qora {
namespace {

using testing::BackendParamName;
using testing::DbBackendTest;
using testing::TTestBackend;
using testing::TTestDatabase;

TDateTime D(int y, int m, int d) { return EncodeDate(y, m, d); }

// Sample employee 1: HOSP01 2024-01-01..2024-12-31, HOSP02 from 2025-01-01.
// The new record moves them to the clerks' award; its values by published
// property, as the saved and reloaded record must show them.
const std::pair<const char*, const char*> kClerkValues[] = {
    {"AwardID", "2"}, {"PayClassID", "3"}, {"AwardEmplCategoryID", "1"}, {"AwardConditionGroupID", "3"},
    {"YearlySalary", "51234.5"}, {"NormalHours", "37.5"}, {"UseDefaultHourlyRate", "False"},
    {"HourlyRate", "27.125"}, {"AwardCategoryHoursToDate", "12.25"}, {"AutopayAmount", "100.75"},
    {"ChangeReason", "7"}};

void AddClerkRecord(TEmployeeAwardList& list, TDateTime from) {
  TEmployeeAward& record = *list.Add();
  record.SetEffectiveDate(from);
  for (const auto& [name, value] : kClerkValues) SetPublishedValue(record, name, std::string(value));
}

class EmployeeAwardDbTest : public DbBackendTest {
 protected:
  void SetUp() override { OpenDatabase(true, true); }
};

TEST_P(EmployeeAwardDbTest, RecordsRoundTripThroughTheUpdateProcedure) {
  TEmployeeAwardList list(&Db());
  list.LoadData(1);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(0)->EndDate(), D(2024, 12, 31));
  EXPECT_FALSE(list.Items(1)->HasEndDate());
  EXPECT_EQ(list.Items(1)->GetAwardTDID(Db()), 2);  // the version of 2025, not of 2024
  EXPECT_EQ(TEmployeeAward::GetCodeForID(Db(), 2), "CLERK");
  EXPECT_EQ(TEmployeeAward::GetCodeForID(Db(), 99), "");

  list.EndCurrentDeleteFuture(D(2025, 5, 1));
  AddClerkRecord(list, D(2025, 5, 1));
  TEmployeeRecordMessages messages;
  ASSERT_TRUE(list.SaveData(messages)) << (messages.Count() ? messages.Items(0)->Text() : "");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Items(1)->EndDate(), D(2025, 4, 30));
  const TEmployeeAward& clerk = *list.Items(2);
  for (const auto& [name, value] : kClerkValues) {
    EXPECT_EQ(PropValueToText(*clerk.GetClassInfo().FindProperty(name), GetPublishedValue(clerk, name)), value)
        << name;
  }
  EXPECT_EQ(clerk.AwardCode() + " " + clerk.PayClassCode() + " " + clerk.Category() + " " + clerk.ConditionGroup(),
            "CLERK CLERK01 FT Standard");
  EXPECT_FALSE(clerk.HasEndDate());
  EXPECT_EQ(clerk.GetAwardTDID(Db()), 3);

  list.Items(2)->SetChangeType(TChangeType::ct_Delete);
  ASSERT_TRUE(list.SaveData(messages));
  EXPECT_EQ(list.Count(), 2);
}

TEST_P(EmployeeAwardDbTest, PayFactsOfTheEmployee) {
  TRevisionFacts facts = LoadRevisionFacts(Db(), 1);
  EXPECT_EQ(facts.EmployeeCode, "EMP001");
  EXPECT_EQ(facts.PeriodStart, D(2025, 4, 14));  // the earliest unprocessed weekly period
  EXPECT_EQ(facts.PeriodEnd, D(2025, 4, 20));
  EXPECT_FALSE(facts.HasCurrentTransactions);
  EXPECT_EQ(facts.LastProcessedPeriodEnd, D(2025, 4, 13));
  Db().Execute("insert into _iptblEmployeeTrans (iEmployeeID, iAddsDedsID, iPeriodID, iPayFrequencyID, "
               "dEffectiveDate, fUnits, fRate, fValue) values (1, 1, 3, 1, :Date, 1, 1, 1)",
               {{"Date", TDBValue::DateTime(D(2025, 4, 22))}});
  facts = LoadRevisionFacts(Db(), 1);
  EXPECT_TRUE(facts.HasCurrentTransactions);
  EXPECT_EQ(facts.LastProcessedPeriodEnd, D(2025, 4, 13));
  facts = LoadRevisionFacts(Db(), 2);  // fortnightly, never paid
  EXPECT_EQ(facts.PeriodEnd, D(2025, 4, 20));
  EXPECT_EQ(facts.LastProcessedPeriodEnd, 0);
  EXPECT_EQ(LoadRevisionFacts(Db(), 99).EmployeeCode, "");
}

INSTANTIATE_TEST_SUITE_P(Backends, EmployeeAwardDbTest, testing::AllTestBackends(), BackendParamName);

// A save stops at a refused or failing record; what it stored before that
// must not stay, and the list keeps the officer's changes to try again.
TEST(EmployeeAwardSaveTest, AFailedSaveStoresNothing) {
  struct Case {
    const char* what;
    TDateTime failingDate;
    const char* caption;
    const char* textStart;
    const char* cause;
  };
  const Case cases[] = {
      {"procedure message", D(2025, 1, 1), "Return Message",
       "Employee Award effective on 2025-01-01 already exists for this employee.", ""},
      {"database error", D(2025, 6, 1), "Employee Award", "Error Processing Employee Awards \r\nError: ", "injected"},
  };
  for (const Case& c : cases) {
    TTestDatabase database(TTestBackend::SQLite, true, true);
    database.Connection().Execute(
        "CREATE TRIGGER inject BEFORE INSERT ON _iptblEmployeeAwards_TD WHEN NEW.dEffectiveDate LIKE '2025-06-01%' "
        "BEGIN SELECT RAISE(ABORT, 'injected'); END");
    TEmployeeAwardList list(&database.Connection());
    list.LoadData(1);
    list.Items(0)->SetEndDate(D(2024, 11, 30));
    list.Items(0)->SetChangeType(TChangeType::ct_Edit);
    AddClerkRecord(list, c.failingDate);
    TEmployeeRecordMessages messages;
    EXPECT_FALSE(list.SaveData(messages)) << c.what;
    ASSERT_EQ(messages.Count(), 1) << c.what;
    EXPECT_EQ(messages.Items(0)->Caption(), std::string(c.caption)) << c.what;
    EXPECT_EQ(messages.Items(0)->Text().rfind(c.textStart, 0), 0u) << messages.Items(0)->Text();
    EXPECT_NE(messages.Items(0)->Text().find(c.cause), std::string::npos) << messages.Items(0)->Text();
    EXPECT_EQ(list.Items(0)->ChangeType(), TChangeType::ct_Edit) << c.what;
    TEmployeeAwardList stored(&database.Connection());
    stored.LoadData(1);
    ASSERT_EQ(stored.Count(), 2) << c.what;
    EXPECT_EQ(stored.Items(0)->EndDate(), D(2024, 12, 31)) << c.what;
  }
}

}  // namespace
}  // namespace qora
