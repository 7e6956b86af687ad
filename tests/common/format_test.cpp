// Guards against format directives, float text, float patterns and rounding (banker's ties, half away from zero
// after 15 significant digits) that differ from the classic rules, patterns that group, sign, quote or raise
// exponents wrongly or show negative zero, and number and boolean parsing that accepts bad text or changes the output.
#include "common/format.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <stdexcept>

#include "common/format_float.h"

namespace qora {
namespace {

struct FormatCase {
  const char* format;
  std::vector<FormatArg> args;
  const char* expected;
};

TEST(Format, DirectivesFollowTheClassicRules) {
  const FormatCase cases[] = {
      {"Processed: %d. Skipped %d. Time: %f.1 seconds", {int64_t{3}, int64_t{1}, 0.25},
       "Processed: 3. Skipped 1. Time: 0.25.1 seconds"},
      {"An error occurred processing shift %d: \"%s\"", {int64_t{12}, std::string("Bad rate")},
       "An error occurred processing shift 12: \"Bad rate\""},
      {"%f|%.3f|%.0f|%.0f|%.1f", {2.675, 2.0005, 2.5, -2.5, 0.05}, "2.68|2.001|3|-3|0.1"},
      {"%.2f", {1e15}, "1000000000000000.00"},
      {"%5d|%-5d|%.4d|%d", {int64_t{42}, int64_t{42}, int64_t{-7}, std::numeric_limits<int64_t>::min()},
       "   42|42   |-0007|-9223372036854775808"},
      {"%x|%.4x|%x|%u", {int64_t{255}, int64_t{255}, int64_t{-1}, int64_t{-1}}, "FF|00FF|FFFFFFFF|4294967295"},
      {"%s|%3s|%-3s|%.2s|%s", {std::string("a"), std::string("b"), std::string("c"), std::string("xyz"), std::string()},
       "a|  b|c  |xy|"},
      {"%n|%.0n|%n", {1234567.891, 999.5, -1234.5}, "1,234,567.89|1,000|-1,234.50"},
      {"%e|%.3e|%e", {1234.5, -0.00012345, 0.0}, "1.23450000000000E+003|-1.23E-004|0.00000000000000E+000"},
      {"%g|%g|%.3g|%g", {0.1 + 0.2, 1e20, 2.0 / 3, 0.00001}, "0.3|1E020|0.667|1E-005"},
      {"%d%%", {int64_t{50}}, "50%"},
      {"%1:s %0:s %s", {std::string("a"), std::string("b")}, "b a b"},
      {"%*d|%-*d|", {int64_t{5}, int64_t{42}, int64_t{3}, int64_t{7}}, "   42|7  |"},
  };
  for (const FormatCase& c : cases) EXPECT_EQ(FormatV(c.format, c.args), c.expected) << c.format;
  EXPECT_EQ(Format("%s has %d shifts (%s)", std::string("Kim"), 3, "ok"), "Kim has 3 shifts (ok)");
  EXPECT_EQ(Format("%d/%d", true, 'A'), "1/65");
}

TEST(Format, WrongOrMissingArgumentsThrow) {
  const FormatCase cases[] = {
      {"%d", {1.5}, ""},          {"%s", {int64_t{3}}, ""}, {"%f", {int64_t{3}}, ""},
      {"%d %d", {int64_t{1}}, ""}, {"%q", {int64_t{1}}, ""}, {"trailing %", {int64_t{1}}, ""},
      {"%x", {std::string("a")}, ""},
  };
  for (const FormatCase& c : cases) EXPECT_THROW(FormatV(c.format, c.args), std::invalid_argument) << c.format;
}

TEST(FloatText, FloatToStrIsGeneralWith15Digits) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0.1 + 0.2, "0.3"},     {100, "100"},       {1e15, "1E15"},          {123456789012345.0, "123456789012345"},
      {0.0001, "0.0001"},     {0.00001, "1E-5"},  {1.5e-5, "1.5E-5"},      {-2.5e20, "-2.5E20"},
      {-7.5, "-7.5"},         {0, "0"},           {-0.0, "0"},             {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"}, {999999999999999.9, "1E15"}, {1e-300, "1E-300"}, {123.456, "123.456"},
      {std::nan(""), "NAN"},  {inf, "INF"},       {-inf, "-INF"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToStr(c.value), c.text) << c.text;
}

// Rounding to 15 digits without the text rounds as the text would.
TEST(FloatText, FifteenDigitValueIsTheTextReadBack) {
  std::mt19937_64 rng(7);
  std::vector<double> values = {0.1 + 0.2, 7.499999999999999, 1e15, 999999999999999.9, 1e-5, 4e-6, 0.000015, -2.5,
                                123456.123456, 1.0 / 3, 5e-324, 0.0, -0.0, std::nan(""), 1e300};
  for (int i = 0; i < 20000; ++i) {
    const double scale = std::pow(10.0, static_cast<int>(rng() % 24) - 8);
    values.push_back(std::round(static_cast<double>(rng() % 100000000) * (i % 2 ? 1 : -1)) / 1e4 * scale);
    values.push_back(std::bit_cast<double>(rng()));
  }
  for (double v : values) {
    ASSERT_EQ(std::bit_cast<uint64_t>(FloatToStrValue(v)), std::bit_cast<uint64_t>(StrToFloatDef(FloatToStr(v), 0)))
        << v;
  }
}

TEST(FloatText, FloatToStrFRoundsHalfAwayAfter15Digits) {
  const struct {
    double value;
    int decimals;
    const char* text;
  } cases[] = {
      {2.675, 2, "2.68"}, {-1.5, 0, "-2"},    {0.125, 2, "0.13"}, {3, 3, "3.000"},
      {-0.004, 2, "0.00"}, {0.994999999, 2, "0.99"}, {-9.995, 2, "-10.00"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToStrF(c.value, c.decimals), c.text) << c.text;
}

TEST(Rounding, BankersRoundAndCosting) {
  const std::pair<double, int64_t> bankers[] = {{2.5, 2},  {3.5, 4},     {-2.5, -2},   {-3.5, -4},
                                                {0.5, 0},  {1.5, 2},     {2.4999, 2},  {2.5001, 3},
                                                {-0.4, 0}, {1e15 + 1, 1000000000000001}};
  for (const auto& [value, expected] : bankers) EXPECT_EQ(BankersRound(value), expected) << value;
  EXPECT_THROW(BankersRound(std::nan("")), std::out_of_range);
  EXPECT_THROW(BankersRound(1e30), std::out_of_range);

  const struct {
    double value;
    int decimals;
    double expected;
  } costing[] = {
      {2.345, 2, 2.35}, {0.125, 2, 0.13}, {2.5, 0, 3}, {-2.345, 2, -2.34}, {7.004, 2, 7.0},
  };
  for (const auto& c : costing) EXPECT_DOUBLE_EQ(RoundCosting(c.value, c.decimals), c.expected) << c.value;
}

TEST(NumberParsing, FloatsUseAPointWhateverTheLocale) {
  const std::pair<const char*, double> good[] = {
      {" -2.25 ", -2.25}, {"+3", 3}, {"1.5E3", 1500}, {"1e-2", 0.01}, {".5", 0.5}, {"\t42\r\n", 42}};
  for (const auto& [text, expected] : good) {
    double out = 0;
    ASSERT_TRUE(TryStrToFloat(text, out)) << text;
    EXPECT_DOUBLE_EQ(out, expected) << text;
  }
  const char* bad[] = {"", " ", "abc", "1,5", "1.2.3", "inf", "nan", "1e", "--1", "1 2", "0x10", "+", "1e999"};
  for (const char* text : bad) {
    double out = 9;
    EXPECT_FALSE(TryStrToFloat(text, out)) << text;
    EXPECT_EQ(out, 9) << text;
  }
  EXPECT_EQ(StrToFloatDef("x", 2.5), 2.5);
  EXPECT_EQ(StrToFloatDef("7.25", 2.5), 7.25);
  // Short decimals are read without the full conversion: the same double,
  // on either side of 15 digits and wherever the point is.
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 20000; ++i) {
    std::string text = std::to_string(random() % 1000000000000000000ULL).substr(0, 1 + random() % 18);
    text.insert(random() % (text.size() + 1), ".");
    double expected = 0;
    std::from_chars(text.data(), text.data() + text.size(), expected);
    double out = 0;
    ASSERT_TRUE(TryStrToFloat(text, out)) << text;
    ASSERT_EQ(out, expected) << text;
  }
}

TEST(NumberParsing, IntegersDecimalAndHex) {
  const std::pair<const char*, int64_t> good[] = {
      {"42", 42},     {" -17 ", -17}, {"+5", 5},   {"$FF", 255}, {"-$10", -16}, {"0x1A", 26}, {"007", 7},
      {"9223372036854775807", std::numeric_limits<int64_t>::max()},
      {"-9223372036854775808", std::numeric_limits<int64_t>::min()},
  };
  for (const auto& [text, expected] : good) {
    int64_t out = 0;
    ASSERT_TRUE(TryStrToInt(text, out)) << text;
    EXPECT_EQ(out, expected) << text;
  }
  const char* bad[] = {"", "9223372036854775808", "-9223372036854775809", "1.5", "12a", "$", "$G", "- 5", "+-5",
                       "1e3"};
  for (const char* text : bad) {
    int64_t out = 9;
    EXPECT_FALSE(TryStrToInt(text, out)) << text;
    EXPECT_EQ(out, 9) << text;
  }
  EXPECT_EQ(StrToIntDef("12x", -1), -1);
}

TEST(NumberParsing, Booleans) {
  const std::pair<const char*, bool> good[] = {{"true", true}, {"FALSE", false}, {"-1", true}, {"0", false},
                                               {"2.5", true},  {"no", false},   {"y", true},  {"f", false},
                                               {" yes ", true}};
  for (const auto& [text, expected] : good) {
    bool out = !expected;
    ASSERT_TRUE(TryStrToBool(text, out)) << text;
    EXPECT_EQ(out, expected) << text;
  }
  for (const char* text : {"", "maybe", "tru", "yess"}) {
    bool out = true;
    EXPECT_FALSE(TryStrToBool(text, out)) << text;
  }
  EXPECT_TRUE(StrToBoolDef("maybe", true));
  EXPECT_FALSE(StrToBoolDef("0", true));
  EXPECT_EQ(BoolToStr(true) + BoolToStr(false), "TrueFalse");
}

struct PatternCase {
  const char* pattern;
  double value;
  const char* expected;
};

TEST(FormatFloat, ClassicPatternTable) {
  // The long-documented table of patterns against 1234, -1234, 0.5 and 0.
  const char* patterns[] = {"0",        "0.00",     "#.##",       "#,##0.00", "#,##0.00;(#,##0.00)",
                            "#,##0.00;;Zero", "0.000E+00", "#.###E-0"};
  const char* expected[][4] = {
      {"1234", "-1234", "1", "0"},
      {"1234.00", "-1234.00", "0.50", "0.00"},
      {"1234", "-1234", ".5", ""},
      {"1,234.00", "-1,234.00", "0.50", "0.00"},
      {"1,234.00", "(1,234.00)", "0.50", "0.00"},
      {"1,234.00", "-1,234.00", "0.50", "Zero"},
      {"1.234E+03", "-1.234E+03", "5.000E-01", "0.000E+00"},
      {"1.234E3", "-1.234E3", "5E-1", "0E0"},
  };
  const double values[] = {1234, -1234, 0.5, 0};
  for (size_t p = 0; p < std::size(patterns); ++p) {
    for (size_t v = 0; v < 4; ++v) {
      EXPECT_EQ(FormatFloat(patterns[p], values[v]), expected[p][v]) << patterns[p] << " of " << values[v];
    }
  }
}

TEST(FormatFloat, PatternsRoundSignQuoteAndRaiseExponents) {
  const PatternCase cases[] = {
      // Ties round half away from zero after 15 significant digits.
      {"0.00", 2.675, "2.68"},
      {"0.#####", 1.0 / 3, "0.33333"},
      {"0.#####", 0.000004, "0"},
      {"0.0############", 1.5, "1.5"},
      {"0.0############", 0.1 + 0.2, "0.3"},
      {"0", 2.5, "3"},
      {"0.0", 0.05, "0.1"},
      {"0.00", 9.995, "10.00"},
      {"0.00", 1e15, "1000000000000000.00"},
      // Negative values and zero results
      {"0.00", -1.5, "-1.50"},
      {"0.00", -0.001, "0.00"},  // shows as zero, so no sign
      {"0.00;(0.00);'zero'", -1.5, "(1.50)"},
      {"0.00;(0.00);'zero'", 0, "zero"},
      {"0.00;;'nil'", -1, "-1.00"},  // empty negative section: the first one with a sign
      {"$0.00", -5, "-$5.00"},
      // Placeholders, literals and exponents
      {"#.00", 0.5, ".50"},
      {"000", 7, "007"},
      {"00-00", 1234, "12-34"},
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"'Total: '0.0", 3, "Total: 3.0"},
      {"\"h\"0;x", 3, "h3"},
      {"0.00 'hrs;'", 7.25, "7.25 hrs;"},
      {"0.00E+00", 0.00012345, "1.23E-04"},
      {"0.00E-00", 1234.5, "1.23E03"},
      {"0.00e+000", 1e100, "1.00e+100"},
      {"", 1e20, "1E20"},
      {"0.00", std::nan(""), "NAN"},
  };
  for (const PatternCase& c : cases) {
    EXPECT_EQ(FormatFloat(c.pattern, c.value), c.expected) << '"' << c.pattern << "\" of " << c.value;
  }
}

// Plain patterns take a shortcut that must give the scanned pattern's text
// for every double: ties, carries into a new digit, zero results and their
// sign, magnitudes past 15 digits, subnormals and specials, then random bit
// patterns, cent amounts, binary fractions and decimals of up to 15 digits.
TEST(FormatFloat, PlainPatternShortcutMatchesTheScannedPattern) {
  const char* patterns[] = {"0.0############", "0.#####", "0.00", "#.##", "000", "0", ".00", "#0.0#"};
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> values = {0.0, 0.5, 1.0, 2.675, 9.995, 0.99999999999999, 9.99999999999995,
                                0.00000000000005, 0.000000000000049, 0.00000000000015, 1.0 / 3, 0.1 + 0.2,
                                123456789012.345, 999999999999999.0, 1e15, 1e15 + 1, 123456789012345678.0,
                                1e22, 1e23, 1.7976931348623157e308, 5e-23, 4.9e-324, 2.2250738585072014e-308,
                                1e-300, std::nan(""), inf, 8.0, 31.75, 1666.95, 0.125, 0.045, 0.0045,
                                100000000000000.5, 100000000000001.5, 12345678901234.25, 1e-7, 9.99999999999999e-8,
                                0.99999999999999994, 999999999999999.9};
  for (size_t i = 0, n = values.size(); i < n; ++i) values.push_back(-values[i]);
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 10000; ++i) {
    const uint64_t bits = random();
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    values.push_back(v);
    values.push_back(static_cast<double>(static_cast<int64_t>(bits % 2000000001) - 1000000000) / 100);
    values.push_back(std::ldexp(static_cast<double>(bits >> 11), static_cast<int>(bits % 64) - 80));
    values.push_back(static_cast<double>(bits % 1000000000000000) / std::pow(10.0, static_cast<int>(bits >> 59)));
  }
  for (const char* pattern : patterns) {
    for (double v : values) {
      ASSERT_EQ(FormatFloat(pattern, v), FormatFloatGeneral(pattern, v)) << '"' << pattern << "\" of "
                                                                           << std::hexfloat << v;
    }
  }
}

}  // namespace
}  // namespace qora
