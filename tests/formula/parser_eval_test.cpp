// Guards against wrong result types, precedence, associativity, literal reading and canonical text, result
// accessors that read a value of the wrong type, compile and evaluation messages that are not word for word, a
// missing operand reported for the wrong operator, select indexes out of range, and a failed compile that changes
// the expression cache.
#include <gtest/gtest.h>

#include <stdexcept>

#include "formula_test_util.h"

namespace qora {
namespace {

using testing::AddStandardVariables;
using testing::ErrorOf;
using testing::EvalText;

struct EvalCase {
  const char* Text;
  const char* Expected;
};

TEST(QelParserEval, TypingPrecedenceAndLiterals) {
  const EvalCase cases[] = {
      {"1 + 2 * 3", "Integer 7"},
      {"7 / 2", "Real 3.5"},
      {"7 div 2", "Integer 3"},
      {"-7 div 2", "Integer -3"},
      {"-7 mod 2", "Integer -1"},
      {"2 * 1.5", "Real 3"},
      {"1 = 1.0", "Boolean True"},
      {"true and not false", "Boolean True"},
      {"-3 * -2", "Integer 6"},
      {"1.5E-3", "Real 0.0015"},
      {"2E+2", "Real 200"},
      {"e-1", "Integer 4"},
      {"1e2-1", "Real 99"},
      {"\t1 +\n2\r", "Integer 3"},
      {"(x)div(2)", "Integer 2"},
      {"x mod(3)", "Integer 2"},
      {"(b)or(false)", "Boolean True"},
      {"10 - 3 - 2", "Integer 5"},
      {"12 / 3 / 2", "Real 2"},
      {"2 * 3 mod 4", "Integer 2"},
      {"not not true", "Boolean True"},
      {"- - 3", "Integer 3"},
      {"1 + -2", "Integer -1"},
      {"1 -2", "Integer -1"},
      {"-x", "Integer -5"},
      {"\"a b + c\" + \"(x)\"", "String a b + c(x)"},
      {"s + \"c\"", "String abc"},
      {"\"\"", "String "},
      {"\"b\" > \"a\"", "Boolean True"},
      {"\"B\" = \"b\"", "Boolean False"},
      {"true > false", "Boolean True"},
      {"true xor true", "Boolean False"},
      {"TRUE Or FALSE", "Boolean True"},
      {"1 <> 2", "Boolean True"},
      {"2 >= 2", "Boolean True"},
      {"3 < 2.5", "Boolean False"},
      {"x=5", "Boolean True"},
      {"(x)and(b)", "!Error in parsing \"AND\" operator; It is not possible to apply the \"AND\" operator to an Integer and a Boolean."},
      {"2147483647 + 1", "Integer -2147483648"},
      {"2147483648", "Real 2147483648"},
      {"Pi", "Real 3.141592653589793"},
      {"ABS(-3)", "Integer 3"},
      {"abs(-2.5)", "Real 2.5"},
      {"Max(1, 2.5)", "Real 2.5"},
      {"Max(1, 2)", "Integer 2"},
      {"Sqr(3)", "Integer 9"},
      {"Case(2, 10, 20, 30)", "Integer 20"},
      {"Case(2, 1, 2.5)", "Real 2.5"},
      {"If(x > 0, 1, 2.5)", "Real 1"},
      {"s", "String ab"},
      {"", "!none"},
      {"\t\r\n", "!none"},
  };
  TQelParser parser;
  AddStandardVariables(parser);
  parser.CreateVariable("e", 5);
  for (const EvalCase& c : cases) EXPECT_EQ(EvalText(parser, c.Text), c.Expected) << c.Text;
}

TEST(QelParserEval, CanonicalText) {
  const EvalCase cases[] = {
      {"  x  ", "x"},
      {"X", "x"},
      {"1 + 2", "3"},
      {"2 * 1.5", "3."},
      {"\"Hi there\"", "\"Hi there\""},
      {"true", "True"},
      {"(x + 1) * 2", "(x + 1) * 2"},
      {"x + (1 * 2)", "x + 2"},
      {"x - 2 - 1", "(x - 2) - 1"},
      {"not b", "NOT b"},
      {"b and (x > 1)", "b AND (x > 1)"},
      {"b or b xor b", "(b OR b) XOR b"},
      {"-(x + 1)", "-(x + 1)"},
      {"max(x, 2)", "Max(x, 2)"},
      {"ifs(b, \"a\", \"b\")", "IfT(b, \"a\", \"b\")"},
      {"x div 2 mod 3", "(x DIV 2) MOD 3"},
      {"If(x > 0, 1, 1 div 0)", "If((x > 0), 1, (1 DIV 0))"},
      {"If(true, 1 + 1, 3)", "2"},
      {"Pi", "3.141592653589793"},
      {"1.5E-3", "0.0015"},
      {"x = 1.0", "x = 1."},
      {"x * -3", "x * -3"},
  };
  TQelParser parser;
  AddStandardVariables(parser);
  for (const EvalCase& c : cases) {
    std::string text = c.Text;
    parser.Compile(text);
    EXPECT_EQ(text, c.Expected) << c.Text;
    // The canonical text compiles to the same expression.
    std::string again = text;
    TExpression* first = parser.CurrentExpression();
    parser.Compile(again);
    EXPECT_EQ(parser.CurrentExpression(), first) << c.Text;
  }
}

TEST(QelParserEval, ResultAccessorsCheckTheType) {
  TQelParser parser;
  struct Case {
    const char* Text;
    std::string Real, Integer, Boolean, String;
  };
  const Case cases[] = {
      {"1", "ok", "ok", "Error: attempt to use an Integer as a boolean.", "Error: attempt to use an Integer as a String."},
      {"1.5", "ok", "Error: attempt to use a Real as an Integer.", "Error: attempt to use a Real as a boolean.",
       "Error: attempt to use a Real as a String."},
      {"true", "Error: attempt to use a Boolean as a Real.", "Error: attempt to use a Boolean as an Integer.", "ok",
       "Error: attempt to use a Boolean as a String."},
      {"\"a\"", "Error: attempt to use a String as a Real.", "Error: attempt to use a String as an Integer.",
       "Error: attempt to use a String as a boolean.", "ok"},
  };
  for (const Case& c : cases) {
    TExpression* e = parser.CompileExpression(c.Text);
    e->Evaluate(nullptr);
    EXPECT_EQ(ErrorOf([&] { e->DoubleResult(); }), c.Real) << c.Text;
    EXPECT_EQ(ErrorOf([&] { e->IntegerResult(); }), c.Integer) << c.Text;
    EXPECT_EQ(ErrorOf([&] { e->BooleanResult(); }), c.Boolean) << c.Text;
    EXPECT_EQ(ErrorOf([&] { e->StringResult(); }), c.String) << c.Text;
  }
  EXPECT_EQ(parser.CompileExpression("7")->DoubleResult(), 7.0);
}

const char* const kMissing = " operator.  Check to make sure that all the variables in the formula have been defined.";

std::string Operand(const char* op) { return std::string("!Error in parsing \"") + op + "\"" + kMissing; }

TEST(QelParserErrors, CompileMessages) {
  const EvalCase cases[] = {
      {"\"abc", "Error: Unterminated string"},
      {"(1 + 2", "Error: Unmatched parentheses"},
      {"1 + 2)", "Error: Unmatched parentheses"},
      {"\")\" + (\"a\"", "Error: Unmatched parentheses"},
      {"\"a\" = 1", "Error in parsing \"=\" operator; a String and an Integer can not be compared with the \"=\" operator."},
      {"1 >= true", "Error in parsing \">=\" operator; an Integer and a Boolean can not be compared with the \">=\" operator."},
      {"1 and 2", "Error in parsing \"AND\" operator; It is not possible to apply the \"AND\" operator to an Integer and an Integer."},
      {"b xor 1.5", "Error in parsing \"XOR\" operator; It is not possible to apply the \"XOR\" operator to a Boolean and a Real."},
      {"1.5 div 2", "Error in parsing \"DIV\" operator; It is not possible to apply the \"DIV\" operator to a Real and an Integer."},
      {"\"a\" mod 2", "Error in parsing \"MOD\" operator; It is not possible to apply the \"MOD\" operator to a String and an Integer."},
      {"\"a\" - \"b\"", "Error in parsing \"-\" operator; It is not possible to apply the \"-\" operator to a String and a String."},
      {"\"a\" + 1", "Error in parsing \"+\" operator; It is not possible to apply the \"+\" operator to a String and an Integer."},
      {"1 / \"a\"", "Error in parsing \"/\" operator; It is not possible to apply the \"/\" operator to an Integer and a String."},
      {"2 ^ 3", "Error: \"^\" not recognized or the arguments for \"^\" are not of the correct types."},
      {"y", "Error: \"y\" not recognized or the arguments for \"y\" are not of the correct types."},
      // Text before a literal is upper-cased; text after the last one is not.
      {"Bar(\"a\")", "Error: \"BAR\" not recognized or the arguments for \"BAR\" are not of the correct types."},
      {"\"a\" = \"b\" bar", "Error: \"bar\" not recognized or the arguments for \"bar\" are not of the correct types."},
      {"1 2", "Parsing Error; Check that no function or variable names have been misspelled."},
      {"(1, 2)", "Parsing Error; Check that no function or variable names have been misspelled."},
      {"Max(1,,2)", "Parsing Error; Check that no function or variable names have been misspelled."},
      {"1 / ", "Error in parsing \"/\" operator  .Check to make sure that all the variables in the formula have been defined."},
      {"not", "Error in parsing \"NOT\" operator."},
      {"not 1", "Error in parsing \"NOT\" operator; It is not possible to apply the \"NOT\" operator to an Integer."},
      {"-", "Error in parsing - sign."},
      {"1 * +", "Error in parsing + sign."},
      {"Sqrt(\"a\")", "Error: a String can not be assigned to a Real variable."},
      {"Length(1)", "Error: an Integer can not be assigned to a String variable."},
      {"IntToText(1.5)", "Error: a Real can not be assigned to an Integer variable."},
      {"IfT(1, \"a\", \"b\")", "Error: an Integer can not be assigned to a Boolean variable."},
      {"Sqrt", "Error: the Sqrt function requires 1 arguments but none were supplied."},
      {"Sqrt(1, 2)", "Error: the Sqrt function requires at most 1 arguments but 2 were supplied."},
      {"Interpolate(1, 2)", "Error: the Interpolate function requires at least 5 arguments but 2 were supplied."},
      {"MaxI(1)", "Error: the MaxI function requires at least 2 arguments but 1 were supplied."},
      {"MaxI", "Error: the MaxI function requires at least 2 arguments but none were supplied."},
      {"CaseS(1, \"a\")", "Error: the CaseT function requires at least 3 arguments but 2 were supplied."},
      {"If(true, 1, 2, 3)", "Error: the If function requires at most 3 arguments but 4 were supplied."},
      {"Pi(1)", "Error: the Pi function requires at most 0 arguments but 1 were supplied."},
      {"Abs(\"a\")", "Error: \"ABS\" not recognized or the arguments for \"ABS\" are not of the correct types."},
      {"If(1, 2, 3)", "Error: \"If\" not recognized or the arguments for \"If\" are not of the correct types."},
      {"Case(1, 2, \"a\")", "Error: \"CASE\" not recognized or the arguments for \"CASE\" are not of the correct types."},
      {"1 div 0", "Division by zero"},
      {"x + 1 div 0", "Division by zero"},
      {"1 / 0", "Floating point division by zero"},
  };
  TQelParser parser;
  AddStandardVariables(parser);
  for (const EvalCase& c : cases) EXPECT_EQ(EvalText(parser, c.Text), std::string("!") + c.Expected) << c.Text;
}

TEST(QelParserErrors, OperandWithoutValue) {
  TQelParser parser;
  AddStandardVariables(parser);
  const char* ops[][2] = {{"1 +", "+"},       {"y + 1", "+"},   {"1 - y", "-"},     {"* 2", "*"},
                          {"1 * y", "*"},     {"y / 2", "/"},   {"1 div", "DIV"},   {"y mod 2", "MOD"},
                          {"b and", "AND"},   {"or b", "OR"},   {"b xor y", "XOR"}, {"1 =", "="},
                          {"y <> 1", "<>"},   {"1 < y", "<"},   {"> 1", ">"},       {"1 <= y", "<="},
                          {"y >= 1", ">="},   {"-\"a\"", "-"}, {"1 + + 2 *", "*"}};
  for (const auto& c : ops) EXPECT_EQ(EvalText(parser, c[0]), Operand(c[1])) << c[0];
}

TEST(QelParserErrors, SelectIndexMessages) {
  TQelParser parser;
  TIntegerVariable* i = parser.CreateVariable("i", 5);
  EXPECT_EQ(EvalText(parser, "Case(i, 1, 2)"),
            "!Error: Unable to evaluate Case function when the first argument evaluates to 5 because the number of "
            "arguments supplied to the function was 3 instead of at least 6.");
  i->SetValue(0);
  EXPECT_EQ(EvalText(parser, "CaseI(i, 1, 2)"),
            "!Error: Unable to evaluate CaseI function when the first argument evaluates to 0 because the first "
            "argument must always be positive.");
  i->SetValue(-2);
  EXPECT_EQ(EvalText(parser, "CaseS(i, \"a\", \"b\")"),
            "!Error: Unable to evaluate CaseT function when the first argument evaluates to -2 because the first "
            "argument must always be positive.");
  // A constant index out of range fails when the call is folded.
  EXPECT_EQ(EvalText(parser, "Case(3, 1, 2)"),
            "!Error: Unable to evaluate Case function when the first argument evaluates to 3 because the number of "
            "arguments supplied to the function was 3 instead of at least 4.");
}

TEST(QelParserErrors, FailedCompileLeavesTheCacheAlone) {
  TQelParser parser;
  std::string ok = "1 + 1";
  parser.Compile(ok);
  ASSERT_NE(parser.CurrentExpression(), nullptr);
  std::string bad = "1 +";
  EXPECT_THROW(parser.Compile(bad), EQelParserError);
  EXPECT_EQ(parser.CurrentExpression(), nullptr);
  EXPECT_EQ(parser.ExpressionCount(), 1);
  EXPECT_EQ(bad, "1 +");
}

}  // namespace
}  // namespace qora
