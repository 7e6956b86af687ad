#include "output/field_writer.h"

#include <cstdio>

#include "common/format.h"
#include "common/text.h"

namespace qora {
namespace {

std::string TwoDigits(int value) {
  char buf[8];
  std::snprintf(buf, sizeof(buf), "%02d", value);
  return buf;
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
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
  DecodeDate(value, year, month, day);
  DecodeTime(value, hour, minute, second, ms);
  const std::string upper = UpperCase(pattern);
  std::string out;
  bool after_hours = false;  // "MM" straight after "HH" means minutes
  for (size_t i = 0; i < upper.size();) {
    const std::string_view rest = std::string_view(upper).substr(i);
    if (rest.starts_with("YYYY")) {
      char buf[8];
      std::snprintf(buf, sizeof(buf), "%04d", year);
      out += buf;
      i += 4;
      after_hours = false;
    } else if (rest.starts_with("DD")) {
      out += TwoDigits(day);
      i += 2;
      after_hours = false;
    } else if (rest.starts_with("HH")) {
      out += TwoDigits(hour);
      i += 2;
      after_hours = true;
    } else if (rest.starts_with("MM")) {
      out += TwoDigits(after_hours ? minute : month);
      i += 2;
      after_hours = false;
    } else if (rest.starts_with("SS")) {
      out += TwoDigits(second);
      i += 2;
      after_hours = false;
    } else {
      // Separators keep the "minutes after hours" reading: "HH:MM".
      out += pattern[i];
      ++i;
    }
  }
  return out;
}

TnxRecordWriter& TnxRecordWriter::Text(std::string_view value) {
  if (!FFirst) FRecord += FFormats.Separator;
  FFirst = false;
  FRecord += value;
  return *this;
}

TnxRecordWriter& TnxRecordWriter::Date(TDateTime value) {
  return Text(value > 0 ? FormatDatePattern(FFormats.DateFormat, value) : std::string());
}

TnxRecordWriter& TnxRecordWriter::Time(TDateTime value) {
  return Text(value > 0 ? FormatDatePattern(FFormats.TimeFormat, value) : std::string());
}

TnxRecordWriter& TnxRecordWriter::Number(double value) { return Text(FormatFloat("0.0############", value)); }

TnxRecordWriter& TnxRecordWriter::Integer(int64_t value) { return Text(std::to_string(value)); }

}  // namespace qora
