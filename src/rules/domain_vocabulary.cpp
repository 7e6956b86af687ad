#include "rules/domain_vocabulary.h"

#include <vector>

#include "common/datetime.h"
#include "common/exceptions.h"
#include "common/text.h"
#include "formula/parser.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

namespace {

enum class TColumnKind { Text, Integer, Boolean, Real, Other };

// How a column's value is stored into: the types an assignment may write.
TColumnKind StoreKindOf(TFieldType pType) {
  switch (pType) {
    case TFieldType::ftString:
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo:
    case TFieldType::ftFixedChar:
    case TFieldType::ftWideString: return TColumnKind::Text;
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftLargeint: return TColumnKind::Integer;
    case TFieldType::ftBoolean: return TColumnKind::Boolean;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime: return TColumnKind::Real;
    default: return TColumnKind::Other;
  }
}

// Domain functions read the shift through the work item; anything else (no
// work item, say) reads as an empty shift would.
// The class description answers as a dynamic_cast would (every published
// class derives in C++ from the class its description names as parent), for
// less: these functions run for nearly every condition of every shift.
TTimesheetShift* ShiftOf(TnxBaseObject* pWorkItem) {
  if (!pWorkItem || !pWorkItem->InheritsFrom(TTimesheetShift::StaticClassInfo())) return nullptr;
  return static_cast<TTimesheetShift*>(pWorkItem);
}

bool EmployeeHasAdditionFn(TnxBaseObject* w, TQelValues v, int) {
  const TTimesheetShift* s = ShiftOf(w);
  return s && s->EmployeeHasAddition(v[0]->S);
}

double HoursForWorkCodeFn(TnxBaseObject* w, TQelValues v, int) {
  const TTimesheetShift* s = ShiftOf(w);
  return s ? s->HoursForWorkCode(v[0]->S) : 0.0;
}

// The column named "f" followed by the value, compared exactly; 0 without one.
double GetFloatValueFn(TnxBaseObject* w, TQelValues v, int) {
  const TTimesheetShift* s = ShiftOf(w);
  if (!s) return 0.0;
  const std::string& wanted = v[0]->S;
  for (int i = 0; i < s->Count(); ++i) {
    TTimesheetColumn* column = s->Items(i);
    const std::string& name = column->FieldName();
    if (name.size() == wanted.size() + 1 && name[0] == 'f' && name.compare(1, std::string::npos, wanted) == 0) {
      return column->FloatValue();
    }
  }
  return 0.0;
}

bool WorkCodeExistsFn(TnxBaseObject* w, TQelValues v, int) {
  const TTimesheetShift* s = ShiftOf(w);
  return s && s->WorkCodeExists(v[0]->S);
}

bool LeaveReasonExistsFn(TnxBaseObject* w, TQelValues v, int) {
  const TTimesheetShift* s = ShiftOf(w);
  return s && s->LeaveReasonExists(v[0]->S);
}

// Public holidays count as a day of their own (8), so that award rules for
// holidays need no second test.
int32_t ShiftDayOfWeek(const TTimesheetShift* pShift, double pDate) {
  if (pShift && pShift->IsPublicHoliday(pDate)) return 8;
  return DayOfWeek(pDate);
}

// The memo of the innermost condition run of this thread; null outside runs.
thread_local TDayOfWeekMemo* tCurrentMemo = nullptr;

int32_t DayOfWeekFn(TnxBaseObject* w, TQelValues v, int) {
  const TTimesheetShift* s = ShiftOf(w);
  if (s && tCurrentMemo) return tCurrentMemo->DayOfWeek(*s, v[0]->D);
  return ShiftDayOfWeek(s, v[0]->D);
}

// Texts that are equal byte for byte need no comparison letter by letter.
bool EqualStringFn(TnxBaseObject*, TQelValues v, int) { return v[0]->S == v[1]->S || SameText(v[0]->S, v[1]->S); }

double MinTimeFn(TnxBaseObject*, TQelValues v, int) { return MinTimeOf(v[0]->I, v[1]->D, v[2]->I, v[3]->D); }
double MaxTimeFn(TnxBaseObject*, TQelValues v, int) { return MaxTimeOf(v[0]->I, v[1]->D, v[2]->I, v[3]->D); }

TFunctionRecord Domain(const char* pName, const char* pPrototype, std::vector<TQelDataType> pParams) {
  TFunctionRecord r;
  r.Name = pName;
  r.Prototype = pPrototype;
  r.InputDataTypes = std::move(pParams);
  r.CanConvertToConstant = false;  // they read the shift, which changes between evaluations
  r.Repeatable = true;             // but only through actions, between generations of a run
  return r;
}

const std::vector<TFunctionRecord>& DomainFunctions() {
  static const std::vector<TFunctionRecord> records = [] {
    const TQelDataType S = rdtString, R = rdtDouble, I = rdtInteger;
    std::vector<TFunctionRecord> list;
    TFunctionRecord r = Domain("EmployeeHasAddition", "Logical|EmployeeHasAddition(Value)", {S});
    r.BFunctionAddr = EmployeeHasAdditionFn;
    list.push_back(r);
    r = Domain("HoursForWorkCode", "Date|HoursForWorkCode(Value)", {S});
    r.RFunctionAddr = HoursForWorkCodeFn;
    list.push_back(r);
    r = Domain("GetFloatValue", "Math|GetFloatValue(Value)", {S});
    r.RFunctionAddr = GetFloatValueFn;
    list.push_back(r);
    r = Domain("WorkCodeExists", "Logical|WorkCodeExists(Value)", {S});
    r.BFunctionAddr = WorkCodeExistsFn;
    list.push_back(r);
    r = Domain("LeaveReasonExists", "Logical|LeaveReasonExists(Value)", {S});
    r.BFunctionAddr = LeaveReasonExistsFn;
    list.push_back(r);
    r = Domain("DayOfWeek", "Math|DayOfWeek(Value)", {R});
    r.IFunctionAddr = DayOfWeekFn;
    r.WorkItemUse = TQelWorkItemUse::FixedForRun;  // the shift's public holidays, loaded before a run
    list.push_back(r);
    r = Domain("EqualString", "Text|EqualString(Value1,Value2)", {S, S});
    r.BFunctionAddr = EqualStringFn;
    r.WorkItemUse = TQelWorkItemUse::None;
    list.push_back(r);
    r = Domain("MinTime", "Math|MinTime(Day1, Time1, Day2, Time2)", {I, R, I, R});
    r.RFunctionAddr = MinTimeFn;
    r.WorkItemUse = TQelWorkItemUse::None;
    list.push_back(r);
    r = Domain("MaxTime", "Math|MaxTime(Day1, Time1, Day2, Time2)", {I, R, I, R});
    r.RFunctionAddr = MaxTimeFn;
    r.WorkItemUse = TQelWorkItemUse::None;
    list.push_back(r);
    return list;
  }();
  return records;
}

}  // namespace

TDayOfWeekMemo::TDayOfWeekMemo() : FOuter(tCurrentMemo) { tCurrentMemo = this; }

TDayOfWeekMemo::~TDayOfWeekMemo() { tCurrentMemo = FOuter; }

int32_t TDayOfWeekMemo::DayOfWeek(const TTimesheetShift& pShift, double pDate) {
  for (const TAnswer& a : FAnswers) {
    // Dates compare by value: a NaN is never found, and is looked up each time.
    if (a.Shift == &pShift && a.Date == pDate) return a.Day;
  }
  TAnswer& answer = FAnswers[FNext];
  FNext = (FNext + 1) % 2;
  answer = {&pShift, pDate, ShiftDayOfWeek(&pShift, pDate)};
  return answer.Day;
}

double MinTimeOf(int32_t pDay1, double pTime1, int32_t pDay2, double pTime2) {
  if (pDay2 > pDay1) return pTime1;
  if (pDay2 < pDay1) return pTime2;
  return pTime1 < pTime2 ? pTime1 : pTime2;
}

double MaxTimeOf(int32_t pDay1, double pTime1, int32_t pDay2, double pTime2) {
  if (pDay1 == pDay2) return pTime1 > pTime2 ? pTime1 : pTime2;
  if (pDay2 < pDay1 || pDay2 == 7) return pTime1;
  return pTime2;
}

TQelDataType ColumnVariableType(TFieldType pFieldType) {
  switch (StoreKindOf(pFieldType)) {
    case TColumnKind::Integer: return rdtInteger;
    case TColumnKind::Boolean: return rdtBoolean;
    case TColumnKind::Real: return rdtDouble;
    default: return rdtString;
  }
}

void AssignColumnVariable(TCustomVariable& pVariable, TTimesheetColumn& pColumn) {
  switch (pVariable.ResultType()) {
    case rdtInteger:
      static_cast<TIntegerVariable&>(pVariable).SetValue(static_cast<int32_t>(pColumn.IntegerValue()));
      break;
    case rdtBoolean: static_cast<TBooleanVariable&>(pVariable).SetValue(pColumn.BooleanValue()); break;
    case rdtDouble: static_cast<TRealVariable&>(pVariable).SetValue(pColumn.FloatValue()); break;
    case rdtString: static_cast<TStringVariable&>(pVariable).SetValue(pColumn.StringValue()); break;
  }
}

void CreateColumnVariable(TQelParser& pParser, TTimesheetColumn& pColumn) {
  if (!pColumn.NeedVariable() || pParser.IndexOfVariable(pColumn.FieldName()) >= 0) return;
  TCustomVariable* variable = nullptr;
  switch (ColumnVariableType(pColumn.FieldType())) {
    case rdtInteger: variable = pParser.CreateVariable(pColumn.FieldName(), int32_t{0}); break;
    case rdtBoolean: variable = pParser.CreateVariable(pColumn.FieldName(), false); break;
    case rdtDouble: variable = pParser.CreateVariable(pColumn.FieldName(), 0.0); break;
    case rdtString: variable = pParser.CreateVariable(pColumn.FieldName(), std::string()); break;
  }
  AssignColumnVariable(*variable, pColumn);
}

void CreateColumnVariables(TQelParser& pParser, TTimesheetShift& pShift) {
  for (int i = 0; i < pShift.Count(); ++i) CreateColumnVariable(pParser, *pShift.Items(i));
}

void RegisterDomainFunctions(TFunctionStringList& pFunctions) {
  for (const TFunctionRecord& record : DomainFunctions()) {
    if (pFunctions.IndexOf(record.Name) < 0) pFunctions.Add(record);
  }
}

bool StoreIntoColumn(TQelParser& pParser, TTimesheetShift& pShift, const std::string& pVariable) {
  TTimesheetColumn* column = pShift.FindColumnByName(pVariable);
  if (!column) return false;
  const TColumnKind kind = StoreKindOf(column->FieldType());
  if (kind == TColumnKind::Other) return false;
  const TExpression* value = pParser.CurrentExpression();
  if (!value) throw eaiPRocessorException("There is no value to store into column \"" + pVariable + "\".");
  switch (kind) {
    case TColumnKind::Text: column->SetStringValue(value->StringResult()); break;
    case TColumnKind::Integer: column->SetIntegerValue(value->IntegerResult()); break;
    case TColumnKind::Boolean: column->SetBooleanValue(value->BooleanResult()); break;
    case TColumnKind::Real: column->SetFloatValue(value->DoubleResult()); break;
    case TColumnKind::Other: break;
  }
  return true;
}

}  // namespace qora
