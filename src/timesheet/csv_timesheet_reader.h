// Reading a CSV timesheet file into a timesheet.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "common/datetime.h"

namespace qora {

class TCSVStreamFormat;
class TMemoryTable;
class TTimesheet;
class TTimesheetTextFile;
class TTimesheetShift;
class TUserFeedback;

// Appends the shifts of a CSV timesheet file to the timesheet and sets its
// ShiftCount to the number read. The file has the standard columns of
// CreateTimesheetTable plus any extra columns its header names; each row
// with a dDayWorked date starts a shift, a row with a blank date continues
// the shift above it (a second worked block, after a break or after
// midnight). Every column of a row is copied onto the shift as a
// TTimesheetColumn (floating-point columns summing over continuation rows),
// and dStart..dEnd become an ordinary "Normal" block with the row's
// cWorkCode and cJobTitle.
//
// Does not fill in breaks or sort; the caller does (LoadTimesheetFromFile).
// Throws, keeping the shifts completed before the failing row:
//  - eaiPRocessorException "\"<text>\" is not a valid date. Please use the
//    YYMM-MM-DD format." for an unreadable dDayWorked (and the time
//    counterpart for an unreadable time);
//  - eLoadFromFileException "Timesheet \"<file>\" contains incomplete shift
//    information" when the first row has no date;
//  - the errors of LoadFieldDef and of the CSV format (blank or missing file).
// A file that is not UTF-8 is read as Windows-1252, with a warning in
// `pLog` (may be null) naming the file; every other problem is thrown.
void LoadCSVTimesheet(TTimesheet& pTimesheet, const std::string& pFileName, TUserFeedback* pLog);

// A CSV timesheet file for a run that costs it a few shifts at a time. The
// file is read once, a piece at a time, for where each shift's rows lie and
// where the shift goes in the order; a shift's rows are read again, and the
// shift built, only when it is added to the timesheet. So neither the
// timesheet nor the source holds the file: a run's memory does not grow
// with its length beyond a few dozen bytes a shift.
//
// The shifts come in the order a loaded and sorted timesheet would have
// them, each as that timesheet would hold it (breaks filled in). Reading
// throws as LoadCSVTimesheet does: a file the scan rejects is read again
// whole, building every shift on the timesheet as a load would, so that it
// fails in the same way and leaves the same shift behind. A file that reads
// leaves the timesheet as it was, with ShiftCount the number of shifts.
class TCSVTimesheetSource {
 public:
  // `pPieceBytes`: how much of the file the scan reads at a time (more when
  // one record is longer).
  TCSVTimesheetSource(TTimesheet& pTimesheet, const std::string& pFileName, TUserFeedback* pLog,
                      size_t pPieceBytes = kPieceBytes);
  ~TCSVTimesheetSource();
  TCSVTimesheetSource(const TCSVTimesheetSource&) = delete;
  TCSVTimesheetSource& operator=(const TCSVTimesheetSource&) = delete;

  static constexpr size_t kPieceBytes = 256 << 10;

  int ShiftCount() const { return static_cast<int>(FShifts.size()); }
  const std::string& EmployeeCode(int pIndex) const { return FCodes[Shift(pIndex).Code]; }
  TDateTime StartDate(int pIndex) const { return Shift(pIndex).Day; }
  // Builds shift pIndex (in the order) and appends it to the timesheet.
  // Throws std::out_of_range for an index outside 0..ShiftCount()-1.
  TTimesheetShift* AddShift(int pIndex);

 private:
  struct TShiftRows {
    uint64_t Begin = 0;   // byte offset of the dated row
    uint32_t Length = 0;  // bytes up to the end of its last continuation row
    uint32_t Code = 0;    // index in FCodes
    TDateTime Day = 0;
    double Start = 0;
  };
  const TShiftRows& Shift(int pIndex) const { return FShifts.at(static_cast<size_t>(pIndex)); }
  // Reads the definition block and header into FTable and FTargets;
  // returns the byte offset of the first data record.
  uint64_t ReadHeader(const std::string& pFileName);
  // The shifts of the file in file order, read without building them;
  // throws whenever a load would.
  // A deque, since a vector that doubles would hold its old and new
  // storage at once, three times the index, just when the index is largest.
  std::deque<TShiftRows> ScanShiftRows(const std::string& pFileName, size_t pPieceBytes);
  // Reads the file whole, building each shift on the timesheet and taking
  // it off again: throws as a load does, leaving the failing shift.
  void BuildEveryShift(const std::string& pFileName);

  TTimesheet& FTimesheet;
  std::unique_ptr<TTimesheetTextFile> FFile;
  std::unique_ptr<TCSVStreamFormat> FFormat;
  std::unique_ptr<TMemoryTable> FTable;
  std::vector<int> FTargets;
  std::vector<std::string> FCodes;
  std::deque<TShiftRows> FShifts;
};

}  // namespace qora
