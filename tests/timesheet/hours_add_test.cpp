// Guards against wrong overlap resolution when hours are added (type and percentage precedence), lost or extra
// breakdown copies, wrong roster blocks around the break and midnight, a wrong overtime start, and action
// parameters converted wrongly.
#include "hours_fakes.h"

namespace qora::testing {
namespace {

using BlockList = std::vector<Block>;

// Adds each block through the overlap rules.
void AddAll(TTimesheetShift& shift, const BlockList& adds) {
  for (const Block& a : adds) shift._AddHours(a.from, a.to, a.component, "", a.type, "", "", "");
}

TEST(HoursAdd, OverlapsFollowTypeAndPercentageNotOrderOfAdding) {
  FakeAward award;
  award.overtime_percent = {{"OT150", 150}, {"OT200", 200}};
  FakeManager manager(&award);
  const std::vector<std::tuple<const char*, BlockList, BlockList>> cases = {
      {"overtime over the end of ordinary", {{kOrd, 9, 17, "Normal"}, {kOT, 15, 18, "OT150"}},
       {{kOrd, 9, 15, "Normal"}, {kOT, 15, 18, "OT150"}}},
      {"break inside ordinary", {{kOrd, 9, 17, "Normal"}, {kBrk, 12, 12.5, ""}},
       {{kOrd, 9, 12, "Normal"}, {kBrk, 12, 12.5, ""}, {kOrd, 12.5, 17, "Normal"}}},
      {"ordinary added after overtime loses", {{kOT, 8, 10, "OT150"}, {kOrd, 9, 17, "Normal"}},
       {{kOT, 8, 10, "OT150"}, {kOrd, 10, 17, "Normal"}}},
      {"equal block of the same kind replaces", {{kOT, 15, 18, "OT150"}, {kOT, 15, 18, "OT150"}},
       {{kOT, 15, 18, "OT150"}}},
      {"higher percentage wins either way", {{kOT, 16, 20, "OT200"}, {kOT, 16, 18, "OT150"}},
       {{kOT, 16, 20, "OT200"}}},
      {"lower percentage keeps the rest", {{kOT, 16, 20, "OT150"}, {kOT, 18, 20, "OT200"}},
       {{kOT, 16, 18, "OT150"}, {kOT, 18, 20, "OT200"}}},
      {"break beats overtime", {{kOT, 16, 20, "OT200"}, {kBrk, 17, 17.5, ""}},
       {{kOT, 16, 17, "OT200"}, {kBrk, 17, 17.5, ""}, {kOT, 17.5, 20, "OT200"}}},
      {"make-up beats break", {{kBrk, 12, 13, ""}, {kMakeUp, 9, 17, "Normal"}}, {{kMakeUp, 9, 17, "Normal"}}},
      {"empty and negative blocks are ignored", {{kOrd, 9, 9, "Normal"}, {kOrd, 10, 8, "Normal"}}, {}},
  };
  for (const auto& [name, adds, expected] : cases) {
    ShiftInRun run(&manager);
    AddAll(*run.shift, adds);
    EXPECT_EQ(ByStart(Blocks(run.shift->HoursGroupList())), ByStart(expected)) << name;
  }
}

TEST(HoursAdd, ListStaysOrderedByTypeAndDummyShiftsTakeNothing) {
  ShiftInRun run;
  run.shift->_AddHours(12, 13, "", "", kBrk, "", "", "");
  run.shift->_AddHours(17, 18, "OT", "", kOT, "", "", "");
  run.shift->_AddHours(9, 12, "Normal", "", kOrd, "", "", "");
  std::vector<THoursType> types;
  for (const THoursGroup* g : run.shift->HoursGroupList().Groups()) types.push_back(g->HoursType());
  EXPECT_EQ(types, (std::vector<THoursType>{kOrd, kOT, kBrk}));

  run.shift->SetIsDummyShift(true);
  run.shift->_AddHours(20, 21, "Normal", "WC", kOrd, "Job", "J1", "C1");
  EXPECT_EQ(run.shift->HoursGroupList().Count(), 3);
  EXPECT_EQ(run.shift->WorkCodeGroupList().Count(), 0);
}

TEST(HoursAdd, BreakdownListsTakeCopiesByTheirRulesAndResolveAgainstTheirOwnContent) {
  // Type, work code, job title, job code, cost account; counts in the work code, classification, job and cost lists.
  using S = std::string;
  const std::vector<std::tuple<const char*, THoursType, S, S, S, S, int, int, int, int>> cases = {
      {"nothing to break down", kOrd, "", "", "", "", 0, 0, 0, 0},
      {"work code", kOrd, "WC", "", "", "", 1, 0, 0, 0},
      {"job title", kOrd, "", "Driver", "", "", 0, 1, 0, 0},
      {"ordinary job code", kOrd, "", "", "J1", "", 0, 0, 1, 0},
      {"overtime job code is not recorded", kOT, "", "", "J1", "", 0, 0, 0, 0},
      {"cost account without job title", kOrd, "", "", "", "C1", 0, 0, 0, 1},
      {"cost account with job title goes by classification", kOrd, "", "Driver", "", "C1", 0, 1, 0, 0},
      {"all of them", kOrd, "WC", "Driver", "J1", "C1", 1, 1, 1, 0},
  };
  for (const auto& [name, type, work_code, job_title, job_code, cost_account, work, cls, job, cost] : cases) {
    ShiftInRun run;
    run.shift->_AddHours(9, 17, "Normal", work_code, type, job_title, job_code, cost_account);
    const TTimesheetShift& s = *run.shift;
    EXPECT_EQ(std::tuple(s.WorkCodeGroupList().Count(), s.ClassificationGroupList().Count(),
                         s.JobCodeGroupList().Count(), s.CostCodeGroupList().Count()),
              std::tuple(work, cls, job, cost))
        << name;
  }
  ShiftInRun run;
  run.shift->_AddHours(9, 17, "Normal", "WC1", kOrd, "", "J1", "");
  run.shift->_AddHours(12, 14, "OT", "WC2", kOT, "", "J2", "");
  EXPECT_EQ(ByStart(Blocks(run.shift->WorkCodeGroupList())),
            ByStart({{kOrd, 9, 12, "Normal"}, {kOT, 12, 14, "OT"}, {kOrd, 14, 17, "Normal"}}));
  // Job codes are recorded without resolution, ordinary time only.
  EXPECT_EQ(Blocks(run.shift->JobCodeGroupList()), (std::vector<Block>{{kOrd, 9, 17, "Normal"}}));
}

TEST(HoursAdd, RosterBlocksAroundAFiveMinuteBreak) {
  const double b1 = 755.0 / 60, b2 = 755.0 / 60 + 0.75;
  // Rostered start, end, break; the blocks added.
  const std::vector<std::tuple<double, double, double, BlockList>> cases = {
      {9, 17.5, 0.5, {{kOrd, 9, 13, "Normal"}, {kOrd, 13.5, 17.5, "Normal"}}},
      {9, 17, 0.75, {{kOrd, 9, b1, "Normal"}, {kOrd, b2, 17, "Normal"}}},
      {9, 17, 0, {{kOrd, 9, 17, "Normal"}}},
      {22, 30, 0.5, {{kOrd, 22, 25.75, "Normal"}, {kOrd, 26.25, 30, "Normal"}}},
      {9, 9.5, 0.5, {}},
      {9, 9, 0.5, {}},
  };
  for (const auto& [start, end, brk, expected] : cases) {
    ShiftInRun run;
    run.shift->SetRosteredHoursStart(start);
    run.shift->SetRosteredHoursEnd(end);
    run.shift->SetRosteredBreakHours(brk);
    run.shift->AddHoursFromRoster("WC", kOrd, "", "", "");
    EXPECT_EQ(ByStart(Blocks(run.shift->HoursGroupList())), ByStart(expected)) << start << "-" << end;
  }
}

TEST(HoursAdd, OvertimeStartWalksBackOverBreaks) {
  // Rostered start and end (no break), the blocks added, the overtime start.
  const std::vector<std::tuple<const char*, double, double, BlockList, double>> cases = {
      {"no roster: the shift start", 0, 0, {{kOrd, 8, 20, "Normal"}}, 8},
      {"four hours over", 8, 16, {{kOrd, 8, 20, "Normal"}}, 16},
      {"a break inside the overtime", 8, 16, {{kOrd, 8, 20, "Normal"}, {kBrk, 17, 18, ""}}, 16},
      {"a break inside the roster", 9, 17, {{kOrd, 9, 19, "Normal"}, {kBrk, 12, 12.5, ""}}, 17.5},
      {"the walk passes the break", 8, 15, {{kOrd, 8, 20, "Normal"}, {kBrk, 17, 18, ""}}, 15},
      {"no overtime", 8, 16, {{kOrd, 8, 16, "Normal"}}, 16},
      {"after midnight", 22, 28, {{kOrd, 22, 30, "Normal"}}, 28},
  };
  for (const auto& [name, roster_start, roster_end, adds, expected] : cases) {
    ShiftInRun run;
    run.shift->SetRosteredHoursStart(roster_start);
    run.shift->SetRosteredHoursEnd(roster_end);
    AddAll(*run.shift, adds);
    EXPECT_NEAR(run.shift->OvertimeStartTime(), expected, 1e-9) << name;
  }
}

TEST(HoursAdd, ActionsByNameConvertTheirParameters) {
  // AddHours parameters, the blocks added.
  const std::vector<std::pair<std::vector<std::string>, BlockList>> cases = {
      {{"9", "17", "Normal", "WC"}, {{kOrd, 9, 17, "Normal"}}},       // type defaults to ordinary
      {{"9", "17", "Normal", "WC", "x"}, {{kOrd, 9, 17, "Normal"}}},  // type that is not an integer
      {{"9", "17", "OT", "", "2"}, {{kOT, 9, 17, "OT"}}},             // overtime by ordinal
      {{"9", "17", "Normal", "", "9"}, {{kOrd, 9, 17, "Normal"}}},    // type outside the enumeration
      {{"abc", "2.5", "Normal"}, {{kOrd, 0, 2.5, "Normal"}}},         // numbers that are not numbers read 0
      {{"9"}, {}},                                                    // missing parameters
  };
  for (const auto& [params, expected] : cases) {
    ShiftInRun run;
    Call(*run.shift, "AddHours", params);
    EXPECT_EQ(Blocks(run.shift->HoursGroupList()), expected) << params[0];
  }
  ShiftInRun run;
  Call(*run.shift, "AddHours", {"9", "17", "Normal", "WC", "1", "Driver"});
  Call(*run.shift, "AddBreak", {"12", "12.5"});
  Call(*run.shift, "AddOvertimeHoursLimit", {"1", "2"});
  Call(*run.shift, "ShowMessage", {"hello"});
  EXPECT_EQ(ByStart(Blocks(run.shift->HoursGroupList())),
            ByStart({{kOrd, 9, 12, "Normal"}, {kBrk, 12, 12.5, ""}, {kOrd, 12.5, 17, "Normal"}}));
  EXPECT_EQ(run.shift->HoursGroupList().Items(0)->JobTitle(), "Driver");
}

TEST(HoursAdd, ComponentColumnIsCreatedOnceAndFollowsTheHours) {
  ShiftInRun run;
  int created = 0;
  run.shift->SetOnCreateVariable([&](TQelParser*, TTimesheetColumn* column) {
    ++created;
    EXPECT_EQ(column->FieldName(), "OT150");
  });
  Call(*run.shift, "AddComponent", {"OT150", "Overtime 1.5", "150"});
  Call(*run.shift, "AddComponent", {"OT150", "again", "175"});
  EXPECT_EQ(created, 1);
  TTimesheetColumn* column = run.shift->FindColumnByName("OT150");
  ASSERT_NE(column, nullptr);
  EXPECT_EQ(std::tuple(column->ColumnName(), column->Percentage(), column->IsComponent(), column->NeedVariable(),
                       column->Visible(), column->FieldType()),
            std::tuple("Overtime 1.5", 150.0, true, true, false, TFieldType::ftFloat));
  run.shift->_AddHours(17, 19.5, "OT150", "", kOT, "", "", "");
  EXPECT_EQ(column->StringValue(), "2.5");
}

}  // namespace
}  // namespace qora::testing
