// Guards against float patterns that round, group, sign, quote or raise exponents wrongly, including
// half-away rounding ties after 15 significant digits and negative values shown as zero.
#include <gtest/gtest.h>

#include <cmath>

#include "common/format.h"

namespace qora {
namespace {

struct PatternCase {
  const char* pattern;
  double value;
  const char* expected;
};

void ExpectAll(const std::vector<PatternCase>& cases) {
  for (const PatternCase& c : cases) {
    EXPECT_EQ(FormatFloat(c.pattern, c.value), c.expected) << '"' << c.pattern << "\" of " << c.value;
  }
}

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

TEST(FormatFloat, RoundsHalfAwayAfter15Digits) {
  ExpectAll({
      {"0.00", 2.675, "2.68"},
      {"0.00", 1.005, "1.01"},
      {"0.#####", 1.0 / 3, "0.33333"},
      {"0.#####", 0.000004, "0"},
      {"0.0############", 1.5, "1.5"},
      {"0.0############", 0.1 + 0.2, "0.3"},
      {"0", 2.5, "3"},
      {"0.0", 0.05, "0.1"},
      {"0.00", 9.995, "10.00"},
      {"0.00", 1e15, "1000000000000000.00"},
  });
}

TEST(FormatFloat, NegativeValuesAndZeroResults) {
  ExpectAll({
      {"0.00", -1.5, "-1.50"},
      {"0.00", -0.001, "0.00"},  // shows as zero, so no sign
      {"0.00;(0.00);'zero'", -1.5, "(1.50)"},
      {"0.00;(0.00);'zero'", 0, "zero"},
      {"0.00;;'nil'", -1, "-1.00"},  // empty negative section: the first one with a sign
      {"$0.00", -5, "-$5.00"},
  });
}

TEST(FormatFloat, PlaceholdersLiteralsAndExponents) {
  ExpectAll({
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
  });
}

}  // namespace
}  // namespace qora
