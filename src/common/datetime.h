// Calendar dates and times as the payroll engine counts them.
//
// A TDateTime is a double counting days since 1899-12-30; the fraction is the
// time of day. Times inside a shift are hours from midnight of the shift's
// start date (22:00 to 06:00 is 22.0 to 30.0).
#pragma once

#include <string>
#include <string_view>

namespace qora {

using TDateTime = double;

// The largest date the engine uses as "no upper bound" (9999-12-31 23:59:59).
inline constexpr TDateTime kMaxDateTime = 2958465.99999;

// Day number of a civil date. Throws std::invalid_argument for a date that
// does not exist (month 13, 30 February, year 0).
TDateTime EncodeDate(int year, int month, int day);
// As EncodeDate, returning false instead of throwing.
bool TryEncodeDate(int year, int month, int day, TDateTime& out);
// Fraction of a day for a time of day; hour may exceed 23 (it carries over).
TDateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second);
// A day number and a time of day as one value, by the rule every date of the
// engine follows: before the epoch the time counts away from zero like the
// date, so the fraction is always the time of day (-1.25 is 1899-12-29
// 06:00). `time` is a fraction of a day from 0 to below 1.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// Civil date of a day number (the fraction is ignored).
void DecodeDate(TDateTime value, int& year, int& month, int& day);
// Time of day of a value, rounded to the nearest millisecond; a time that
// rounds up to midnight reads 23:59:59.999 so it stays on its own day.
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);

// Whole-day part, truncated toward zero.
TDateTime DateOf(TDateTime value);
// The fraction of the day (value - DateOf(value)).
TDateTime TimeOf(TDateTime value);
// True when both values lie on the same day (whole-day parts equal).
bool IsSameDay(TDateTime a, TDateTime b);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);
// A time of day in shift hours: the day fraction x 24, rounded to 4 decimals.
double TimeToShiftHours(TDateTime value);

// "YYYY-MM-DD".
std::string FormatIsoDate(TDateTime value);
// "YYYY-MM-DD HH:NN:SS".
std::string FormatIsoDateTime(TDateTime value);
// "HH:NN:SS" of the time of day.
std::string FormatIsoTime(TDateTime value);

// Reads "YYYY-MM-DD", "YYYY-MM-DD HH:NN[:SS[.fff]]" or "YYYY-MM-DDTHH:NN[:SS[.fff]]"
// (an XML Schema date-time; a trailing "Z" or UTC offset is ignored, the
// local wall-clock time is kept). Returns false for anything else.
bool TryParseIsoDateTime(std::string_view text, TDateTime& out);

// The current local date and time.
TDateTime Now();
// Today's date without time.
TDateTime Today();

}  // namespace qora
