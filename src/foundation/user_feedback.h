// The run log: every message of one costing call, in the order it happened.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/enums.h"
#include "foundation/base_object.h"

namespace qora {

// What the run log knows about one message besides its text.
struct TMessageObject {
  bool IsDebugMessage = false;
  int32_t TimesheetID = 0;  // 0 when the message belongs to no stored timesheet
  TMessageSeverity Severity = TMessageSeverity::ms_Information;
  TMessageLogType LogType = TMessageLogType::mlt_Unknown;
};

class TUserFeedback : public TnxBaseObject {
  QORA_CLASS(TUserFeedback, TnxBaseObject)

 public:
  struct Entry {
    std::string Text;
    TMessageObject Info;
  };

  bool DebugEnabled() const { return FDebugEnabled; }
  void SetDebugEnabled(bool value) { FDebugEnabled = value; }

  // Always appends, whatever DebugEnabled says; log type mlt_Unknown.
  void AddLogMessage(std::string_view message, int32_t timesheet_id, TMessageSeverity severity,
                     bool is_debug_message);
  // Appends a debug message only when DebugEnabled.
  void AddDebugMessage(std::string_view message, int32_t timesheet_id, TMessageSeverity severity);
  // Always appends, with timesheet ID 0 and not as a debug message.
  void AddMessage(TMessageSeverity severity, TMessageLogType log_type, std::string_view message);

  const std::vector<Entry>& Messages() const { return FMessages; }
  int Count() const { return static_cast<int>(FMessages.size()); }
  // Severity of message `index` (0-based); throws std::out_of_range.
  TMessageSeverity GetSeverity(int index) const;
  int UserMessageCount() const;
  int DebugMessageCount() const;
  void Clear() { FMessages.clear(); }

  // Writes the message texts, one per line, each line ended by CR LF, as
  // UTF-8, replacing an existing file. Throws std::runtime_error when the
  // file cannot be written.
  void SaveToFile(const std::string& path) const;

 private:
  std::vector<Entry> FMessages;
  bool FDebugEnabled = false;
};

}  // namespace qora
