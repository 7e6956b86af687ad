// Guards against wrong day numbers around the 1899-12-30 epoch and leap years, wrong weekdays (Sunday = 1),
// time of day that rolls past midnight, and ISO texts parsed or rejected wrongly.
#include "common/datetime.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

namespace qora {
namespace {

struct DayCase {
  int y, m, d;
  double day;
  int dayOfWeek;
  const char* text;
};

TEST(DateTime, DayNumbersWeekdaysAndRoundTrips) {
  const DayCase cases[] = {
      {1899, 12, 30, 0, 7, "1899-12-30"},      {1899, 12, 29, -1, 6, "1899-12-29"},
      {1900, 3, 1, 61, 5, "1900-03-01"},       {2000, 2, 29, 36585, 3, "2000-02-29"},
      {2023, 12, 31, 45291, 1, "2023-12-31"},  {2024, 3, 5, 45356, 3, "2024-03-05"},
      {9999, 12, 31, 2958465, 6, "9999-12-31"}, {1, 1, 1, -693593, 2, "0001-01-01"},
  };
  for (const DayCase& c : cases) {
    SCOPED_TRACE(c.text);
    const TDateTime v = EncodeDate(c.y, c.m, c.d);
    EXPECT_EQ(v, c.day);
    EXPECT_EQ(DayOfWeek(v), c.dayOfWeek);
    // Before the epoch the time of day counts away from zero.
    const double later = v < 0 ? -0.75 : 0.75;
    EXPECT_EQ(DayOfWeek(v + later), c.dayOfWeek);
    EXPECT_EQ(FormatIsoDate(v), c.text);
    int y = 0, m = 0, d = 0;
    DecodeDate(v + later, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
    TDateTime parsed = -1e9;
    ASSERT_TRUE(TryParseIsoDateTime(c.text, parsed));
    EXPECT_EQ(parsed, v);
  }
}

TEST(DateTime, InvalidDatesAreRejected) {
  const int bad[][3] = {{1900, 2, 29}, {2023, 2, 29}, {2024, 13, 1}, {2024, 0, 1},
                        {2024, 4, 31}, {0, 1, 1},     {10000, 1, 1}, {2024, 1, 0}};
  for (const auto& b : bad) {
    TDateTime out = 123;
    EXPECT_FALSE(TryEncodeDate(b[0], b[1], b[2], out)) << b[0] << "-" << b[1] << "-" << b[2];
    EXPECT_EQ(out, 123);
    EXPECT_THROW(EncodeDate(b[0], b[1], b[2]), std::invalid_argument);
  }
}

TEST(DateTime, TimeOfDayAndShiftHours) {
  struct Case {
    TDateTime value;
    int h, n, s, ms;
    double shiftHours;
    const char* text;
  };
  const Case cases[] = {
      {0.375, 9, 0, 0, 0, 9.0, "09:00:00"},
      {45356 + EncodeTime(22, 0, 0), 22, 0, 0, 0, 22.0, "22:00:00"},
      {EncodeTime(23, 59, 59, 999), 23, 59, 59, 999, 24.0, "23:59:59"},
      {EncodeTime(23, 59, 59), 23, 59, 59, 0, 23.9997, "23:59:59"},
      {45356.9999999999, 23, 59, 59, 999, 24.0, "23:59:59"},  // never rolls into the next day
      {-1.25, 6, 0, 0, 0, 6.0, "06:00:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int h = -1, n = -1, s = -1, ms = -1;
    DecodeTime(c.value, h, n, s, ms);
    EXPECT_EQ((std::array<int, 4>{h, n, s, ms}), (std::array<int, 4>{c.h, c.n, c.s, c.ms}));
    EXPECT_DOUBLE_EQ(TimeToShiftHours(c.value), c.shiftHours);
    EXPECT_EQ(FormatIsoTime(c.value), c.text);
  }
  EXPECT_DOUBLE_EQ(EncodeTime(30, 0, 0), 1.25);  // hours past midnight carry over
}

TEST(DateTime, DayPartsTruncateTowardZero) {
  EXPECT_EQ(DateOf(45356.75), 45356);
  EXPECT_EQ(DateOf(-1.25), -1);
  EXPECT_DOUBLE_EQ(TimeOf(-1.25), -0.25);
  EXPECT_TRUE(IsSameDay(45356.0, 45356.999));
  EXPECT_FALSE(IsSameDay(45356.999, 45357.0));
  EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0), -1.25);
  EXPECT_EQ(FormatIsoDateTime(EncodeDateTime(2024, 2, 29, 23, 5, 9)), "2024-02-29 23:05:09");
  EXPECT_EQ(FormatIsoDateTime(kMaxDateTime), "9999-12-31 23:59:59");
}

TEST(DateTime, ParsesIsoDateTimes) {
  const TDateTime day = EncodeDate(2024, 3, 5);
  const struct {
    const char* text;
    TDateTime expected;
  } good[] = {
      {"2024-03-05 09:30", day + EncodeTime(9, 30, 0)},
      {"2024-03-05T09:30:15", day + EncodeTime(9, 30, 15)},
      {"2024-03-05T09:30:15.25Z", day + EncodeTime(9, 30, 15, 250)},
      {"2024-03-05T23:59:59+10:00", day + EncodeTime(23, 59, 59)},
      {"2024-03-05T00:00:00-0530", day},
      {"1899-12-29T06:00:00", -1.25},  // the same rule before the epoch
  };
  for (const auto& g : good) {
    TDateTime out = 0;
    ASSERT_TRUE(TryParseIsoDateTime(g.text, out)) << g.text;
    EXPECT_NEAR(out, g.expected, 1e-9) << g.text;
  }
  const char* bad[] = {"",           "2024-3-5",          "2024-02-30",         "2024-03-05 24:00",
                       "2024-03-05x", "2024-03-05T",      "2024-03-05 09:60",   "2024-03-05 09:30:15.",
                       "05/03/2024", "2024-03-05T09:30+25:00", "2024-03-05 9:30"};
  for (const char* text : bad) {
    TDateTime out = 7;
    EXPECT_FALSE(TryParseIsoDateTime(text, out)) << text;
    EXPECT_EQ(out, 7) << text;
  }
}

}  // namespace
}  // namespace qora
