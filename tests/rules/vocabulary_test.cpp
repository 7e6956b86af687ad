// Guards the shift vocabulary of conditions: the domain functions' edge
// rules, column variables (typing, the clash with a property name, a column
// added while conditions run) and assignments into columns and properties.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

#include "common/format.h"

#include "foundation/user_feedback.h"
#include "rules/domain_vocabulary.h"
#include "rules/processor_support.h"
#include "rules/property_variables.h"
#include "rules_test_support.h"
#include "timesheet/work_pattern.h"

namespace qora {
namespace {

using testing::AddColumn;
using testing::AddRows;
using testing::AddShift;
constexpr auto kSet = TaiActionType::aatSet;
constexpr TConditionEvaluation kBothWays[] = {TConditionEvaluation::Compiled, TConditionEvaluation::Literal};

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
      {"EqualString(ConditionGroup, \"a\")", "True"},
      {"GetFloatValue(\"Km\")", "12.5"},
      {"GetFloatValue(\"km\")", "0"},
      {"iBreaks + 1", "4"},
      {"DayOfWeek(ShiftStartDate)", "8"},
      {"DayOfWeek(ShiftStartDate + 1)", "3"},
      {"MinTime(2, 20.0, 3, 1.0)", "20"},
      {"MinTime(3, 1.0, 2, 20.0)", "20"},
      {"MinTime(2, 5.0, 2, 3.0)", "3"},
      {"MaxTime(2, 20.0, 3, 1.0)", "1"},
      {"MaxTime(1, 20.0, 7, 1.0)", "20"},
      {"MaxTime(7, 20.0, 1, 1.0)", "20"},
  };
  for (const auto& [text, expected] : cases) {
    TExpression* e = parser.CompileExpression(text);
    e->Evaluate(shift);
    std::string result;
    ResultText(e->Result(), result);
    EXPECT_EQ(result, expected) << text;
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

// The shortcuts of the value texts must agree with the full formatting.
TEST(ValueTexts, ShortcutsAgreeWithTheFullFormatting) {
  std::mt19937_64 rng(7);
  std::vector<double> values = {0.1 + 0.2, 7.499999999999999, 1e15, 999999999999999.9, 1e-5, 4e-6, 0.000015, -2.5,
                                123456.123456, 1.0 / 3, 5e-324, 0.0, -0.0, std::nan(""), 1e300};
  for (int i = 0; i < 20000; ++i) {
    const double scale = std::pow(10.0, static_cast<int>(rng() % 24) - 8);
    values.push_back(std::round(static_cast<double>(rng() % 100000000) * (i % 2 ? 1 : -1)) / 1e4 * scale);
    values.push_back(std::bit_cast<double>(rng()));
  }
  TQelValue value;
  value.Type = rdtDouble;
  std::string text;
  for (double v : values) {
    value.D = v;
    ResultText(value, text);
    ASSERT_EQ(text, FormatFloat("0.#####", v)) << v;
    ASSERT_EQ(std::bit_cast<uint64_t>(RealAsItsText(v)), std::bit_cast<uint64_t>(StrToFloatDef(FloatToStr(v), 0)))
        << v;
  }
}

}  // namespace
}  // namespace qora
