// Guards against the wrong shift found (day, letter case), placeholders that take hours, a wrong period or
// missing breaks after loading, a wrong sort order, unknown statuses accepted, and shifts that lose their owner.
#include "common/exceptions.h"
#include "hours_fakes.h"

namespace qora::testing {
namespace {

TTimesheetShift* AddShift(TTimesheet& sheet, const std::string& code, TDateTime start_date, double from = 0,
                          double to = 0) {
  TTimesheetShift* shift = sheet.AddShift(std::make_unique<TTimesheetShift>());
  shift->SetEmployeeCode(code);
  shift->SetShiftStartDate(start_date);
  shift->SetShiftEndDate(start_date);
  if (to > from) AddOrdinary(*shift, from, to);
  return shift;
}

TEST(Timesheet, FindShiftMatchesTheDayAndTheExactCode) {
  const TDateTime day = EncodeDate(2024, 3, 5);
  TTimesheet sheet;
  TTimesheetShift* evening = AddShift(sheet, "E100", day + 21.0 / 24);
  TTimesheetShift* later = AddShift(sheet, "E100", day + 0.1);
  TTimesheetShift* next_day = AddShift(sheet, "E100", day + 1);
  AddShift(sheet, "E200", day);
  // Employee code, date, the shift found.
  const std::vector<std::tuple<std::string, TDateTime, TTimesheetShift*>> cases{
      {"E100", day, evening},          // first in list order, time of day ignored
      {"E100", day + 0.99, evening},
      {"E100", day + 1, next_day},
      {"e100", day, nullptr},          // letter case matters
      {"E100 ", day, nullptr},
      {"E100", day - 1, nullptr},
      {"E300", day, nullptr},
  };
  for (const auto& [code, date, expected] : cases) EXPECT_EQ(sheet.FindShift(code, date), expected) << code;
  EXPECT_EQ(sheet.GetTimesheetShift(1), later);
  EXPECT_THROW(sheet.GetTimesheetShift(4), std::out_of_range);
}

TEST(Timesheet, AddedShiftsKnowTheirOwnerAndADummyOneIsAPlaceholder) {
  const TDateTime day = EncodeDate(2024, 3, 6) + 0.25;
  TTimesheet sheet;
  sheet.SetShiftCount(2);
  TTimesheetShift* dummy = sheet.AddDummyShift("E1", day);
  EXPECT_EQ(std::tuple(sheet.ShiftCount(), sheet.Count(), sheet.GetTimesheetShift(0), dummy->Timesheet()),
            std::tuple(3, 1, dummy, &sheet));
  EXPECT_EQ(std::tuple(dummy->EmployeeCode(), dummy->IsDummyShift(), dummy->ShiftStartDate(), dummy->ShiftEndDate()),
            std::tuple("E1", true, day, day));
  // Shifts and columns added any other way know their owner too.
  TTimesheetShift* shift = sheet.AddNew();
  EXPECT_EQ(shift->Timesheet(), &sheet);
  EXPECT_EQ(shift->AddNew()->TimesheetShift(), shift);
  auto owned = std::make_unique<TTimesheetShift>();
  TTimesheetShift* raw = owned.get();
  sheet.Add(std::move(owned));
  EXPECT_EQ(raw->Timesheet(), &sheet);
}

TEST(Timesheet, FillInShiftDetailsSetsThePeriodAndTheBreaks) {
  const TDateTime d = EncodeDate(2024, 3, 4);
  // Shift start dates; the period's start and end before and after.
  using D = TDateTime;
  const std::vector<std::tuple<const char*, std::vector<D>, D, D, D, D>> cases{
      {"no shifts", {}, d, d + 6, 0, 0},
      {"period from the shifts", {d + 2, d, d + 1.9}, 0, 0, d, d + 2},
      {"start kept", {d + 2, d}, d - 3, 0, d - 3, d + 2},
      {"end kept", {d + 2, d}, 0, d + 6, d, d + 6},
      {"end before start replaced", {d + 2, d + 1}, d + 1, d, d + 1, d + 2},
  };
  for (const auto& [name, starts, start_before, end_before, start_after, end_after] : cases) {
    TTimesheet sheet;
    sheet.SetStartDate(start_before);
    sheet.SetEndDate(end_before);
    for (TDateTime start : starts) AddOrdinary(*AddShift(sheet, "E1", start, 9, 12), 13, 17);
    sheet.FillInShiftDetails();
    EXPECT_DOUBLE_EQ(sheet.StartDate(), start_after) << name;
    EXPECT_DOUBLE_EQ(sheet.EndDate(), end_after) << name;
    for (int i = 0; i < sheet.Count(); ++i) {
      EXPECT_DOUBLE_EQ(sheet.GetTimesheetShift(i)->BreakHours(), 1) << name;
    }
  }
}

TEST(Timesheet, SortTimesheetOrdersByEmployeeDayAndStart) {
  const TDateTime d = EncodeDate(2024, 3, 4);
  TTimesheet sheet;
  AddShift(sheet, "A2", d + 1, 9, 17)->SetUserID(1);
  AddShift(sheet, "A10", d + 1, 9, 17)->SetUserID(2);
  AddShift(sheet, "A2", d + 1 + 0.9, 8, 12)->SetUserID(3);  // same day, earlier start
  AddShift(sheet, "A2", d, 10, 14)->SetUserID(4);
  AddShift(sheet, "B", d, 9.005, 12)->SetUserID(5);  // less than 0.01 h after #6: equal, order kept
  AddShift(sheet, "B", d, 9.0, 12)->SetUserID(6);
  AddShift(sheet, "B", d, 8.98, 12)->SetUserID(7);
  AddShift(sheet, "a1", d, 9, 17)->SetUserID(8);  // lower case sorts after upper case in byte order
  sheet.SortTimesheet();
  std::vector<int> order;
  for (int i = 0; i < sheet.Count(); ++i) order.push_back(sheet.GetTimesheetShift(i)->UserID());
  EXPECT_EQ(order, (std::vector<int>{2, 4, 3, 1, 7, 5, 6, 8}));
}

TEST(Timesheet, StatusIsLookedUpInTheStatusList) {
  TTimesheet sheet;
  sheet.AddStatus("Draft", 1);
  sheet.AddStatus("Approved", 5);
  sheet.SetStatusID(5);
  EXPECT_EQ(sheet.Status(), "Approved");
  sheet.SetStatus("Draft");
  EXPECT_EQ(sheet.StatusID(), 1);
  sheet.SetStatus("APPROVED");
  EXPECT_EQ(sheet.StatusID(), 5);
  try {
    sheet.SetStatus("Published");
    ADD_FAILURE() << "unknown status accepted";
  } catch (const eaiPRocessorException& e) {
    EXPECT_EQ(std::string(e.what()), "Timesheet status \"Published\" not found.");
  }
  EXPECT_EQ(sheet.StatusID(), 5);
  sheet.SetStatusID(9);
  EXPECT_EQ(sheet.Status(), "");
  EXPECT_THROW(SetPublishedValue(sheet, "Status", PropValue{std::string("Nope")}), eaiPRocessorException);
  SetPublishedValue(sheet, "Status", PropValue{std::string("Draft")});
  EXPECT_EQ(std::get<std::string>(GetPublishedValue(sheet, "Status")), "Draft");
}

}  // namespace
}  // namespace qora::testing
