// An extra named value on a shift: a column of the timesheet template, or a
// component column whose value is always the shift's hours of that pay
// component.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/datetime.h"
#include "foundation/base_object.h"
#include "timesheet/field_type.h"

namespace qora {

class TTimesheetShift;

class TTimesheetColumn : public TnxBaseObject {
  QORA_CLASS(TTimesheetColumn, TnxBaseObject)

 public:
  TTimesheetColumn() = default;

  // The value as text. For a component column (IsComponent) it is first
  // recomputed as the owning shift's hours of the component named FieldName,
  // formatted "0.#####" (a component column without a shift reads as 0).
  std::string StringValue();
  void SetStringValue(const std::string& v) { FStringValue = v; }
  // The stored text as it is, without recomputing a component column.
  const std::string& RawValue() const { return FStringValue; }

  // Date, time and date-time columns: the parsed date-time (DateValue);
  // other types: the number, 0 when the text is not a number.
  double FloatValue();
  // Writes the value rounded to and written with exactly 6 decimals.
  void SetFloatValue(double v);
  // Date and date-time columns: the whole-day part of the parsed date;
  // other types: the integer, 0 when the text is not an integer.
  int64_t IntegerValue();
  void SetIntegerValue(int64_t v);
  // The text's Boolean meaning; false when it has none.
  bool BooleanValue();
  // Writes "1" or "0".
  void SetBooleanValue(bool v);
  // Date and date-time columns: the text parsed as "YYYY-MM-DD[ HH:NN:SS]"
  // (blank reads 0; otherwise throws eaiPRocessorException with
  // "\"<text>\" is not a valid date. Please use the YYMM-MM-DD format.").
  // Time columns: as TimeValue. Other types: the number, 0 when none.
  TDateTime DateValue();
  // Writes "YYYY-MM-DD HH:NN:SS".
  void SetDateValue(TDateTime v);
  // The text read as "HH:NN:SS", as a fraction of a day (blank reads 0;
  // otherwise throws eaiPRocessorException).
  TDateTime TimeValue();
  // Writes "HH:NN:SS".
  void SetTimeValue(TDateTime v);

  const std::string& FieldName() const { return FFieldName; }
  void SetFieldName(const std::string& v) { FFieldName = v; }
  const std::string& ColumnName() const { return FColumnName; }
  void SetColumnName(const std::string& v) { FColumnName = v; }
  const std::string& FieldClassName() const { return FFieldClassName; }
  void SetFieldClassName(const std::string& v) { FFieldClassName = v; }
  const std::string& AddDedCode() const { return FAddDedCode; }
  void SetAddDedCode(const std::string& v) { FAddDedCode = v; }
  const std::string& JobCode() const { return FJobCode; }
  void SetJobCode(const std::string& v) { FJobCode = v; }
  const std::string& JobTitle() const { return FJobTitle; }
  void SetJobTitle(const std::string& v) { FJobTitle = v; }
  const std::string& CostCode() const { return FCostCode; }
  void SetCostCode(const std::string& v) { FCostCode = v; }
  int32_t Length() const { return FLength; }
  void SetLength(int32_t v) { FLength = v; }
  int32_t TemplateFieldID() const { return FTemplateFieldID; }
  void SetTemplateFieldID(int32_t v) { FTemplateFieldID = v; }
  int32_t Order() const { return FOrder; }
  void SetOrder(int32_t v) { FOrder = v; }
  TFieldType FieldType() const { return FFieldType; }
  void SetFieldType(TFieldType v) { FFieldType = v; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool v) { FVisible = v; }
  bool Editable() const { return FEditable; }
  void SetEditable(bool v) { FEditable = v; }
  // The rule engine makes an expression variable for the column.
  bool NeedVariable() const { return FNeedVariable; }
  void SetNeedVariable(bool v) { FNeedVariable = v; }
  bool IsComponent() const { return FIsComponent; }
  void SetIsComponent(bool v) { FIsComponent = v; }
  // The owning shift (not owned); null until the column is put on a shift.
  TTimesheetShift* TimesheetShift() const { return FTimesheetShift; }
  void SetTimesheetShift(TTimesheetShift* v) { FTimesheetShift = v; }
  double Percentage() const { return FPercentage; }
  void SetPercentage(double v) { FPercentage = v; }
  double Rate() const { return FRate; }
  void SetRate(double v) { FRate = v; }

 private:
  bool IsDateType() const { return FFieldType == TFieldType::ftDate || FFieldType == TFieldType::ftDateTime; }

  std::string FStringValue;
  std::string FFieldName;
  std::string FColumnName;
  std::string FFieldClassName;
  std::string FAddDedCode;
  std::string FJobCode;
  std::string FJobTitle;
  std::string FCostCode;
  int32_t FLength = 0;
  int32_t FTemplateFieldID = 0;
  int32_t FOrder = 0;
  TFieldType FFieldType = TFieldType::ftUnknown;
  bool FVisible = false;
  bool FEditable = false;
  bool FNeedVariable = false;
  bool FIsComponent = false;
  TTimesheetShift* FTimesheetShift = nullptr;
  double FPercentage = 0;
  double FRate = 0;
};

// Parses "YYYY-MM-DD" or "YYYY-MM-DD HH:NN:SS" (after trimming) as a
// date-time; blank reads 0. Throws eaiPRocessorException with the message
// "\"<text>\" is not a valid date. Please use the YYMM-MM-DD format.".
TDateTime ParseColumnDate(std::string_view pText);
// Parses "HH:NN:SS" or "HH:NN" (after trimming) as a fraction of a day;
// blank reads 0, and seconds that are not two digits read as 0. Throws
// eaiPRocessorException when the hours or minutes are not a time.
TDateTime ParseColumnTime(std::string_view pText);

}  // namespace qora
