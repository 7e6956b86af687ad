// Guards against wrong derived shift values (start, end, midnight, breaks, rostered and overtime totals, the
// overtime start day), wrong lookups and letter case, lost manager errors, the wrong previous shift, and
// ClearAll resetting too much or too little.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "common/exceptions.h"
#include "hours_fakes.h"

namespace qora::testing {
namespace {

TEST(TimesheetShift, DerivedValuesFollowTheHoursGroups) {
  struct Group {
    THoursType type;
    double from, to;
  };
  struct Case {
    std::string name;
    std::vector<Group> groups;
    double start, end;
    bool crosses;
    double ord_start, ord_end, breaks, ordinary, worked;
  };
  const std::vector<Case> cases{
      {"no groups", {}, 99, 0, false, 99, 0, 0, 0, 0},
      {"night shift", {{kOrd, 22, 30}}, 22, 30, true, 22, 30, 0, 8, 8},
      {"ends at midnight", {{kOrd, 16, 24}}, 16, 24, false, 16, 24, 0, 8, 8},
      {"day with break and overtime",
       {{kOrd, 9, 12}, {kBrk, 12, 12.5}, {kOrd, 12.5, 17}, {kOT, 17, 19}},
       9, 19, false, 9, 17, 0.5, 7.5, 9.5},
      {"make-up counts as worked, leave does not",
       {{THoursType::htMakeUp, 8, 12}, {THoursType::htLeave, 12, 16}},
       8, 16, false, 99, 0, 0, 0, 4},
  };
  for (const Case& c : cases) {
    TTimesheetShift shift;
    for (const Group& g : c.groups) shift.HoursGroupList().Add(MakeGroup(g.type, g.from, g.to));
    EXPECT_DOUBLE_EQ(shift.ShiftStart(), c.start) << c.name;
    EXPECT_DOUBLE_EQ(shift.BreakStart(), c.start) << c.name;
    EXPECT_DOUBLE_EQ(shift.ShiftEnd(), c.end) << c.name;
    EXPECT_EQ(shift.ShiftCrossesMidnight(), c.crosses) << c.name;
    EXPECT_DOUBLE_EQ(shift.OrdinaryHoursStart(), c.ord_start) << c.name;
    EXPECT_DOUBLE_EQ(shift.OrdinaryHoursEnd(), c.ord_end) << c.name;
    EXPECT_DOUBLE_EQ(shift.BreakHours(), c.breaks) << c.name;
    EXPECT_DOUBLE_EQ(shift.OrdinaryHoursTotal(), c.ordinary) << c.name;
    EXPECT_DOUBLE_EQ(shift.WorkedHoursTotal(), c.worked) << c.name;
    EXPECT_FALSE(shift.ShiftIsBroken());
    EXPECT_DOUBLE_EQ(shift.HoursafterBreak(), 0);
  }
}

TEST(TimesheetShift, RosteredAndOvertimeTotalsNeverGoNegative) {
  struct Case {
    double start, end, brk, worked_to;
    double rostered, overtime;
  };
  const std::vector<Case> cases{
      {9, 17, 0.5, 17, 7.5, 0.5},   // worked 9-17 = 8 against 7.5
      {9, 9, 0.5, 9, 0, 0},         // not -0.5
      {9, 17, 0.5, 12, 7.5, 0},     // worked less than rostered
      {22, 30, 0, 31, 8, 1},        // overnight roster
      {0, 0, 0, 10, 0, 1},          // no roster: every worked hour above 9
  };
  for (const Case& c : cases) {
    TTimesheetShift shift;
    shift.SetRosteredHoursStart(c.start);
    shift.SetRosteredHoursEnd(c.end);
    shift.SetRosteredBreakHours(c.brk);
    if (c.worked_to > c.start) AddOrdinary(shift, c.start == 0 ? 9 : c.start, c.worked_to);
    EXPECT_DOUBLE_EQ(shift.RosteredHoursTotal(), c.rostered) << c.start << "-" << c.end;
    EXPECT_DOUBLE_EQ(shift.OvertimeHoursTotal(), c.overtime) << c.start << "-" << c.end;
  }
}

TEST(TimesheetShift, OvertimeStartDayIsTheDayOnWhichOvertimeBegins) {
  const TDateTime tue = EncodeDate(2024, 3, 5);  // Tuesday = 3, Wednesday = 4
  struct Case {
    std::string name;
    double roster_from, roster_to, worked_from, worked_to;
    int expected;
  };
  const std::vector<Case> cases{
      {"day shift", 9, 17, 9, 19, 3},
      {"overtime before midnight", 18, 22, 18, 26, 3},
      {"overtime from exactly midnight", 18, 24, 18, 26, 4},
      {"overtime after midnight", 18, 25, 18, 26, 4},
  };
  for (const Case& c : cases) {
    TTimesheetShift shift;
    shift.SetShiftStartDate(tue);
    shift.SetShiftEndDate(c.worked_to > 24 ? tue + 1 : tue);
    shift.SetRosteredHoursStart(c.roster_from);
    shift.SetRosteredHoursEnd(c.roster_to);
    AddOrdinary(shift, c.worked_from, c.worked_to);
    EXPECT_EQ(shift.OvertimeStartDay(), c.expected) << c.name;
  }
}

TEST(TimesheetShift, HigherDutyCodeAndHoursComeFromOtherClassifications) {
  // Asking for the hours first sets the code to the job title; a preset code stands.
  for (const auto& [total_first, preset, code] : std::vector<std::tuple<bool, std::string, std::string>>{
           {false, "", "L3"}, {true, "", "Supervisor"}, {true, "PRESET", "PRESET"}}) {
    TTimesheetShift shift;
    shift.SetEmployeeClassification("L1");
    for (const auto& [cls, title, from, to] : std::vector<std::tuple<const char*, const char*, double, double>>{
             {"L1", "Cook", 8, 10}, {"L3", "Supervisor", 10, 12}, {"L4", "Manager", 12, 13}}) {
      auto g = MakeGroup(kOrd, from, to);
      g->SetClassification(cls);
      g->SetJobTitle(title);
      shift.ClassificationGroupList().Add(std::move(g));
    }
    if (!preset.empty()) shift.SetHigherDutyCode(preset);
    if (total_first) shift.HigherDutiesHoursTotal();
    EXPECT_EQ(shift.HigherDutyCode(), code);
    EXPECT_DOUBLE_EQ(shift.HigherDutiesHoursTotal(), 3);
    EXPECT_EQ(shift.HigherDutyCode(), code);
  }
  TTimesheetShift none;
  none.SetEmployeeClassification("L1");
  EXPECT_EQ(none.HigherDutyCode(), "");
  EXPECT_DOUBLE_EQ(none.HigherDutiesHoursTotal(), 0);
}

TEST(TimesheetShift, FillInBreaksAddsABreakOverEveryGap) {
  struct Case {
    std::string name;
    std::vector<std::pair<double, double>> groups;
    std::vector<std::pair<double, double>> breaks;
  };
  const std::vector<Case> cases{
      {"gap", {{9, 12}, {12.5, 17}}, {{12, 12.5}}},
      {"touching", {{9, 12}, {12, 17}}, {}},
      {"unsorted with two gaps", {{13, 17}, {9, 11}, {11.5, 12}}, {{11, 11.5}, {12, 13}}},
      {"single group", {{9, 17}}, {}},
      {"starts at midnight", {{0, 4}, {5, 8}}, {{4, 5}}},
      {"overlapping", {{9, 13}, {12, 17}}, {}},
  };
  for (const Case& c : cases) {
    TTimesheetShift shift;
    for (const auto& [from, to] : c.groups) AddOrdinary(shift, from, to);
    shift.FillInBreaks();
    std::vector<std::pair<double, double>> breaks;
    for (const THoursGroup* g : shift.HoursGroupList().Groups()) {
      if (g->HoursType() == kBrk) breaks.emplace_back(g->FromTime(), g->ToTime());
    }
    std::sort(breaks.begin(), breaks.end());
    EXPECT_EQ(breaks, c.breaks) << c.name;
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
  EXPECT_DOUBLE_EQ(shift.GetHoursForComponent("Normal"), 3);
  EXPECT_DOUBLE_EQ(shift.GetHoursForComponent("normal"), 0);
  EXPECT_DOUBLE_EQ(shift.HoursForWorkCode("WC2"), 1.5);
  EXPECT_DOUBLE_EQ(shift.HoursForWorkCode("wc1"), 0);

  TAllowance* award = shift.AllowanceList().AddNew();
  award->SetAddDedCode("MEAL");
  TAllowance* own = shift.AllowanceList().AddNew();
  own->SetAddDedCode("TOOL");
  own->SetOnEmployee(true);
  EXPECT_FALSE(shift.EmployeeHasAddition("MEAL"));
  EXPECT_TRUE(shift.EmployeeHasAddition("TOOL"));
  EXPECT_FALSE(shift.EmployeeHasAddition("tool"));

  const TDateTime xmas = EncodeDate(2024, 12, 25);
  TDateObject* holiday = shift.WorkPatternList().AddNew();
  holiday->SetDate(xmas);
  holiday->SetDescription("Christmas Day");
  shift.WorkPatternList().AddNew()->SetDate(xmas + 2);
  EXPECT_TRUE(shift.IsPublicHoliday(xmas + 0.75));
  EXPECT_FALSE(shift.IsPublicHoliday(xmas + 2));
  EXPECT_FALSE(shift.IsPublicHoliday(xmas + 1));

  shift.LeaveDatesList().AddNew()->SetLeaveReason("  Annual Leave ");
  EXPECT_TRUE(shift.LeaveReasonExists("ANNUAL LEAVE"));
  EXPECT_TRUE(shift.LeaveReasonExists(" annual leave"));
  EXPECT_FALSE(shift.LeaveReasonExists("Sick"));

  auto col = std::make_unique<TTimesheetColumn>();
  col->SetFieldName("Meals");
  col->SetAddDedCode("MEAL");
  TTimesheetColumn* added = shift.AddColumn(std::move(col));
  EXPECT_EQ(shift.FindColumnByName("Meals"), added);
  EXPECT_EQ(shift.FindColumnByName("meals"), nullptr);
  EXPECT_EQ(shift.FindColumnByAddDedCode("MEAL"), added);
  EXPECT_EQ(shift.GetTimesheetColumn(0), added);
  EXPECT_THROW(shift.GetTimesheetColumn(1), std::out_of_range);
}

TEST(TimesheetShift, ReachingTheManagerNeedsTimesheetAndManager) {
  TTimesheetShift loose;
  struct Case {
    std::string name;
    std::function<void()> call;
  };
  TTimesheet sheet;
  TTimesheetShift* unmanaged = sheet.AddShift(std::make_unique<TTimesheetShift>());
  const std::vector<std::pair<TTimesheetShift*, std::string>> shifts{
      {&loose, "Timesheet not assigned to shift!"},
      {unmanaged, "Timesheet manager not assigned to Timesheet!"}};
  for (const auto& [shift, message] : shifts) {
    for (const Case& c : std::vector<Case>{{"UserFeedback", [s = shift] { s->UserFeedback(); }},
                                           {"AwardCache", [s = shift] { s->AwardCache(); }},
                                           {"LastShiftEndDate", [s = shift] { s->LastShiftEndDate(); }},
                                           {"CustomMessage", [s = shift] { s->SetCustomMessage("x"); }}}) {
      try {
        c.call();
        ADD_FAILURE() << c.name << " did not fail";
      } catch (const eaiPRocessorException& e) {
        EXPECT_EQ(std::string(e.what()), message) << c.name;
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
  struct Case {
    int current_index;
    const TTimesheetShift* asking;
    TDateTime expected;
  };
  const std::vector<Case> cases{
      {1, next, mon + 1 + 6.0 / 24},    // after the night shift
      {0, next, 0},                      // no previous shift
      {-1, next, 0},
      {2, other, 0},                     // the previous shift is another employee's
      {3, other, mon + 1 + 17.0 / 24},   // the shift before index 3, same employee 8
  };
  for (const Case& c : cases) {
    manager.current_index = c.current_index;
    EXPECT_NEAR(c.asking->LastShiftEndDate(), c.expected, 1e-9) << c.current_index;
  }
}

TEST(TimesheetShift, CustomMessageAndTokenReachTheRunAndTheTimesheet) {
  FakeManager manager;
  TTimesheet sheet;
  sheet.SetTimesheetManager(&manager);
  TTimesheetShift* shift = sheet.AddShift(std::make_unique<TTimesheetShift>());
  shift->SetCustomMessage("Check the roster");
  EXPECT_EQ(shift->CustomMessage(), "Check the roster");
  ASSERT_EQ(manager.log.Count(), 1);
  const TUserFeedback::Entry& entry = manager.log.Messages()[0];
  EXPECT_EQ(entry.Text, "Check the roster");
  EXPECT_EQ(entry.Info.Severity, TMessageSeverity::ms_Information);
  EXPECT_EQ(entry.Info.LogType, TMessageLogType::mlt_WorkFlow);
  EXPECT_EQ(entry.Info.TimesheetID, 0);
  EXPECT_FALSE(entry.Info.IsDebugMessage);

  shift->SetPayrollLinkToken("PAY01");
  EXPECT_EQ(sheet.PayrollLinkToken(), "PAY01");
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
