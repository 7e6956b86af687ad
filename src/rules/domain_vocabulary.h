// The words that award conditions use to read and change a shift: one
// variable per shift column that asks for one, the domain functions
// (EmployeeHasAddition, HoursForWorkCode, GetFloatValue, WorkCodeExists,
// LeaveReasonExists, DayOfWeek, EqualString, MinTime, MaxTime), and the
// storing of an assigned value into a column. The run's timesheet manager
// hands these to the rule engine through its handlers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "formula/value.h"
#include "timesheet/field_type.h"

namespace qora {

class TCustomVariable;
class TFunctionStringList;
class TQelParser;
class TTimesheetColumn;
class TTimesheetShift;

// String for the text types and every type not listed, Integer for small,
// plain, word and large integers, Boolean for Boolean, Real for float,
// currency, date, time and date-time.
TQelDataType ColumnVariableType(TFieldType pFieldType);

// Sets the variable from the column's typed accessor that matches the
// variable's type (StringValue, IntegerValue, BooleanValue, FloatValue).
// Throws what the accessor throws (an unreadable date, say).
void AssignColumnVariable(TCustomVariable& pVariable, TTimesheetColumn& pColumn);

// Creates the column's variable, named by its FieldName and typed by its
// FieldType, with the column's value; nothing when the column does not ask
// for a variable (NeedVariable) or a variable of that name exists. Throws
// the parser's name errors for a field name that is no valid variable name.
void CreateColumnVariable(TQelParser& pParser, TTimesheetColumn& pColumn);

// CreateColumnVariable for every column of the shift, in column order.
void CreateColumnVariables(TQelParser& pParser, TTimesheetShift& pShift);

// Registers the nine domain functions, each only when the table has no
// function of that name yet (registering twice is harmless).
void RegisterDomainFunctions(TFunctionStringList& pFunctions);

// Stores the value of the parser's current expression into the shift's
// column whose FieldName equals pVariable exactly, converted by the
// column's field type (text types from the String result, integer types
// from the Integer result, Boolean, and float, currency, date, time and
// date-time from the Real result). Returns false, storing nothing, when the
// shift has no such column or the column's type is none of these. Throws
// the parser's type error when the result has another type, and
// eaiPRocessorException when the parser has no current expression.
bool StoreIntoColumn(TQelParser& pParser, TTimesheetShift& pShift, const std::string& pVariable);

// MinTime and MaxTime of the domain functions: the time of the earlier (or
// later) of two (week day, time) pairs. MaxTime counts day 7 as coming
// before every other day; MinTime has no such rule.
double MinTimeOf(int32_t pDay1, double pTime1, int32_t pDay2, double pTime2);
double MaxTimeOf(int32_t pDay1, double pTime1, int32_t pDay2, double pTime2);

// While one lives (on the stack of a condition run), DayOfWeek looks each
// date of the run's shift up in its work pattern once: nothing a run does
// changes the work pattern, and DayOfWeek is asked for most conditions.
// Runs nest (a rule that runs another award's conditions); each keeps its
// own answers. Not for sharing between threads.
class TDayOfWeekMemo {
 public:
  TDayOfWeekMemo();
  ~TDayOfWeekMemo();
  TDayOfWeekMemo(const TDayOfWeekMemo&) = delete;
  TDayOfWeekMemo& operator=(const TDayOfWeekMemo&) = delete;

  // DayOfWeek of pDate for the shift: 8 on a public holiday of its work
  // pattern, else 1 (Sunday) to 7.
  int32_t DayOfWeek(const TTimesheetShift& pShift, double pDate);

 private:
  struct TAnswer {
    const TTimesheetShift* Shift = nullptr;
    double Date = 0;
    int32_t Day = 0;
  };
  TDayOfWeekMemo* FOuter;
  TAnswer FAnswers[2];  // a run asks about its start and its end date
  int FNext = 0;
};

}  // namespace qora
