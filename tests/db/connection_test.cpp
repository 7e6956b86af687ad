// Guards the connection on every back end against values bound or read back wrongly, dates compared as text, columns found by exact case only, NULL aggregates, lost errors, rewritten statements that fail, and nested transactions.
#include "db/connection.h"

#include <gtest/gtest.h>

#include "db/schema.h"
#include "db/sql_dialect.h"
#include "db_test_support.h"
#include "db/db_error.h"

namespace qora {
namespace {

using testing::BackendParamName;
using testing::DbBackendTest;
using testing::TTestBackend;

class ConnectionTest : public DbBackendTest {
 protected:
  void SetUp() override {
    OpenDatabase(false, false);
    if (IsSkipped()) return;
    Db().Execute("create table t_values (idValue INTEGER PRIMARY KEY, iCount INTEGER, fAmount DOUBLE PRECISION, "
                 "cName VARCHAR(100), dWhen TIMESTAMP, bFlag INTEGER)");
  }
};

TEST_P(ConnectionTest, ParametersRoundTripWithTheirTypes) {
  const TDateTime night = EncodeDateTime(2025, 4, 15, 22, 0, 0);
  struct Case {
    int id;
    TDBValue count;
    TDBValue amount;
    TDBValue name;
    TDBValue when;
    TDBValue flag;
  };
  const Case cases[] = {
      {1, 42, 1234.5678, "O'Brien said \"hi\"; drop table t_values; --", TDBValue::DateTime(night), true},
      {2, -2147483647, 0.1 + 0.2, "", TDBValue::DateTime(EncodeDate(1899, 12, 30)), false},
      {3, TDBValue(), TDBValue(), TDBValue(), TDBValue(), TDBValue()},
      {4, 0, -1e-7, "Ünïcödé – ✓", TDBValue::DateTime(EncodeDateTime(2024, 2, 29, 23, 59, 59)), 1},
  };
  for (const Case& c : cases) {
    Db().Execute("insert into t_values (idValue, iCount, fAmount, cName, dWhen, bFlag) "
                 "values (:Id, :Count, :Amount, :Name, :When, :Flag)",
                 {{"Id", c.id}, {"Count", c.count}, {"Amount", c.amount}, {"Name", c.name}, {"When", c.when},
                  {"Flag", c.flag}});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const TDBResult result = Db().Query("select * from t_values where idValue = :Id", {{"Id", c.id}});
    ASSERT_EQ(result.RowCount(), 1);
    const TDBRow& row = result[0];
    EXPECT_EQ(row["iCount"].IsNull(), c.count.IsNull());
    EXPECT_EQ(row["iCount"].AsInteger(), c.count.AsInteger());
    EXPECT_EQ(row["fAmount"].IsNull(), c.amount.IsNull());
    EXPECT_DOUBLE_EQ(row["fAmount"].AsFloat(), c.amount.AsFloat());
    EXPECT_EQ(row["cName"].AsString(), c.name.AsString());
    EXPECT_EQ(row["dWhen"].IsNull(), c.when.IsNull());
    EXPECT_NEAR(row["dWhen"].AsDateTime(), c.when.AsDateTime(), 1e-9);
    EXPECT_EQ(row["bFlag"].AsBoolean(), c.flag.AsBoolean());
  }
}

TEST_P(ConnectionTest, DatesCompareAsDatesAndKeepTheirTimeOfDay) {
  // The third date is written by hand, without a time, as another tool might.
  Db().Execute("insert into t_values (idValue, dWhen) values (1, :D1), (2, :D2), (3, '2025-04-15')",
               {{"D1", TDBValue::DateTime(EncodeDateTime(2025, 4, 14, 0, 0, 0))},
                {"D2", TDBValue::DateTime(EncodeDateTime(2025, 4, 14, 23, 30, 0))}});
  const TDBParams d14 = {{"D", TDBValue::DateTime(EncodeDate(2025, 4, 14))}};
  const TDBParams d15 = {{"D", TDBValue::DateTime(EncodeDate(2025, 4, 15))}};
  EXPECT_EQ(Db().QueryValue("select idValue from t_values where dWhen = :D", d15).AsInteger(), 3);
  // A date literal as the payroll statements format it, and a bound date.
  EXPECT_EQ(Db().QueryValue("select count(*) from t_values where dWhen < '2025-04-15'").AsInteger(), 2);
  EXPECT_EQ(Db().QueryValue("select count(*) from t_values where dWhen >= '2025-04-14'").AsInteger(), 3);
  EXPECT_EQ(Db().QueryValue("select count(*) from t_values where dWhen <= :D", d14).AsInteger(), 1);
  EXPECT_EQ(Db().QueryValue("select max(dWhen) from t_values where dWhen < :D", d15).AsDateTime(),
            EncodeDateTime(2025, 4, 14, 23, 30, 0));
}

TEST_P(ConnectionTest, ColumnsAreFoundIgnoringCaseAndTheFirstOfTwoNamesWins) {
  Db().Execute("insert into t_values (idValue, iCount, cName) values (1, 5, 'five')");
  const TDBResult result =
      Db().Query("select V.iCount, V.cName, W.idValue * 10 as iCount, 7 as MixedCase from t_values V "
                 "join t_values W on W.idValue = V.idValue");
  ASSERT_EQ(result.RowCount(), 1);
  const TDBRow& row = result[0];
  EXPECT_EQ(row["ICOUNT"].AsInteger(), 5);
  EXPECT_EQ(row["icount"].AsInteger(), 5);
  EXPECT_EQ(row["cname"].AsString(), "five");
  EXPECT_EQ(row["MIXEDCASE"].AsInteger(), 7);
  EXPECT_EQ(row.Field(2).AsInteger(), 10);
  EXPECT_EQ(row.FindField("cMissing"), nullptr);
  try {
    row.FieldByName("cMissing");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Field 'cMissing' not found");
  }
}

TEST_P(ConnectionTest, EmptyResultMeansNoRow) {
  const TDBResult result = Db().Query("select * from t_values where idValue = :Id", {{"Id", 99}});
  EXPECT_TRUE(result.Empty());
  EXPECT_EQ(result.RowCount(), 0);
  EXPECT_TRUE(Db().QueryValue("select iCount from t_values where idValue = 99").IsNull());
  // An aggregate over no rows is one row holding null.
  EXPECT_TRUE(Db().QueryValue("select max(dWhen) from t_values").IsNull());
  EXPECT_EQ(Db().QueryValue("select max(dWhen) from t_values").AsDateTime(), 0.0);
}

TEST_P(ConnectionTest, ServerErrorsBecomEDatabaseErrors) {
  EXPECT_THROW(Db().Query("select * from _estblNoSuchTable"), EDatabaseError);
  EXPECT_THROW(Db().Execute("insert into t_values (idValue) values (1), (1)"), EDatabaseError);
  // The empty ID list of the approved-costing query is rejected by the database.
  EXPECT_THROW(Db().Query("select idValue from t_values where idValue in ()"), EDatabaseError);
  EXPECT_THROW(Db().Query("select * from t_values where idValue = :Id"), EDatabaseError);
  try {
    Db().ExecProc("_esspNoSuchProcedure", {{"iValue", 1}});
    FAIL();
  } catch (const EDatabaseError& e) {
    if (Backend() == TDBBackend::SQLite) {
      EXPECT_STREQ(e.what(), "Could not find stored procedure '_esspNoSuchProcedure'.");
    }
  }
  // The connection is still usable after a failure.
  EXPECT_EQ(Db().QueryValue("select count(*) from t_values").AsInteger(), 0);
}

TEST_P(ConnectionTest, ClosedConnectionRefusesStatementsAndReopens) {
  EXPECT_TRUE(Db().Connected());
  auto other = Database().OpenAnother();
  other->Close();
  EXPECT_FALSE(other->Connected());
  EXPECT_THROW(other->Query("select 1"), EDatabaseError);
  other->Open();
  other->Execute("insert into t_values (idValue, iCount) values (7, 70)");
  EXPECT_EQ(Db().QueryValue("select iCount from t_values where idValue = 7").AsInteger(), 70);
}

TEST_P(ConnectionTest, SqlServerFormsRunAfterRewriting) {
  Db().Execute("insert into t_values (idValue, iCount, dWhen) values (1, 1, NULL), (2, 2, :D), (3, 3, :E)",
               {{"D", TDBValue::DateTime(EncodeDate(2025, 1, 1))}, {"E", TDBValue::DateTime(EncodeDate(2025, 6, 1))}});
  const TDBParams date1 = {{"Date1", TDBValue::DateTime(EncodeDate(2025, 3, 1))}};
  EXPECT_EQ(Db().QueryValue("select top 1 idValue from t_values where ((ISNULL(dWhen,0) < 5) OR (dWhen >= :Date1)) "
                            "order by idValue desc", date1).AsInteger(), 3);
  EXPECT_EQ(Db().QueryValue("select count(*) from dbo.t_values where ISNULL(dWhen,0) < 5").AsInteger(), 1);
  const TDateTime now = Db().QueryValue("select getdate()").AsDateTime();
  EXPECT_NEAR(now, Now(), 1.0 / 24 / 60);
}

// A nested level rolls back alone; the outer level keeps its own work, and
// a guard left without Commit undoes everything it covered.
TEST_P(ConnectionTest, NestedTransactionsUndoOnlyTheirOwnLevel) {
  TDBConnection& c = Db();
  c.Execute("create table t_tx (v integer)");
  {
    TDBTransaction outer(c);
    c.Execute("insert into t_tx (v) values (1)");
    {
      TDBTransaction inner(c);
      c.Execute("insert into t_tx (v) values (2)");
    }
    EXPECT_EQ(c.TransactionDepth(), 1);
    outer.Commit();
  }
  {
    TDBTransaction abandoned(c);
    c.Execute("insert into t_tx (v) values (3)");
  }
  const TDBResult rows = c.Query("select v from t_tx order by v");
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_EQ(rows[0]["v"].AsInteger(), 1);
  EXPECT_EQ(c.TransactionDepth(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, ConnectionTest,
                         testing::AllTestBackends(), BackendParamName);

}  // namespace
}  // namespace qora
