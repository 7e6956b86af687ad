// Guards the run driver against steps out of order, one failing shift stopping the run or being paid, wrong error and summary texts, the rule trace reaching a log without debug, and awards that run each other without end.
#include "engine/run_driver.h"

#include <gtest/gtest.h>

#include <regex>
#include <stdexcept>
#include <vector>

#include "common/exceptions.h"
#include "engine/timesheet_manager.h"
#include "foundation/user_feedback.h"
#include "formula/parser.h"
#include "rules/process_manager.h"
#include "rules/process_manager_intf.h"
#include "rules/rules_test_support.h"
#include "timesheet/timesheet.h"

namespace qora {
namespace {

// Records the steps the driver takes and fails the steps it is told to.
struct StepLog {
  std::vector<std::string> steps;
  int fail_conditions_at = -1;   // shift index whose conditions fail to load
  int fail_breakdown_at = -1;    // shift index whose breakdown fails
};

class FakeProcessManager : public IProcessManager {
 public:
  explicit FakeProcessManager(StepLog& log) : log_(log) {}
  void SetOnCreateVariables(TCreateVariablesEvent h, const void*) override { create_ = std::move(h); }
  void SetOnSetVariable(TECAParserEvent h) override { set_ = std::move(h); }
  void SetOnDebugMessage(TECADebugEvent h) override { debug_ = std::move(h); }
  void SetWorkItem(TTimesheetShift* s) override { item_ = s; }
  TTimesheetShift* WorkItem() const override { return item_; }
  void LoadCurrentShiftConditions() override {
    log_.steps.push_back("conditions " + std::to_string(item_->TimesheetID()));
    if (item_->TimesheetID() == log_.fail_conditions_at) throw eRecordNotFoundException("Award \"X\" not found.");
  }
  void Process() override {
    log_.steps.push_back("process");
    if (debug_) debug_(*parser_, item_, "trace of " + std::to_string(item_->TimesheetID()));
  }

  TCreateVariablesEvent create_;
  TECAParserEvent set_;
  TECADebugEvent debug_;

 private:
  StepLog& log_;
  TTimesheetShift* item_ = nullptr;
  std::unique_ptr<TQelParser> parser_ = std::make_unique<TQelParser>();
};

class FakeManager : public TTimesheetManager {
 public:
  explicit FakeManager(StepLog& log) : log_(log) {}
  void SetDefaultHours(TTimesheetShift&) override { log_.steps.push_back("default hours"); }
  void SaveHoursHistory() override { log_.steps.push_back("history"); }
  void BreakDownComponents() override {
    log_.steps.push_back("breakdown");
    if (CurrentShift()->TimesheetID() == log_.fail_breakdown_at) throw std::runtime_error("no pay class");
  }

 private:
  StepLog& log_;
};

struct DriverFixture : ::testing::Test {
  StepLog steps;
  TUserFeedback log;
  FakeManager manager{steps};
  FakeProcessManager pm{steps};

  void AddShifts(int n) {
    for (int i = 1; i <= n; ++i) {
      auto shift = std::make_unique<TTimesheetShift>();
      shift->SetTimesheetID(100 + i);
      manager.Timesheet().AddShift(std::move(shift));
    }
    manager.SetUserFeedback(&log);
  }
};

const std::regex kSummary(R"(Processed: (\d+)\. Skipped (\d+)\. Time: \d+\.\d\d\.1 seconds)");

TEST_F(DriverFixture, StepsRunInOrderForEachShift) {
  AddShifts(2);
  ProcessShifts(manager, pm, log);
  const std::vector<std::string> expected = {"conditions 101", "default hours", "process", "history", "breakdown",
                                             "conditions 102", "default hours", "process", "history", "breakdown"};
  EXPECT_EQ(steps.steps, expected);
  EXPECT_EQ(manager.CurrentShiftIndex(), 1);
}

TEST_F(DriverFixture, FailingShiftsAreSkippedAndTheRestRunOn) {
  AddShifts(4);
  steps.fail_conditions_at = 102;
  steps.fail_breakdown_at = 104;
  EXPECT_EQ(ProcessShifts(manager, pm, log), 0);

  ASSERT_EQ(log.Count(), 3);
  EXPECT_EQ(log.Messages()[0].Text, "An error occurred processing shift 2: \"Award \"X\" not found.\"");
  EXPECT_EQ(log.Messages()[0].Info.TimesheetID, 102);
  EXPECT_EQ(log.Messages()[0].Info.Severity, TMessageSeverity::ms_Error);
  EXPECT_FALSE(log.Messages()[0].Info.IsDebugMessage);
  EXPECT_EQ(log.Messages()[1].Text, "An error occurred processing shift 4: \"no pay class\"");
  EXPECT_EQ(log.Messages()[1].Info.TimesheetID, 104);
  std::smatch m;
  ASSERT_TRUE(std::regex_match(log.Messages()[2].Text, m, kSummary));
  EXPECT_EQ(m[1], "2");
  EXPECT_EQ(m[2], "2");
  EXPECT_EQ(log.Messages()[2].Info.TimesheetID, 0);
  // Shift 3 still ran all its steps after shift 2 failed.
  EXPECT_NE(std::find(steps.steps.begin(), steps.steps.end(), "conditions 103"), steps.steps.end());
  // The failed shifts are rejected with their reason, so no output pays them.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(manager.Timesheet().GetTimesheetShift(i)->Rejected(), i % 2 == 1) << i;
  EXPECT_EQ(manager.Timesheet().GetTimesheetShift(3)->RejectReason(), "no pay class");
}

TEST_F(DriverFixture, RuleEngineTraceReachesTheLogOnlyWithDebugOn) {
  AddShifts(1);
  ProcessShifts(manager, pm, log);
  EXPECT_EQ(log.DebugMessageCount(), 0);

  TUserFeedback debug_log;
  debug_log.SetDebugEnabled(true);
  manager.SetUserFeedback(&debug_log);
  ProcessShifts(manager, pm, debug_log);
  ASSERT_EQ(debug_log.DebugMessageCount(), 1);
  EXPECT_EQ(debug_log.Messages()[0].Text, "trace of 101");
  EXPECT_EQ(debug_log.Messages()[0].Info.TimesheetID, 0);
  EXPECT_TRUE(pm.create_ && pm.set_ && pm.debug_);
}

}  // namespace
}  // namespace qora

// The real process manager behind the driver: conditions run on each shift
// through the manager's handlers, and an award that cannot be had, or that
// runs its own conditions without end, skips only its shift.
namespace qora {
namespace {

struct CostlessManager : TTimesheetManager {
  void BreakDownComponents() override {}
};

TEST(RunDriverConditions, ShiftsRunTheirAwardsConditions) {
  constexpr auto kSet = TaiActionType::aatSet;
  testing::TRowsProvider provider;
  provider.Add("AW", {{1, kSet, "EqualString(ConditionGroup, \"a\")", "\"B\"", "ConditionGroup"},
                      {2, TaiActionType::aatCallMethod, "ShiftEnd = 17", "17;18;\"OT\";\"GEN\";2;\"\"", "AddHours"}});
  provider.Add("LOOP", {{1, TaiActionType::aatProcessRule, "", "", "LOOP", false, "L1"}});
  TUserFeedback log;
  CostlessManager manager;
  manager.SetUserFeedback(&log);
  for (const char* award : {"AW", "NOPE", "LOOP"}) {
    TTimesheetShift& shift = testing::AddShift(manager, "E1", 9, 17);
    shift.SetEmployeeAward(award);
    shift.SetConditionGroup("A");
  }
  TaiProcessManager pm;
  pm.SetUserFeedback(&log);
  ProcessShifts(manager, pm, log);
  EXPECT_EQ(log.Messages()[0].Text,
            "An error occurred processing shift 1: \"Award conditions cannot be loaded: the run has no award "
            "provider.\"");

  log.Clear();
  pm.SetAwardProvider(&provider);
  ProcessShifts(manager, pm, log);
  const TTimesheetShift& first = *manager.Timesheet().GetTimesheetShift(0);
  EXPECT_EQ(first.ConditionGroup(), "B");
  EXPECT_EQ(first.ShiftEnd(), 18.0);
  ASSERT_EQ(log.Count(), 3);
  EXPECT_EQ(log.Messages()[0].Text,
            "An error occurred processing shift 2: \"Could not load award code \"NOPE\" for Employee \"E1\"\"");
  EXPECT_EQ(log.Messages()[1].Text,
            "An error occurred processing shift 3: \"Condition 1 \"L1\" runs the conditions of award \"LOOP\" nested 17 "
            "deep; awards that run each other's conditions in a circle never end, so the shift stops here.\"");
  EXPECT_EQ(pm.FailedCondition()->Order, 1);
  EXPECT_EQ(pm.ProcessorCount(), TaiProcessManager::kMaxRuleDepth + 1);
  // A job runs the driver once per timesheet: the award compiles once.
  ProcessShifts(manager, pm, log);
  EXPECT_EQ(pm.AwardProgram(*provider.awards["AW"])->LayoutCount(), 1);
}

}  // namespace
}  // namespace qora
