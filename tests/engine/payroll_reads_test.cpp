// Guards the payroll connection's held reads on an SQLite file: they share
// one snapshot while held, and anything that writes or unwinds ends it, so
// that no write meets a stale snapshot and no later timesheet reads old data.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "db/connection.h"
#include "engine/payroll_connection.h"

namespace qora {
namespace {

namespace fs = std::filesystem;

class PayrollReadsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = fs::temp_directory_path() / ("qora_payroll_reads_" + std::to_string(::getpid()) + ".db");
    fs::remove(path);
    params = ParseConnectionUri("sqlite:" + path.string());
    other = CreateConnection(params);
    other->Open();
    other->ExecuteScript("create table t (v integer); insert into t values (1);");
    payroll.SetParams(params);
    payroll.Open();
  }
  void TearDown() override {
    payroll.Close();
    other->Close();
    for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(path.string() + suffix);
  }
  int64_t Read() { return payroll.QueryValue("select v from t").AsInteger(); }
  void SetElsewhere(int v) { other->Execute("update t set v = " + std::to_string(v)); }

  fs::path path;
  TDBConnectionParams params;
  std::unique_ptr<TDBConnection> other;
  TPayrollConnection payroll;
};

TEST_F(PayrollReadsTest, HeldReadsShareASnapshotThatWritesAndUnwindingEnd) {
  {
    TPayrollReadHold hold(&payroll);
    EXPECT_EQ(Read(), 1);
    SetElsewhere(2);
    EXPECT_EQ(Read(), 1) << "reads while held share the first read's snapshot";
    hold.End();
    EXPECT_EQ(Read(), 2);
    SetElsewhere(3);
    EXPECT_EQ(Read(), 3) << "after End every read is its own again";
  }

  // A write inside a hold ends the shared read first: from a snapshot older
  // than another connection's commit SQLite refuses to write.
  {
    TPayrollReadHold hold(&payroll);
    EXPECT_EQ(Read(), 3);
    SetElsewhere(4);
    payroll.Execute("update t set v = v + 1");
    EXPECT_EQ(Read(), 5);
  }

  // An error unwinding through a hold ends it.
  EXPECT_THROW(
      {
        TPayrollReadHold hold(&payroll);
        Read();
        throw std::runtime_error("failed part-way");
      },
      std::runtime_error);
  SetElsewhere(6);
  EXPECT_EQ(Read(), 6);
  EXPECT_EQ(payroll.TransactionDepth(), 0);
}

// A run's holds renew between employees once their period has passed, not
// before: a zero period reads every employee afresh, a long one keeps the
// snapshot until the run ends it.
TEST_F(PayrollReadsTest, RunHoldsRenewOnlyOnceTheirPeriodHasPassed) {
  const struct {
    std::chrono::steady_clock::duration period;
    int64_t afterRenew;
  } cases[] = {{std::chrono::steady_clock::duration::zero(), 2}, {std::chrono::hours(1), 1}};
  for (const auto& c : cases) {
    SetElsewhere(1);
    TPayrollReadHolds holds(&payroll, c.period);
    holds.Renew();
    EXPECT_EQ(Read(), 1);
    SetElsewhere(2);
    holds.Renew();
    EXPECT_EQ(Read(), c.afterRenew);
    holds.End();
    EXPECT_EQ(Read(), 2) << "End leaves every read its own";
  }
}

}  // namespace
}  // namespace qora
