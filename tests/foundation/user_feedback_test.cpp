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

}  // namespace
}  // namespace qora
