#include "timesheet/csv_timesheet_reader.h"

#include <algorithm>
#include <vector>

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

// The rows of one shift: from its dated row pFirst up to the next dated row.
void ReadShiftRows(TMemoryTable& pTable, TTimesheetShift& pShift, int pFirst, int pEnd) {
  for (int row = pFirst; row < pEnd; ++row) {
    pTable.SetRecNo(row);
    CopyRow(pTable, pShift);
    AddRowHours(pShift, row > pFirst);
    AddRowLeave(pTable, pShift);
  }
}

// Adds the shift that starts at the table's current (dated) row.
TTimesheetShift* AddShiftAt(TTimesheet& pTimesheet, TMemoryTable& pTable, TDateTime pDay) {
  TTimesheetShift* shift = pTimesheet.AddShift(NewShift(pTable));
  pTimesheet.SetShiftCount(pTimesheet.ShiftCount() + 1);
  shift->SetShiftStartDate(DateOf(pDay));
  shift->SetShiftEndDate(DateOf(pDay));
  return shift;
}

std::unique_ptr<TMemoryTable> ReadTable(const std::string& pFileName, TUserFeedback* pLog) {
  const std::string text = ReadTextFileAsUtf8(pFileName, pLog);
  auto table = CreateTimesheetTable();
  LoadFieldDefFromText(*table, text, pFileName);
  table->CreateTable();
  CreateCSVStreamFormat()->LoadFromString(*table, text);
  return table;
}

}  // namespace

void LoadCSVTimesheet(TTimesheet& pTimesheet, const std::string& pFileName, TUserFeedback* pLog) {
  pTimesheet.SetShiftCount(0);
  auto table = ReadTable(pFileName, pLog);

  TTimesheetShift* shift = nullptr;
  for (table->First(); !table->Eof(); table->Next()) {
    const TDateTime day = ParseColumnDate(table->AsString("dDayWorked"));
    const bool continuation = !(day > 0);
    if (!continuation) shift = AddShiftAt(pTimesheet, *table, day);
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

// What a build reads, in the order it reads it, without the shift: every
// reading that can fail is made, so that a bad file fails here too. A
// shift's place depends on its employee and on the start of its earliest
// block; taking overlaps out of blocks never moves the earliest start (a
// block loses its start only to one that starts no later), so that start is
// the earliest of the blocks AddRowHours adds.
std::vector<TCSVTimesheetSource::TShiftRows> TCSVTimesheetSource::ScanShiftRows(const std::string& pFileName) {
  std::vector<TShiftRows> rows;
  double start_of_shift = TTimesheetShift::kNoStart;
  FTimesheet.SetShiftCount(0);
  for (FTable->First(); !FTable->Eof(); FTable->Next()) {
    const TDateTime day = ParseColumnDate(FTable->AsString("dDayWorked"));
    const bool continuation = !(day > 0);
    if (!continuation) {
      if (!rows.empty()) rows.back().Start = start_of_shift;
      // NewShift's readings.
      if (!Trim(FTable->AsString("dRosterStart")).empty()) {
        TimeTextToHours(FTable->AsString("dRosterStart"));
        TimeTextToHours(FTable->AsString("dRosterEnd"));
      }
      FTimesheet.SetShiftCount(FTimesheet.ShiftCount() + 1);
      rows.push_back({FTable->RecNo(), 0, DateOf(day), 0, FTable->AsString("cEmployeeCode")});
      start_of_shift = TTimesheetShift::kNoStart;
    }
    if (rows.empty()) {
      throw eLoadFromFileException(Format("Timesheet \"%s\" contains incomplete shift information", pFileName));
    }
    // AddRowHours' readings and the block it adds.
    const std::string& start_text = FTable->AsString("dStart");
    const std::string& end_text = FTable->AsString("dEnd");
    const bool has_times = !Trim(start_text).empty() && !Trim(end_text).empty();
    double start = has_times ? TimeTextToHours(start_text) : 0;
    const double end = has_times ? TimeTextToHours(end_text) : 0;
    if (continuation && start_of_shift > start) start += 24;
    const double block_end = end <= start ? end + 24 : end;
    if (has_times && block_end - start > 0) start_of_shift = std::min(start_of_shift, start);
    rows.back().End = FTable->RecNo() + 1;
  }
  if (!rows.empty()) rows.back().Start = start_of_shift;
  return rows;
}

std::vector<TCSVTimesheetSource::TShiftRows> TCSVTimesheetSource::BuildShiftRows(const std::string& pFileName) {
  std::vector<TShiftRows> rows;
  TTimesheetShift* shift = nullptr;
  auto finish = [&] {
    if (!shift) return;
    rows.back().EmployeeCode = shift->EmployeeCode();
    rows.back().Start = shift->ShiftStart();
    FTimesheet.Remove(shift);
    shift = nullptr;
  };
  FTimesheet.SetShiftCount(0);
  for (FTable->First(); !FTable->Eof(); FTable->Next()) {
    const TDateTime day = ParseColumnDate(FTable->AsString("dDayWorked"));
    const bool continuation = !(day > 0);
    if (!continuation) {
      finish();
      shift = AddShiftAt(FTimesheet, *FTable, day);
      rows.push_back({FTable->RecNo(), 0, DateOf(day), 0, {}});
    }
    if (!shift) {
      throw eLoadFromFileException(Format("Timesheet \"%s\" contains incomplete shift information", pFileName));
    }
    CopyRow(*FTable, *shift);
    AddRowHours(*shift, continuation);
    AddRowLeave(*FTable, *shift);
    rows.back().End = FTable->RecNo() + 1;
  }
  finish();
  return rows;
}

TCSVTimesheetSource::TCSVTimesheetSource(TTimesheet& pTimesheet, const std::string& pFileName, TUserFeedback* pLog)
    : FTimesheet(pTimesheet), FTable(ReadTable(pFileName, pLog)) {
  std::vector<TShiftRows> rows;
  try {
    rows = ScanShiftRows(pFileName);
  } catch (...) {
    // Throws as the scan did, leaving the shift that failed on the
    // timesheet; should it read after all, what it read stands.
    rows = BuildShiftRows(pFileName);
  }
  FShifts.resize(rows.size());
  std::vector<int> order(rows.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::stable_sort(order.begin(), order.end(), [&rows](int a, int b) {
    return ShiftOrderLess(rows[a].EmployeeCode, rows[a].Day, rows[a].Start, rows[b].EmployeeCode, rows[b].Day,
                          rows[b].Start);
  });
  for (size_t i = 0; i < order.size(); ++i) FShifts[i] = std::move(rows[order[i]]);
}

TCSVTimesheetSource::~TCSVTimesheetSource() = default;

TTimesheetShift* TCSVTimesheetSource::AddShift(int pIndex) {
  const TShiftRows& r = FShifts.at(static_cast<size_t>(pIndex));
  FTable->SetRecNo(r.First);
  TTimesheetShift* shift = FTimesheet.AddShift(NewShift(*FTable));
  shift->SetShiftStartDate(r.Day);
  shift->SetShiftEndDate(r.Day);
  ReadShiftRows(*FTable, *shift, r.First, r.End);
  shift->FillInBreaks();
  return shift;
}

}  // namespace qora
