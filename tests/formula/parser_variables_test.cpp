// Guards against bad variable names accepted or reported inexactly, duplicates let in, renames and removals
// that leave the expression cache stale, and cache lookups that miss the canonical text.
#include <gtest/gtest.h>

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
  TStringVariable mine("hours", "x");
  mode = 0;
  EXPECT_EQ(ErrorOf([&] { parser.RegisterVariable(&mine); }, &mode), "Error: A Variable named hours already exists");
  EXPECT_EQ(mode, 1);
  EXPECT_EQ(parser.VariableCount(), 1);
}

class TOddVariable : public TCustomVariable {
 public:
  TOddVariable() : TCustomVariable("Odd", rdtInteger) {}
};

TEST(QelParserVariables, RegisteredVariablesStayTheCallersAndAreChecked) {
  TQelParser parser;
  TIntegerVariable days("Days", 3);
  parser.RegisterVariable(&days);
  EXPECT_EQ(EvalText(parser, "Days * 2"), "Integer 6");
  days.SetValue(4);
  EXPECT_EQ(EvalText(parser, "Days * 2"), "Integer 8");
  TOddVariable odd;
  EXPECT_EQ(ErrorOf([&] { parser.RegisterVariable(&odd); }), "Error: Invalid variable type.");
  EXPECT_THROW(parser.RegisterVariable(nullptr), EQelParserError);
}

TEST(QelParserVariables, LookupIsSortedTrimmedCaselessAndHidesFunctions) {
  TQelParser parser;
  parser.CreateVariable("beta", 1);
  parser.CreateVariable("Alpha", 2);
  parser.CreateVariable("Pi", 3);
  parser.CreateVariable("Round", "r");
  EXPECT_EQ(parser.IndexOfVariable("  ALPHA "), 0);
  EXPECT_EQ(parser.IndexOfVariable("Beta"), 1);
  EXPECT_EQ(EvalText(parser, "ALPHA + alpha + Pi"), "Integer 7");
  EXPECT_EQ(EvalText(parser, "Round + \"s\""), "String rs");
}

TEST(QelParserVariables, RenameRekeysTheCache) {
  TQelParser parser;
  parser.CreateVariable("x", 2);
  parser.CreateVariable("z", 10);
  std::string text = "x+1";
  parser.Compile(text);
  TExpression* e = parser.CurrentExpression();
  EXPECT_EQ(text, "x + 1");
  int index = parser.IndexOfVariable("x");
  parser.RenameVariable(index, " Hours ");
  EXPECT_EQ(parser.Variables(index)->UserName(), "Hours");
  EXPECT_EQ(parser.IndexOfVariable("x"), -1);
  EXPECT_EQ(parser.Expressions(0)->Decompile(), "Hours + 1");
  std::string renamed = "Hours + 1";
  EXPECT_EQ(parser.Compile(renamed), 0);
  EXPECT_EQ(parser.CurrentExpression(), e);
  // The old text no longer finds the expression: x is gone.
  EXPECT_EQ(EvalText(parser, "x+1"), std::string("!Error in parsing \"+\" operator.  Check to make sure that all the "
                                            "variables in the formula have been defined."));
  // A clash with another variable is refused, a change of case is not.
  EXPECT_EQ(ErrorOf([&] { parser.RenameVariable(index, "Z"); }), "Error: A Variable named Z already exists");
  parser.RenameVariable(index, "HOURS");
  EXPECT_EQ(parser.Expressions(0)->Decompile(), "HOURS + 1");
  EXPECT_THROW(parser.RenameVariable(index, "9a"), EQelParserError);
}

TEST(QelParserVariables, RemoveFreesExpressionsThatUseIt) {
  TQelParser parser;
  TIntegerVariable* x = parser.CreateVariable("x", 2);
  parser.CreateVariable("y", 3);
  parser.CompileExpression("x + 1");
  parser.CompileExpression("y * x");
  TExpression* keep = parser.CompileExpression("y - 1");
  EXPECT_EQ(parser.ExpressionCount(), 3);
  parser.RemoveVariable(x);
  EXPECT_EQ(parser.ExpressionCount(), 1);
  EXPECT_EQ(parser.Expressions(0), keep);
  EXPECT_EQ(parser.IndexOfVariable("x"), -1);
  EXPECT_EQ(parser.CurrentExpression(), keep);
  EXPECT_EQ(EvalText(parser, "x"), "!Error: \"x\" not recognized or the arguments for \"x\" are not of the correct types.");
  parser.CreateVariable("x", 7);  // the name is free again
  EXPECT_EQ(EvalText(parser, "x + 1"), "Integer 8");
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

TEST(QelParserCache, DeleteAndRemoveExpressions) {
  TQelParser parser;
  TExpression* b = parser.CompileExpression("\"b\"");
  TExpression* a = parser.CompileExpression("\"a\"");
  TExpression* c = parser.CompileExpression("\"c\"");
  EXPECT_EQ(parser.Expressions(0), a);  // sorted by canonical text
  parser.DeleteExpression(1);
  EXPECT_EQ(parser.Expressions(1), c);
  EXPECT_EQ(parser.CurrentExpression(), c);
  parser.RemoveExpression(c);
  EXPECT_EQ(parser.CurrentExpression(), nullptr);
  parser.RemoveExpression(b);  // already gone: nothing happens
  EXPECT_EQ(parser.ExpressionCount(), 1);
  EXPECT_THROW(parser.DeleteExpression(5), std::out_of_range);
}

}  // namespace
}  // namespace qora
