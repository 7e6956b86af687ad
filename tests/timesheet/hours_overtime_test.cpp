// Guards against overtime actions splitting at the wrong hour (rates, minimums, breaks, midnight, weekday
// bands, period thresholds, work codes), asking the hours history the wrong question, and wrong debug lines.
#include "hours_fakes.h"

namespace qora::testing {
namespace {

struct Roster {
  double start, end, brk;
};

void Prepare(TTimesheetShift& shift, Roster roster, std::vector<Block> worked) {
  shift.SetRosteredHoursStart(roster.start);
  shift.SetRosteredHoursEnd(roster.end);
  shift.SetRosteredBreakHours(roster.brk);
  for (const Block& b : worked) shift._AddHours(b.from, b.to, b.component, "", b.type, "", "", "");
}

FakeAward OvertimeAward() {
  FakeAward award;
  award.overtime_percent = {{"OT15", 150}, {"OT20", 200}, {"OT125", 125}};
  award.rate2 = {{"OT15", "OT20"}};
  return award;
}

TEST(HoursOvertime, AddOvertimeHoursAtTheEndOfTheShift) {
  FakeAward award = OvertimeAward();
  FakeManager manager;
  manager.award = &award;
  struct Case {
    const char* name;
    Roster roster;
    std::vector<Block> worked;
    std::vector<std::string> params;
    std::vector<Block> expected;
  };
  const std::vector<Case> cases = {
      {"first and next rate", {8, 16, 0}, {{kOrd, 8, 20, "Normal"}}, {"OT15", "OT20", "2"},
       {{kOrd, 8, 16, "Normal"}, {kOT, 16, 18, "OT15"}, {kOT, 18, 20, "OT20"}}},
      {"one rate", {8, 16, 0}, {{kOrd, 8, 20, "Normal"}}, {"OT15", "", "2"},
       {{kOrd, 8, 16, "Normal"}, {kOT, 16, 20, "OT15"}}},
      {"a lower next rate loses the overlap", {8, 16, 0}, {{kOrd, 8, 20, "Normal"}}, {"OT15", "OT125", "2"},
       {{kOrd, 8, 16, "Normal"}, {kOT, 16, 20, "OT15"}}},
      {"window walks back over a break", {8, 16, 0}, {{kOrd, 8, 20, "Normal"}, {kBrk, 18, 19, ""}},
       {"OT15", "OT20", "1"},
       {{kOrd, 8, 16, "Normal"}, {kOT, 16, 17, "OT15"}, {kOT, 17, 18, "OT20"}, {kBrk, 18, 19, ""},
        {kOT, 19, 20, "OT20"}}},
      {"no overtime", {8, 16, 0}, {{kOrd, 8, 16, "Normal"}}, {"OT15", "OT20", "2"}, {{kOrd, 8, 16, "Normal"}}},
      {"across midnight", {22, 28, 0}, {{kOrd, 22, 30, "Normal"}}, {"OT15", "OT20", "1"},
       {{kOrd, 22, 28, "Normal"}, {kOT, 28, 29, "OT15"}, {kOT, 29, 30, "OT20"}}},
  };
  for (const Case& c : cases) {
    ShiftInRun run(&manager);
    Prepare(*run.shift, c.roster, c.worked);
    Call(*run.shift, "AddOvertimeHours", c.params);
    EXPECT_EQ(ByStart(Blocks(run.shift->HoursGroupList())), ByStart(c.expected)) << c.name;
  }
}

TEST(HoursOvertime, MinimumOvertime) {
  FakeAward award = OvertimeAward();
  FakeManager manager;
  manager.award = &award;
  struct Case {
    const char* name;
    std::vector<Block> worked;
    std::vector<std::string> params;
    double added;  // hours added after the shift end
  };
  const std::vector<Case> cases = {
      {"one hour worked, minimum three", {{kOrd, 8, 16, "Normal"}, {kOT, 16, 17, "OT15"}}, {"OT15", "3"}, 2},
      {"none worked", {{kOrd, 8, 16, "Normal"}}, {"OT15", "3"}, 0},
      {"second rate counts too", {{kOrd, 8, 16, "Normal"}, {kOT, 16, 17, "OT15"}, {kOT, 17, 18, "OT20"}},
       {"OT15", "3"}, 1},
      {"a code without a second rate", {{kOrd, 8, 16, "Normal"}, {kOT, 16, 16.5, "OT125"}}, {"OT125", "2"}, 1.5},
  };
  for (const Case& c : cases) {
    ShiftInRun run(&manager);
    Prepare(*run.shift, {8, 16, 0}, c.worked);
    const double end = run.shift->ShiftEnd();
    const double before = run.shift->GetHoursForComponent(c.params[0]);
    Call(*run.shift, "AddMinOvertime", c.params);
    EXPECT_NEAR(run.shift->ShiftEnd() - end, c.added, 1e-9) << c.name;
    EXPECT_NEAR(run.shift->GetHoursForComponent(c.params[0]) - before, c.added, 1e-9) << c.name;
  }
}

TEST(HoursOvertime, UnworkedPublicHoliday) {
  struct Case {
    const char* name;
    bool holiday;
    std::vector<Block> worked;
    std::vector<Block> expected;
  };
  const std::vector<Case> cases = {
      {"unworked holiday", true, {},
       {{kMakeUp, 9, 13, "Normal"}, {kBrk, 13, 13.5, ""}, {kMakeUp, 13.5, 17.5, "Normal"}}},
      {"worked holiday", true, {{kOrd, 9, 10, "Normal"}}, {{kOrd, 9, 10, "Normal"}}},
      {"ordinary day", false, {}, {}},
  };
  for (const Case& c : cases) {
    ShiftInRun run;
    Prepare(*run.shift, {9, 17.5, 0.5}, c.worked);
    auto day = std::make_unique<TDateObject>();
    day->SetDate(run.shift->ShiftStartDate());
    day->SetDescription(c.holiday ? "Labour Day" : "");
    run.shift->WorkPatternList().Add(std::move(day));
    Call(*run.shift, "AddUnworkedPublicHolidayHours", {"CC9"});
    EXPECT_EQ(ByStart(Blocks(run.shift->HoursGroupList())), ByStart(c.expected)) << c.name;
    if (c.holiday && c.worked.empty()) {
      EXPECT_EQ(run.shift->CostCodeGroupList().Count(), 2) << "make-up hours carry the cost code";
    }
  }
}

TEST(HoursOvertime, TimeOfDayBand) {
  struct Case {
    const char* name;
    TDateTime day;
    Roster roster;
    std::vector<Block> worked;
    std::vector<std::string> params;  // D1, D2, T1, T2, R, N, H
    std::vector<Block> overtime;
  };
  const TDateTime tuesday = EncodeDate(2024, 3, 5);
  const TDateTime friday = EncodeDate(2024, 3, 8);
  const TDateTime sunday = EncodeDate(2024, 3, 10);
  const std::vector<Case> cases = {
      {"evening band on the day", tuesday, {8, 16, 0}, {{kOrd, 8, 20, "Normal"}}, {"3", "3", "18", "23", "OT15", "", "0"},
       {{kOT, 18, 20, "OT15"}}},
      {"first hours then next rate", tuesday, {8, 16, 0}, {{kOrd, 8, 20, "Normal"}},
       {"3", "3", "18", "23", "OT15", "OT20", "1"}, {{kOT, 18, 19, "OT15"}, {kOT, 19, 20, "OT20"}}},
      {"band from Monday to Friday", tuesday, {8, 16, 0}, {{kOrd, 8, 20, "Normal"}},
       {"2", "6", "6", "23", "OT15", "", "0"}, {{kOT, 16, 20, "OT15"}}},
      {"overnight band into Saturday", friday, {20, 24, 0}, {{kOrd, 20, 28, "Normal"}},
       {"6", "6", "22", "6", "OT20", "", "0"}, {{kOT, 24, 28, "OT20"}}},
      {"weekend band seen on Saturday", EncodeDate(2024, 3, 9), {8, 16, 0}, {{kOrd, 8, 20, "Normal"}},
       {"7", "1", "0", "24", "OT20", "", "0"}, {{kOT, 16, 20, "OT20"}}},
      {"weekend band seen on Sunday", sunday, {8, 16, 0}, {{kOrd, 8, 20, "Normal"}},
       {"7", "1", "0", "24", "OT20", "", "0"}, {{kOT, 16, 20, "OT20"}}},
      {"band on another day", tuesday, {8, 16, 0}, {{kOrd, 8, 20, "Normal"}}, {"5", "5", "0", "24", "OT15", "", "0"},
       {}},
  };
  for (const Case& c : cases) {
    FakeManager manager;
    ShiftInRun run(&manager);
    run.shift->SetShiftStartDate(c.day);
    Prepare(*run.shift, c.roster, c.worked);
    Call(*run.shift, "AddTimeOfDayOvertimeHours", c.params);
    EXPECT_EQ(OvertimeBlocks(run.shift->HoursGroupList()), ByStart(c.overtime)) << c.name;
    EXPECT_EQ(manager.log.Count(), 5) << c.name;
  }
}

TEST(HoursOvertime, TimeOfDayDebugLines) {
  FakeManager manager;
  ShiftInRun run(&manager);
  run.shift->SetTimesheetID(42);
  Prepare(*run.shift, {8, 16, 0}, {{kOrd, 8, 20, "Normal"}});
  Call(*run.shift, "AddTimeOfDayOvertimeHours", {"3", "3", "18", "23", "OT15", "", "0"});
  EXPECT_EQ(manager.Texts(), (std::vector<std::string>{"Condition Name: OT15", "Condition Start: 2024-03-05 18:00:00",
                                                      "Condition End: 2024-03-05 23:00:00",
                                                      "Overtime Start: 2024-03-05 16:00:00",
                                                      "Overtime End: 2024-03-05 20:00:00"}));
  for (const auto& m : manager.log.Messages()) {
    EXPECT_TRUE(m.Info.IsDebugMessage);
    EXPECT_EQ(m.Info.TimesheetID, 42);
  }
}

TEST(HoursOvertime, PeriodOvertimeOnOneShiftWithFixedHours) {
  struct Case {
    const char* name;
    std::vector<Block> worked;
    double leave_hours;
    std::vector<std::string> params;  // basis, period, code, next code, hours, next hours, reasons, cycle
    std::vector<Block> overtime;
  };
  const std::vector<Case> cases = {
      {"three over eight", {{kOrd, 8, 19, "Normal"}}, 0, {"3", "1", "OT15", "OT20", "8", "2", "", "0"},
       {{kOT, 16, 18, "OT15"}, {kOT, 18, 19, "OT20"}}},
      {"leave of a listed reason counts", {{kOrd, 8, 19, "Normal"}}, 1, {"3", "1", "OT15", "OT20", "8", "5", "AL,SICK", "0"},
       {{kOT, 15, 19, "OT15"}}},
      {"leave of another reason does not", {{kOrd, 8, 19, "Normal"}}, 1, {"3", "1", "OT15", "OT20", "8", "5", "SICK", "0"},
       {{kOT, 16, 19, "OT15"}}},
      {"no hours at the first rate", {{kOrd, 8, 19, "Normal"}}, 0, {"3", "1", "OT15", "OT20", "8", "0", "", "0"},
       {{kOT, 16, 19, "OT20"}}},
      {"under the threshold", {{kOrd, 8, 15, "Normal"}}, 0, {"3", "1", "OT15", "OT20", "8", "2", "", "0"}, {}},
      {"walks over a break and splits after it", {{kOrd, 8, 19, "Normal"}, {kBrk, 12, 12.5, ""}}, 0,
       {"3", "1", "OT15", "OT20", "3.5", "0.75", "", "0"},
       {{kOT, 11.5, 12, "OT15"}, {kOT, 12.5, 12.75, "OT15"}, {kOT, 12.75, 19, "OT20"}}},
  };
  for (const Case& c : cases) {
    ShiftInRun run;  // no manager needed for one shift with fixed hours
    Prepare(*run.shift, {8, 16, 0}, c.worked);
    if (c.leave_hours > 0) {
      auto leave = std::make_unique<TDateGroup>();
      leave->SetLeaveReason("AL");
      leave->SetTotalHours(c.leave_hours);
      run.shift->LeaveDatesList().Add(std::move(leave));
    }
    Call(*run.shift, "AddHoursWorkedOvertimeHours", c.params);
    EXPECT_EQ(OvertimeBlocks(run.shift->HoursGroupList()), ByStart(c.overtime)) << c.name;
  }
}

TEST(HoursOvertime, PeriodOvertimeReachesTheHoursHistory) {
  FakeAward award = OvertimeAward();
  award.category_percent = {{"FT", 100}};
  award.class_rate = {{"C1", 30}};
  FakeManager manager;
  manager.award = &award;
  manager.hours_totals = {{{THoursTypeSet{kOrd}.Byte(), ""}, 32}, {{THoursTypeSet{kOT}.Byte(), "OT15"}, 2}};
  struct Case {
    const char* name;
    double penalty_rate;  // a penalty of 1 unit paid at this amount
    std::vector<Block> overtime;
  };
  const std::vector<Case> cases = {
      // 32 + 8 = 40 against 38: 2 hours; 3 at OT15 less the 2 already paid leaves 1.
      {"penalty below the overtime rate", 40, {{kOT, 15, 16, "OT15"}, {kOT, 16, 17, "OT20"}}},
      // A penalty worth at least the overtime rate (45) takes its hour out.
      {"penalty at the overtime rate", 45, {{kOT, 16, 17, "OT15"}}},
  };
  for (const Case& c : cases) {
    manager.calls.clear();
    ShiftInRun run(&manager);
    run.shift->SetEmployeeNormalHours(38);
    run.shift->SetEmployeeClassification("C1");
    run.shift->SetEmployeeCategory("FT");
    Prepare(*run.shift, {9, 17, 0}, {{kOrd, 9, 17, "Normal"}});
    auto penalty = std::make_unique<TPenalty>();
    penalty->SetPayOption(TaiConditionPayOpt::aicpo_Amount);
    penalty->SetRate(c.penalty_rate);
    penalty->SetUnits(1);
    run.shift->PenaltyList().Add(std::move(penalty));
    Call(*run.shift, "AddHoursWorkedOvertimeHours", {"1", "3", "OT15", "OT20", "0", "3", "AL", "45000"});
    EXPECT_EQ(OvertimeBlocks(run.shift->HoursGroupList()), ByStart(c.overtime)) << c.name;
    ASSERT_EQ(manager.calls.size(), 2u) << c.name;
    const HoursTotalCall& ord = manager.calls[0];
    EXPECT_EQ(std::tuple(ord.types, ord.leave_reasons, ord.period, ord.cycle_start, ord.rate_code, ord.rate),
              std::tuple(THoursTypeSet{kOrd}.Byte(), std::string("AL"), TaiPeriodType::aipt1Week, 45000.0,
                         std::string(), 45.0));
    const HoursTotalCall& ot = manager.calls[1];
    EXPECT_EQ(std::tuple(ot.types, ot.leave_reasons, ot.rate_code, ot.rate),
              std::tuple(THoursTypeSet{kOT}.Byte(), std::string(), std::string("OT15"), 0.0));
  }
  // Without a run there is no hours history to ask.
  ShiftInRun alone;
  Prepare(*alone.shift, {9, 17, 0}, {{kOrd, 9, 17, "Normal"}});
  try {
    Call(*alone.shift, "AddHoursWorkedOvertimeHours", {"1", "3", "OT15", "OT20", "0", "3", "", "0"});
    ADD_FAILURE() << "no error without a manager";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Timesheet manager not assigned to Timesheet!");
  }
}

TEST(HoursOvertime, OvertimeEnteredUnderAWorkCode) {
  struct Case {
    const char* name;
    std::vector<std::string> params;  // work code, rate code, next-overtime hours, next rate code
    std::vector<Block> overtime;
  };
  const std::vector<Case> cases = {
      {"limit inside the second block", {"OTW", "OT15", "3", "OT20"},
       {{kOT, 17, 19, "OT15"}, {kOT, 20, 21, "OT15"}, {kOT, 21, 22, "OT20"}, {kOT, 23, 24, "OT20"}}},
      {"limit at a block end", {"OTW", "OT15", "2", "OT20"},
       {{kOT, 17, 19, "OT15"}, {kOT, 20, 22, "OT20"}, {kOT, 23, 24, "OT20"}}},
      {"no next rate", {"OTW", "OT15", "3", ""},
       {{kOT, 17, 19, "OT15"}, {kOT, 20, 21, "OT15"}, {kOT, 21, 22, "OT15"}, {kOT, 23, 24, "OT15"}}},
      {"another work code", {"XYZ", "OT15", "3", "OT20"}, {}},
  };
  for (const Case& c : cases) {
    ShiftInRun run;
    run.shift->_AddHours(9, 17, "Normal", "GEN", kOrd, "", "", "");
    // Entered out of order: the action walks them by start.
    run.shift->_AddHours(23, 24, "Normal", "OTW", kOrd, "", "", "");
    run.shift->_AddHours(17, 19, "Normal", "OTW", kOrd, "", "", "");
    run.shift->_AddHours(20, 22, "Normal", "OTW", kOrd, "", "", "");
    Call(*run.shift, "ApplyOvertimeToWorkCode", c.params);
    EXPECT_EQ(OvertimeBlocks(run.shift->HoursGroupList()), ByStart(c.overtime)) << c.name;
    for (const THoursGroup* g : run.shift->HoursGroupList().Groups()) {
      EXPECT_TRUE(g->HoursType() != kOT || g->WorkCode() == c.params[0]) << c.name;
    }
  }
}

}  // namespace
}  // namespace qora::testing
