// Reading a CSV timesheet file into a timesheet.
#pragma once

#include <string>

namespace qora {

class TTimesheet;
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

}  // namespace qora
