// Guards SQLite's prepared statements against fields read as another kind, a statement blind to a schema change, a lock kept after a run, and a broken cache past its size.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "db_test_support.h"

namespace qora {
namespace {

using testing::TTestBackend;
using testing::TTestDatabase;

TEST(SqliteStatementTest, FieldsKeepTheKindOfTheirDeclaredTypeAndFirstRow) {
  TTestDatabase database(TTestBackend::SQLite, false, false);
  TDBConnection& db = database.Connection();
  db.ExecuteScript("create table t (k integer, b bigint, r real, c varchar(9), s timestamp, d datetime);"
                   "insert into t values (1, 3000000000, 2, 5, 7, '2025-04-15 10:20:30.5');");
  const std::pair<const char*, TDBValue> cases[] = {
      {"select b from t", TDBValue(int64_t{3000000000})},
      {"select r from t", TDBValue(2.0)},
      {"select c from t", TDBValue("5")},
      {"select s from t", TDBValue(7)},
      // With parameters, a first run with them null (no row here) decides.
      {"select s from t where k = :K", TDBValue("7")},
      {"select d from t where k = :K", TDBValue::DateTime(EncodeDateTime(2025, 4, 15, 10, 20, 30))},
      {"select count(*) from t", TDBValue("1")},
  };
  for (const auto& [sql, expected] : cases) EXPECT_EQ(db.QueryValue(sql, {{"K", 1}}), expected) << sql;
}

TEST(SqliteStatementTest, StatementsRunAgainSeeSchemaChangesAndHoldNoLock) {
  TTestDatabase database(TTestBackend::SQLite, false, false);
  TDBConnection& db = database.Connection();
  db.ExecuteScript("create table t (k integer); insert into t values (1), (2);");
  EXPECT_EQ(db.Query("select * from t")[0].FieldCount(), 1);
  db.Execute("alter table t add column v varchar(5) default 'x'");
  EXPECT_EQ(db.Query("select * from t")[1]["v"].AsString(), "x");
  // A statement whose rows were not read must not keep the table locked.
  db.Execute("select k from t");
  database.OpenAnother()->Execute("insert into t (k) values (3)");
  for (int i = 0; i < 300; ++i) db.QueryValue("select " + std::to_string(i));
  EXPECT_EQ(db.QueryValue("select count(*) from t where v = 'x'").AsInteger(), 3);
}

// A statement run again binds only what changed since its last run: each
// run must still store its own values, whatever the one before bound.
TEST(SqliteStatementTest, ARunStoresItsOwnValuesWhateverTheLastRunBound) {
  TTestDatabase database(TTestBackend::SQLite, false, false);
  TDBConnection& db = database.Connection();
  db.ExecuteScript("create table t (n integer primary key, a varchar(400), b real, d datetime)");
  const TDBValue day1 = TDBValue::DateTime(EncodeDateTime(2025, 4, 14, 0, 0, 0));
  const TDBValue day2 = TDBValue::DateTime(EncodeDateTime(2025, 4, 15, 0, 0, 0));
  const std::string long_text = std::string(300, 'x') + "y";
  const std::vector<std::array<TDBValue, 3>> runs = {
      {TDBValue("abc"), TDBValue(1), day1},        {TDBValue("abc"), TDBValue(1), day1},
      {TDBValue("abd"), TDBValue(1.5), day2},      {TDBValue(), TDBValue(1.5), day2},
      {TDBValue(long_text), TDBValue(2), day1},    {TDBValue(""), TDBValue(2), TDBValue()},
      {TDBValue(long_text + "z"), TDBValue(), day1}, {TDBValue("abd"), TDBValue(3), day2},
  };
  for (const auto& run : runs) {
    db.Execute("insert into t (a, b, d) values (:A, :B, :D)", {{"A", run[0]}, {"B", run[1]}, {"D", run[2]}});
  }
  const TDBResult rows = db.Query("select a, b, d from t order by n");
  ASSERT_EQ(rows.RowCount(), static_cast<int>(runs.size()));
  for (size_t i = 0; i < runs.size(); ++i) {
    for (int f = 0; f < 3; ++f) {
      const TDBValue& stored = rows[static_cast<int>(i)].Field(f);
      const TDBValue& bound = runs[i][static_cast<size_t>(f)];
      EXPECT_EQ(stored.IsNull(), bound.IsNull()) << "run " << i << " field " << f;
      if (bound.IsNull()) continue;
      if (f == 2) {
        EXPECT_EQ(stored.AsDateTime(), bound.AsDateTime()) << "run " << i;
      } else {
        EXPECT_EQ(stored.AsString(), bound.AsString()) << "run " << i << " field " << f;
      }
    }
  }
}

}  // namespace
}  // namespace qora
