// The text of a timesheet as the readers take it: UTF-8. A file or stored
// document in another encoding is read as Windows-1252, the code page that
// payroll exports of older systems use, and the run log says so.
#pragma once

#include <cstdint>
#include <fstream>
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

// A timesheet file read a piece at a time, for a run that must not hold a
// long file whole. The file is read through once on opening to tell
// whether it is UTF-8; pieces are then read as raw bytes, which AsUtf8
// turns into the text ReadTextFileAsUtf8 would have given for them.
class TTimesheetTextFile {
 public:
  // Logs the Windows-1252 warning as ReadTextFileAsUtf8 does. Throws
  // eLoadFromFileException "Cannot open file \"<path>\"." when the file
  // cannot be read.
  TTimesheetTextFile(const std::string& path, TUserFeedback* pLog);

  uint64_t Size() const { return FSize; }
  // Up to `size` raw bytes from byte `offset`: fewer at the end of the
  // file, none past it. The view lasts until the next call.
  std::string_view Bytes(uint64_t offset, size_t size);
  // Raw bytes of the file as UTF-8 text. Cutting a file anywhere and
  // converting the pieces gives the text of the whole, since Windows-1252
  // has one byte a character.
  std::string AsUtf8(std::string_view raw) const;

 private:
  std::ifstream FFile;
  uint64_t FSize = 0;
  bool FWindows1252 = false;
  // The bytes last read, from FWindowStart: a run reads neighbouring
  // shifts one after the other.
  std::string FWindow;
  uint64_t FWindowStart = 0;
};

}  // namespace qora
