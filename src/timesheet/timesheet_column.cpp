#include "timesheet/timesheet_column.h"

#include <cmath>
#include <string_view>

#include "common/format.h"
#include "common/text.h"
#include "common/exceptions.h"
#include "foundation/class_builder.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

namespace {

// The characters [pos, pos + len) of s as an unsigned decimal number; false
// when that part is missing, short or holds anything but digits.
bool DigitsAt(std::string_view s, size_t pos, size_t len, int& out) {
  if (pos + len > s.size()) return false;
  out = 0;
  for (size_t i = pos; i < pos + len; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    out = out * 10 + (s[i] - '0');
  }
  return true;
}

// Hours, minutes and (when present) seconds starting at pos. Seconds may be
// left off ("10:30" reads as 10:30:00): users type times that way. Seconds
// that are not two digits ("09:00:5x") read as 0: a clock-in time is paid by
// the minute, so a garbled seconds part must not reject a whole timesheet.
bool ParseClock(std::string_view s, size_t pos, TDateTime& out) {
  int hour = 0, minute = 0, second = 0;
  if (!DigitsAt(s, pos, 2, hour) || !DigitsAt(s, pos + 3, 2, minute)) return false;
  if (s.size() > pos + 5 && !DigitsAt(s, pos + 6, 2, second)) second = 0;
  if (hour > 23 || minute > 59 || second > 59) return false;
  out = EncodeTime(hour, minute, second);
  return true;
}

}  // namespace

TDateTime ParseColumnDate(std::string_view pText) {
  const std::string_view text = TrimmedView(pText);
  if (text.empty()) return 0;
  int year = 0, month = 0, day = 0;
  TDateTime date = 0;
  TDateTime time = 0;
  const bool ok = DigitsAt(text, 0, 4, year) && DigitsAt(text, 5, 2, month) && DigitsAt(text, 8, 2, day) &&
                  TryEncodeDate(year, month, day, date) && (text.size() <= 12 || ParseClock(text, 11, time));
  if (!ok) {
    throw eaiPRocessorException("\"" + std::string(pText) + "\" is not a valid date. Please use the YYMM-MM-DD format.");
  }
  return date + time;
}

// An unreadable time fails in the same words as an unreadable date, naming
// the format that is expected.
TDateTime ParseColumnTime(std::string_view pText) {
  const std::string_view text = TrimmedView(pText);
  if (text.empty()) return 0;
  TDateTime time = 0;
  if (!ParseClock(text, 0, time)) {
    throw eaiPRocessorException("\"" + std::string(pText) + "\" is not a valid time. Please use the HH:NN:SS format.");
  }
  return time;
}

const ClassInfo& TTimesheetColumn::StaticClassInfo() {
  static const ClassInfo& info =
      ClassBuilder<TTimesheetColumn>("TTimesheetColumn")
          .Property(
              "StringValue", PropKind::String,
              [](const TTimesheetColumn& c) { return const_cast<TTimesheetColumn&>(c).StringValue(); },
              [](TTimesheetColumn& c, const PropValue& v) { c.SetStringValue(std::get<std::string>(v)); })
          .Field("FieldName", &TTimesheetColumn::FFieldName)
          .Field("ColumnName", &TTimesheetColumn::FColumnName)
          .Field("FieldClassName", &TTimesheetColumn::FFieldClassName)
          .Field("AddDedCode", &TTimesheetColumn::FAddDedCode)
          .Field("JobCode", &TTimesheetColumn::FJobCode)
          .Field("JobTitle", &TTimesheetColumn::FJobTitle)
          .Field("CostCode", &TTimesheetColumn::FCostCode)
          .Field("Length", &TTimesheetColumn::FLength)
          .Field("TemplateFieldID", &TTimesheetColumn::FTemplateFieldID)
          .Field("Order", &TTimesheetColumn::FOrder)
          .Enum("FieldType", &TTimesheetColumn::FFieldType, FieldTypeInfo())
          .Field("Visible", &TTimesheetColumn::FVisible)
          .Field("Editable", &TTimesheetColumn::FEditable)
          .Field("NeedVariable", &TTimesheetColumn::FNeedVariable)
          .Field("IsComponent", &TTimesheetColumn::FIsComponent)
          // A back reference, published by name and kind only (no object is
          // handed out), so that saving or walking a column never cycles
          // through its shift's columns; use TimesheetShift() in code.
          .Object("TimesheetShift", [](TTimesheetColumn&) -> TnxBaseObject* { return nullptr; })
          .Field("Percentage", &TTimesheetColumn::FPercentage)
          .Field("Rate", &TTimesheetColumn::FRate)
          .Build();
  return info;
}

std::string TTimesheetColumn::StringValue() {
  if (FIsComponent) {
    const double hours = FTimesheetShift ? FTimesheetShift->GetHoursForComponent(FFieldName) : 0.0;
    FStringValue = FormatFloat("0.#####", hours);
  }
  return FStringValue;
}

double TTimesheetColumn::FloatValue() {
  if (IsDateType() || FFieldType == TFieldType::ftTime) return DateValue();
  return StrToFloatDef(Trim(StringValue()), 0);
}

void TTimesheetColumn::SetFloatValue(double v) { FStringValue = FloatToStrF(std::round(v * 1e6) / 1e6, 6); }

int64_t TTimesheetColumn::IntegerValue() {
  if (IsDateType()) return static_cast<int64_t>(DateOf(DateValue()));
  return StrToIntDef(Trim(StringValue()), 0);
}

void TTimesheetColumn::SetIntegerValue(int64_t v) { FStringValue = std::to_string(v); }

bool TTimesheetColumn::BooleanValue() { return StrToBoolDef(Trim(StringValue()), false); }

void TTimesheetColumn::SetBooleanValue(bool v) { FStringValue = v ? "1" : "0"; }

TDateTime TTimesheetColumn::DateValue() {
  if (IsDateType()) return ParseColumnDate(StringValue());
  if (FFieldType == TFieldType::ftTime) return TimeValue();
  return StrToFloatDef(Trim(StringValue()), 0);
}

void TTimesheetColumn::SetDateValue(TDateTime v) { FStringValue = FormatIsoDateTime(v); }

TDateTime TTimesheetColumn::TimeValue() { return ParseColumnTime(StringValue()); }

void TTimesheetColumn::SetTimeValue(TDateTime v) { FStringValue = FormatIsoTime(v); }

}  // namespace qora
