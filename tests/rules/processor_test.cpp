// Guards the condition walk in both ways of running: go-to and exit-on-true,
// the ";" parameter split with its empty pieces, assignment conversions, the
// order of equal rows, the bounds and their messages, and the trace texts;
// and the shift vocabulary of conditions: the domain functions' edge rules,
// column variables (typing, the clash with a property name, a column added
// while conditions run), assignments into columns and properties, and value
// texts whose shortcuts disagree with the full formatting.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "common/format.h"
#include "foundation/user_feedback.h"
#include "rules/domain_vocabulary.h"
#include "rules/processor.h"
#include "rules/processor_support.h"
#include "rules/property_variables.h"
#include "rules_test_support.h"
#include "timesheet/work_pattern.h"

namespace qora {
namespace {

using testing::AddColumn;
using testing::AddRows;
using testing::AddShift;
using testing::Row;
using testing::TProbe;
constexpr auto kSet = TaiActionType::aatSet;
constexpr auto kCall = TaiActionType::aatCallMethod;
constexpr TConditionEvaluation kBothWays[] = {TConditionEvaluation::Compiled, TConditionEvaluation::Literal};

struct WalkCase {
  const char* name;
  std::vector<Row> rows;
  std::string text;                               // TProbe::Text afterwards
  int count = 0;                                  // TProbe::Count afterwards
  std::vector<std::vector<std::string>> calls = {};  // Record calls
  std::string error = "";                            // what the run throws
  std::string logged = "";                           // the run log's error line
};

TEST(ConditionWalk, RowsRunAsOrderGotoExitAndPiecesSay) {
  const std::vector<WalkCase> cases = {
      {"empty condition always runs", {{1, kCall, "", "1", "Record"}}, "", 0, {{"1"}}},
      {"exit on true wins over go-to",
       {{1, kSet, "", "\"a\"", "Text", true, "A", "C"}, {2, kSet, "", "Text + \"b\"", "Text"},
        {3, kSet, "", "Text + \"c\"", "Text", false, "C"}}, "a"},
      {"go-to forward skips rows",
       {{1, kSet, "", "\"a\"", "Text", false, "A", "C"}, {2, kSet, "", "Text + \"b\"", "Text"},
        {3, kSet, "", "Text + \"c\"", "Text", false, "C"}}, "ac"},
      {"go-to back runs the rows again",
       {{1, kSet, "", "Count + 1", "Count", false, "L"}, {2, kSet, "Count < 3", "Text + \"x\"", "Text", false, "", "L"}},
       "xx", 3},
      {"empty middle piece repeats the one before",
       {{1, kCall, "", "8;9;;1.5", "Record"}}, "", 0, {{"8", "9", "9", "1.5"}}},
      {"quoted piece", {{1, kCall, "", "8;\"ABC\";1.5", "Record"}}, "", 0, {{"8", "ABC", "1.5"}}},
      {"empty first piece repeats the condition, or nothing",
       {{1, kCall, "Count = 0", ";2.50", "Record"}, {2, kCall, "", " ;7;", "Record"}}, "", 0,
       {{"True", "2.5"}, {"", "7", "7"}}},
      {"equal orders keep the order they were added, order 0 becomes the row count + 1",
       {{5, kSet, "", "Text + \"a\"", "Text"}, {1, kSet, "", "\"z\"", "Text"}, {0, kSet, "", "Text + \"m\"", "Text"},
        {5, kSet, "", "Text + \"b\"", "Text"}}, "zmab"},
      {"a go-to code no row has is logged and the next row runs",
       {{1, kSet, "", "\"a\"", "Text", false, "A", "ZZ"}, {2, kSet, "", "Text + \"b\"", "Text"}}, "ab", 0, {}, "",
       "Condition 1 \"A\" goes to \"ZZ\", which no condition has; the next condition runs instead."},
      {"an endless go-to is stopped", {{1, kSet, "", "Count + 1", "Count", false, "A", "A"}}, "", 10100, {},
       "The conditions were stopped after 10100 rows without coming to an end, at condition 1 \"A\": go-to codes "
       "keep leading back to the same conditions."},
      {"assigning an unknown name fails the row", {{40, kSet, "", "1", "Nothing", false, "X1"}}, "", 0, {},
       "Condition 40 \"X1\" sets \"Nothing\", which is neither a column nor a property of the shift."},
      {"a condition must be Boolean", {{1, kCall, "Count + 1", "1", "Record"}}, "", 0, {},
       "Error: attempt to use an Integer as a boolean."},
  };
  for (const WalkCase& c : cases) {
    for (TConditionEvaluation way : kBothWays) {
      SCOPED_TRACE(std::string(c.name) + (way == TConditionEvaluation::Literal ? " (literal)" : " (compiled)"));
      TUserFeedback log;
      TdmaiProcessor processor;
      processor.SetUserFeedback(&log);
      processor.SetEvaluation(way);
      AddRows(processor, c.rows);
      TProbe probe;
      std::string error;
      try {
        processor.ProcessConditions(&probe);
      } catch (const std::exception& e) {
        error = e.what();
      }
      EXPECT_EQ(error, c.error);
      EXPECT_EQ(probe.Text, c.text);
      EXPECT_EQ(probe.Count, c.count);
      EXPECT_EQ(probe.Calls, c.calls);
      EXPECT_EQ(log.UserMessageCount() > 0 ? log.Messages().back().Text : "", c.logged);
    }
  }
}

TEST(ConditionWalk, TraceRunLogAndTheTableWrittenAfterARun) {
  const std::string file = ::testing::TempDir() + "qora_rules_table.csv";
  for (TConditionEvaluation way : kBothWays) {
    TUserFeedback log;
    log.SetDebugEnabled(true);
    TdmaiProcessor processor;
    processor.SetUserFeedback(&log);
    processor.SetEvaluation(way);
    std::vector<std::string> trace;
    processor.SetOnDebugMessage([&trace](TQelParser&, TnxBaseObject*, const std::string& m) { trace.push_back(m); });
    processor.ProcessConditions(nullptr);
    AddRows(processor, {{2, kSet, "Count > 5", "1", "Count", true, "B", "A"},
                        {1, kCall, "count = 0", "8; \"ABC\" ;1.5", "Record"}});
    TProbe probe;
    processor.ProcessConditions(&probe);
    const std::vector<std::string> expected_trace = {
        "Evaluating Condition: \"Count = 0\", Result = \"True\"", "Evaluating Condition: \"8\", Result = \"8\"",
        "Evaluating Condition: \"\"ABC\"\", Result = \"ABC\"", "Evaluating Condition: \"1.5\", Result = \"1.5\"",
        "Action = \"8; \"ABC\" ;1.5\", Result = \"1.5\"", "Evaluating Condition: \"Count > 5\", Result = \"False\""};
    EXPECT_EQ(trace, expected_trace);
    ASSERT_EQ(log.Count(), 10);
    const char* const added[] = {"There are no conditions to process.", "Adding Condition with the following details:",
                                 "  Method = \"Count\"", "  Expression = \"Count > 5\"", "  Variables = \"1\""};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(log.Messages()[i].Text, added[i]);
    EXPECT_TRUE(std::regex_match(log.Messages()[9].Text,
                                 std::regex(R"(Processed 2 conditions in \d+\.\d\d\.1 seconds)")));
    // A run leaves the table in run order; the file reads back as written.
    processor.SaveRulesToFile(file);
    TdmaiProcessor reader;
    reader.LoadRulesFromFile(file);
    ASSERT_EQ(reader.tblConditions().RecordCount(), 2);
    EXPECT_EQ(reader.tblConditions().Row(1),
              (std::vector<std::string>{"2", "1", "Count > 5", "1", "Count", "True", "B", "A", ""}));
  }
}

struct VocabularyFixture : ::testing::Test {
  TUserFeedback log;
  TTimesheetManager manager;
  TTimesheetShift* shift = nullptr;

  void SetUp() override {
    manager.SetUserFeedback(&log);
    shift = &AddShift(manager, "E1", 9, 17);
    shift->SetConditionGroup("A");
    AddColumn(*shift, "fKm", TFieldType::ftFloat, "12.5", false);
    AddColumn(*shift, "iBreaks", TFieldType::ftInteger, "3", true);
    manager.SetCurrentShiftIndex(0);
  }
  // Runs the rows against the shift through the manager's handlers.
  std::string Run(const std::vector<testing::Row>& rows, TConditionEvaluation way) {
    TdmaiProcessor processor;
    processor.SetEvaluation(way);
    processor.SetOnCreateVariables([this](TQelParser& p) { manager.CreateCustomVariables(&p); });
    processor.SetOnSetVariable([this](TQelParser& p, const std::string& v, bool& h) {
      manager.SetCustomVariableValue(&p, v, h);
    });
    shift->SetOnCreateVariable([this](TQelParser* p, TTimesheetColumn* c) { manager.CreateColumnVariable(p, c); });
    AddRows(processor, rows);
    try {
      processor.ProcessConditions(shift);
    } catch (const std::exception& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(VocabularyFixture, DomainFunctionsAndColumnVariables) {
  auto holiday = std::make_unique<TDateObject>();
  holiday->SetDate(shift->ShiftStartDate());
  holiday->SetDescription("Boxing Day");
  shift->WorkPatternList().Add(std::move(holiday));
  TQelParser parser;
  manager.CreateCustomVariables(&parser);
  CreatePropertyVariables(parser, *shift);
  const std::pair<const char*, const char*> cases[] = {
      {"EqualString(ConditionGroup, \"a\")", "True"}, {"iBreaks + 1", "4"},
      {"GetFloatValue(\"Km\")", "12.5"}, {"GetFloatValue(\"km\")", "0"},
      {"WorkCodeExists(\"gen\")", "True"}, {"WorkCodeExists(\"GE\")", "False"},
      {"DayOfWeek(ShiftStartDate)", "8"}, {"DayOfWeek(ShiftStartDate + 1)", "3"},
      {"MinTime(2, 20.0, 3, 1.0)", "20"}, {"MinTime(3, 1.0, 2, 20.0)", "20"}, {"MinTime(2, 5.0, 2, 3.0)", "3"},
      {"MaxTime(2, 20.0, 3, 1.0)", "1"}, {"MaxTime(1, 20.0, 7, 1.0)", "20"}, {"MaxTime(7, 20.0, 1, 1.0)", "20"},
  };
  for (const auto& [text, expected] : cases) {
    TExpression* e = parser.CompileExpression(text);
    e->Evaluate(shift);
    std::string result;
    ResultText(e->Result(), result);
    EXPECT_EQ(result, expected) << text;
  }
  {
    // A run remembers its answers per shift: the same date is no holiday for
    // a shift whose work pattern does not name it.
    TDayOfWeekMemo run;
    TExpression* e = parser.CompileExpression("DayOfWeek(ShiftStartDate)");
    TTimesheetShift other;
    const std::pair<TTimesheetShift*, int> asked[] = {{shift, 8}, {&other, 2}, {shift, 8}, {&other, 2}};
    for (const auto& [item, day] : asked) {
      e->Evaluate(item);
      EXPECT_EQ(e->Result().I, day);
    }
  }
  // The handler runs before every row: a column variable is made once.
  EXPECT_NO_THROW(manager.CreateCustomVariables(&parser));
  EXPECT_NO_THROW(manager.CreateColumnVariable(&parser, shift->FindColumnByName("iBreaks")));
}

TEST_F(VocabularyFixture, AssignmentsColumnsAddedWhileRunningAndColumnsNamedLikeProperties) {
  for (TConditionEvaluation way : kBothWays) {
    manager.Timesheet().ClearAll();
    SetUp();
    // Into a property (Real from Integer) or a column; a component column
    // added by an action is a variable for the rows after it.
    EXPECT_EQ(Run({{1, kSet, "", "\"B\"", "ConditionGroup"},
                   {2, kSet, "", "GetFloatValue(\"Km\") * 2", "fKm"},
                   {3, kSet, "", "7", "StandardRate"},
                   {4, kSet, "iBreaks = 3", "iBreaks * 2", "iBreaks"},
                   {5, TaiActionType::aatCallMethod, "", "\"Extra\";\"Extra hours\";100", "AddComponent"},
                   {6, kSet, "(ConditionGroup = \"B\") and (Extra = 0)", "\"seen\"", "RejectReason"}},
                  way),
              "");
    EXPECT_EQ(shift->ConditionGroup(), "B");
    EXPECT_EQ(shift->FindColumnByName("fKm")->FloatValue(), 25.0);
    EXPECT_EQ(shift->StandardRate(), 7.0);
    EXPECT_EQ(shift->FindColumnByName("iBreaks")->IntegerValue(), 6);
    EXPECT_EQ(shift->RejectReason(), "seen");
    AddColumn(*shift, "ShiftStart", TFieldType::ftFloat, "1", true);
    EXPECT_EQ(Run({{1, kSet, "", "1", "ShiftCost"}}, way), "Error: A Variable named ShiftStart already exists");
    EXPECT_EQ(shift->ShiftCost(), 0.0);
  }
}

}  // namespace
}  // namespace qora
