// The table that a CSV timesheet file is read into, and the extra columns
// that a file declares through its own header line.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "timesheet/csv_memory_table.h"

namespace qora {

// A table named "tblTimesheet", not yet created, with the nine standard
// columns in order: cEmployeeCode (text 20, required), dDayWorked (text 12),
// dStart, dRosterStart, dEnd, dRosterEnd (text 8), iRosterBreak (integer),
// cWorkCode, cJobTitle (text 200).
std::unique_ptr<TMemoryTable> CreateTimesheetTable();

// The definition of an extra column named in a header: a name of at least
// two characters that starts with "f" is floating point (a distance, a unit
// count); anything else is text of 200 characters.
TFieldDef ExtraColumnDef(const std::string& name);

// Adds a field definition, typed by ExtraColumnDef, for every header name
// of the CSV file that the table does not define yet, in header order. The
// header is the file's first line (a definition block is skipped), read up
// to the first empty name and at most 100 names. Names the table already
// defines keep their definitions.
// Throws eLoadFromFileException with
//  - "Error in LoadFieldDef: Cannot create custom fields - the table is already open."
//    when the table is open;
//  - "Error in LoadFieldDef: Cannot create custom fields - there are already fields defined."
//    when the table's fields have been created (CreateTable) already;
//  - "Error in LoadFieldDef: No fields defined, or file <file> is blank"
//    when the file has no line;
//  - the CSV format's "Cannot open file" error when it cannot be read.
void LoadFieldDef(TMemoryTable& table, const std::string& file_name);
// As LoadFieldDef, from the file's text (UTF-8) already read; `file_name`
// only names the file in the blank-file message.
void LoadFieldDefFromText(TMemoryTable& table, std::string_view text, const std::string& file_name);

}  // namespace qora
