// Guards SQLite's prepared statements against fields read as another kind, a statement blind to a schema change, a lock kept after a run, and a broken cache past its size.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace qora
