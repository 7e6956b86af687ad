#include "timesheet/timesheet_text.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "common/format.h"
#include "common/exceptions.h"
#include "common/text_encoding.h"
#include "foundation/user_feedback.h"

namespace qora {

namespace {

void WarnReadAsWindows1252(const std::string& source, TUserFeedback* pLog) {
  if (!pLog) return;
  pLog->AddLogMessage(source + " is not UTF-8 text; it was read as Windows-1252.", 0, TMessageSeverity::ms_Warning,
                      false);
}

}  // namespace

std::string TimesheetTextAsUtf8(std::string_view bytes, const std::string& source, TUserFeedback* pLog) {
  bool converted = false;
  std::string text = TextAsUtf8(bytes, &converted);
  if (converted) WarnReadAsWindows1252(source, pLog);
  return text;
}

std::string ReadTextFileAsUtf8(const std::string& path, TUserFeedback* pLog) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw eLoadFromFileException(Format("Cannot open file \"%s\".", path));
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return TimesheetTextAsUtf8(bytes, Format("The file \"%s\"", path), pLog);
}

namespace {

constexpr size_t kEncodingPiece = 1 << 20;
// Small reads of neighbouring shifts are served from one read of this size.
constexpr size_t kWindow = 64 << 10;

}  // namespace

TTimesheetTextFile::TTimesheetTextFile(const std::string& path, TUserFeedback* pLog)
    : FFile(path, std::ios::binary) {
  if (!FFile) throw eLoadFromFileException(Format("Cannot open file \"%s\".", path));
  // UTF-8 is checked a piece at a time, each piece cut after an ASCII byte:
  // no well-formed sequence holds one, so the pieces are valid exactly when
  // the whole is.
  bool valid = true;
  std::string carry;
  std::string piece(kEncodingPiece, '\0');
  while (FFile) {
    FFile.read(piece.data(), static_cast<std::streamsize>(piece.size()));
    const size_t got = static_cast<size_t>(FFile.gcount());
    if (got == 0) break;
    FSize += got;
    if (!valid) continue;
    carry.append(piece, 0, got);
    size_t cut = carry.size();
    while (cut > 0 && static_cast<unsigned char>(carry[cut - 1]) >= 0x80) --cut;
    valid = IsValidUtf8(std::string_view(carry).substr(0, cut));
    carry.erase(0, cut);
  }
  if (valid && !carry.empty()) valid = IsValidUtf8(carry);
  FWindows1252 = !valid;
  FFile.clear();
  if (FWindows1252) WarnReadAsWindows1252(Format("The file \"%s\"", path), pLog);
}

std::string_view TTimesheetTextFile::Bytes(uint64_t offset, size_t size) {
  if (offset >= FSize) return {};
  if (offset < FWindowStart || offset + size > FWindowStart + FWindow.size()) {
    const size_t want = static_cast<size_t>(std::min<uint64_t>(std::max(size, kWindow), FSize - offset));
    FWindow.resize(want);
    FFile.clear();
    FFile.seekg(static_cast<std::streamoff>(offset));
    FFile.read(FWindow.data(), static_cast<std::streamsize>(want));
    FWindow.resize(static_cast<size_t>(FFile.gcount()));
    FWindowStart = offset;
  }
  const std::string_view window(FWindow);
  return window.substr(static_cast<size_t>(offset - FWindowStart), size);
}

std::string TTimesheetTextFile::AsUtf8(std::string_view raw) const {
  return FWindows1252 ? Windows1252ToUtf8(raw) : std::string(raw);
}

}  // namespace qora
