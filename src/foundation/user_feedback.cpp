#include "foundation/user_feedback.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TUserFeedback::StaticClassInfo() {
  static const ClassInfo& info =
      ClassBuilder<TUserFeedback>("TUserFeedback")
          .Field("DebugEnabled", &TUserFeedback::FDebugEnabled)
          .Getter("UserMessageCount", PropKind::Integer, [](const TUserFeedback& f) { return f.UserMessageCount(); })
          .Getter("DebugMessageCount", PropKind::Integer, [](const TUserFeedback& f) { return f.DebugMessageCount(); })
          .Build();
  return info;
}

void TUserFeedback::AddLogMessage(std::string_view message, int32_t timesheet_id, TMessageSeverity severity,
                                  bool is_debug_message) {
  Append(Entry{std::string(message),
               TMessageObject{is_debug_message, timesheet_id, severity, TMessageLogType::mlt_Unknown}});
}

void TUserFeedback::AddDebugMessage(std::string_view message, int32_t timesheet_id, TMessageSeverity severity) {
  if (FDebugEnabled) AddLogMessage(message, timesheet_id, severity, true);
}

void TUserFeedback::AddMessage(TMessageSeverity severity, TMessageLogType log_type, std::string_view message) {
  Append(Entry{std::string(message), TMessageObject{false, 0, severity, log_type}});
}

void TUserFeedback::Append(Entry entry) {
  FSeverities.push_back(entry.Info.Severity);
  if (entry.Info.IsDebugMessage) ++FDebugCount;
  // Once read back whole, the log stays whole in memory for its reader,
  // who may read it again after each step of a run.
  if (!FAll.empty()) FAll.push_back(entry);
  FMessages.push_back(std::move(entry));
  if (FMessages.size() >= kMessagesHeld) Spill();
}

namespace {

// A spilled message: its details and text length as one fixed record, then
// the text.
struct TSpilledHead {
  int32_t TimesheetID;
  int32_t Severity;
  int32_t LogType;
  uint8_t IsDebugMessage;
  uint64_t TextSize;
};

}  // namespace

void TUserFeedback::Spill() {
  if (!FSpill) FSpill.reset(std::tmpfile());
  if (!FSpill) return;  // no temporary file: the messages stay in memory
  std::FILE* file = FSpill.get();
  bool written = std::fseek(file, FSpillBytes, SEEK_SET) == 0;
  for (size_t i = 0; written && i < FMessages.size(); ++i) {
    const Entry& e = FMessages[i];
    const TSpilledHead head{e.Info.TimesheetID, static_cast<int32_t>(e.Info.Severity),
                            static_cast<int32_t>(e.Info.LogType), e.Info.IsDebugMessage, e.Text.size()};
    written = std::fwrite(&head, sizeof head, 1, file) == 1 &&
              std::fwrite(e.Text.data(), 1, e.Text.size(), file) == e.Text.size();
  }
  const long end = written && std::fflush(file) == 0 ? std::ftell(file) : -1;
  // A full disk keeps the messages in memory; what was half written is
  // overwritten by the next spill and never read.
  if (end < 0) return;
  FSpillBytes = end;
  FSpilled += FMessages.size();
  FMessages.clear();
}

void TUserFeedback::ForEachMessage(const std::function<void(const Entry&)>& each) const {
  if (FSpilled > 0) {
    std::FILE* file = FSpill.get();
    if (std::fseek(file, 0, SEEK_SET) != 0) throw std::runtime_error("The run log's temporary file cannot be read.");
    Entry e;
    for (size_t i = 0; i < FSpilled; ++i) {
      TSpilledHead head{};
      if (std::fread(&head, sizeof head, 1, file) != 1) {
        throw std::runtime_error("The run log's temporary file cannot be read.");
      }
      e.Info = TMessageObject{head.IsDebugMessage != 0, head.TimesheetID, static_cast<TMessageSeverity>(head.Severity),
                              static_cast<TMessageLogType>(head.LogType)};
      e.Text.resize(head.TextSize);
      if (std::fread(e.Text.data(), 1, e.Text.size(), file) != e.Text.size()) {
        throw std::runtime_error("The run log's temporary file cannot be read.");
      }
      each(e);
    }
  }
  for (const Entry& e : FMessages) each(e);
}

const std::vector<TUserFeedback::Entry>& TUserFeedback::Messages() const {
  if (FSpilled == 0) return FMessages;
  if (FAll.empty()) {
    FAll.reserve(static_cast<size_t>(Count()));
    ForEachMessage([this](const Entry& e) { FAll.push_back(e); });
  }
  return FAll;
}

TMessageSeverity TUserFeedback::GetSeverity(int index) const { return FSeverities.at(static_cast<size_t>(index)); }

void TUserFeedback::Clear() {
  FMessages.clear();
  FSpill.reset();
  FSpilled = 0;
  FSpillBytes = 0;
  FSeverities.clear();
  FDebugCount = 0;
  FAll.clear();
}

void TUserFeedback::SaveToFile(const std::string& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("Cannot create file \"" + path + "\".");
  ForEachMessage([&out](const Entry& e) {
    // A message that holds line breaks of its own spans several lines; each
    // line of the file ends in CR LF.
    std::string_view text = e.Text;
    size_t pos = 0;
    while (pos <= text.size()) {
      size_t nl = text.find_first_of("\r\n", pos);
      if (nl == std::string_view::npos) {
        out << text.substr(pos) << "\r\n";
        break;
      }
      out << text.substr(pos, nl - pos) << "\r\n";
      pos = nl + ((text[nl] == '\r' && nl + 1 < text.size() && text[nl + 1] == '\n') ? 2 : 1);
      if (pos == text.size()) break;
    }
  });
  if (!out) throw std::runtime_error("Cannot write file \"" + path + "\".");
}

}  // namespace qora
