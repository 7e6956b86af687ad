#include "db/value.h"

#include <cmath>
#include <cstdio>

#include "common/format.h"
#include "common/text.h"
#include "common/text_memo.h"
#include "db/db_error.h"

namespace qora {

namespace {

constexpr int64_t kMsPerDay = 86400000;

[[noreturn]] void ThrowConversion(const std::string& text, const char* type) {
  throw EDatabaseError("'" + text + "' is not a valid " + type + " value");
}

}  // namespace

TDBValue TDBValue::DateTime(TDateTime value) {
  TDBValue result;
  result.FData = DateValue{value};
  return result;
}

TDBValue::Kind TDBValue::GetKind() const {
  switch (FData.index()) {
    case 1: return Kind::Integer;
    case 2: return Kind::Float;
    case 3: return Kind::Text;
    case 4: return Kind::DateTime;
    default: return Kind::Null;
  }
}

int64_t TDBValue::AsLargeInt() const {
  switch (GetKind()) {
    case Kind::Null: return 0;
    case Kind::Integer: return std::get<int64_t>(FData);
    case Kind::Float: return std::llround(std::get<double>(FData));
    case Kind::DateTime: return static_cast<int64_t>(DateOf(std::get<DateValue>(FData).Value));
    case Kind::Text: break;
  }
  const std::string& text = std::get<std::string>(FData);
  int64_t result = 0;
  if (TryStrToInt(text, result)) return result;
  double number = 0;
  if (TryStrToFloat(text, number)) return std::llround(number);
  ThrowConversion(text, "integer");
}

int TDBValue::AsInteger() const { return static_cast<int>(AsLargeInt()); }

double TDBValue::AsFloat() const {
  switch (GetKind()) {
    case Kind::Null: return 0;
    case Kind::Integer: return static_cast<double>(std::get<int64_t>(FData));
    case Kind::Float: return std::get<double>(FData);
    case Kind::DateTime: return std::get<DateValue>(FData).Value;
    case Kind::Text: break;
  }
  const std::string& text = std::get<std::string>(FData);
  double result = 0;
  if (TryStrToFloat(text, result)) return result;
  ThrowConversion(text, "floating point");
}

std::string TDBValue::AsString() const {
  switch (GetKind()) {
    case Kind::Null: return {};
    case Kind::Integer: return std::to_string(std::get<int64_t>(FData));
    case Kind::Float: return FloatToStr(std::get<double>(FData));
    case Kind::DateTime: return FormatDBDateTime(std::get<DateValue>(FData).Value);
    case Kind::Text: break;
  }
  return std::get<std::string>(FData);
}

TDateTime TDBValue::AsDateTime() const {
  switch (GetKind()) {
    case Kind::Null: return 0;
    case Kind::Integer:
    case Kind::Float: return AsFloat();
    case Kind::DateTime: return std::get<DateValue>(FData).Value;
    case Kind::Text: break;
  }
  const std::string& text = std::get<std::string>(FData);
  TDateTime result = 0;
  const std::string_view trimmed = TrimmedView(text);
  if (trimmed.empty()) return 0;
  if (TryParseIsoDateTime(trimmed, result)) return result;
  if (TryStrToFloat(text, result)) return result;
  ThrowConversion(text, "date and time");
}

bool TDBValue::AsBoolean() const {
  switch (GetKind()) {
    case Kind::Null: return false;
    case Kind::Integer: return std::get<int64_t>(FData) != 0;
    case Kind::Float:
    case Kind::DateTime: return AsFloat() != 0;
    case Kind::Text: break;
  }
  const std::string& text = std::get<std::string>(FData);
  bool result = false;
  if (TryStrToBool(text, result)) return result;
  ThrowConversion(text, "boolean");
}

std::string FormatDBDateTime(TDateTime value) {
  std::string text;
  FormatDBDateTime(value, text);
  return text;
}

namespace {

void WriteDBDateTime(TDateTime value, std::string& out) {
  // The day and the time of day by the engine's one rule (ComposeDateTime):
  // before the epoch the fraction is still the time of day. A time that
  // rounds to a whole day is the next day's midnight.
  int64_t days = static_cast<int64_t>(DateOf(value));
  int64_t ms = std::llround(std::fabs(TimeOf(value)) * static_cast<double>(kMsPerDay));
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    ++days;
  }
  int year = 0, month = 0, day = 0;
  DecodeDate(static_cast<TDateTime>(days), year, month, day);
  const int hour = static_cast<int>(ms / 3600000);
  const int minute = static_cast<int>(ms / 60000 % 60);
  const int second = static_cast<int>(ms / 1000 % 60);
  const int milli = static_cast<int>(ms % 1000);
  if (year >= 0 && year <= 9999) {
    // Every date a run binds that is not kept comes through here: digits
    // are written directly, which costs a fraction of formatting them.
    char text[] = "0000-00-00 00:00:00.000";
    const auto put = [&text](size_t at, int value, int digits) {
      for (int k = digits - 1; k >= 0; --k, value /= 10) {
        text[at + static_cast<size_t>(k)] = static_cast<char>('0' + value % 10);
      }
    };
    put(0, year, 4);
    put(5, month, 2);
    put(8, day, 2);
    put(11, hour, 2);
    put(14, minute, 2);
    put(17, second, 2);
    put(20, milli, 3);
    out.assign(text, milli != 0 ? 23 : 19);
    return;
  }
  char buffer[40];
  if (milli != 0) {
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d", year, month, day, hour,
                  minute, second, milli);
  } else {
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute,
                  second);
  }
  out.assign(buffer);
}

// A run binds the same few days over and over (the days of its shifts, for
// every employee), through several statements.
thread_local TTextMemo<64> tDateTexts;

}  // namespace

void FormatDBDateTime(TDateTime value, std::string& out) {
  out.clear();
  if (tDateTexts.AppendKept(out, value)) return;
  WriteDBDateTime(value, out);
  tDateTexts.Keep(value, out);
}

}  // namespace qora
