// Guards the employee award records, their cache and their store: current, exact and shoulder look-ups at their date boundaries (token, code and case in the cache), deleted records leaking into look-ups, EndCurrentDeleteFuture's day before, ValidateAward's order, which revision check fires (with its exact text) for each kind of change, wrong weekly hours for a pay period, fields lost or mis-bound between the view, the list and the update procedure on each back end, the pay facts' queries per dialect, and a failed save that leaves part of a change stored.
#include <gtest/gtest.h>

#include "award/employee_award_cache.h"
#include "award/employee_award_list.h"
#include "common/datetime.h"
#include "db/connection.h"
#include "foundation/class_info.h"
#include "../db/db_test_support.h"

namespace qora {
namespace {

TDateTime D(int y, int m, int d) { return EncodeDate(y, m, d); }

// A record of the award from `from` to `to` (0: open-ended) whose other fields are valid.
std::unique_ptr<TEmployeeAward> Record(TDateTime from, TDateTime to, int32_t awardID, const std::string& code,
                                       int32_t payClass = 1) {
  auto record = std::make_unique<TEmployeeAward>();
  record->SetEffectiveDate(from);
  record->SetEndDate(to);
  record->SetAwardID(awardID);
  record->SetAwardCode(code);
  record->SetPayClassID(payClass);
  record->SetAwardEmplCategoryID(1);
  record->SetAwardConditionGroupID(1);
  return record;
}

TEmployeeAward* AddAward(TEmployeeAwardList& list, TDateTime from, TDateTime to, int32_t awardID, const char* code) {
  return list.Items(list.AddObject(Record(from, to, awardID, code)));
}

TEST(EmployeeAwardListTest, CurrentAndExactRevisionsSkipDeletedRecords) {
  TEmployeeAwardList list;
  TEmployeeAward* a = AddAward(list, D(2023, 1, 1), D(2023, 6, 30), 1, "HOSP");
  TEmployeeAward* b = AddAward(list, D(2023, 7, 1), 0, 2, "CLERK");
  EXPECT_EQ(list.GetCurrentAward(D(2023, 3, 1)), a);
  EXPECT_EQ(list.GetCurrentAward(D(2023, 6, 30)), a);
  EXPECT_EQ(list.GetCurrentAward(D(2023, 8, 1)), b);
  EXPECT_EQ(list.GetCurrentAward(D(2022, 12, 1)), a);
  EXPECT_EQ(list.GetCurrentAwardID(D(2023, 8, 1)), 2);
  // The same component twice on one date: identity decides only when the list compares it.
  TEmployeeAward* twin = AddAward(list, D(2023, 7, 1), 0, 3, "RETAIL");
  const std::tuple<bool, int32_t, TEmployeeAward*> cases[] = {
      {false, 3, b}, {true, 3, twin}, {true, 0, b}, {true, 9, nullptr}};
  for (const auto& [useComponent, component, expected] : cases) {
    list.Records().SetUseComponentCode(useComponent);
    EXPECT_EQ(list.Records().GetExactRevision(component, D(2023, 7, 1)), expected) << useComponent << component;
  }
  list.Records().SetUseComponentCode(false);
  for (TEmployeeAward* deleted : {a, b, twin}) deleted->SetChangeType(TChangeType::ct_Delete);
  EXPECT_EQ(list.GetCurrentAward(D(2023, 3, 1)), nullptr);
  EXPECT_EQ(list.GetExactRevision(D(2023, 1, 1)), nullptr);
  EXPECT_EQ(list.GetCurrentAwardID(D(2023, 8, 1)), 0);
}

TEST(EmployeeAwardListTest, ShoulderAwardsAroundAnInsert) {
  TEmployeeAwardList list;
  TEmployeeAward* a = AddAward(list, D(2023, 1, 1), D(2023, 6, 30), 1, "A");
  TEmployeeAward* b = AddAward(list, D(2023, 7, 1), 0, 2, "B");
  AddAward(list, D(2022, 12, 1), 0, 3, "DELETED")->SetChangeType(TChangeType::ct_Delete);
  const std::tuple<TDateTime, TDateTime, TEmployeeAward*, TEmployeeAward*> cases[] = {  // new dates, shoulders
      {D(2023, 3, 1), D(2023, 4, 30), a, nullptr},  // B starts after the new end
      {D(2023, 3, 1), 0, a, b},
      {D(2023, 3, 1), D(2023, 7, 1), a, nullptr},   // B starting on the new end is left out
      {D(2023, 3, 1), D(2023, 7, 2), a, b},
      {D(2023, 6, 30), 0, nullptr, b},              // A ends on, not after, the new start
      {D(2023, 8, 1), 0, b, nullptr},
      {D(2022, 6, 1), D(2023, 2, 1), nullptr, a},
  };
  for (const auto& [effective, end, expectedPrevious, expectedNext] : cases) {
    TEmployeeAward *previous = nullptr, *next = nullptr;
    list.GetShoulderAwards(previous, next, end, effective);
    EXPECT_EQ(std::pair(previous, next), std::pair(expectedPrevious, expectedNext))
        << FormatIsoDate(effective) << " " << end;
  }
}

TEST(EmployeeAwardListTest, EndCurrentDeleteFutureAndMarkAllAsDeleted) {
  TEmployeeAwardList list;
  TEmployeeAward* current = AddAward(list, D(2023, 1, 1), 0, 1, "A");
  TEmployeeAward* stored = AddAward(list, D(2023, 9, 1), 0, 1, "B");
  list.Add()->SetEffectiveDate(D(2023, 10, 1));  // never saved
  list.EndCurrentDeleteFuture(D(2023, 7, 1) + 0.5);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(current->EndDate(), D(2023, 6, 30));
  EXPECT_EQ(current->ChangeType(), TChangeType::ct_Edit);
  EXPECT_EQ(stored->ChangeType(), TChangeType::ct_Delete);
  list.Add();
  list.MarkAllAsDeleted();
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(current->ChangeType(), TChangeType::ct_Delete);
}

TEST(EmployeeAwardListTest, ValidateAwardReportsTheFirstFailingTestOnly) {
  TEmployeeAward record;
  record.SetEffectiveDate(D(2023, 7, 1));
  record.SetEndDate(D(2023, 7, 1));
  const std::function<void()> fixes[] = {
      [&] { record.SetEndDate(D(2023, 7, 2)); }, [&] { record.SetAwardID(1); }, [&] { record.SetPayClassID(1); },
      [&] { record.SetAwardEmplCategoryID(1); }, [&] { record.SetAwardConditionGroupID(1); }};
  const char* expected[] = {"The Effective Date must be before the End date", "There is no Award selected",
                            "There is no Classification selected", "There is no Category selected",
                            "There is no Condition Group selected"};
  for (int i = 0; i < 5; ++i) {
    TEmployeeRecordMessages messages;
    EXPECT_FALSE(TEmployeeAwardList::ValidateAward(record, messages));
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.Items(0)->Text(), expected[i]);
    EXPECT_EQ(messages.Items(0)->Caption(), "Employee Award");
    fixes[i]();
  }
  TEmployeeRecordMessages messages;
  EXPECT_TRUE(TEmployeeAwardList::ValidateAward(record, messages));
}

// History: A (HOSP, 2023-01-01..2023-06-30), B (CLERK, 2023-07-01..2023-12-31),
// a gap, C (HOSP, 2024-03-01, open). Pay: current period 2023-08-07..13, paid
// up to 2023-08-06, unless a case says otherwise.
TEST(EmployeeAwardListTest, RevisionValidationTexts) {
  enum Mode { I, Backpay, Import, ImportReplace };
  const TDateTime ps = D(2023, 8, 7), paid = D(2023, 8, 6);
  const TChangeType add = TChangeType::ct_Add, edit = TChangeType::ct_Edit, del = TChangeType::ct_Delete;
  const std::string advice =
      ".\r\nEither modify the date range of the record you are inserting or abandon this change and modify (or "
      "delete) the existing record first.";
  // What, mode, change, effective and end dates, pay class (1 keeps the original's), current period start,
  // paid to, whether the period has transactions, the messages.
  const std::tuple<const char*, Mode, TChangeType, TDateTime, TDateTime, int32_t, TDateTime, TDateTime, bool,
                   std::vector<std::string>>
      cases[] = {
      {"open record before", I, add, D(2024, 5, 1), 0, 1, ps, paid, false,
       {"Award \"HOSP\" effective on 2024-03-01 already exists for this employee.\r\nThis record must be given an "
        "End Date before another record can be added."}},
      {"same date", I, add, D(2023, 7, 1), D(2023, 7, 31), 1, ps, paid, false,
       {"Award \"CLERK\" already exists for this employee with an Effective Date of 2023-07-01.\r\nPlease enter a "
        "unique Effective Date or <Edit> the record that already exists."}},
      {"before the first", I, add, D(2022, 12, 1), D(2022, 12, 31), 1, 0, 0, false,
       {"The Effective Date you have entered is before the Effective Date of the earliest maintenance record of "
        "Award \"HOSP\".\r\nThe earliest Effective Date you can enter is 2023-01-01."}},
      {"paid period", I, add, D(2023, 8, 6), D(2023, 8, 20), 1, ps, paid, false,
       {"The Effective Date may not be before the employee's current period Start Date 2023-08-07."}},
      {"back pay not back-dated", Backpay, add, D(2023, 8, 7), D(2023, 8, 9), 1, ps, paid, false,
       {"The Backpay Effective Date must be prior to the Start Period Date of \"2023-08-07\""}},
      {"start in a period with transactions", I, add, D(2023, 8, 13), D(2023, 8, 20), 1, ps, paid, true,
       {"This record must not have an Effective Date in the current period as the employee has a current "
        "transaction.\r\nEither change the Effective Date to be after the current period End Date, or abandon the "
        "change you are making, delete the employee transactions and re-enter this change."}},
      {"into C", I, add, D(2024, 1, 10), D(2024, 3, 1), 1, ps, paid, false,
       {"The date range you have entered overlaps with an existing occurrence of Award \"HOSP\" effective from "
        "2024-03-01 to <No End Date>" + advice}},
      {"filling the gap exactly", I, add, D(2024, 1, 1), D(2024, 2, 29), 1, ps, paid, false, {}},
      {"inside the gap", I, add, D(2024, 1, 10), D(2024, 2, 10), 1, ps, paid, false,
       {"This employee has a gap in their Awards prior to 2024-01-10",
        "This employee has a gap in their Awards after 2024-02-10"}},
      {"back-dated", Backpay, add, D(2024, 1, 1), D(2024, 2, 29), 1, D(2024, 6, 3), paid, false,
       {"Awards on Employee \"EMP001\" have been back-dated"}},
      {"import splitting B", Import, add, D(2023, 11, 1), D(2023, 11, 30), 1, ps, paid, false,
       {"The date range you have entered overlaps with an existing occurrence of Award \"CLERK\" effective from "
        "2023-07-01 to 2023-12-31" + advice}},
      {"import splitting C", ImportReplace, add, D(2024, 5, 1), D(2024, 5, 31), 1, ps, paid, false,
       {"The date range you have entered overlaps with an existing occurrence of Award \"HOSP\" effective from "
        "2024-03-01 onward" + advice}},
      {"import over C", Import, add, D(2024, 1, 10), 0, 1, ps, paid, false,
       {"Cannot insert Employee Award: Overlapping records exist and \"Replace Overlapping Records\" has not been "
        "selected."}},
      {"import replacing C", ImportReplace, add, D(2024, 1, 10), 0, 1, ps, paid, false,
       {"This employee has a gap in their Awards prior to 2024-01-10",
        "Overlapping Awards on Employee \"EMP001\" have been overwritten"}},
      {"import ending before it starts", Import, add, D(2024, 1, 10), D(2024, 1, 9), 1, ps, paid, false,
       {"The End Date must be equal to or greater than the Effective Date."}},
      {"import one-day record", Import, add, D(2024, 1, 1), D(2024, 1, 1), 1, ps, paid, false,
       {"This employee has a gap in their Awards after 2024-01-01"}},
      {"paid record's pay class", I, edit, D(2023, 7, 1), D(2023, 12, 31), 2, ps, paid, false,
       {"Cannot update Employee Award: Used records cannot be updated."}},
      {"historic record's end", Import, edit, D(2023, 1, 1), D(2023, 6, 29), 1, ps, paid, false,
       {"This record is historic. Nothing can be updated except the Change Reason."}},
      {"end removed before C", I, edit, D(2023, 7, 1), 0, 1, ps, paid, false,
       {"The End Date of this record cannot be removed as the employee has a future-dated occurrence of the same "
        "component.\r\nThe End Date can be changed but not removed."}},
      {"end before paid days", I, edit, D(2023, 7, 1), D(2023, 8, 5), 1, ps, paid, false,
       {"Award \"CLERK\" has been used in calculations after the End Date you have entered.\r\nThe End Date you "
        "are entering must therefore be equal to or greater than 2023-08-06."}},
      {"end on the last paid day", I, edit, D(2023, 7, 1), D(2023, 8, 6), 1, D(2023, 8, 7), paid, false,
       {"This employee has a gap in their Awards after 2023-08-06"}},
      {"end inside a period with transactions", I, edit, D(2023, 7, 1), D(2023, 8, 12), 1, ps, paid, true,
       {"Transactions exist for this employee in the current period.\r\nThe End Date you are entering must "
        "therefore be equal to or greater than the current period End Date 2023-08-13."}},
      {"end into C", Import, edit, D(2023, 7, 1), D(2024, 3, 1), 1, ps, paid, false,
       {"The date range you have entered overlaps with an existing occurrence of Award \"HOSP\" effective from "
        "2024-03-01 onward" + advice}},
      {"deleting a paid record", I, del, D(2023, 7, 1), 0, 1, ps, paid, false,
       {"Cannot update Employee Award: Used records cannot be updated."}},
      {"deleting an unpaid record", I, del, D(2023, 7, 1), 0, 1, 0, 0, false,
       {"This employee has a gap in their Awards after 2023-06-30"}},
  };
  TEmployeeAwardList list;
  AddAward(list, D(2023, 1, 1), D(2023, 6, 30), 1, "HOSP");
  AddAward(list, D(2023, 7, 1), D(2023, 12, 31), 2, "CLERK");
  AddAward(list, D(2024, 3, 1), 0, 1, "HOSP");
  for (const auto& [what, mode, type, effective, end, payClass, periodStart, paidTo, transactions, expected] : cases) {
    const TEmployeeAward* original = list.GetExactRevision(effective);
    const std::unique_ptr<TEmployeeAward> record = Record(effective, end, original ? original->AwardID() : 2,
                                                          original ? original->AwardCode() : "CLERK", payClass);
    record->SetChangeType(type);
    const TRevisionFacts facts{"EMP001", periodStart, periodStart > 0 ? periodStart + 6 : 0, transactions, paidTo};
    TEmployeeRecordMessages messages;
    list.SetReplaceOverlapping(mode == ImportReplace);
    const bool accepted = mode >= Import ? list.ValidateImportRevision(*record, facts, messages)
                                           : list.ValidateRevision(*record, facts, mode == Backpay, messages);
    EXPECT_EQ(messages.Texts(), expected) << what;
    EXPECT_EQ(accepted, !messages.HasErrors()) << what;
  }
}

TEmployeeAwardObj* AddRecord(TEmployeeAwardCache& cache, const char* token, const char* code, TDateTime from,
                             TDateTime to, const char* award) {
  auto record = std::make_unique<TEmployeeAwardObj>();
  record->SetPayrollLinkToken(token);
  record->SetEmployeeCode(code);
  record->SetEffectiveDate(from);
  record->SetEndDate(to);
  record->SetAwardCode(award);
  TEmployeeAwardObj* raw = record.get();
  cache.Add(std::move(record));
  return raw;
}

TEST(EmployeeCacheTest, GetEmployeeAwardMatchesTokenCodeAndDate) {
  TEmployeeAwardCache cache;
  const TDateTime jan23 = D(2023, 1, 1), jun30 = D(2023, 6, 30), jul1 = D(2023, 7, 1);
  TEmployeeAwardObj* a = AddRecord(cache, "PAY1", "E1", jan23, jun30, "A");
  TEmployeeAwardObj* b = AddRecord(cache, "PAY1", "E1", jul1, 0, "B");
  TEmployeeAwardObj* other = AddRecord(cache, "PAY2", "E1", jan23, 0, "C");
  const std::tuple<const char*, const char*, TDateTime, TEmployeeAwardObj*> cases[] = {
      {"PAY1", "E1", D(2023, 3, 1), a},
      {"pay1", "e1", jun30, a},                          // token and code ignore case; end date included
      {"PAY1", "E1", jun30 + 0.5, nullptr},              // after A ends (at the start of its end date), before B
      {"PAY1", "E1", jul1, b},
      {"PAY1", "E1", D(2030, 1, 1), b},         // open-ended
      {"PAY1", "E1", D(2022, 12, 31), nullptr},  // before any record
      {"PAY2", "E1", D(2023, 8, 1), other},
      {"PAY3", "E1", D(2023, 8, 1), nullptr},
      {"PAY1", "E2", D(2023, 8, 1), nullptr},
      {"PAY1", "E1", 0, a},                              // no date: the first record of the employee
      {"PAY1", "E1", -1, nullptr},
  };
  for (const auto& [token, code, date, expected] : cases) {
    EXPECT_EQ(cache.GetEmployeeAward(token, code, date), expected) << token << " " << code << " " << date;
  }
}

TEST(EmployeeCacheTest, PayPeriodsAndWeeklyHours) {
  EXPECT_EQ(PayPeriodFromFrequency(2), TPayPeriod::pp_Fortnightly);
  EXPECT_EQ(PayPeriodFromFrequency(9), TPayPeriod::pp_1Week);
  EXPECT_EQ(PayPeriodFromFrequency(-1), TPayPeriod::pp_1Week);
  const std::pair<TPayPeriod, double> cases[] = {{TPayPeriod::pp_1Week, 76},         {TPayPeriod::pp_2Weeks, 38},
                        {TPayPeriod::pp_Fortnightly, 38},   {TPayPeriod::pp_4Weeks, 19},
                        {TPayPeriod::pp_BiMonthly, 76.0 * 6 / 52}, {TPayPeriod::pp_Monthly, 76.0 * 12 / 52}};
  for (const auto& [period, weekly] : cases) EXPECT_DOUBLE_EQ(WeeklyHoursFor(76, period), weekly);
}

using testing::BackendParamName;
using testing::DbBackendTest;
using testing::TTestBackend;
using testing::TTestDatabase;

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
  // What fails, the new record's date, the message's caption, start and cause.
  const std::tuple<const char*, TDateTime, const char*, const char*, const char*> cases[] = {
      {"procedure message", D(2025, 1, 1), "Return Message",
       "Employee Award effective on 2025-01-01 already exists for this employee.", ""},
      {"database error", D(2025, 6, 1), "Employee Award", "Error Processing Employee Awards \r\nError: ", "injected"},
  };
  for (const auto& [what, failingDate, caption, textStart, cause] : cases) {
    TTestDatabase database(TTestBackend::SQLite, true, true);
    database.Connection().Execute(
        "CREATE TRIGGER inject BEFORE INSERT ON _iptblEmployeeAwards_TD WHEN NEW.dEffectiveDate LIKE '2025-06-01%' "
        "BEGIN SELECT RAISE(ABORT, 'injected'); END");
    TEmployeeAwardList list(&database.Connection());
    list.LoadData(1);
    list.Items(0)->SetEndDate(D(2024, 11, 30));
    list.Items(0)->SetChangeType(TChangeType::ct_Edit);
    AddClerkRecord(list, failingDate);
    TEmployeeRecordMessages messages;
    SCOPED_TRACE(what);
    EXPECT_FALSE(list.SaveData(messages));
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.Items(0)->Caption(), std::string(caption));
    EXPECT_EQ(messages.Items(0)->Text().rfind(textStart, 0), 0u) << messages.Items(0)->Text();
    EXPECT_NE(messages.Items(0)->Text().find(cause), std::string::npos) << messages.Items(0)->Text();
    EXPECT_EQ(list.Items(0)->ChangeType(), TChangeType::ct_Edit);
    TEmployeeAwardList stored(&database.Connection());
    stored.LoadData(1);
    ASSERT_EQ(stored.Count(), 2);
    EXPECT_EQ(stored.Items(0)->EndDate(), D(2024, 12, 31));
  }
}

}  // namespace
}  // namespace qora
