// Guards the employee award records: current, exact and shoulder look-ups at their date boundaries, deleted records leaking into look-ups, EndCurrentDeleteFuture's day before, ValidateAward's order, and which revision check fires (with its exact text) for each kind of change.
#include <gtest/gtest.h>

#include "award/employee_award_list.h"
#include "common/datetime.h"

namespace qora {
namespace {

TDateTime D(int y, int m, int d) { return EncodeDate(y, m, d); }

TEmployeeAward* AddAward(TEmployeeAwardList& list, TDateTime from, TDateTime to, int32_t awardID, const char* code) {
  auto record = std::make_unique<TEmployeeAward>();
  record->SetEffectiveDate(from);
  record->SetEndDate(to);
  record->SetAwardID(awardID);
  record->SetAwardCode(code);
  record->SetPayClassID(1);
  record->SetAwardEmplCategoryID(1);
  record->SetAwardConditionGroupID(1);
  TEmployeeAward* raw = record.get();
  list.AddObject(std::move(record));
  return raw;
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
  struct Case {
    bool useComponent;
    int32_t component;
    TEmployeeAward* expected;
  };
  for (const Case& c : {Case{false, 3, b}, Case{true, 3, twin}, Case{true, 0, b}, Case{true, 9, nullptr}}) {
    list.Records().SetUseComponentCode(c.useComponent);
    EXPECT_EQ(list.Records().GetExactRevision(c.component, D(2023, 7, 1)), c.expected) << c.useComponent << c.component;
  }
  list.Records().SetUseComponentCode(false);
  a->SetChangeType(TChangeType::ct_Delete);
  b->SetChangeType(TChangeType::ct_Delete);
  twin->SetChangeType(TChangeType::ct_Delete);
  EXPECT_EQ(list.GetCurrentAward(D(2023, 3, 1)), nullptr);
  EXPECT_EQ(list.GetExactRevision(D(2023, 1, 1)), nullptr);
  EXPECT_EQ(list.GetCurrentAwardID(D(2023, 8, 1)), 0);
}

TEST(EmployeeAwardListTest, ShoulderAwardsAroundAnInsert) {
  TEmployeeAwardList list;
  TEmployeeAward* a = AddAward(list, D(2023, 1, 1), D(2023, 6, 30), 1, "A");
  TEmployeeAward* b = AddAward(list, D(2023, 7, 1), 0, 2, "B");
  AddAward(list, D(2022, 12, 1), 0, 3, "DELETED")->SetChangeType(TChangeType::ct_Delete);
  struct Case {
    TDateTime effective, end;
    TEmployeeAward *previous, *next;
  };
  const Case cases[] = {
      {D(2023, 3, 1), D(2023, 4, 30), a, nullptr},  // B starts after the new end
      {D(2023, 3, 1), 0, a, b},
      {D(2023, 3, 1), D(2023, 7, 1), a, nullptr},   // B starting on the new end is left out
      {D(2023, 3, 1), D(2023, 7, 2), a, b},
      {D(2023, 6, 30), 0, nullptr, b},              // A ends on, not after, the new start
      {D(2023, 8, 1), 0, b, nullptr},
      {D(2022, 6, 1), D(2023, 2, 1), nullptr, a},
  };
  for (const Case& c : cases) {
    TEmployeeAward *previous = nullptr, *next = nullptr;
    list.GetShoulderAwards(previous, next, c.end, c.effective);
    EXPECT_EQ(previous, c.previous) << FormatIsoDate(c.effective) << " " << c.end;
    EXPECT_EQ(next, c.next) << FormatIsoDate(c.effective) << " " << c.end;
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
  struct Case {
    const char* what;
    Mode mode;
    TChangeType type;
    TDateTime effective, end;
    int32_t payClass;  // 1 keeps the original's
    TDateTime periodStart, paidTo;
    bool currentTransactions;
    std::vector<std::string> expected;
  };
  const TDateTime ps = D(2023, 8, 7), paid = D(2023, 8, 6);
  const TChangeType add = TChangeType::ct_Add, edit = TChangeType::ct_Edit, del = TChangeType::ct_Delete;
  const std::string advice =
      ".\r\nEither modify the date range of the record you are inserting or abandon this change and modify (or "
      "delete) the existing record first.";
  const Case cases[] = {
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
  for (const Case& c : cases) {
    const TEmployeeAward* original = list.GetExactRevision(c.effective);
    TEmployeeAward record;
    record.SetAwardID(original != nullptr ? original->AwardID() : 2);
    record.SetAwardCode(original != nullptr ? original->AwardCode() : "CLERK");
    record.SetPayClassID(c.payClass);
    record.SetAwardEmplCategoryID(1);
    record.SetAwardConditionGroupID(1);
    record.SetEffectiveDate(c.effective);
    record.SetEndDate(c.end);
    record.SetChangeType(c.type);
    const TRevisionFacts facts{"EMP001", c.periodStart, c.periodStart > 0 ? c.periodStart + 6 : 0,
                               c.currentTransactions, c.paidTo};
    TEmployeeRecordMessages messages;
    list.SetReplaceOverlapping(c.mode == ImportReplace);
    const bool accepted = c.mode >= Import ? list.ValidateImportRevision(record, facts, messages)
                                           : list.ValidateRevision(record, facts, c.mode == Backpay, messages);
    EXPECT_EQ(messages.Texts(), c.expected) << c.what;
    EXPECT_EQ(accepted, !messages.HasErrors()) << c.what;
  }
}

}  // namespace
}  // namespace qora
