// The text of a timesheet as the readers take it: UTF-8. A file or stored
// document in another encoding is read as Windows-1252, the code page that
// payroll exports of older systems use, and the run log says so.
#pragma once

#include <string>
#include <string_view>

namespace qora {

class TUserFeedback;

// `bytes` as UTF-8 (TextAsUtf8). When it had to be read as Windows-1252,
// `pLog` (may be null) gets the warning "<source> is not UTF-8 text; it was
// read as Windows-1252." with timesheet ID 0; `source` names the text, e.g.
// "The file \"ts.csv\"".
std::string TimesheetTextAsUtf8(std::string_view bytes, const std::string& source, TUserFeedback* pLog);

// The whole file as UTF-8, as above with the source "The file \"<path>\"".
// Throws eLoadFromFileException "Cannot open file \"<path>\"." when it
// cannot be read.
std::string ReadTextFileAsUtf8(const std::string& path, TUserFeedback* pLog);

}  // namespace qora
