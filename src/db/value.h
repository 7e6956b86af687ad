// One value crossing the database boundary: a statement parameter or a field
// of a result row.
//
// Backends hand back whatever their driver produces for a column (SQLite
// gives text for dates and expressions, PostgreSQL typed values), so every
// reader goes through the typed accessors here, which convert the way the
// payroll engine has always read its fields: dates from ISO text or a day
// number, numbers from text, booleans from 0/1 or True/False.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "common/datetime.h"

namespace qora {

class TDBValue {
 public:
  enum class Kind { Null, Integer, Float, Text, DateTime };

  // Null.
  TDBValue() = default;
  TDBValue(int value) : FData(static_cast<int64_t>(value)) {}
  TDBValue(int64_t value) : FData(value) {}
  // Booleans are stored as 0 and 1 in every backend.
  TDBValue(bool value) : FData(static_cast<int64_t>(value ? 1 : 0)) {}
  TDBValue(double value) : FData(value) {}
  TDBValue(std::string value) : FData(std::move(value)) {}
  TDBValue(std::string_view value) : FData(std::string(value)) {}
  TDBValue(const char* value) : FData(std::string(value)) {}

  // TDateTime is a double; a date must be made explicitly so that it is bound
  // as a date and not as a number of days.
  static TDBValue DateTime(TDateTime value);
  static TDBValue Null() { return TDBValue(); }

  Kind GetKind() const;
  bool IsNull() const { return GetKind() == Kind::Null; }

  // Conversions. A null reads as 0, 0.0, "", 0 (no date) and false.
  // Text that does not read as the asked type throws EDatabaseError.
  // Floats read as integers round half away from zero; dates give their day number.
  int64_t AsLargeInt() const;
  int AsInteger() const;
  double AsFloat() const;
  // Integers in decimal; floats in the shortest general form (FloatToStr);
  // dates as "YYYY-MM-DD HH:NN:SS" (".zzz" added when there are milliseconds).
  std::string AsString() const;
  // The text of a Text value where it is stored, for a reader that must not
  // copy it; null for a value of any other kind. Valid while the value lives
  // unchanged.
  const std::string* StoredText() const { return std::get_if<std::string>(&FData); }
  // From a date, a number (days since 1899-12-30) or ISO text.
  TDateTime AsDateTime() const;
  // Non-zero numbers are true; text "1", "True", "T", "Yes", "Y" (any case).
  bool AsBoolean() const;

  bool operator==(const TDBValue& other) const = default;

 private:
  struct DateValue {
    TDateTime Value;
    bool operator==(const DateValue&) const = default;
  };
  std::variant<std::monostate, int64_t, double, std::string, DateValue> FData;
};

// Date-time text as the databases store it: "YYYY-MM-DD HH:NN:SS", followed by
// ".zzz" when the value has a fraction of a second. The value is taken to the
// nearest millisecond first, so 23:59:59.9996 becomes the next midnight.
std::string FormatDBDateTime(TDateTime value);
// The same text in `out`, whose room it reuses.
void FormatDBDateTime(TDateTime value, std::string& out);

}  // namespace qora
