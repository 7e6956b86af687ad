// Guards against debug messages kept while debugging is off, wrong counts and message details, and log files
// that append, keep bare line feeds or fail silently.
#include "foundation/user_feedback.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <sstream>

namespace qora {
namespace {

TEST(UserFeedback, DebugSwitchAndCounts) {
  TUserFeedback log;
  log.AddDebugMessage("hidden", 5, TMessageSeverity::ms_Information);
  EXPECT_EQ(log.Count(), 0);
  log.AddLogMessage("forced debug", 5, TMessageSeverity::ms_Warning, true);
  log.AddMessage(TMessageSeverity::ms_Error, TMessageLogType::mlt_Application, "no shift");
  log.SetDebugEnabled(true);
  log.AddDebugMessage("shown", 7, TMessageSeverity::ms_Information);

  ASSERT_EQ(log.Count(), 3);
  EXPECT_EQ(log.DebugMessageCount(), 2);
  EXPECT_EQ(log.UserMessageCount(), 1);
  EXPECT_EQ(log.GetSeverity(0), TMessageSeverity::ms_Warning);
  EXPECT_EQ(log.Messages()[0].Info.LogType, TMessageLogType::mlt_Unknown);
  EXPECT_EQ(log.Messages()[1].Info.LogType, TMessageLogType::mlt_Application);
  EXPECT_EQ(log.Messages()[1].Info.TimesheetID, 0);
  EXPECT_EQ(log.Messages()[2].Info.TimesheetID, 7);
  EXPECT_TRUE(log.Messages()[2].Info.IsDebugMessage);
  EXPECT_THROW(log.GetSeverity(3), std::out_of_range);
}

TEST(UserFeedback, FileHasOneLinePerMessageWithCrLf) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("qora_log_" + std::to_string(::getpid()) + ".log")).string();
  std::ofstream(path) << "old content that must disappear\n";
  TUserFeedback log;
  log.AddLogMessage("first", 0, TMessageSeverity::ms_Error, false);
  log.AddLogMessage("two\nlines", 0, TMessageSeverity::ms_Error, false);
  log.AddLogMessage("", 0, TMessageSeverity::ms_Information, false);
  log.AddLogMessage("caf\xC3\xA9", 0, TMessageSeverity::ms_Information, false);
  log.SaveToFile(path);
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  EXPECT_EQ(content.str(), "first\r\ntwo\r\nlines\r\n\r\ncaf\xC3\xA9\r\n");
  std::filesystem::remove(path);
  EXPECT_THROW(log.SaveToFile("/nonexistent/dir/x.log"), std::runtime_error);
}

TEST(UserFeedback, ALongLogKeepsEveryMessageInOrder) {
  // More messages than the log holds in memory: the older ones go to its temporary file and must come back
  // whole, in order, with their details, by every way the log is read.
  const int total = static_cast<int>(2 * TUserFeedback::kMessagesHeld) + 3;
  const auto text = [](int i) { return i % 1000 == 7 ? std::string() : "message " + std::to_string(i); };
  const auto severity = [](int i) { return static_cast<TMessageSeverity>(i % 3); };
  TUserFeedback log;
  for (int i = 0; i < total; ++i) log.AddLogMessage(text(i), i, severity(i), i % 5 == 0);
  ASSERT_EQ(log.Count(), total);
  EXPECT_EQ(log.DebugMessageCount(), (total + 4) / 5);
  for (const int i : {0, static_cast<int>(TUserFeedback::kMessagesHeld), total - 1}) {
    EXPECT_EQ(log.GetSeverity(i), severity(i)) << i;
  }
  int read = 0;
  log.ForEachMessage([&](const TUserFeedback::Entry& e) {
    const int i = read++;
    EXPECT_EQ(std::tuple(e.Text, e.Info.TimesheetID, e.Info.Severity, e.Info.IsDebugMessage),
              std::tuple(text(i), i, severity(i), i % 5 == 0))
        << i;
  });
  EXPECT_EQ(read, total);
  ASSERT_EQ(static_cast<int>(log.Messages().size()), total);
  EXPECT_EQ(log.Messages()[total - 1].Text, text(total - 1));
  log.AddMessage(TMessageSeverity::ms_Error, TMessageLogType::mlt_Application, "after reading");
  EXPECT_EQ(log.Messages().back().Text, "after reading");

  const std::string path =
      (std::filesystem::temp_directory_path() / ("qora_long_" + std::to_string(::getpid()) + ".log")).string();
  log.SaveToFile(path);
  std::ifstream in(path, std::ios::binary);
  std::string line;
  int lines = 0;
  for (; std::getline(in, line); ++lines) {
    EXPECT_EQ(line, (lines < total ? text(lines) : "after reading") + "\r") << lines;
  }
  EXPECT_EQ(lines, total + 1);
  std::filesystem::remove(path);

  log.Clear();
  log.AddLogMessage("fresh", 1, TMessageSeverity::ms_Warning, false);
  ASSERT_EQ(log.Count(), 1);
  EXPECT_EQ(log.Messages()[0].Text, "fresh");
}

}  // namespace
}  // namespace qora
