// Guards the costing jobs against wrong result codes, logs not written or not replaced, the trial switch, and fallback log names that leave the current folder.
#include "engine/costing_jobs.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace qora {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Each test works in a folder of its own, which is also the current folder
// (the stored-timesheet job writes its trial and fallback files there).
struct JobFixture : ::testing::Test {
  fs::path dir;
  fs::path previous;
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("qora_jobs_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
           std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    previous = fs::current_path();
    fs::current_path(dir);
  }
  void TearDown() override {
    fs::current_path(previous);
    fs::remove_all(dir);
  }
};

const ConnectionParams kUnreachable{"postgresql://127.0.0.1:1", "qiv", "user", "secret"};

TEST_F(JobFixture, FileJobWithUnreachableServerReturns1AndWritesTheLog) {
  std::ofstream(dir / "ts.csv") << "x";
  EXPECT_EQ(RunTimesheetFileJob((dir / "ts.csv").string(), (dir / "out.csv").string(), 3, kUnreachable),
            kResultDatabase);
  const std::string log = ReadFile(dir / "out.log");
  EXPECT_NE(log.find("127.0.0.1"), std::string::npos) << log;
  EXPECT_NE(log.find("\r\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir / "out.csv"));
}

TEST_F(JobFixture, FileJobLoadFailureIsLoggedAndTheLogReplacesAnOldOne) {
  std::ofstream(dir / "out.log") << "stale";
  // An empty SQLite database opens, so the job reaches the timesheet loader.
  const ConnectionParams sqlite{"sqlite", (dir / "empty.db").string(), "", ""};
  const int32_t rc = RunTimesheetFileJob((dir / "missing.csv").string(), (dir / "out.csv").string(), 3, sqlite);
  EXPECT_NE(rc, kResultOK);
  EXPECT_NE(rc, kResultDatabase);  // the connection was open at the end
  const std::string log = ReadFile(dir / "out.log");
  EXPECT_EQ(log.find("stale"), std::string::npos);
  EXPECT_NE(log.find("missing.csv"), std::string::npos) << log;
}

TEST_F(JobFixture, WebConfigJobWithoutConfigFails) {
  const fs::path host = dir / "host";
  fs::create_directories(host);
  EXPECT_EQ(RunWebConfigJob((dir / "ts.csv").string(), host.string()), kResultSetupFailed);
  EXPECT_EQ(ReadFile(dir / "ts.log"),
            "Could not find the \"web.config\" file in directory: \"" + host.string() + "\".\r\n");
}

TEST_F(JobFixture, WebConfigJobWithUnreachableServerReturns4) {
  std::ofstream(dir / "web.config")
      << "<configuration><appSettings><add key=\"CS\" value=\"postgresql://127.0.0.1:1\"/>"
         "<add key=\"CDB\" value=\"qiv\"/></appSettings></configuration>";
  EXPECT_EQ(RunWebConfigJob((dir / "ts.csv").string(), dir.string()), kResultNoConnection);
  EXPECT_NE(ReadFile(dir / "ts.log").find("127.0.0.1"), std::string::npos);
}

TEST_F(JobFixture, StoredJobTrialSwitchDeletesTheTrialFile) {
  struct Case {
    std::string guid;
    bool trial_file_deleted;
  };
  for (const Case& c : {Case{"TestDebug-1", true}, Case{"test-1", false}, Case{"Debug", false}}) {
    std::ofstream(kTrialCostingFile) << "old costing";
    EXPECT_EQ(RunStoredTimesheetJob("12=1", 7, c.guid, kUnreachable), kResultDatabase) << c.guid;
    EXPECT_EQ(!fs::exists(kTrialCostingFile), c.trial_file_deleted) << c.guid;
    // Without a connection the run log cannot be stored; it is kept in a file.
    EXPECT_TRUE(fs::exists("qora_" + c.guid + ".log")) << c.guid;
  }
}

TEST_F(JobFixture, StoredJobFallbackLogNameKeepsToTheCurrentFolder) {
  EXPECT_EQ(RunStoredTimesheetJob("1=1", 0, "../x/y", kUnreachable), kResultDatabase);
  EXPECT_TRUE(fs::exists("qora____x_y.log"));
}

}  // namespace
}  // namespace qora
