// Guards the record fields against date and time patterns read in the wrong case, minutes taken for months,
// partial letter runs printed as values, unpadded years, and records with a stray separator or a signed zero.
#include "output/field_writer.h"

#include <gtest/gtest.h>

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
  formats = saved;
}

}  // namespace
}  // namespace qora
