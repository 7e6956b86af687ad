// Reading a CSV timesheet file into a timesheet.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/datetime.h"

namespace qora {

class TMemoryTable;
class TTimesheet;
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

// A CSV timesheet file for a run that costs it a few shifts at a time: the
// file's rows stay read, and a shift is built from its rows only when it is
// added to the timesheet, so that the timesheet never holds them all. The
// shifts come in the order a loaded and sorted timesheet would have them,
// each as that timesheet would hold it (breaks filled in). Reading throws
// as LoadCSVTimesheet does. A shift's place in the order is read from its
// rows without building it; a file that fails is read again building every
// shift on the timesheet, as a load would, so that it fails in the same way
// and leaves the same shift behind (a file that reads leaves the timesheet
// as it was, with ShiftCount the number of shifts).
class TCSVTimesheetSource {
 public:
  TCSVTimesheetSource(TTimesheet& pTimesheet, const std::string& pFileName, TUserFeedback* pLog);
  ~TCSVTimesheetSource();
  TCSVTimesheetSource(const TCSVTimesheetSource&) = delete;
  TCSVTimesheetSource& operator=(const TCSVTimesheetSource&) = delete;

  int ShiftCount() const { return static_cast<int>(FShifts.size()); }
  const std::string& EmployeeCode(int pIndex) const { return FShifts.at(static_cast<size_t>(pIndex)).EmployeeCode; }
  TDateTime StartDate(int pIndex) const { return FShifts.at(static_cast<size_t>(pIndex)).Day; }
  // Builds shift pIndex (in the order) and appends it to the timesheet.
  TTimesheetShift* AddShift(int pIndex);

 private:
  struct TShiftRows {
    int First = 0;  // the dated row
    int End = 0;    // one past its last continuation row
    TDateTime Day = 0;
    double Start = 0;
    std::string EmployeeCode;
  };
  // The shifts of the file in file order, read without building them;
  // throws whenever BuildShiftRows would.
  std::vector<TShiftRows> ScanShiftRows(const std::string& pFileName);
  // The same, building each shift on the timesheet and taking it off again.
  std::vector<TShiftRows> BuildShiftRows(const std::string& pFileName);

  TTimesheet& FTimesheet;
  std::unique_ptr<TMemoryTable> FTable;
  std::vector<TShiftRows> FShifts;
};

}  // namespace qora
