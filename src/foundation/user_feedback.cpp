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
  FMessages.push_back(Entry{std::string(message),
                            TMessageObject{is_debug_message, timesheet_id, severity, TMessageLogType::mlt_Unknown}});
}

void TUserFeedback::AddDebugMessage(std::string_view message, int32_t timesheet_id, TMessageSeverity severity) {
  if (FDebugEnabled) AddLogMessage(message, timesheet_id, severity, true);
}

void TUserFeedback::AddMessage(TMessageSeverity severity, TMessageLogType log_type, std::string_view message) {
  FMessages.push_back(Entry{std::string(message), TMessageObject{false, 0, severity, log_type}});
}

TMessageSeverity TUserFeedback::GetSeverity(int index) const {
  return FMessages.at(static_cast<size_t>(index)).Info.Severity;
}

int TUserFeedback::UserMessageCount() const {
  return static_cast<int>(
      std::count_if(FMessages.begin(), FMessages.end(), [](const Entry& e) { return !e.Info.IsDebugMessage; }));
}

int TUserFeedback::DebugMessageCount() const { return Count() - UserMessageCount(); }

void TUserFeedback::SaveToFile(const std::string& path) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("Cannot create file \"" + path + "\".");
  for (const Entry& e : FMessages) {
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
  }
  if (!out) throw std::runtime_error("Cannot write file \"" + path + "\".");
}

}  // namespace qora
