// Guards against overtime actions splitting at the wrong hour (rates, minimums, breaks, midnight, weekday
// bands, period thresholds, work codes), asking the hours history the wrong question, and wrong debug lines.
#include "hours_fakes.h"

namespace qora::testing {
namespace {

struct Roster {
  double start, end, brk;
};

using Params = std::vector<std::string>;
using BlockList = std::vector<Block>;

void Prepare(TTimesheetShift& shift, Roster roster, const BlockList& worked) {
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

TEST(HoursOvertime, AtTheEndOfTheShiftAndInTimeOfDayBands) {
  const char* const kEnd = "AddOvertimeHours";  // parameters: rate, next rate, first hours
  const char* const kBand = "AddTimeOfDayOvertimeHours";  // D1, D2, T1, T2, rate, next rate, first hours
  const TDateTime tue = EncodeDate(2024, 3, 5), fri = EncodeDate(2024, 3, 8);
  const Roster day{8, 16, 0};
  const BlockList to20{{kOrd, 8, 20, "Normal"}};
  // Action, day, roster, worked, parameters, the overtime blocks (breaks too) after it.
  const std::vector<std::tuple<const char*, const char*, TDateTime, Roster, BlockList, Params, BlockList>> cases = {
      {"first and next rate", kEnd, tue, day, to20, {"OT15", "OT20", "2"},
       {{kOT, 16, 18, "OT15"}, {kOT, 18, 20, "OT20"}}},
      {"one rate", kEnd, tue, day, to20, {"OT15", "", "2"}, {{kOT, 16, 20, "OT15"}}},
      {"a lower next rate loses the overlap", kEnd, tue, day, to20, {"OT15", "OT125", "2"}, {{kOT, 16, 20, "OT15"}}},
      {"window walks back over a break", kEnd, tue, day, {{kOrd, 8, 20, "Normal"}, {kBrk, 18, 19, ""}},
       {"OT15", "OT20", "1"},
       {{kOT, 16, 17, "OT15"}, {kOT, 17, 18, "OT20"}, {kBrk, 18, 19, ""}, {kOT, 19, 20, "OT20"}}},
      {"no overtime", kEnd, tue, day, {{kOrd, 8, 16, "Normal"}}, {"OT15", "OT20", "2"}, {}},
      {"across midnight", kEnd, tue, {22, 28, 0}, {{kOrd, 22, 30, "Normal"}}, {"OT15", "OT20", "1"},
       {{kOT, 28, 29, "OT15"}, {kOT, 29, 30, "OT20"}}},
      {"evening band on the day", kBand, tue, day, to20, {"3", "3", "18", "23", "OT15", "", "0"},
       {{kOT, 18, 20, "OT15"}}},
      {"first hours then next rate", kBand, tue, day, to20, {"3", "3", "18", "23", "OT15", "OT20", "1"},
       {{kOT, 18, 19, "OT15"}, {kOT, 19, 20, "OT20"}}},
      {"band from Monday to Friday", kBand, tue, day, to20, {"2", "6", "6", "23", "OT15", "", "0"},
       {{kOT, 16, 20, "OT15"}}},
      {"overnight band into Saturday", kBand, fri, {20, 24, 0}, {{kOrd, 20, 28, "Normal"}},
       {"6", "6", "22", "6", "OT20", "", "0"}, {{kOT, 24, 28, "OT20"}}},
      {"weekend band seen on Saturday", kBand, fri + 1, day, to20, {"7", "1", "0", "24", "OT20", "", "0"},
       {{kOT, 16, 20, "OT20"}}},
      {"weekend band seen on Sunday", kBand, fri + 2, day, to20, {"7", "1", "0", "24", "OT20", "", "0"},
       {{kOT, 16, 20, "OT20"}}},
      {"band on another day", kBand, tue, day, to20, {"5", "5", "0", "24", "OT15", "", "0"}, {}},
  };
  FakeAward award = OvertimeAward();
  for (const auto& [name, action, date, roster, worked, params, expected] : cases) {
    FakeManager manager(&award);
    ShiftInRun run(&manager);
    run.shift->SetShiftStartDate(date);
    Prepare(*run.shift, roster, worked);
    Call(*run.shift, action, params);
    EXPECT_EQ(ExtraBlocks(run.shift->HoursGroupList()), expected) << name;
  }
}

TEST(HoursOvertime, MinimumOvertime) {
  FakeAward award = OvertimeAward();
  FakeManager manager(&award);
  // Worked blocks, parameters, hours added after the shift end.
  const std::vector<std::tuple<const char*, BlockList, Params, double>> cases = {
      {"one hour worked, minimum three", {{kOrd, 8, 16, "Normal"}, {kOT, 16, 17, "OT15"}}, {"OT15", "3"}, 2},
      {"none worked", {{kOrd, 8, 16, "Normal"}}, {"OT15", "3"}, 0},
      {"second rate counts too", {{kOrd, 8, 16, "Normal"}, {kOT, 16, 17, "OT15"}, {kOT, 17, 18, "OT20"}},
       {"OT15", "3"}, 1},
      {"a code without a second rate", {{kOrd, 8, 16, "Normal"}, {kOT, 16, 16.5, "OT125"}}, {"OT125", "2"}, 1.5},
  };
  for (const auto& [name, worked, params, added] : cases) {
    ShiftInRun run(&manager);
    Prepare(*run.shift, {8, 16, 0}, worked);
    const double end = run.shift->ShiftEnd();
    const double before = run.shift->GetHoursForComponent(params[0]);
    Call(*run.shift, "AddMinOvertime", params);
    EXPECT_NEAR(run.shift->ShiftEnd() - end, added, 1e-9) << name;
    EXPECT_NEAR(run.shift->GetHoursForComponent(params[0]) - before, added, 1e-9) << name;
  }
}

TEST(HoursOvertime, UnworkedPublicHoliday) {
  const std::vector<std::tuple<const char*, bool, BlockList, BlockList>> cases = {
      {"unworked holiday", true, {},
       {{kMakeUp, 9, 13, "Normal"}, {kBrk, 13, 13.5, ""}, {kMakeUp, 13.5, 17.5, "Normal"}}},
      {"worked holiday", true, {{kOrd, 9, 10, "Normal"}}, {{kOrd, 9, 10, "Normal"}}},
      {"ordinary day", false, {}, {}},
  };
  for (const auto& [name, holiday, worked, expected] : cases) {
    ShiftInRun run;
    Prepare(*run.shift, {9, 17.5, 0.5}, worked);
    TDateObject* day = run.shift->WorkPatternList().AddNew();
    day->SetDate(run.shift->ShiftStartDate());
    day->SetDescription(holiday ? "Labour Day" : "");
    Call(*run.shift, "AddUnworkedPublicHolidayHours", {"CC9"});
    EXPECT_EQ(ByStart(Blocks(run.shift->HoursGroupList())), ByStart(expected)) << name;
    // Make-up hours carry the cost code.
    EXPECT_EQ(run.shift->CostCodeGroupList().Count(), holiday && worked.empty() ? 2 : 0) << name;
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
  // Worked, leave hours, parameters (basis, period, code, next code, hours, next hours, reasons, cycle), overtime.
  const std::vector<std::tuple<const char*, BlockList, double, Params, BlockList>> cases = {
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
       {{kOT, 11.5, 12, "OT15"}, {kBrk, 12, 12.5, ""}, {kOT, 12.5, 12.75, "OT15"}, {kOT, 12.75, 19, "OT20"}}},
  };
  for (const auto& [name, worked, leave_hours, params, overtime] : cases) {
    ShiftInRun run;  // no manager needed for one shift with fixed hours
    Prepare(*run.shift, {8, 16, 0}, worked);
    TDateGroup* leave = run.shift->LeaveDatesList().AddNew();
    leave->SetLeaveReason("AL");
    leave->SetTotalHours(leave_hours);
    Call(*run.shift, "AddHoursWorkedOvertimeHours", params);
    EXPECT_EQ(ExtraBlocks(run.shift->HoursGroupList()), ByStart(overtime)) << name;
  }
}

TEST(HoursOvertime, PeriodOvertimeReachesTheHoursHistory) {
  FakeAward award = OvertimeAward();
  award.category_percent = {{"FT", 100}};
  award.class_rate = {{"C1", 30}};
  FakeManager manager(&award);
  manager.hours_totals = {{{THoursTypeSet{kOrd}.Byte(), ""}, 32}, {{THoursTypeSet{kOT}.Byte(), "OT15"}, 2}};
  // A penalty of 1 unit paid at this amount, overtime.
  const std::vector<std::tuple<const char*, double, BlockList>> cases = {
      // 32 + 8 = 40 against 38: 2 hours; 3 at OT15 less the 2 already paid leaves 1.
      {"penalty below the overtime rate", 40, {{kOT, 15, 16, "OT15"}, {kOT, 16, 17, "OT20"}}},
      // A penalty worth at least the overtime rate (45) takes its hour out.
      {"penalty at the overtime rate", 45, {{kOT, 16, 17, "OT15"}}},
  };
  for (const auto& [name, penalty_rate, overtime] : cases) {
    manager.calls.clear();
    ShiftInRun run(&manager);
    run.shift->SetEmployeeNormalHours(38);
    run.shift->SetEmployeeClassification("C1");
    run.shift->SetEmployeeCategory("FT");
    Prepare(*run.shift, {9, 17, 0}, {{kOrd, 9, 17, "Normal"}});
    TPenalty* penalty = run.shift->PenaltyList().AddNew();
    penalty->SetPayOption(TaiConditionPayOpt::aicpo_Amount);
    penalty->SetRate(penalty_rate);
    penalty->SetUnits(1);
    Call(*run.shift, "AddHoursWorkedOvertimeHours", {"1", "3", "OT15", "OT20", "0", "3", "AL", "45000"});
    EXPECT_EQ(ExtraBlocks(run.shift->HoursGroupList()), ByStart(overtime)) << name;
    // Ordinary hours with the listed leave at the overtime rate, then the overtime already paid at the first rate.
    EXPECT_EQ(manager.calls, (std::vector<HoursTotalCall>{
                                 {THoursTypeSet{kOrd}.Byte(), "AL", TaiPeriodType::aipt1Week, 45000, "", 45},
                                 {THoursTypeSet{kOT}.Byte(), "", TaiPeriodType::aipt1Week, 45000, "OT15", 0}}))
        << name;
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
  // Parameters (work code, rate code, next-overtime hours, next rate code), overtime.
  const std::vector<std::tuple<const char*, Params, BlockList>> cases = {
      {"limit inside the second block", {"OTW", "OT15", "3", "OT20"},
       {{kOT, 17, 19, "OT15"}, {kOT, 20, 21, "OT15"}, {kOT, 21, 22, "OT20"}, {kOT, 23, 24, "OT20"}}},
      {"limit at a block end", {"OTW", "OT15", "2", "OT20"},
       {{kOT, 17, 19, "OT15"}, {kOT, 20, 22, "OT20"}, {kOT, 23, 24, "OT20"}}},
      {"no next rate", {"OTW", "OT15", "3", ""},
       {{kOT, 17, 19, "OT15"}, {kOT, 20, 21, "OT15"}, {kOT, 21, 22, "OT15"}, {kOT, 23, 24, "OT15"}}},
      {"another work code", {"XYZ", "OT15", "3", "OT20"}, {}},
  };
  for (const auto& [name, params, overtime] : cases) {
    ShiftInRun run;
    run.shift->_AddHours(9, 17, "Normal", "GEN", kOrd, "", "", "");
    // Entered out of order: the action walks them by start.
    run.shift->_AddHours(23, 24, "Normal", "OTW", kOrd, "", "", "");
    run.shift->_AddHours(17, 19, "Normal", "OTW", kOrd, "", "", "");
    run.shift->_AddHours(20, 22, "Normal", "OTW", kOrd, "", "", "");
    Call(*run.shift, "ApplyOvertimeToWorkCode", params);
    EXPECT_EQ(ExtraBlocks(run.shift->HoursGroupList()), ByStart(overtime)) << name;
    for (const THoursGroup* g : run.shift->HoursGroupList().Groups()) {
      EXPECT_TRUE(g->HoursType() != kOT || g->WorkCode() == params[0]) << name;
    }
  }
}

}  // namespace
}  // namespace qora::testing
