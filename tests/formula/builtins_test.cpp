// Guards against built-in functions that compute, round or clamp wrongly at their boundaries, that fail with
// inexact messages, or that are registered under the wrong name or overload set.
#include <gtest/gtest.h>

#include "formula_test_util.h"

namespace qora {
namespace {

using testing::EvalText;

struct Case {
  const char* Text;
  const char* Expected;
};

TEST(QelBuiltins, ResultsAndMessages) {
  TQelParser parser;
  parser.CreateVariable("v", 2.1276);
  const Case cases[] = {
      // Math
      {"AbsI(-4)", "Integer 4"},
      {"AbsI(-2147483647 - 1)", "Integer -2147483648"},
      {"AbsR(-1.5)", "Real 1.5"},
      {"FactorialI(12)", "Integer 479001600"},
      {"FactorialI(0)", "Integer 1"},
      {"FactorialI(-5)", "Integer 1"},
      {"FactorialI(13)", "!Factorial for values greater than 12 can not be computed by the Factorial function"},
      {"FactorialR(170)", "Real 7.257415615307994e+306"},
      {"FactorialR(171)", "!Factorial for values greater than 170 can not be computed by the FactorialR function"},
      {"Frac(-2.75)", "Real -0.75"},
      {"IntPower(2, -1)", "Real 0.5"},
      {"ln(1)", "Real 0"},
      {"log10(1000)", "Real 3"},
      {"logN(2, 8)", "Real 3"},
      {"MaxI(3, 9, 4)", "Integer 9"},
      {"MaxR(1.5, 2, 0)", "Real 2"},
      {"MinI(3, -9, 4)", "Integer -9"},
      {"Odd(-3)", "Boolean True"},
      {"Odd(4)", "Boolean False"},
      {"Power(2, 0.5)", "Real 1.4142135623730951"},
      {"Round(2.5)", "Integer 2"},
      {"Round(3.5)", "Integer 4"},
      {"Round(-2.5)", "Integer -2"},
      {"Round(1E10)", "!The value 10000000000 is out of the Integer range."},
      {"SqrI(-4)", "Integer 16"},
      {"Sqrt(16)", "Real 4"},
      {"Trunc(-2.7)", "Integer -2"},
      {"Trunc(-3E9)", "!The value -3000000000 is out of the Integer range."},
      {"Interpolate(5, 10, 0, 20, 10)", "Real 15"},
      {"Interpolate(0, 10, 0, 20, 10)", "Real 10"},
      {"Distance(0, 0, 3, 4)", "Real 5"},
      // Trigonometry
      {"ArcSin(0) + ArcSinh(0) + ArcTanh(0) + Sin(0) + Sinh(0) + Tan(0) + Tanh(0)", "Real 0"},
      {"ArcCos(1) + ArcCosh(1) + Cos(0) + Cosh(0)", "Real 2"},
      {"ArcTan2(1, 1)", "Real 0.7853981633974483"},
      {"ArcTan2(1, 0) * 2 = Pi", "Boolean True"},
      {"DegToRad(180) = Pi", "Boolean True"},
      {"RadToDeg(Pi)", "Real 180"},
      // Rounding is exact to four decimals
      {"RoundCents(2.1234, 0.05)", "Real 2.1"},
      {"RoundCents(2.1276, 0.05)", "Real 2.15"},
      {"RoundCents(2.125, 0.05)", "Real 2.15"},
      {"RoundCents(2.1249, 0.05)", "Real 2.1"},
      {"RoundCents(-2.1276, 0.05)", "Real -2.1"},
      {"RoundCents(0.29, 0.29)", "Real 0.29"},
      {"RoundCents(1.9999, 1)", "Real 2"},
      // Totals in cents of large employers: the size of the value is no limit.
      {"RoundCents(900000000001, 0.05)", "Real 900000000001"},
      {"RoundCents(900000000000.29, 0.05)", "Real 900000000000.3"},
      {"RoundCents(-900000000000.29, 0.05)", "Real -900000000000.25"},
      {"RoundCents(1E+300, 0.05)", "Real 1e+300"},
      {"RoundCents(1, 1.5)", "!The rounding value must be less than or equal to 1."},
      {"RoundCents(1, -0.05)", "!The rounding value must be less than or equal to 1."},
      {"RoundCents(1, 0.00001)", "!The rounding value must be greater than or equal to 0.0001."},
      {"RoundCents(1, 0)", "!The rounding value must be greater than or equal to 0.0001."},
      {"RoundDown(2.789, 2)", "Real 2.78"},
      {"RoundDown(-2.789, 2)", "Real -2.78"},
      {"RoundDown(0.29, 2)", "Real 0.29"},
      {"RoundDown(1234.5678, 0)", "Real 1234"},
      {"RoundDown(v, 3)", "Real 2.127"},
      // Text
      {"Copy(\"abcdef\", 2, 3)", "String bcd"},
      {"Copy(\"abc\", 0, 2)", "String ab"},
      {"Copy(\"abc\", 3, 10)", "String c"},
      {"Copy(\"abc\", 5, 1)", "String "},
      {"Copy(\"abc\", 1, -1)", "String "},
      {"Copy(\"h\xC3\xA9llo\", 2, 2)", "String \xC3\xA9l"},
      {"Length(\"h\xC3\xA9llo\")", "Integer 5"},
      {"Length(\"\")", "Integer 0"},
      {"FloatToText(2.5)", "String 2.5"},
      {"FloatToStr(0.1 + 0.2)", "String 0.3"},
      {"IntToText(-42)", "String -42"},
      {"LowerCase(\"AbC\")", "String abc"},
      {"UpperCase(\"abC\")", "String ABC"},
      {"Pos(\"c\", \"abcabc\")", "Integer 3"},
      {"Pos(\"z\", \"abc\")", "Integer 0"},
      {"Pos(\"\", \"abc\")", "Integer 0"},
      {"Pos(\"l\", \"h\xC3\xA9llo\")", "Integer 3"},
      {"PosEx(\"c\", \"abcabc\", 4)", "Integer 6"},
      {"PosEx(\"c\", \"abcabc\", 3)", "Integer 3"},
      {"PosEx(\"c\", \"abcabc\", 7)", "Integer 0"},
      {"PosEx(\"c\", \"abc\", 0)", "Integer 0"},
      {"TextToInt(\"42\")", "Integer 42"},
      {"TextToInt(\"abc\")", "!'abc' is not a valid integer value"},
      {"TextToInt(\"99999999999\")", "!'99999999999' is not a valid integer value"},
      {"TextToIntDef(\"x\", 5)", "Integer 5"},
      {"TextToFloat(\"1.5\")", "Real 1.5"},
      {"TextToFloat(\"1,5\")", "!1,5 can not be converted to a real number."},
      {"TextToFloatDef(\"1,5\", 9.5)", "Real 9.5"},
      // Selects and interpolation
      {"CaseB(2, true, false)", "Boolean False"},
      {"CaseI(3, 1, 2, 3)", "Integer 3"},
      {"CaseR(1, 2, 3)", "Real 2"},
      {"CaseT(1, \"a\", \"b\")", "String a"},
      {"IfB(true, false, true)", "Boolean False"},
      {"IfI(false, 1, 2)", "Integer 2"},
      {"IfR(true, 1, 2)", "Real 1"},
      {"IfT(true, \"y\", \"n\")", "String y"},
      {"MultiInterpolate(0, 10, 0, 20, 10)", "Real 10"},
      {"MultiInterpolate(10, 10, 0, 20, 10)", "Real 20"},
      {"MultiInterpolate(-1, 10, 0, 20, 10)", "Real 10"},
      {"MultiInterpolate(15, 10, 0, 20, 10)", "Real 20"},
      {"MultiInterpolate(15, 10, 0, 20, 10, 40, 20)", "Real 30"},
      {"MultiInterpolate(7, 1, 2)", "Real 1"},
      {"MultiInterpolate(7, 1)", "!Error: the MultiInterpolate function requires at least 3 arguments but 2 were supplied."},
  };
  for (const Case& c : cases) EXPECT_EQ(EvalText(parser, c.Text), c.Expected) << c.Text;
}

TEST(QelBuiltins, SynonymsAndOverloadSets) {
  TQelParser parser;
  const TFunctionStringList& f = parser.Functions();
  const std::pair<const char*, const char*> synonyms[] = {
      {"cases", "CaseT"}, {"IFS", "IfT"}, {"StrToInt", "TextToInt"}, {"StrToFloat", "TextToFloat"}, {"FloatToStr", "FloatToText"}};
  for (const auto& [lookup, name] : synonyms) {
    ASSERT_GE(f.IndexOf(lookup), 0) << lookup;
    EXPECT_EQ(f.GetFunctionClass(f.IndexOf(lookup))->Name, name);
  }
  EXPECT_EQ(f.GetFunctionSet(f.IndexOf("Case"))->Overloads.size(), 4u);
  EXPECT_EQ(f.GetFunctionSet(f.IndexOf("If"))->Overloads.size(), 4u);
  EXPECT_EQ(f.IndexOf("EqualString"), -1);
}

}  // namespace
}  // namespace qora
