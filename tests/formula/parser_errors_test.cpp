// Guards against compile and evaluation messages that are not word for word, a missing operand reported for
// the wrong operator, select indexes out of range, and a failed compile that changes the expression cache.
#include <gtest/gtest.h>

#include <stdexcept>

#include "formula_test_util.h"

namespace qora {
namespace {

using testing::AddStandardVariables;
using testing::EvalText;

struct ErrorCase {
  const char* Text;
  const char* Message;
};

const char* const kMissing = " operator.  Check to make sure that all the variables in the formula have been defined.";

std::string Operand(const char* op) { return std::string("!Error in parsing \"") + op + "\"" + kMissing; }

TEST(QelParserErrors, CompileMessages) {
  const ErrorCase cases[] = {
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
      {"1 / 0", "Floating point division by zero"},
  };
  TQelParser parser;
  AddStandardVariables(parser);
  for (const ErrorCase& c : cases) EXPECT_EQ(EvalText(parser, c.Text), std::string("!") + c.Message) << c.Text;
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
