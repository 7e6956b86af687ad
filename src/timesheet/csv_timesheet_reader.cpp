#include "timesheet/csv_timesheet_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "common/format.h"
#include "common/text.h"
#include "common/text_memo.h"
#include "common/exceptions.h"
#include "timesheet/csv_stream_format.h"
#include "timesheet/csv_timesheet_table.h"
#include "timesheet/leave_dates.h"
#include "timesheet/shift_dates.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_text.h"

namespace qora {

namespace {

// The hours of "HH:NN:SS" texts read lately, by their eight bytes: a
// timesheet repeats a few dozen start and end times over all its rows. A
// slot keeps the last time that fell in it.
class TClockMemo {
 public:
  bool Find(uint64_t pKey, double& pHours) const {
    const TEntry& e = FEntries[Slot(pKey)];
    if (e.Key != pKey) return false;
    pHours = e.Hours;
    return true;
  }
  void Keep(uint64_t pKey, double pHours) { FEntries[Slot(pKey)] = {pKey, pHours}; }

 private:
  struct TEntry {
    uint64_t Key;  // 0 (eight NUL bytes) is no clock text, so an empty slot never matches
    double Hours;
  };
  static constexpr size_t kSlots = 64;
  static size_t Slot(uint64_t pKey) { return MemoSlot<kSlots>(pKey); }
  TEntry FEntries[kSlots];
};

thread_local TClockMemo tClockMemo;

// A time of day written "HH:NN:SS", or a date and time "YYYY-MM-DD HH:NN:SS"
// of which the time counts, in shift hours.
double TimeTextToHours(const std::string& pText) {
  const std::string_view text = TrimmedView(pText);
  if (text.size() != 8) {
    return TimeToShiftHours(text.size() > 8 ? TimeOf(ParseColumnDate(text)) : ParseColumnTime(text));
  }
  uint64_t key = 0;
  std::memcpy(&key, text.data(), sizeof key);
  double hours = 0;
  if (tClockMemo.Find(key, hours)) return hours;
  // A text that is no time throws here, so only times are kept.
  hours = TimeToShiftHours(ParseColumnTime(text));
  tClockMemo.Keep(key, hours);
  return hours;
}

std::unique_ptr<TTimesheetShift> NewShift(const TMemoryTable& pTable) {
  auto shift = std::make_unique<TTimesheetShift>();
  shift->SetEmployeeCode(pTable.AsString("cEmployeeCode"));
  double start = 0;
  double end = 0;
  if (!TrimmedView(pTable.AsString("dRosterStart")).empty()) {
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
  const bool new_shift = pShift.Count() == 0;
  for (int i = 0; i < pTable.FieldCount(); ++i) {
    const TFieldDef& def = pTable.FieldDef(i);
    // The first row makes the columns in field order, and field names are
    // unique, so a later row finds each at its field's place.
    TTimesheetColumn* column = nullptr;
    if (!new_shift) {
      column = i < pShift.Count() ? pShift.GetTimesheetColumn(i) : nullptr;
      if (!column || column->ColumnName() != def.Name) column = pShift.FindColumnByName(def.Name);
    }
    if (!column) {
      auto created = std::make_unique<TTimesheetColumn>();
      created->SetColumnName(def.Name);
      created->SetFieldName(def.Name);
      created->SetLength(def.Size);
      created->SetFieldType(def.DataType);
      column = pShift.AddColumn(std::move(created));
    }
    if (def.DataType == TFieldType::ftFloat) {
      column->SetFloatValue(column->FloatValue() + StrToFloatDef(pTable.GetText(i), 0));
    } else {
      column->SetStringValue(pTable.GetText(i));
    }
    column->SetNeedVariable(false);
  }
}

const std::string& ColumnText(const TTimesheetShift& pShift, std::string_view pName) {
  static const std::string kNone;
  const TTimesheetColumn* column = pShift.FindColumnByName(pName);
  return column ? column->RawValue() : kNone;
}

// Adds the row's worked block. A continuation row that starts before the
// shift did lies after midnight; a block whose end is not after its start
// ends on the next day. The shift ends on the day its latest block ends (a
// row without times counts as reaching the next midnight).
void AddRowHours(TTimesheetShift& pShift, bool pContinuation) {
  const std::string& start_text = ColumnText(pShift, "dStart");
  const std::string& end_text = ColumnText(pShift, "dEnd");
  const bool has_times = !TrimmedView(start_text).empty() && !TrimmedView(end_text).empty();
  double start = has_times ? TimeTextToHours(start_text) : 0;
  double end = has_times ? TimeTextToHours(end_text) : 0;
  if (pContinuation && pShift.ShiftStart() > start) start += 24;
  if (end <= start) end += 24;
  ExtendShiftEndDate(pShift, end);
  if (has_times) {
    // Copies: adding hours may rewrite the shift's columns.
    pShift._AddHours(start, end, "Normal", std::string(ColumnText(pShift, "cWorkCode")), THoursType::htOrdinary,
                     std::string(ColumnText(pShift, "cJobTitle")), "", "");
  }
}

// A row may also record leave taken on the shift's day: the optional columns
// cLeaveType, cLeaveReason and fLeaveHours. A row without leave hours records
// none, so files without these columns read as before.
void AddRowLeave(const TMemoryTable& pTable, TTimesheetShift& pShift) {
  if (pTable.FindField("fLeaveHours") < 0) return;
  const double hours = StrToFloatDef(pTable.AsString("fLeaveHours"), 0);
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

uint64_t TCSVTimesheetSource::ReadHeader(const std::string& pFileName) {
  for (size_t piece = kPieceBytes;; piece *= 2) {
    const std::string_view raw = FFile->Bytes(0, piece);
    const bool whole = raw.size() >= FFile->Size();
    const std::string text = FFile->AsUtf8(raw);
    FTable = CreateTimesheetTable();
    LoadFieldDefFromText(*FTable, text, pFileName);
    FTable->CreateTable();
    const int read = FFormat->LoadHeader(*FTable, text, FTargets);
    // The header counts only when the piece holds it to its line break.
    const std::vector<size_t> ends = FFormat->RecordEnds(raw, true, whole, static_cast<size_t>(read));
    if (whole || static_cast<int>(ends.size()) >= read) {
      return read > 0 ? ends[static_cast<size_t>(read) - 1] : 0;
    }
  }
}

// What a build reads, in the order it reads it, without the shift: every
// reading that can fail is made, so that a bad file fails here too. A
// shift's place depends on its employee and on the start of its earliest
// block; taking overlaps out of blocks never moves the earliest start (a
// block loses its start only to one that starts no later), so that start is
// the earliest of the blocks AddRowHours adds.
std::deque<TCSVTimesheetSource::TShiftRows> TCSVTimesheetSource::ScanShiftRows(const std::string& pFileName,
                                                                               size_t pPieceBytes) {
  std::deque<TShiftRows> rows;
  std::unordered_map<std::string, uint32_t> codes;
  double start_of_shift = TTimesheetShift::kNoStart;
  FTimesheet.SetShiftCount(0);
  uint64_t at = ReadHeader(pFileName);
  // The scan reads six fields, looked up once; it loads only those. A field
  // the table lacks fails where it is read, as the build's reading does.
  enum { kDay, kRosterStart, kRosterEnd, kCode, kStart, kEnd, kScanned };
  static constexpr const char* kNames[kScanned] = {"dDayWorked", "dRosterStart", "dRosterEnd",
                                                   "cEmployeeCode", "dStart", "dEnd"};
  int fields[kScanned];
  for (int k = 0; k < kScanned; ++k) fields[k] = FTable->FindField(kNames[k]);
  const auto text = [&](int k) -> const std::string& {
    return FTable->GetText(fields[k] >= 0 ? fields[k] : FTable->FieldIndex(kNames[k]));
  };
  std::vector<int> targets = FTargets;
  for (int& target : targets) {
    if (std::find(std::begin(fields), std::end(fields), target) == std::end(fields)) target = -1;
  }
  for (size_t piece = pPieceBytes; at < FFile->Size();) {
    const std::string_view raw = FFile->Bytes(at, piece);
    const bool last = at + raw.size() >= FFile->Size();
    const std::vector<size_t> ends = FFormat->RecordEnds(raw, false, last);
    if (ends.empty()) {
      if (last) break;  // blank lines only
      piece *= 2;       // a record longer than the piece
      continue;
    }
    FFormat->LoadRows(*FTable, FFile->AsUtf8(raw.substr(0, ends.back())), targets);
    for (size_t i = 0; i < ends.size(); ++i, FTable->Next()) {
      const TDateTime day = ParseColumnDate(text(kDay));
      const bool continuation = !(day > 0);
      if (!continuation) {
        if (!rows.empty()) rows.back().Start = start_of_shift;
        // NewShift's readings.
        if (!TrimmedView(text(kRosterStart)).empty()) {
          TimeTextToHours(text(kRosterStart));
          TimeTextToHours(text(kRosterEnd));
        }
        FTimesheet.SetShiftCount(FTimesheet.ShiftCount() + 1);
        const auto code = codes.try_emplace(text(kCode), static_cast<uint32_t>(codes.size()));
        if (code.second) FCodes.push_back(code.first->first);
        rows.push_back({at + (i > 0 ? ends[i - 1] : 0), 0, code.first->second, DateOf(day), 0});
        start_of_shift = TTimesheetShift::kNoStart;
      }
      if (rows.empty()) {
        throw eLoadFromFileException(Format("Timesheet \"%s\" contains incomplete shift information", pFileName));
      }
      // AddRowHours' readings and the block it adds.
      const std::string& start_text = text(kStart);
      const std::string& end_text = text(kEnd);
      const bool has_times = !TrimmedView(start_text).empty() && !TrimmedView(end_text).empty();
      double start = has_times ? TimeTextToHours(start_text) : 0;
      const double end = has_times ? TimeTextToHours(end_text) : 0;
      if (continuation && start_of_shift > start) start += 24;
      const double block_end = end <= start ? end + 24 : end;
      if (has_times && block_end - start > 0) start_of_shift = std::min(start_of_shift, start);
      rows.back().Length = static_cast<uint32_t>(at + ends[i] - rows.back().Begin);
    }
    at += ends.back();
  }
  if (!rows.empty()) rows.back().Start = start_of_shift;
  FTable->EmptyTable();
  return rows;
}

void TCSVTimesheetSource::BuildEveryShift(const std::string& pFileName) {
  FTable = ReadTable(pFileName, nullptr);
  TTimesheetShift* shift = nullptr;
  FTimesheet.SetShiftCount(0);
  for (FTable->First(); !FTable->Eof(); FTable->Next()) {
    const TDateTime day = ParseColumnDate(FTable->AsString("dDayWorked"));
    const bool continuation = !(day > 0);
    if (!continuation) {
      if (shift) FTimesheet.Remove(shift);
      shift = AddShiftAt(FTimesheet, *FTable, day);
    }
    if (!shift) {
      throw eLoadFromFileException(Format("Timesheet \"%s\" contains incomplete shift information", pFileName));
    }
    CopyRow(*FTable, *shift);
    AddRowHours(*shift, continuation);
    AddRowLeave(*FTable, *shift);
  }
  if (shift) FTimesheet.Remove(shift);
}

TCSVTimesheetSource::TCSVTimesheetSource(TTimesheet& pTimesheet, const std::string& pFileName, TUserFeedback* pLog,
                                         size_t pPieceBytes)
    : FTimesheet(pTimesheet),
      FFile(std::make_unique<TTimesheetTextFile>(pFileName, pLog)),
      FFormat(CreateCSVStreamFormat()) {
  std::deque<TShiftRows> rows;
  try {
    rows = ScanShiftRows(pFileName, std::max<size_t>(pPieceBytes, 1));
  } catch (...) {
    // Fails as a load would, leaving the shift that failed on the
    // timesheet. Should the file build after all, the scan's error stands.
    BuildEveryShift(pFileName);
    throw;
  }
  // The offset keeps shifts of equal place in file order, as a stable sort
  // would, without a second copy of the index.
  std::sort(rows.begin(), rows.end(), [this](const TShiftRows& a, const TShiftRows& b) {
    const std::string &code_a = FCodes[a.Code], &code_b = FCodes[b.Code];
    if (ShiftOrderLess(code_a, a.Day, a.Start, code_b, b.Day, b.Start)) return true;
    if (ShiftOrderLess(code_b, b.Day, b.Start, code_a, a.Day, a.Start)) return false;
    return a.Begin < b.Begin;
  });
  FShifts = std::move(rows);
}

TCSVTimesheetSource::~TCSVTimesheetSource() = default;

TTimesheetShift* TCSVTimesheetSource::AddShift(int pIndex) {
  const TShiftRows& r = Shift(pIndex);
  FFormat->LoadRows(*FTable, FFile->AsUtf8(FFile->Bytes(r.Begin, r.Length)), FTargets);
  TTimesheetShift* shift = FTimesheet.AddShift(NewShift(*FTable));
  shift->SetShiftStartDate(r.Day);
  shift->SetShiftEndDate(r.Day);
  ReadShiftRows(*FTable, *shift, 0, FTable->RecordCount());
  shift->FillInBreaks();
  return shift;
}

}  // namespace qora
