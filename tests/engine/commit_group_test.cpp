// Guards grouped commits of stored timesheets' costing against a failed
// timesheet undoing the ones before it in its group, a group left open
// (or nested again) between timesheets, and a group that commits before its
// span or not after it. Run on every back end: after a failed statement
// PostgreSQL refuses the rest of a transaction unless its savepoint is
// rolled back, and through ODBC the timesheets are not grouped.
#include "engine/commit_group.h"

#include <gtest/gtest.h>

#include <chrono>

#include "db/db_error.h"
#include "../db/db_test_support.h"

namespace qora {
namespace {

using testing::BackendParamName;

class CommitGroupTest : public testing::DbBackendTest {
 protected:
  void SetUp() override {
    OpenDatabase(false, false);
    if (IsSkipped()) return;
    Db().Execute("create table t_group (v integer)");
  }
  void Insert(int v) { Db().Execute("insert into t_group (v) values (:v)", {{"v", v}}); }
  std::string Stored() {
    std::string out;
    for (const TDBRow& row : Db().Query("select v from t_group order by v")) out += row["v"].AsString() + ";";
    return out;
  }
};

TEST_P(CommitGroupTest, AFailedTimesheetIsUndoneAloneAndTheGroupCommitsTheRest) {
  if (IsSkipped()) return;
  TDBConnection& c = Db();
  {
    TCostingCommitGroup group(&c, std::chrono::hours(1));
    group.Open();
    {
      TDBTransaction first(c);
      Insert(1);
      first.Commit();
    }
    group.CommitIfDue();  // not due
    group.Open();         // open already: no second level
    EXPECT_EQ(c.TransactionDepth(), c.LevelsOutliveFailures() ? 1 : 0);
    {
      TDBTransaction failing(c);
      Insert(2);
      EXPECT_THROW(c.Execute("insert into t_group_missing (v) values (3)"), EDatabaseError);
    }
    EXPECT_EQ(c.TransactionDepth(), c.LevelsOutliveFailures() ? 1 : 0);
  }  // the run ends on the failure: the group commits what came before it
  EXPECT_EQ(c.TransactionDepth(), 0);
  EXPECT_EQ(Stored(), "1;");

  TCostingCommitGroup due(&c, std::chrono::milliseconds(0));
  due.Open();
  Insert(4);
  due.CommitIfDue();
  EXPECT_EQ(c.TransactionDepth(), 0);
  EXPECT_EQ(Stored(), "1;4;");
}

INSTANTIATE_TEST_SUITE_P(Backends, CommitGroupTest, testing::AllTestBackends(), BackendParamName);

}  // namespace
}  // namespace qora
