// Guards against bad variable names accepted or reported inexactly, duplicates let in, lookups that miss letter
// case or blanks, values read once instead of at each evaluation, versions that miss a change, cleared variables
// that break compiled expressions, and cache lookups that miss the canonical text.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "formula_test_util.h"

namespace qora {
namespace {

using testing::ErrorOf;
using testing::EvalText;

TEST(QelParserVariables, NameValidation) {
  TQelParser parser;
  const std::pair<std::string, std::string> cases[] = {
      {"", "Error: Variables must be named."},
      {"1x", "Error: \"1x\" is illegal. The first character of a variable name must be a letter or an underscore."},
      {"a-b", "Error: \"a-b\" is illegal.  Variable names may only include letters, digits, or the underscore symbol."},
      {"_ok", "ok"},
      {"Ok_9", "ok"},
      {" padded ", "ok"},
  };
  for (const auto& [name, message] : cases) {
    EXPECT_EQ(ErrorOf([&, n = name] { parser.CreateVariable(n, 1); }), message) << name;
  }
  EXPECT_EQ(parser.Variables(parser.IndexOfVariable("PADDED"))->UserName(), "padded");
  EXPECT_EQ(parser.VariableCount(), 3);
}

TEST(QelParserVariables, DuplicatesAreRefusedWithErrorModeOne) {
  TQelParser parser;
  parser.CreateVariable("Hours", 1.0);
  int mode = 0;
  EXPECT_EQ(ErrorOf([&] { parser.CreateVariable("HOURS", 2); }, &mode), "Error: A Variable named HOURS already exists");
  EXPECT_EQ(mode, 1);
  EXPECT_EQ(parser.VariableCount(), 1);
}

TEST(QelParserVariables, LookupIsSortedTrimmedCaselessAndHidesFunctions) {
  TQelParser parser;
  parser.CreateVariable("beta", 1);
  TIntegerVariable* alpha = parser.CreateVariable("Alpha", 2);
  parser.CreateVariable("Pi", 3);
  parser.CreateVariable("Round", "r");
  EXPECT_EQ(parser.IndexOfVariable("  ALPHA "), 0);
  EXPECT_EQ(parser.IndexOfVariable("Beta"), 1);
  EXPECT_EQ(EvalText(parser, "ALPHA + alpha + Pi"), "Integer 7");
  alpha->SetValue(4);
  EXPECT_EQ(EvalText(parser, "ALPHA + alpha + Pi"), "Integer 11") << "the cached expression reads the new value";
  EXPECT_EQ(EvalText(parser, "Round + \"s\""), "String rs");
}

TEST(QelParserVariables, ClearVariablesKeepsCompiledExpressionsValid) {
  TQelParser parser;
  parser.CreateVariable("x", 2);
  TExpression* e = parser.CompileExpression("x * 3");
  parser.ClearVariables();
  EXPECT_EQ(parser.VariableCount(), 0);
  e->Evaluate(nullptr);
  EXPECT_EQ(e->IntegerResult(), 6);
  parser.CreateVariable("x", 5);  // a new variable of the same name
  parser.ClearExpressions();
  EXPECT_EQ(parser.ExpressionCount(), 0);
  EXPECT_EQ(parser.CurrentExpression(), nullptr);
  EXPECT_EQ(EvalText(parser, "x * 3"), "Integer 15");
}

// A result computed from a variable is kept while its version stays: the
// version must move on with every change of value, of every type, and only then.
TEST(QelParserVariables, VersionMovesOnOnlyWhenTheValueChanges) {
  TQelParser parser;
  TRealVariable* real = parser.CreateVariable("r", 1.5);
  TIntegerVariable* integer = parser.CreateVariable("i", int32_t{2});
  TBooleanVariable* boolean = parser.CreateVariable("b", false);
  TStringVariable* text = parser.CreateVariable("s", "Standard");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<std::pair<std::function<void()>, int>> steps = {
      {[&] { real->SetValue(1.5); }, 0},          {[&] { real->SetValue(-1.5); }, 1},
      {[&] { real->SetValue(nan); }, 1},          {[&] { real->SetValue(nan); }, 0},
      {[&] { integer->SetValue(2); }, 0},         {[&] { integer->SetValue(3); }, 1},
      {[&] { boolean->SetValue(false); }, 0},     {[&] { boolean->SetValue(true); }, 1},
      {[&] { text->SetValue("Standard"); }, 0},   {[&] { text->SetValue("Night Shift"); }, 1},
      {[&] { text->SetValue("Night Shift"); }, 0},
  };
  auto sum = [&] { return real->Version() + integer->Version() + boolean->Version() + text->Version(); };
  for (size_t k = 0; k < steps.size(); ++k) {
    const uint64_t before = sum();
    steps[k].first();
    EXPECT_EQ(sum() - before, static_cast<uint64_t>(steps[k].second)) << "step " << k;
  }
  EXPECT_EQ(text->Value(), "Night Shift");
}

TEST(QelParserCache, SourceAndCanonicalTextsFindTheSameExpression) {
  TQelParser parser;
  parser.CreateVariable("x", 1);
  TExpression* e = parser.CompileExpression("x+1");
  std::string spaced = "  x   +   1 ";
  EXPECT_EQ(parser.Compile(spaced), 0);
  EXPECT_EQ(parser.CurrentExpression(), e);
  // Texts differing inside literals are different expressions.
  parser.CompileExpression("\"a\"");
  parser.CompileExpression("\"A\"");
  EXPECT_EQ(parser.ExpressionCount(), 3);
}

}  // namespace
}  // namespace qora
