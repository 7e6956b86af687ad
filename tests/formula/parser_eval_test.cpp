// Guards against wrong result types, precedence, associativity, literal reading and canonical text, and
// result accessors that read a value of the wrong type.
#include <gtest/gtest.h>

#include "formula_test_util.h"

namespace qora {
namespace {

using testing::AddStandardVariables;
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
      {"If(x > 0, 1, 1 div 0)", "Integer 1"},
  };
  TQelParser parser;
  AddStandardVariables(parser);
  parser.CreateVariable("e", 5);
  for (const EvalCase& c : cases) EXPECT_EQ(EvalText(parser, c.Text), c.Expected) << c.Text;
}

struct CanonicalCase {
  const char* Text;
  const char* Canonical;
};

TEST(QelParserEval, CanonicalText) {
  const CanonicalCase cases[] = {
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
      {"Pi", "3.141592653589793"},
      {"1.5E-3", "0.0015"},
      {"x = 1.0", "x = 1."},
      {"x * -3", "x * -3"},
  };
  TQelParser parser;
  AddStandardVariables(parser);
  for (const CanonicalCase& c : cases) {
    std::string text = c.Text;
    parser.Compile(text);
    EXPECT_EQ(text, c.Canonical) << c.Text;
    // The canonical text compiles to the same expression.
    std::string again = text;
    TExpression* first = parser.CurrentExpression();
    parser.Compile(again);
    EXPECT_EQ(parser.CurrentExpression(), first) << c.Text;
  }
}

TEST(QelParserEval, EmptyTextCompilesToNothing) {
  TQelParser parser;
  for (const char* text : {"", "   ", "\t\r\n"}) {
    std::string s = text;
    EXPECT_EQ(parser.Compile(s), -1);
    EXPECT_EQ(parser.CurrentExpression(), nullptr);
  }
  EXPECT_EQ(parser.ExpressionCount(), 0);
}

TEST(QelParserEval, VariablesAreReadAtEachEvaluation) {
  TQelParser parser;
  TRealVariable* hours = parser.CreateVariable("Hours", 7.5);
  TStringVariable* code = parser.CreateVariable("Code", "OT");
  TExpression* e = parser.CompileExpression("IfT(Hours > 8, Code + \"2\", Code)");
  e->Evaluate(nullptr);
  EXPECT_EQ(e->StringResult(), "OT");
  hours->SetValue(9.0);
  code->SetValue("X");
  e->Evaluate(nullptr);
  EXPECT_EQ(e->StringResult(), "X2");
  TExpression* lone = parser.CompileExpression("hours");
  hours->SetValue(3.25);
  lone->Evaluate(nullptr);
  EXPECT_EQ(lone->DoubleResult(), 3.25);
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
  auto message = [](auto&& read) -> std::string {
    try {
      read();
      return "ok";
    } catch (const EQelParserError& e) {
      return e.what();
    }
  };
  for (const Case& c : cases) {
    TExpression* e = parser.CompileExpression(c.Text);
    e->Evaluate(nullptr);
    EXPECT_EQ(message([&] { e->DoubleResult(); }), c.Real) << c.Text;
    EXPECT_EQ(message([&] { e->IntegerResult(); }), c.Integer) << c.Text;
    EXPECT_EQ(message([&] { e->BooleanResult(); }), c.Boolean) << c.Text;
    EXPECT_EQ(message([&] { e->StringResult(); }), c.String) << c.Text;
  }
  EXPECT_EQ(parser.CompileExpression("7")->DoubleResult(), 7.0);
}

}  // namespace
}  // namespace qora
