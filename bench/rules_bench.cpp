// Condition processing of a fortnight's timesheet: a 40-condition award of
// the shapes the award generators write (group and day clauses, overtime,
// penalty windows, allowances, rule changes) run against 14 shifts, loading
// the conditions and running them for each shift as a costing run does.
// The compiled run and the literal one (everything rebuilt before every
// row) are measured in the same run; items per second are shifts per second.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "common/datetime.h"
#include "engine/run_driver.h"
#include "engine/timesheet_manager.h"
#include "foundation/user_feedback.h"
#include "rules/award_source.h"
#include "rules/process_manager.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_shift.h"

namespace {

using namespace qora;

struct BenchRow {
  TaiActionType type;
  std::string condition;
  std::string action;
  std::string variable;
};

const std::string kGroup = "((EqualString(ConditionGroup,\"A\")) or (EqualString(ConditionGroup,\"B\")))";

std::string Days(std::initializer_list<int> days) {
  std::string text;
  for (int d : days) {
    if (!text.empty()) text += " or ";
    text += "(DayOfWeek(ShiftStartDate) = " + std::to_string(d) + ")";
  }
  return "(" + text + ")";
}

std::vector<BenchRow> AwardRows() {
  constexpr auto kSet = TaiActionType::aatSet;
  constexpr auto kCall = TaiActionType::aatCallMethod;
  std::vector<BenchRow> rows;
  // Rules: a condition-group change and a minimum-engagement style check.
  rows.push_back({kSet, "EqualString(EmploymentType,\"Casual\") and " + kGroup, "\"B\"", "ConditionGroup"});
  rows.push_back({kCall, kGroup + " and (WorkedHoursTotal < 3)", "\"Minimum engagement\"", "ShowMessage"});
  // Overtime: weekday and weekend rates, beyond the rostered hours.
  const std::vector<std::initializer_list<int>> day_sets = {{2, 3, 4, 5, 6}, {7}, {1}, {8}};
  for (const auto& days : day_sets) {
    rows.push_back({kCall, kGroup + " and " + Days(days) + " and (OvertimeHoursTotal > 0)",
                    "\"OT15\";\"OT20\";2;\"\"", "AddOvertimeHours"});
  }
  rows.push_back({kCall, kGroup + " and (OvertimeHoursTotal > 0) and (WorkedHoursTotal > 10)",
                  "\"OT20\";\"\";0;\"\"", "AddOvertimeHours"});
  rows.push_back({kCall, kGroup + " and (BreakHours = 0) and (WorkedHoursTotal > 5)",
                  "ShiftStart + 5;ShiftStart + 5.5", "AddBreak"});
  // Penalties: evening, night and weekend windows for each day set.
  const std::vector<std::pair<std::string, std::string>> windows = {
      {"MaxR(ShiftStart,18)", "MinR(ShiftEnd,22)"}, {"MaxR(ShiftStart,22)", "MinR(ShiftEnd,30)"},
      {"MaxR(ShiftStart,0)", "MinR(ShiftEnd,6)"}, {"MaxR(ShiftStart,6)", "MinR(ShiftEnd,18)"}};
  for (const auto& days : day_sets) {
    for (const auto& [from, to] : windows) {
      rows.push_back({kCall, kGroup + " and " + Days(days) + " and (" + from + " < " + to + ")",
                      from + ";" + to + ";15;\"PEN\"", "AddPenalty"});
    }
  }
  // Allowances held on the employee, some for long shifts only.
  const char* const allowances[] = {"MEAL", "TRAVEL", "TOOL", "LAUNDRY", "FIRSTAID", "LEADING"};
  for (const char* code : allowances) {
    const std::string has = std::string("EmployeeHasAddition(\"") + code + "\")";
    rows.push_back({kCall, kGroup + " and " + has, std::string("1;\"") + code + "\"", "AddAllowance"});
    rows.push_back({kCall, kGroup + " and " + has + " and (WorkedHoursTotal > 9)",
                    std::string("WorkedHoursTotal - 9;\"") + code + "X\"", "AddAllowance"});
  }
  rows.push_back({kCall, kGroup + " and WorkCodeExists(\"GEN\")", "\"GENHRS\";\"General hours\";100", "AddComponent"});
  rows.push_back({kCall, kGroup + " and (HoursForWorkCode(\"GEN\") > 12)", "\"Long day\"", "ShowMessage"});
  rows.push_back({kCall, kGroup + " and ShiftCrossesMidnight", "\"Night\"", "ShowMessage"});
  rows.push_back({kSet, kGroup + " and (ShiftCost > 1000)", "0", "ShiftCost"});
  return rows;
}

class TBenchAward : public IAwardConditions {
 public:
  std::string AwardCode() const override { return "BENCH"; }
  void PopulateConditions(TAwardFamily family, TaiConditionList& list) override {
    if (family != TAwardFamily::Rules) return;
    int order = 0;
    for (const BenchRow& r : AwardRows()) {
      auto c = std::make_unique<TaiCondition>();
      c->SetOrder(order += 10);
      c->SetCode("C" + std::to_string(order));
      c->SetConditionExpression(r.condition);
      c->SetActionType(r.type);
      c->SetActionVariable(r.variable);
      c->SetVariableValue(r.action);
      c->AddParameter("Value", r.action);
      list.AddCondition(std::move(c));
    }
  }
};

class TBenchProvider : public IAwardProvider {
 public:
  IAwardConditions& PrepareShiftAward(TTimesheetShift&, const std::string&) override { return award; }
  TBenchAward award;
};

// Two employees over a week: day, evening and night shifts, some long.
void FillTimesheet(TTimesheetManager& manager) {
  manager.Timesheet().ClearAll();
  for (int i = 0; i < 14; ++i) {
    auto shift = std::make_unique<TTimesheetShift>();
    shift->SetEmployeeCode(i < 7 ? "E1" : "E2");
    shift->SetEmployeeAward("BENCH");
    shift->SetConditionGroup(i % 3 == 0 ? "B" : "A");
    shift->SetEmploymentType(i % 4 == 0 ? "Casual" : "Full Time");
    shift->SetShiftStartDate(EncodeDate(2026, 12, 6) + i % 7);
    const double start = i % 5 == 0 ? 22 : (i % 3 == 0 ? 14 : 7);
    const double end = start + 8 + i % 4;
    shift->SetRosteredHoursStart(start);
    shift->SetRosteredHoursEnd(start + 8);
    shift->_AddHours(start, end, "Normal", "GEN", THoursType::htOrdinary, "", "", "");
    auto meal = std::make_unique<TAllowance>();
    meal->SetAddDedCode(i % 2 ? "MEAL" : "TOOL");
    meal->SetOnEmployee(true);
    shift->AllowanceList().Add(std::move(meal));
    manager.Timesheet().AddShift(std::move(shift));
  }
}

void RunConditions(benchmark::State& state, TConditionEvaluation evaluation) {
  TUserFeedback log;
  TTimesheetManager manager;
  manager.SetUserFeedback(&log);
  TBenchProvider provider;
  TaiProcessManager pm;
  pm.SetUserFeedback(&log);
  pm.SetAwardProvider(&provider);
  pm.SetEvaluation(evaluation);
  RegisterRuleEngineHandlers(manager, pm);
  for (auto _ : state) {
    state.PauseTiming();
    FillTimesheet(manager);
    state.ResumeTiming();
    for (int i = 0; i < manager.Timesheet().Count(); ++i) {
      manager.SetCurrentShiftIndex(i);
      pm.SetWorkItem(manager.Timesheet().GetTimesheetShift(i));
      pm.LoadCurrentShiftConditions();
      pm.Process();
    }
  }
  if (log.Count() != 0) state.SkipWithError(log.Messages()[0].Text.c_str());
  state.SetItemsProcessed(state.iterations() * manager.Timesheet().Count());
}

void BM_ConditionsCompiled(benchmark::State& state) { RunConditions(state, TConditionEvaluation::Compiled); }
void BM_ConditionsLiteral(benchmark::State& state) { RunConditions(state, TConditionEvaluation::Literal); }
BENCHMARK(BM_ConditionsCompiled)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConditionsLiteral)->Unit(benchmark::kMicrosecond);

}  // namespace
