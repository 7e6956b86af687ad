#include "timesheet/csv_timesheet_reader.h"

#include "common/format.h"
#include "common/text.h"
#include "common/exceptions.h"
#include "timesheet/csv_stream_format.h"
#include "timesheet/csv_timesheet_table.h"
#include "timesheet/leave_dates.h"
#include "timesheet/shift_dates.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_text.h"

namespace qora {

namespace {

// A time of day written "HH:NN:SS", or a date and time "YYYY-MM-DD HH:NN:SS"
// of which the time counts, in shift hours.
double TimeTextToHours(const std::string& pText) {
  const std::string text = Trim(pText);
  const TDateTime value = text.size() > 8 ? TimeOf(ParseColumnDate(text)) : ParseColumnTime(text);
  return TimeToShiftHours(value);
}

std::unique_ptr<TTimesheetShift> NewShift(const TMemoryTable& pTable) {
  auto shift = std::make_unique<TTimesheetShift>();
  shift->SetEmployeeCode(pTable.AsString("cEmployeeCode"));
  double start = 0;
  double end = 0;
  if (!Trim(pTable.AsString("dRosterStart")).empty()) {
    start = TimeTextToHours(pTable.AsString("dRosterStart"));
    end = TimeTextToHours(pTable.AsString("dRosterEnd"));
    if (end <= start) end += 24;
  }
  shift->SetRosteredHoursStart(start);
  shift->SetRosteredHoursEnd(end);
  shift->SetRosteredBreakHours(static_cast<double>(pTable.AsInteger("iRosterBreak")) / 60);
  return shift;
}

// Copies the current row onto the shift's columns: floating-point columns
// add up over the rows of one shift, the others take the latest row's text.
void CopyRow(const TMemoryTable& pTable, TTimesheetShift& pShift) {
  for (int i = 0; i < pTable.FieldCount(); ++i) {
    const TFieldDef& def = pTable.FieldDef(i);
    TTimesheetColumn* column = pShift.FindColumnByName(def.Name);
    if (!column) {
      auto created = std::make_unique<TTimesheetColumn>();
      created->SetColumnName(def.Name);
      created->SetFieldName(def.Name);
      created->SetLength(def.Size);
      created->SetFieldType(def.DataType);
      column = pShift.AddColumn(std::move(created));
    }
    if (def.DataType == TFieldType::ftFloat) {
      column->SetFloatValue(column->FloatValue() + StrToFloatDef(Trim(pTable.GetText(i)), 0));
    } else {
      column->SetStringValue(pTable.GetText(i));
    }
    column->SetNeedVariable(false);
  }
}

std::string ColumnText(const TTimesheetShift& pShift, const char* pName) {
  const TTimesheetColumn* column = pShift.FindColumnByName(pName);
  return column ? column->RawValue() : std::string();
}

// Adds the row's worked block. A continuation row that starts before the
// shift did lies after midnight; a block whose end is not after its start
// ends on the next day. The shift ends on the day its latest block ends (a
// row without times counts as reaching the next midnight).
void AddRowHours(TTimesheetShift& pShift, bool pContinuation) {
  const std::string start_text = ColumnText(pShift, "dStart");
  const std::string end_text = ColumnText(pShift, "dEnd");
  const bool has_times = !Trim(start_text).empty() && !Trim(end_text).empty();
  double start = has_times ? TimeTextToHours(start_text) : 0;
  double end = has_times ? TimeTextToHours(end_text) : 0;
  if (pContinuation && pShift.ShiftStart() > start) start += 24;
  if (end <= start) end += 24;
  ExtendShiftEndDate(pShift, end);
  if (has_times) {
    pShift._AddHours(start, end, "Normal", ColumnText(pShift, "cWorkCode"), THoursType::htOrdinary,
                     ColumnText(pShift, "cJobTitle"), "", "");
  }
}

// A row may also record leave taken on the shift's day: the optional columns
// cLeaveType, cLeaveReason and fLeaveHours. A row without leave hours records
// none, so files without these columns read as before.
void AddRowLeave(const TMemoryTable& pTable, TTimesheetShift& pShift) {
  if (pTable.FindField("fLeaveHours") < 0) return;
  const double hours = StrToFloatDef(Trim(pTable.AsString("fLeaveHours")), 0);
  if (!(hours > 0)) return;
  auto entry = std::make_unique<TDateGroup>();
  entry->SetDateFrom(pShift.ShiftStartDate());
  entry->SetDateTo(pShift.ShiftStartDate());
  entry->SetTotalHours(hours);
  if (pTable.FindField("cLeaveType") >= 0) entry->SetLeaveType(Trim(pTable.AsString("cLeaveType")));
  if (pTable.FindField("cLeaveReason") >= 0) entry->SetLeaveReason(Trim(pTable.AsString("cLeaveReason")));
  pShift.LeaveDatesList().Add(std::move(entry));
}

}  // namespace

void LoadCSVTimesheet(TTimesheet& pTimesheet, const std::string& pFileName, TUserFeedback* pLog) {
  pTimesheet.SetShiftCount(0);
  const std::string text = ReadTextFileAsUtf8(pFileName, pLog);
  auto table = CreateTimesheetTable();
  LoadFieldDefFromText(*table, text, pFileName);
  table->CreateTable();
  CreateCSVStreamFormat()->LoadFromString(*table, text);

  TTimesheetShift* shift = nullptr;
  for (table->First(); !table->Eof(); table->Next()) {
    const TDateTime day = ParseColumnDate(table->AsString("dDayWorked"));
    const bool continuation = !(day > 0);
    if (!continuation) {
      shift = pTimesheet.AddShift(NewShift(*table));
      pTimesheet.SetShiftCount(pTimesheet.ShiftCount() + 1);
      shift->SetShiftStartDate(DateOf(day));
      shift->SetShiftEndDate(DateOf(day));
    }
    if (!shift) {
      throw eLoadFromFileException(Format("Timesheet \"%s\" contains incomplete shift information", pFileName));
    }
    try {
      CopyRow(*table, *shift);
      AddRowHours(*shift, continuation);
      AddRowLeave(*table, *shift);
    } catch (...) {
      // A shift whose first row cannot be read is not kept.
      if (!continuation) {
        pTimesheet.Remove(shift);
        pTimesheet.SetShiftCount(pTimesheet.ShiftCount() - 1);
      }
      throw;
    }
  }
}

}  // namespace qora
