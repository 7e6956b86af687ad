// Guards the condition walk in both ways of running: go-to and exit-on-true,
// the ";" parameter split with its empty pieces, assignment conversions, the
// order of equal rows, the bounds and their messages, and the trace texts.
#include <gtest/gtest.h>

#include <regex>

#include "foundation/user_feedback.h"
#include "rules/processor.h"
#include "rules_test_support.h"

namespace qora {
namespace {

using testing::AddRows;
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
        {3, kSet, "", "Text + \"c\"", "Text", false, "C"}},
       "a"},
      {"go-to forward skips rows",
       {{1, kSet, "", "\"a\"", "Text", false, "A", "C"}, {2, kSet, "", "Text + \"b\"", "Text"},
        {3, kSet, "", "Text + \"c\"", "Text", false, "C"}},
       "ac"},
      {"go-to back runs the rows again",
       {{1, kSet, "", "Count + 1", "Count", false, "L"}, {2, kSet, "Count < 3", "Text + \"x\"", "Text", false, "", "L"}},
       "xx", 3},
      {"empty middle piece repeats the one before", {{1, kCall, "", "8;;1.5", "Record"}}, "", 0, {{"8", "8", "1.5"}}},
      {"quoted piece", {{1, kCall, "", "8;\"ABC\";1.5", "Record"}}, "", 0, {{"8", "ABC", "1.5"}}},
      {"empty first piece repeats the condition, or nothing",
       {{1, kCall, "Count = 0", ";2.50", "Record"}, {2, kCall, "", " ;7;", "Record"}}, "", 0,
       {{"True", "2.5"}, {"", "7", "7"}}},
      {"equal orders keep the order they were added, order 0 becomes the row count + 1",
       {{5, kSet, "", "Text + \"a\"", "Text"}, {1, kSet, "", "\"z\"", "Text"}, {0, kSet, "", "Text + \"m\"", "Text"},
        {5, kSet, "", "Text + \"b\"", "Text"}},
       "zmab"},
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

}  // namespace
}  // namespace qora
