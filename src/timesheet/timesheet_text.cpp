#include "timesheet/timesheet_text.h"

#include <fstream>
#include <iterator>

#include "common/format.h"
#include "common/exceptions.h"
#include "common/text_encoding.h"
#include "foundation/user_feedback.h"

namespace qora {

std::string TimesheetTextAsUtf8(std::string_view bytes, const std::string& source, TUserFeedback* pLog) {
  bool converted = false;
  std::string text = TextAsUtf8(bytes, &converted);
  if (converted && pLog) {
    pLog->AddLogMessage(source + " is not UTF-8 text; it was read as Windows-1252.", 0,
                        TMessageSeverity::ms_Warning, false);
  }
  return text;
}

std::string ReadTextFileAsUtf8(const std::string& path, TUserFeedback* pLog) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw eLoadFromFileException(Format("Cannot open file \"%s\".", path));
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return TimesheetTextAsUtf8(bytes, Format("The file \"%s\"", path), pLog);
}

}  // namespace qora
