// Guards against wrong derived shift values (start, end, midnight, breaks, rostered and overtime totals, the
// overtime start day), wrong lookups and letter case, lost manager errors, the wrong previous shift, and
// ClearAll resetting too much or too little.
#include <functional>

#include "common/exceptions.h"
#include "hours_fakes.h"

namespace qora::testing {
namespace {

TEST(TimesheetShift, DerivedValuesFollowTheHoursGroups) {
  using Span = std::tuple<double, double, bool>;  // start, end, crosses midnight
  using Totals = std::tuple<double, double, double, double, double>;  // ordinary start and end; break, ordinary, worked
  const std::vector<std::tuple<const char*, std::vector<Block>, Span, Totals>> cases{
      {"no groups", {}, {99, 0, false}, {99, 0, 0, 0, 0}},
      {"night shift", {{kOrd, 22, 30, ""}}, {22, 30, true}, {22, 30, 0, 8, 8}},
      {"ends at midnight", {{kOrd, 16, 24, ""}}, {16, 24, false}, {16, 24, 0, 8, 8}},
      {"day with break and overtime",
       {{kOrd, 9, 12, ""}, {kBrk, 12, 12.5, ""}, {kOrd, 12.5, 17, ""}, {kOT, 17, 19, ""}}, {9, 19, false},
       {9, 17, 0.5, 7.5, 9.5}},
      {"make-up counts as worked, leave does not", {{kMakeUp, 8, 12, ""}, {THoursType::htLeave, 12, 16, ""}},
       {8, 16, false}, {99, 0, 0, 0, 4}},
  };
  for (const auto& [name, groups, span, totals] : cases) {
    TTimesheetShift shift;
    for (const Block& g : groups) shift.HoursGroupList().Add(MakeGroup(g.type, g.from, g.to));
    // Halves and whole hours only: the sums are exact.
    EXPECT_EQ(std::tuple(shift.ShiftStart(), shift.ShiftEnd(), shift.ShiftCrossesMidnight()), span) << name;
    EXPECT_DOUBLE_EQ(shift.BreakStart(), shift.ShiftStart()) << name;
    EXPECT_EQ(std::tuple(shift.OrdinaryHoursStart(), shift.OrdinaryHoursEnd(), shift.BreakHours(),
                         shift.OrdinaryHoursTotal(), shift.WorkedHoursTotal()),
              totals)
        << name;
    EXPECT_FALSE(shift.ShiftIsBroken());
    EXPECT_DOUBLE_EQ(shift.HoursafterBreak(), 0);
  }
}

TEST(TimesheetShift, RosteredAndOvertimeTotalsNeverGoNegative) {
  // Rostered start, end, break; worked to; rostered and overtime totals.
  const std::vector<std::tuple<double, double, double, double, double, double>> cases{
      {9, 17, 0.5, 17, 7.5, 0.5},   // worked 9-17 = 8 against 7.5
      {9, 9, 0.5, 9, 0, 0},         // not -0.5
      {9, 17, 0.5, 12, 7.5, 0},     // worked less than rostered
      {22, 30, 0, 31, 8, 1},        // overnight roster
      {0, 0, 0, 10, 0, 1},          // no roster: every worked hour above 9
  };
  for (const auto& [start, end, brk, worked_to, rostered, overtime] : cases) {
    TTimesheetShift shift;
    shift.SetRosteredHoursStart(start);
    shift.SetRosteredHoursEnd(end);
    shift.SetRosteredBreakHours(brk);
    if (worked_to > start) AddOrdinary(shift, start == 0 ? 9 : start, worked_to);
    EXPECT_DOUBLE_EQ(shift.RosteredHoursTotal(), rostered) << start << "-" << end;
    EXPECT_DOUBLE_EQ(shift.OvertimeHoursTotal(), overtime) << start << "-" << end;
  }
}

TEST(TimesheetShift, OvertimeStartDayIsTheDayOnWhichOvertimeBegins) {
  const TDateTime tue = EncodeDate(2024, 3, 5);  // Tuesday = 3, Wednesday = 4
  // Rostered from and to, worked from and to, the day.
  const std::vector<std::tuple<const char*, double, double, double, double, int>> cases{
      {"day shift", 9, 17, 9, 19, 3},
      {"overtime before midnight", 18, 22, 18, 26, 3},
      {"overtime from exactly midnight", 18, 24, 18, 26, 4},
      {"overtime after midnight", 18, 25, 18, 26, 4},
  };
  for (const auto& [name, roster_from, roster_to, worked_from, worked_to, expected] : cases) {
    TTimesheetShift shift;
    shift.SetShiftStartDate(tue);
    shift.SetShiftEndDate(worked_to > 24 ? tue + 1 : tue);
    shift.SetRosteredHoursStart(roster_from);
    shift.SetRosteredHoursEnd(roster_to);
    AddOrdinary(shift, worked_from, worked_to);
    EXPECT_EQ(shift.OvertimeStartDay(), expected) << name;
  }
}

TEST(TimesheetShift, HigherDutyCodeAndHoursComeFromOtherClassifications) {
  // Asking for the hours first (or settling the code, as a run does) sets the
  // code to the job title; a preset code stands.
  enum First { kCode, kTotal, kSettle };
  for (const auto& [first, preset, code] : std::vector<std::tuple<First, std::string, std::string>>{
           {kCode, "", "L3"}, {kTotal, "", "Supervisor"}, {kSettle, "", "Supervisor"},
           {kTotal, "PRESET", "PRESET"}, {kSettle, "PRESET", "PRESET"}}) {
    TTimesheetShift shift;
    shift.SetEmployeeClassification("L1");
    for (const auto& [cls, title, from, to] : std::vector<std::tuple<const char*, const char*, double, double>>{
             {"L1", "Cook", 8, 10}, {"L3", "Supervisor", 10, 12}, {"L4", "Manager", 12, 13}}) {
      THoursGroup* g = shift.ClassificationGroupList().Add(MakeGroup(kOrd, from, to));
      g->SetClassification(cls);
      g->SetJobTitle(title);
    }
    if (!preset.empty()) shift.SetHigherDutyCode(preset);
    if (first == kTotal) shift.HigherDutiesHoursTotal();
    if (first == kSettle) shift.SettleHigherDutyCode();
    EXPECT_EQ(shift.HigherDutyCode(), code);
    EXPECT_DOUBLE_EQ(shift.HigherDutiesHoursTotal(), 3);
    EXPECT_EQ(shift.HigherDutyCode(), code);
  }
  TTimesheetShift none;
  none.SetEmployeeClassification("L1");
  none.SettleHigherDutyCode();
  EXPECT_EQ(none.HigherDutyCode(), "");
  EXPECT_DOUBLE_EQ(none.HigherDutiesHoursTotal(), 0);
}

TEST(TimesheetShift, FillInBreaksAddsABreakOverEveryGap) {
  using Spans = std::vector<std::pair<double, double>>;
  // Ordinary groups, the breaks filled in.
  const std::vector<std::tuple<const char*, Spans, Spans>> cases{
      {"gap", {{9, 12}, {12.5, 17}}, {{12, 12.5}}},
      {"touching", {{9, 12}, {12, 17}}, {}},
      {"unsorted with two gaps", {{13, 17}, {9, 11}, {11.5, 12}}, {{11, 11.5}, {12, 13}}},
      {"single group", {{9, 17}}, {}},
      {"starts at midnight", {{0, 4}, {5, 8}}, {{4, 5}}},
      {"overlapping", {{9, 13}, {12, 17}}, {}},
  };
  for (const auto& [name, groups, expected] : cases) {
    TTimesheetShift shift;
    for (const auto& [from, to] : groups) AddOrdinary(shift, from, to);
    shift.FillInBreaks();
    Spans breaks;
    for (const THoursGroup* g : shift.HoursGroupList().Groups()) {
      if (g->HoursType() == kBrk) breaks.emplace_back(g->FromTime(), g->ToTime());
    }
    std::sort(breaks.begin(), breaks.end());
    EXPECT_EQ(breaks, expected) << name;
  }
  TTimesheetShift dummy;
  dummy.SetIsDummyShift(true);
  AddOrdinary(dummy, 9, 12);
  AddOrdinary(dummy, 13, 17);
  dummy.FillInBreaks();
  EXPECT_EQ(dummy.HoursGroupList().Count(), 2);
}

TEST(TimesheetShift, LookupsCompareAsThePayrollDoes) {
  TTimesheetShift shift;
  shift.HoursGroupList().Add(MakeGroup(kOrd, 9, 12, "Normal", "WC1"));
  shift.HoursGroupList().Add(MakeGroup(kOT, 17, 19, "OT150", "WC1"));
  shift.WorkCodeGroupList().Add(MakeGroup(kOrd, 9, 12, "Normal", "WC1"));
  shift.WorkCodeGroupList().Add(MakeGroup(kOrd, 12, 13.5, "Normal", "WC2"));
  EXPECT_EQ((std::vector<double>{shift.GetHoursForComponent("Normal"), shift.GetHoursForComponent("normal"),
                                  shift.HoursForWorkCode("WC2"), shift.HoursForWorkCode("wc1")}),
            (std::vector<double>{3, 0, 1.5, 0}));

  TAllowance* award = shift.AllowanceList().AddNew();
  award->SetAddDedCode("MEAL");
  TAllowance* own = shift.AllowanceList().AddNew();
  own->SetAddDedCode("TOOL");
  own->SetOnEmployee(true);
  EXPECT_EQ((std::vector<bool>{shift.EmployeeHasAddition("MEAL"), shift.EmployeeHasAddition("TOOL"),
                                shift.EmployeeHasAddition("tool")}),
            (std::vector<bool>{false, true, false}));

  const TDateTime xmas = EncodeDate(2024, 12, 25);
  TDateObject* holiday = shift.WorkPatternList().AddNew();
  holiday->SetDate(xmas);
  holiday->SetDescription("Christmas Day");
  shift.WorkPatternList().AddNew()->SetDate(xmas + 2);
  shift.LeaveDatesList().AddNew()->SetLeaveReason("  Annual Leave ");
  EXPECT_EQ((std::vector<bool>{shift.IsPublicHoliday(xmas + 0.75), shift.IsPublicHoliday(xmas + 2),
                                shift.IsPublicHoliday(xmas + 1), shift.LeaveReasonExists("ANNUAL LEAVE"),
                                shift.LeaveReasonExists(" annual leave"), shift.LeaveReasonExists("Sick")}),
            (std::vector<bool>{true, false, false, true, true, false}));

  TTimesheetColumn* added = shift.AddColumn(std::make_unique<TTimesheetColumn>());
  added->SetFieldName("Meals");
  added->SetAddDedCode("MEAL");
  EXPECT_EQ((std::vector<const TTimesheetColumn*>{shift.FindColumnByName("Meals"), shift.FindColumnByName("meals"),
                                                  shift.FindColumnByAddDedCode("MEAL"), shift.GetTimesheetColumn(0)}),
            (std::vector<const TTimesheetColumn*>{added, nullptr, added, added}));
  EXPECT_THROW(shift.GetTimesheetColumn(1), std::out_of_range);
}

TEST(TimesheetShift, ReachingTheManagerNeedsTimesheetAndManager) {
  TTimesheetShift loose;
  TTimesheet sheet;
  TTimesheetShift* unmanaged = sheet.AddShift(std::make_unique<TTimesheetShift>());
  for (const auto& [shift, message] : std::vector<std::pair<TTimesheetShift*, std::string>>{
           {&loose, "Timesheet not assigned to shift!"}, {unmanaged, "Timesheet manager not assigned to Timesheet!"}}) {
    const std::vector<std::pair<const char*, std::function<void()>>> calls{
        {"UserFeedback", [s = shift] { s->UserFeedback(); }}, {"AwardCache", [s = shift] { s->AwardCache(); }},
        {"LastShiftEndDate", [s = shift] { s->LastShiftEndDate(); }},
        {"CustomMessage", [s = shift] { s->SetCustomMessage("x"); }}};
    for (const auto& [name, call] : calls) {
      try {
        call();
        ADD_FAILURE() << name << " did not fail";
      } catch (const eaiPRocessorException& e) {
        EXPECT_EQ(std::string(e.what()), message) << name;
      }
    }
  }
}

TEST(TimesheetShift, LastShiftEndDateIsTheEndOfTheSameEmployeesPreviousShift) {
  const TDateTime mon = EncodeDate(2024, 3, 4);
  FakeManager manager;
  TTimesheet sheet;
  sheet.SetTimesheetManager(&manager);
  auto add = [&sheet](int employee, TDateTime start, TDateTime end, double from, double to) {
    TTimesheetShift* s = sheet.AddShift(std::make_unique<TTimesheetShift>());
    s->SetEmployeeID(employee);
    s->SetShiftStartDate(start);
    s->SetShiftEndDate(end);
    AddOrdinary(*s, from, to);
    return s;
  };
  add(7, mon, mon + 1, 22, 30);                        // 0: ends Tuesday 06:00
  TTimesheetShift* next = add(7, mon + 1, mon + 1, 14, 20);  // 1
  TTimesheetShift* other = add(8, mon + 1, mon + 1, 9, 17);  // 2
  add(8, mon + 2, mon + 2, 9, 17);                     // 3
  // The run's current shift, the shift asking, the end date it gets.
  const std::vector<std::tuple<int, const TTimesheetShift*, TDateTime>> cases{
      {1, next, mon + 1 + 6.0 / 24},    // after the night shift
      {0, next, 0},                      // no previous shift
      {-1, next, 0},
      {2, other, 0},                     // the previous shift is another employee's
      {3, other, mon + 1 + 17.0 / 24},   // the shift before index 3, same employee 8
  };
  for (const auto& [current_index, asking, expected] : cases) {
    manager.current_index = current_index;
    EXPECT_NEAR(asking->LastShiftEndDate(), expected, 1e-9) << current_index;
  }
}

TEST(TimesheetShift, ClearAllEmptiesWorkingStateButKeepsPatternAndRdo) {
  TTimesheetShift shift;
  shift.SetEmployeeCode("E1");
  shift.SetRosteredHoursEnd(17);
  shift.SetShiftStartDate(45000);
  shift.SetRejected(true);
  shift.SetEmployeeAward("AWD");
  const std::vector<THoursGroupList*> lists{&shift.HoursGroupList(), &shift.WorkCodeGroupList(),
                                            &shift.ClassificationGroupList(), &shift.JobCodeGroupList(),
                                            &shift.CostCodeGroupList()};
  for (THoursGroupList* list : lists) list->Add(MakeGroup(kOrd, 9, 17));
  shift.AllowanceList().AddNew();
  shift.PenaltyList().AddNew();
  shift.LeaveDatesList().AddNew();
  shift.RDODatesList().AddNew();
  shift.WorkPatternList().AddNew();
  shift.AddNew();
  shift.ClearAll();
  EXPECT_EQ(shift.EmployeeCode() + shift.EmployeeAward(), "AWD");  // the award is not part of the reset
  EXPECT_DOUBLE_EQ(shift.RosteredHoursEnd() + shift.ShiftStartDate(), 0);
  EXPECT_FALSE(shift.Rejected());
  for (const THoursGroupList* list : lists) EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(shift.AllowanceList().Count() + shift.PenaltyList().Count() + shift.LeaveDatesList().Count(), 0);
  EXPECT_EQ(shift.Count(), 0);
  EXPECT_EQ(shift.RDODatesList().Count() + shift.WorkPatternList().Count(), 2);
}

}  // namespace
}  // namespace qora::testing
