// The run log: every message of one costing call, in the order it happened.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
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

  // Every message, in order. A long log keeps all but its latest messages
  // in a temporary file (see kMessagesHeld); for such a log the first call
  // reads them back and the log then stays whole in memory, so that
  // whatever reads a whole run's log uses ForEachMessage instead.
  const std::vector<Entry>& Messages() const;
  // Calls `each` with every message, in order, reading kept messages back
  // one at a time.
  void ForEachMessage(const std::function<void(const Entry&)>& each) const;
  int Count() const { return static_cast<int>(FSeverities.size()); }
  // Severity of message `index` (0-based); throws std::out_of_range.
  TMessageSeverity GetSeverity(int index) const;
  int UserMessageCount() const { return Count() - FDebugCount; }
  int DebugMessageCount() const { return FDebugCount; }
  void Clear();

  // Writes the message texts, one per line, each line ended by CR LF, as
  // UTF-8, replacing an existing file. Throws std::runtime_error when the
  // file cannot be written.
  void SaveToFile(const std::string& path) const;

  // How many messages the log holds in memory before it moves them to its
  // temporary file: a run's memory must not grow with its warnings, of
  // which a long run may give one for every other shift.
  static constexpr size_t kMessagesHeld = 4096;

 private:
  struct TCloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  void Append(Entry entry);
  // Moves the held messages to the file; keeps them when it cannot.
  void Spill();

  std::vector<Entry> FMessages;  // the latest messages, after the spilled ones
  std::unique_ptr<std::FILE, TCloseFile> FSpill;
  size_t FSpilled = 0;   // messages in the file, before FMessages
  long FSpillBytes = 0;  // where the file's last whole message ends
  std::vector<TMessageSeverity> FSeverities;  // of every message
  int FDebugCount = 0;
  mutable std::vector<Entry> FAll;  // Messages() of a log with spilled messages
  bool FDebugEnabled = false;
};

}  // namespace qora
