// The field writers that every costing and YIF record is built with, and
// the three format texts that steer them.
//
// The format texts are process-wide on purpose: the payroll import and the
// costing file are two layouts of the same records, and each generator run
// switches every writer to its layout at once by setting them before it
// writes anything. Between runs they keep the values of the last run.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "common/datetime.h"

namespace qora {

// The layout a generator writes.
enum class TnxTransactionFormat : uint8_t { tfYIF = 0, tfCSV = 1 };

// The marker of a missing date; it prints as an empty field.
inline constexpr TDateTime kEmptyDate = -700000;

// The three format texts: date format ("DD", "MM", "YYYY"; "/" prints as
// the date separator), time format ("HH", "MM" right after "HH" meaning
// minutes, "SS"; ":" prints as the time separator) and field separator.
struct TnxRecordFormats {
  std::string DateFormat = "DDMMYYYY";
  std::string TimeFormat = "HHMMSS";
  std::string Separator = "\\";

  // "DD/MM/YYYY", "HH:MM:SS" and ",".
  void SetForCSV();
  // "DDMMYYYY", "HHMMSS" and "\".
  void SetForYIF();
};

// The formats every record writer of the process uses.
TnxRecordFormats& RecordFormats();

// A date or time formatted with a pattern of the letters above; other
// characters are written as they are. Never fails.
std::string FormatDatePattern(std::string_view pattern, TDateTime value);

// Builds one record field by field: the first field is the value itself,
// every later field is the separator followed by the value. Values are
// written as they are, without quoting or escaping.
class TnxRecordWriter {
 public:
  TnxRecordWriter();
  // Writes on after pBuffer's text, which it takes over with its room: the
  // first field follows that text without a separator. Lines appended to
  // one buffer this way are built without a string of their own each.
  explicit TnxRecordWriter(std::string&& pBuffer);

  TnxRecordWriter& Text(std::string_view value);
  // The date with the date format when above 0; otherwise an empty field.
  TnxRecordWriter& Date(TDateTime value);
  // The time of day with the time format when above 0; otherwise empty.
  TnxRecordWriter& Time(TDateTime value);
  // "0.0############": at least one decimal, at most 13.
  TnxRecordWriter& Number(double value);
  // The value Number's text reads back as: `value` rounded to 13 decimals
  // and 15 significant digits; 0 for a zero or a text that is no number.
  static double NumberAsWritten(double value);
  // Decimal.
  TnxRecordWriter& Integer(int64_t value);

  const std::string& Record() const { return FRecord; }
  // Moves the record out, saving the copy Record() makes; the writer is
  // done afterwards and must not be used again.
  std::string TakeRecord() { return std::move(FRecord); }

 private:
  // The separator before every field but the first: a one-character
  // separator (both layouts have one) goes in without a string append.
  void NextField() {
    if (!FFirst) {
      if (FSeparatorChar != '\0') {
        FRecord.push_back(FSeparatorChar);
      } else {
        FRecord += FFormats.Separator;
      }
    }
    FFirst = false;
  }

  const TnxRecordFormats& FFormats;
  char FSeparatorChar;  // the separator when it is one character, else '\0'
  std::string FRecord;
  bool FFirst = true;
};

}  // namespace qora
