// Guards stored values against wrong conversions between kinds, text read as the wrong type without an error, dates losing their time or milliseconds, and equality across kinds.
#include "db/value.h"

#include <gtest/gtest.h>

#include "db/db_error.h"

namespace qora {
namespace {

TEST(DBValueTest, ConvertsEveryKindToEveryAccessor) {
  const TDateTime may12 = EncodeDateTime(1990, 5, 12, 14, 30, 0);
  struct Case {
    TDBValue value;
    int64_t integer;
    double number;
    std::string text;
    TDateTime date;
    bool boolean;
  };
  const Case cases[] = {
      {TDBValue(), 0, 0.0, "", 0.0, false},
      {TDBValue(42), 42, 42.0, "42", 42.0, true},
      {TDBValue(int64_t{-7}), -7, -7.0, "-7", -7.0, true},
      {TDBValue(2.5), 3, 2.5, "2.5", 2.5, true},
      {TDBValue(-2.5), -3, -2.5, "-2.5", -2.5, true},
      {TDBValue(0.0), 0, 0.0, "0", 0.0, false},
      {TDBValue(true), 1, 1.0, "1", 1.0, true},
      {TDBValue("17"), 17, 17.0, "17", 17.0, true},
      {TDBValue(" 3.75 "), 4, 3.75, " 3.75 ", 3.75, true},
      {TDBValue("0"), 0, 0.0, "0", 0.0, false},
      {TDBValue::DateTime(may12), 33005, may12, "1990-05-12 14:30:00", may12, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.value.AsLargeInt(), c.integer);
    EXPECT_EQ(c.value.AsInteger(), static_cast<int>(c.integer));
    EXPECT_DOUBLE_EQ(c.value.AsFloat(), c.number);
    EXPECT_EQ(c.value.AsString(), c.text);
    EXPECT_NEAR(c.value.AsDateTime(), c.date, 1e-9);
    EXPECT_EQ(c.value.AsBoolean(), c.boolean);
  }
  EXPECT_NEAR(TDBValue("1990-05-12 14:30:00").AsDateTime(), may12, 1e-9);
  EXPECT_TRUE(TDBValue("True").AsBoolean());
  EXPECT_FALSE(TDBValue("f").AsBoolean());
}

TEST(DBValueTest, TextThatDoesNotReadAsTheAskedTypeThrows) {
  EXPECT_THROW(TDBValue("abc").AsInteger(), EDatabaseError);
  EXPECT_THROW(TDBValue("abc").AsFloat(), EDatabaseError);
  EXPECT_THROW(TDBValue("31/02/2024").AsDateTime(), EDatabaseError);
  EXPECT_THROW(TDBValue("maybe").AsBoolean(), EDatabaseError);
  try {
    TDBValue("x1").AsInteger();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "'x1' is not a valid integer value");
  }
  EXPECT_EQ(TDBValue("  ").AsDateTime(), 0.0);
}

TEST(DBValueTest, DatesReadFromIsoTextWithTimeAndMilliseconds) {
  EXPECT_DOUBLE_EQ(TDBValue("2025-04-15").AsDateTime(), EncodeDate(2025, 4, 15));
  EXPECT_NEAR(TDBValue("2025-04-15T22:00:00").AsDateTime(), EncodeDateTime(2025, 4, 15, 22, 0, 0), 1e-9);
  EXPECT_NEAR(TDBValue("2025-04-15 06:15:30.250").AsDateTime(),
              EncodeDateTime(2025, 4, 15, 6, 15, 30) + EncodeTime(0, 0, 0, 250), 1e-9);
}

TEST(DBValueTest, FormatsStoredDateTimesToTheMillisecond) {
  struct Case {
    TDateTime value;
    const char* text;
  };
  const Case cases[] = {
      {0.0, "1899-12-30 00:00:00"},
      {5.0, "1900-01-04 00:00:00"},
      {0.25, "1899-12-30 06:00:00"},
      {EncodeDateTime(2025, 4, 15, 22, 0, 0), "2025-04-15 22:00:00"},
      // 9.3333 hours, a rounded shift time, keeps its fraction of a second.
      {EncodeDate(2025, 4, 17) + 9.3333 / 24, "2025-04-17 09:19:59.880"},
      // Just below midnight rounds to the next day, not to 24:00:00.
      {EncodeDate(2025, 4, 17) + 1.0 - 1e-10, "2025-04-18 00:00:00"},
      {-1.0, "1899-12-29 00:00:00"},
      {-1.25, "1899-12-29 06:00:00"},  // before the epoch the fraction is still the time of day
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDBDateTime(c.value), c.text);
    EXPECT_NEAR(TDBValue(FormatDBDateTime(c.value)).AsDateTime(), c.value, 1e-8) << c.text;
  }
}

TEST(DBValueTest, EqualityComparesKindAndValue) {
  EXPECT_EQ(TDBValue(1), TDBValue(int64_t{1}));
  EXPECT_FALSE(TDBValue(1) == TDBValue(1.0));
  EXPECT_FALSE(TDBValue::DateTime(1.0) == TDBValue(1.0));
  EXPECT_TRUE(TDBValue().IsNull());
  EXPECT_FALSE(TDBValue("").IsNull());
}

}  // namespace
}  // namespace qora
