#include "common/datetime.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <stdexcept>

#include "common/format.h"

namespace qora {

namespace {

constexpr int64_t kMsPerDay = 86400000;

// Days from 1970-01-01 of a proleptic Gregorian date (Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2 ? 1 : 0;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

const int64_t kEpochOffset = DaysFromCivil(1899, 12, 30);

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Milliseconds into the day of a value; a negative value keeps its time as
// the absolute fraction (-1.25 is 1899-12-29 06:00). A time that rounds up to
// midnight stays on its own day as 23:59:59.999 so that the date part and the
// time part of one value never disagree.
int64_t TimeMs(TDateTime value) {
  const double frac = std::fabs(value - std::trunc(value));
  const int64_t ms = std::llround(frac * static_cast<double>(kMsPerDay));
  return ms >= kMsPerDay ? kMsPerDay - 1 : ms;
}

std::string Pad(int value, int width) {
  std::string s = std::to_string(value);
  return s.size() < static_cast<size_t>(width) ? std::string(width - s.size(), '0') + s : s;
}

// Parses exactly `count` decimal digits at text[pos].
bool ReadDigits(std::string_view text, size_t& pos, size_t count, int& out) {
  if (pos + count > text.size()) return false;
  int v = 0;
  for (size_t i = 0; i < count; ++i) {
    const char c = text[pos + i];
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  out = v;
  pos += count;
  return true;
}

bool Expect(std::string_view text, size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

// "Z", "+HH:MM", "-HH:MM" or "+HHMM" at the end of an XML date-time.
bool IsZoneSuffix(std::string_view rest) {
  if (rest.empty() || rest == "Z") return true;
  if (rest[0] != '+' && rest[0] != '-') return false;
  size_t pos = 1;
  int hh = 0;
  int mm = 0;
  if (!ReadDigits(rest, pos, 2, hh)) return false;
  if (pos < rest.size() && rest[pos] == ':') ++pos;
  return ReadDigits(rest, pos, 2, mm) && pos == rest.size() && hh <= 14 && mm <= 59;
}

// Reads "HH:NN[:SS[.f...]]" at pos into milliseconds of the day.
bool ReadTime(std::string_view text, size_t& pos, int64_t& ms) {
  int hh = 0;
  int nn = 0;
  int ss = 0;
  if (!ReadDigits(text, pos, 2, hh) || !Expect(text, pos, ':') || !ReadDigits(text, pos, 2, nn)) return false;
  double fraction = 0;
  if (pos < text.size() && text[pos] == ':') {
    ++pos;
    if (!ReadDigits(text, pos, 2, ss)) return false;
    if (pos < text.size() && text[pos] == '.') {
      ++pos;
      double scale = 0.1;
      const size_t start = pos;
      while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        fraction += (text[pos] - '0') * scale;
        scale /= 10;
        ++pos;
      }
      if (pos == start) return false;
    }
  }
  if (hh > 23 || nn > 59 || ss > 59) return false;
  ms = (static_cast<int64_t>(hh) * 3600 + nn * 60 + ss) * 1000 + std::llround(fraction * 1000);
  if (ms >= kMsPerDay) ms = kMsPerDay - 1;
  return true;
}

}  // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime& out) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
    return false;
  }
  out = static_cast<TDateTime>(DaysFromCivil(year, month, day) - kEpochOffset);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime out = 0;
  if (!TryEncodeDate(year, month, day, out)) {
    throw std::invalid_argument(Format("Invalid date: %d-%d-%d", year, month, day));
  }
  return out;
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  const int64_t ms = ((static_cast<int64_t>(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
  return static_cast<double>(ms) / static_cast<double>(kMsPerDay);
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second) {
  const TDateTime date = EncodeDate(year, month, day);
  return ComposeDateTime(date, EncodeTime(hour, minute, second));
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) { return date < 0 ? date - time : date + time; }

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  CivilFromDays(static_cast<int64_t>(std::trunc(value)) + kEpochOffset, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond) {
  const int64_t ms = TimeMs(value);
  hour = static_cast<int>(ms / 3600000);
  minute = static_cast<int>(ms / 60000 % 60);
  second = static_cast<int>(ms / 1000 % 60);
  millisecond = static_cast<int>(ms % 1000);
}

TDateTime DateOf(TDateTime value) { return std::trunc(value); }

TDateTime TimeOf(TDateTime value) { return value - DateOf(value); }

bool IsSameDay(TDateTime a, TDateTime b) { return DateOf(a) == DateOf(b); }

int DayOfWeek(TDateTime value) {
  // Day 0 (1899-12-30) was a Saturday.
  const int64_t day = static_cast<int64_t>(std::trunc(value));
  return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
}

double TimeToShiftHours(TDateTime value) {
  return std::round(std::fabs(TimeOf(value)) * 24 * 10000) / 10000;
}

std::string FormatIsoDate(TDateTime value) {
  int y = 0;
  int m = 0;
  int d = 0;
  DecodeDate(value, y, m, d);
  return Pad(y, 4) + "-" + Pad(m, 2) + "-" + Pad(d, 2);
}

std::string FormatIsoTime(TDateTime value) {
  int h = 0;
  int n = 0;
  int s = 0;
  int ms = 0;
  DecodeTime(value, h, n, s, ms);
  return Pad(h, 2) + ":" + Pad(n, 2) + ":" + Pad(s, 2);
}

std::string FormatIsoDateTime(TDateTime value) { return FormatIsoDate(value) + " " + FormatIsoTime(value); }

bool TryParseIsoDateTime(std::string_view text, TDateTime& out) {
  size_t pos = 0;
  int y = 0;
  int m = 0;
  int d = 0;
  if (!ReadDigits(text, pos, 4, y) || !Expect(text, pos, '-') || !ReadDigits(text, pos, 2, m) ||
      !Expect(text, pos, '-') || !ReadDigits(text, pos, 2, d)) {
    return false;
  }
  TDateTime date = 0;
  if (!TryEncodeDate(y, m, d, date)) return false;
  int64_t ms = 0;
  if (pos < text.size() && (text[pos] == ' ' || text[pos] == 'T')) {
    ++pos;
    if (!ReadTime(text, pos, ms)) return false;
  }
  if (!IsZoneSuffix(text.substr(pos))) return false;
  out = ComposeDateTime(date, static_cast<double>(ms) / static_cast<double>(kMsPerDay));
  return true;
}

TDateTime Now() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t t = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, ms);
}

TDateTime Today() { return DateOf(Now()); }

}  // namespace qora
