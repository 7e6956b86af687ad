// Guards the compiled run against drifting from the literal one: random
// condition tables over random timesheets must leave the same shifts (hours,
// allowances, penalties, columns, properties), errors and run log, also where
// shifts of one day differ in their public holidays.
#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "engine/run_driver.h"
#include "foundation/user_feedback.h"
#include "rules/process_manager.h"
#include "rules_test_support.h"
#include "timesheet/timesheet_json.h"
#include "timesheet/work_pattern.h"

namespace qora {
namespace {

using testing::Row;
constexpr auto kSet = TaiActionType::aatSet;
constexpr auto kCall = TaiActionType::aatCallMethod;

const char* const kConditions[] = {
    "", "", "EqualString(ConditionGroup, \"A\")", "DayOfWeek(ShiftStartDate) = 2", "ShiftEnd > 17",
    "OrdinaryHoursTotal >= 8", "WorkedHoursTotal > RosteredHoursTotal", "WorkCodeExists(\"gen\")", "iUnits > 1",
    "(ShiftCost < 2) and not IsOffDay", "HoursForWorkCode(\"GEN\") > 4", "GetFloatValue(\"Km\") > 10",
    // Tests that others repeat, which a compiled run evaluates once while the shift stays as it is.
    "(ShiftCost < 2) or (ShiftEnd > 17)", "(DayOfWeek(ShiftStartDate) = 2) or (HoursForWorkCode(\"GEN\") > 4)",
    "(DayOfWeek(ShiftStartDate) = 8) and (ShiftEnd > 17)"};
// Rarely: a name that exists only once a column is added, a non-Boolean, an unknown name.
const char* const kRareConditions[] = {"Comp >= 0", "ShiftStart + 1", "Missing > 1"};

Row RandomRow(std::mt19937& rng, int order, int index) {
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const std::string condition = pick(15) == 0 ? kRareConditions[pick(std::size(kRareConditions))]
                                              : kConditions[pick(std::size(kConditions))];
  const std::vector<Row> actions = {
      {0, kSet, "", "\"B\"", "ConditionGroup"}, {0, kSet, "", "ShiftCost + 1", "ShiftCost"},
      {0, kSet, "", "iUnits + 2", "iUnits"}, {0, kSet, "", "MaxR(ShiftStart, 22) - 1", "fKm"},
      {0, kSet, "", "OvertimeStartDay", "StandardRate"}, {0, kSet, "", "\"X\"", "EmployeeClassification"},
      {0, kSet, "", "\"Y\"", "EmployeeClassification"},
      {0, kCall, "", "ShiftEnd;ShiftEnd + 0.5;\"OT\";\"GEN\";2;\"\"", "AddHours"},
      {0, kCall, "", "12;;12.5", "AddBreak"}, {0, kCall, "", "\"OT15\";\"OT20\";2;\"GEN\"", "AddOvertimeHours"},
      {0, kCall, "", "\"Comp\";\"Comp hours\";100", "AddComponent"}, {0, kCall, "", ";\"x\"", "NoSuchOperation"},
      {0, TaiActionType::aatNone, "", "EqualString(EmployeeCode, \"E1\")", ""},
      {0, TaiActionType::aatProcessRule, "", "", "SUB"},
  };
  Row row = actions[static_cast<size_t>(pick(static_cast<int>(actions.size())))];
  row.order = order;
  row.condition = condition;
  row.code = "R" + std::to_string(index);
  row.exit = pick(12) == 0;
  // Go-to codes lead forward (or nowhere); a loop needs a condition that ends it.
  if (pick(5) == 0) row.go_to = "R" + std::to_string(index + 1 + pick(4));
  if (pick(20) == 0) row.go_to = "NONE";
  if (pick(25) == 0) row = {order, kSet, "ShiftCost < 3", "ShiftCost + 1", "ShiftCost", false, row.code, "R0"};
  return row;
}

// What a run leaves: the shifts as JSON, the run log, the number of conditions processed.
std::vector<std::string> RunOnce(unsigned seed, TConditionEvaluation way) {
  std::mt19937 rng(seed);
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  TUserFeedback log;
  log.SetDebugEnabled(true);
  TTimesheetManager manager;
  manager.SetUserFeedback(&log);
  for (int s = 0; s < 4; ++s) {
    TTimesheetShift& shift = testing::AddShift(manager, "E" + std::to_string(1 + pick(2)), 6 + pick(6), 14 + pick(10));
    shift.SetShiftStartDate(shift.ShiftStartDate() + pick(3));
    shift.SetConditionGroup(pick(2) ? "A" : "C");
    // Reading the higher-duty properties fills in the higher-duty code once
    // the employee's classification differs from the block's.
    shift.SetEmployeeClassification(pick(2) ? "X" : "Y");
    THoursGroup* duty = shift.ClassificationGroupList().Add(std::make_unique<THoursGroup>());
    duty->SetClassification("X");
    duty->SetJobTitle("J1");
    testing::AddColumn(shift, "fKm", TFieldType::ftFloat, std::to_string(pick(20)), false);
    testing::AddColumn(shift, "iUnits", TFieldType::ftInteger, std::to_string(pick(3)), true);
    if (pick(8) == 0) testing::AddColumn(shift, "OrdinaryHoursTotal", TFieldType::ftFloat, "1", true);
    // A public holiday on one shift's day and not on another's of the same day.
    if (pick(2) == 0) {
      TDateObject* holiday = shift.WorkPatternList().AddNew();
      holiday->SetDate(shift.ShiftStartDate());
      holiday->SetDescription("Holiday");
    }
  }
  testing::TRowsProvider provider;
  for (const char* code : {"AW", "SUB"}) {
    std::vector<Row> rows;
    const int count = 6 + pick(14);
    for (int i = 0, order = 1; i < count; ++i, order += pick(3)) rows.push_back(RandomRow(rng, order, i));
    provider.Add(code, std::move(rows));
  }
  TaiProcessManager pm;
  pm.SetUserFeedback(&log);
  pm.SetAwardProvider(&provider);
  pm.SetEvaluation(way);
  ProcessShifts(manager, pm, log, TShiftSteps::WithoutCosting);
  std::vector<std::string> result;
  for (int i = 0; i < manager.Timesheet().Count(); ++i) {
    result.push_back(ShiftToJson(*manager.Timesheet().GetTimesheetShift(i)).dump());
  }
  const std::regex timing(R"(\d+\.\d\d\.1 seconds)");
  for (const auto& m : log.Messages()) {
    result.push_back(std::regex_replace(m.Text, timing, "T seconds") + " | " + std::to_string(m.Info.TimesheetID) +
                     (m.Info.IsDebugMessage ? " debug" : ""));
  }
  result.push_back(std::to_string(pm.ProcessedConditions()));
  return result;
}

TEST(CompiledRun, GivesWhatTheLiteralRunGivesOnRandomTablesAndShifts) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    EXPECT_EQ(RunOnce(seed, TConditionEvaluation::Compiled), RunOnce(seed, TConditionEvaluation::Literal));
  }
}

}  // namespace
}  // namespace qora
