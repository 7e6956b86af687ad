// Guards the record fields against date and time patterns read in the wrong case, minutes taken for months,
// partial letter runs printed as values, unpadded years, and records with a stray separator or a signed zero.
#include "output/field_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <random>
#include <vector>

#include "common/format.h"

namespace qora {
namespace {

TEST(FieldWriter, DatePatternsAndRecordFields) {
  const TDateTime worked = EncodeDateTime(2025, 4, 14, 13, 30, 5);
  const struct {
    const char* pattern;
    TDateTime value;
    const char* expected;
  } cases[] = {
      {"DD/MM/YYYY", worked, "14/04/2025"},
      {"HHMMSS", worked, "133005"},
      {"dd-mm-yyyy hh:mm", worked, "14-04-2025 13:30"},  // any case; minutes after hours across a separator
      {"MM HH MM SS MM", worked, "04 13 30 05 04"},       // months again once anything else came between
      {"YYY D yY", worked, "YYY D yY"},                   // runs too short are literal text
      {"YYYYMMDD", EncodeDate(905, 1, 2), "09050102"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDatePattern(c.pattern, c.value), c.expected) << c.pattern;

  TnxRecordFormats& formats = RecordFormats();
  const TnxRecordFormats saved = formats;
  formats.SetForCSV();
  TnxRecordWriter w;
  w.Text("R1").Date(worked).Date(kEmptyDate).Time(worked).Number(-0.0).Number(-1e-14).Number(2.5).Integer(-7);
  EXPECT_EQ(w.Record(), "R1,14/04/2025,,13:30:05,0.0,0.0,2.5,-7");
  formats.SetForYIF();  // the same date and time, just written in the other patterns
  TnxRecordWriter yif;
  yif.Date(worked).Time(worked);
  EXPECT_EQ(yif.Record(), "14042025\\133005");
  formats.Separator = " | ";  // a separator of more than one character
  TnxRecordWriter wide;
  wide.Text("R1").Integer(2).Text("");
  EXPECT_EQ(wide.Record(), "R1 | 2 | ");
  formats = saved;
}

// NumberAsWritten must give exactly what the written text reads back as,
// also where it skips the text: values near the 13th decimal, past 15
// digits, thirds and sums that are not their short decimal, and a sweep of
// rate x units products as costing makes them.
TEST(FieldWriter, NumberAsWrittenIsTheWrittenTextReadBack) {
  const auto read_back = [](double v) {
    TnxRecordWriter w;
    return StrToFloatDef(w.Number(v).Record(), 0.0);
  };
  std::vector<double> values = {0.1,    -0.1,   1.0 / 3,   0.1 + 0.2, 2.5e-13, 5e-14, 4.9e-14, 1e-13,
                                123456789.123456789, 99999999999999.9, 999999999999999.0, 1e15, 1e300,
                                -7.25,  37.5,   0.0,       -0.0,      std::numeric_limits<double>::infinity()};
  std::mt19937_64 random(7);
  for (int i = 0; i < 20000; ++i) {
    const double rate = static_cast<double>(random() % 1000000) / 10000;  // 0 to 99.9999
    const double units = static_cast<double>(random() % 2400) / 100;     // 0 to 23.99
    values.push_back(rate * units);
    values.push_back(rate * 1.5);
    values.push_back(units / 24);
  }
  for (double v : values) {
    const double expected = read_back(v);
    const double got = TnxRecordWriter::NumberAsWritten(v);
    EXPECT_TRUE(got == expected && std::signbit(got) == std::signbit(expected))
        << std::setprecision(17) << v << " gave " << got << ", its text " << expected;
  }
}

// Numbers are written from a memo of recent texts, by value: each value,
// written again after thousands of others have passed through the memo,
// still gets its own text.
TEST(FieldWriter, NumbersWrittenAgainKeepTheirOwnText) {
  std::vector<double> values = {0.0, -0.0, 1e300, -7.25, 1.0 / 3, std::numeric_limits<double>::quiet_NaN()};
  std::mt19937_64 random(11);
  for (int i = 0; i < 3000; ++i) values.push_back(static_cast<double>(random() % 1000000) / 10000 * 1.5);
  for (int round = 0; round < 2; ++round) {
    for (double v : values) {
      TnxRecordWriter w;
      ASSERT_EQ(w.Number(v).Record(), FormatFloat("0.0############", v)) << std::setprecision(17) << v;
    }
  }
}

}  // namespace
}  // namespace qora
