#include "output/field_writer.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "common/float_digits.h"
#include "common/format.h"
#include "common/text_memo.h"

namespace qora {
namespace {

// "%0*d" of a value: fields are written straight into the record, and the
// values a date has (0 to 9999) need no printf; others keep its text.
void AppendPadded(std::string& out, int value, int width) {
  if (value < 0 || value >= (width == 2 ? 100 : 10000)) {
    char buf[16];
    std::snprintf(buf, sizeof(buf), "%0*d", width, value);
    out += buf;
    return;
  }
  char digits[4];
  for (int i = width - 1; i >= 0; --i, value /= 10) digits[i] = static_cast<char>('0' + value % 10);
  out.append(digits, static_cast<size_t>(width));
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// True when the pattern has `letter` twice (any case) at i.
bool PairAt(std::string_view pattern, size_t i, char letter) {
  return i + 1 < pattern.size() && Upper(pattern[i]) == letter && Upper(pattern[i + 1]) == letter;
}

// FormatDatePattern appended to `out`; the date and the time of day are
// decoded only when the pattern shows them.
void AppendDatePattern(std::string& out, std::string_view pattern, TDateTime value) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
  bool dateDecoded = false;
  bool timeDecoded = false;
  const auto date = [&] {
    if (!dateDecoded) DecodeDate(value, year, month, day);
    dateDecoded = true;
  };
  const auto time = [&] {
    if (!timeDecoded) DecodeTime(value, hour, minute, second, ms);
    timeDecoded = true;
  };
  bool afterHours = false;  // "MM" straight after "HH" means minutes
  for (size_t i = 0; i < pattern.size();) {
    if (PairAt(pattern, i, 'Y') && PairAt(pattern, i + 2, 'Y')) {
      date();
      AppendPadded(out, year, 4);
      i += 4;
      afterHours = false;
    } else if (PairAt(pattern, i, 'D')) {
      date();
      AppendPadded(out, day, 2);
      i += 2;
      afterHours = false;
    } else if (PairAt(pattern, i, 'H')) {
      time();
      AppendPadded(out, hour, 2);
      i += 2;
      afterHours = true;
    } else if (PairAt(pattern, i, 'M')) {
      if (afterHours) {
        time();
        AppendPadded(out, minute, 2);
      } else {
        date();
        AppendPadded(out, month, 2);
      }
      i += 2;
      afterHours = false;
    } else if (PairAt(pattern, i, 'S')) {
      time();
      AppendPadded(out, second, 2);
      i += 2;
      afterHours = false;
    } else {
      // Separators keep the "minutes after hours" reading: "HH:MM".
      out += pattern[i];
      ++i;
    }
  }
}

// Dates or times of one pattern; another pattern empties the memo.
struct TDateMemo {
  std::string pattern;
  TTextMemo<16> texts;

  void AppendTo(std::string& out, std::string_view fieldPattern, TDateTime fieldValue) {
    if (fieldPattern != pattern) {
      pattern.assign(fieldPattern);
      texts.Clear();
    }
    if (texts.AppendKept(out, fieldValue)) return;
    const size_t start = out.size();
    AppendDatePattern(out, fieldPattern, fieldValue);
    texts.Keep(fieldValue, std::string_view(out).substr(start));
  }
};

thread_local TDateMemo tDateMemo;
thread_local TDateMemo tTimeMemo;
thread_local TTextMemo<256> tNumberMemo;

// The costing and import layouts write every number this way, with at most
// kNumberDecimals decimals.
constexpr int kNumberDecimals = 13;
const TFloatPattern& NumberPattern() {
  static const TFloatPattern pattern("0.0############");
  return pattern;
}

}  // namespace

void TnxRecordFormats::SetForCSV() {
  DateFormat = "DD/MM/YYYY";
  TimeFormat = "HH:MM:SS";
  Separator = ",";
}

void TnxRecordFormats::SetForYIF() {
  DateFormat = "DDMMYYYY";
  TimeFormat = "HHMMSS";
  Separator = "\\";
}

TnxRecordFormats& RecordFormats() {
  static TnxRecordFormats formats;
  return formats;
}

std::string FormatDatePattern(std::string_view pattern, TDateTime value) {
  std::string out;
  AppendDatePattern(out, pattern, value);
  return out;
}

namespace {

char OneCharacter(const std::string& pSeparator) { return pSeparator.size() == 1 ? pSeparator[0] : '\0'; }

}  // namespace

TnxRecordWriter::TnxRecordWriter() : FFormats(RecordFormats()), FSeparatorChar(OneCharacter(FFormats.Separator)) {
  // Room for a whole costing or import record, so that it is built in one
  // allocation.
  FRecord.reserve(192);
}

TnxRecordWriter::TnxRecordWriter(std::string&& pBuffer)
    : FFormats(RecordFormats()), FSeparatorChar(OneCharacter(FFormats.Separator)), FRecord(std::move(pBuffer)) {}

TnxRecordWriter& TnxRecordWriter::Text(std::string_view value) {
  NextField();
  FRecord += value;
  return *this;
}

TnxRecordWriter& TnxRecordWriter::Date(TDateTime value) {
  NextField();
  if (value > 0) tDateMemo.AppendTo(FRecord, FFormats.DateFormat, value);
  return *this;
}

TnxRecordWriter& TnxRecordWriter::Time(TDateTime value) {
  NextField();
  if (value > 0) tTimeMemo.AppendTo(FRecord, FFormats.TimeFormat, value);
  return *this;
}

TnxRecordWriter& TnxRecordWriter::Number(double value) {
  NextField();
  if (tNumberMemo.AppendKept(FRecord, value)) return *this;
  const size_t start = FRecord.size();
  NumberPattern().AppendTo(FRecord, value);
  tNumberMemo.Keep(value, std::string_view(FRecord).substr(start));
  return *this;
}

double TnxRecordWriter::NumberAsWritten(double value) {
  // Most costing figures have a few decimals and are written exactly, so
  // they read back unchanged; only the rest make the round trip.
  if (value == 0) return 0;
  if (float_digits::IsShortDecimal(std::fabs(value), kNumberDecimals)) return value;
  TnxRecordWriter w;
  return StrToFloatDef(w.Number(value).Record(), 0.0);
}

TnxRecordWriter& TnxRecordWriter::Integer(int64_t value) {
  NextField();
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  FRecord.append(buf, res.ptr);
  return *this;
}

}  // namespace qora
