// Guards statement text against parameters bound in the wrong order or inside literals, comments and casts, missing parameters, ID lists that smuggle SQL, and wrong quoting or GO batches; and the dialects against SQL Server forms left unrewritten or rewritten inside literals, dates compared as text on SQLite, table-valued functions not expanded, and wrong procedure calls or date literals.
#include "db/sql_dialect.h"

#include <gtest/gtest.h>

#include "db/db_error.h"
#include "db/sql_text.h"
#include "db_test_support.h"

namespace qora {
namespace {

using testing::ErrorOf;

const TSqlDialect& Sqlite() { return DialectFor(TDBBackend::SQLite); }
const TSqlDialect& Postgres() { return DialectFor(TDBBackend::PostgreSQL); }
const TSqlDialect& SqlServer() { return DialectFor(TDBBackend::SqlServer); }

TEST(SqlDialectTest, RewritesSqlServerFormsForSqliteAndPostgres) {
  struct Case {
    const char* sql;
    const char* sqlite;
    const char* postgres;
  };
  const Case cases[] = {
      {"select * from _ipvEmployeeAwards WHERE ((ISNULL(dEndDate,0) < 5) OR (dEndDate >= :Date1))",
       "select * from _ipvEmployeeAwards WHERE ((julianday(COALESCE(dEndDate, '1899-12-30 00:00:00')) < "
       "julianday('1900-01-04 00:00:00')) OR (julianday(dEndDate) >= julianday(:Date1)))",
       "select * from _ipvEmployeeAwards WHERE ((COALESCE(dEndDate, TIMESTAMP '1899-12-30 00:00:00') < "
       "TIMESTAMP '1900-01-04 00:00:00') OR (dEndDate >= :Date1))"},
      {"select ISNULL(fRate, 0), isnull(cCode,'') from t", "select COALESCE(fRate, 0), COALESCE(cCode,'') from t",
       "select COALESCE(fRate, 0), COALESCE(cCode,'') from t"},
      {"select ISNULL(ISNULL(a, b), 1) from t", "select COALESCE(COALESCE(a, b), 1) from t",
       "select COALESCE(COALESCE(a, b), 1) from t"},
      {"select myisnull(a, b), IsNull\t (c, 1), isnullx(d) from t",
       "select myisnull(a, b), COALESCE(c, 1), isnullx(d) from t",
       "select myisnull(a, b), COALESCE(c, 1), isnullx(d) from t"},
      {"select top 1 PeriodEnd from PRPeriod where isProcessed = 0",
       "select PeriodEnd from PRPeriod where isProcessed = 0 LIMIT 1",
       "select PeriodEnd from PRPeriod where isProcessed = 0 LIMIT 1"},
      {"select top 1 PR.PeriodEnd from _ipvEmployeeTrans ET order by PR.PeriodEnd DESC ",
       "select PR.PeriodEnd AS PeriodEnd from _ipvEmployeeTrans ET order by PR.PeriodEnd DESC LIMIT 1",
       "select PR.PeriodEnd from _ipvEmployeeTrans ET order by PR.PeriodEnd DESC LIMIT 1"},
      {"select distinct R.iTimesheetID, iCostingType, max(C.fValue) as f, T.* from C join R\n"
       "on 1 = 1 order by iTimesheetID",
       "select distinct R.iTimesheetID AS iTimesheetID, iCostingType, max(C.fValue) as f, T.* from C join R\n"
       "on 1 = 1 order by iTimesheetID",
       "select distinct R.iTimesheetID, iCostingType, max(C.fValue) as f, T.* from C join R\n"
       "on 1 = 1 order by iTimesheetID"},
      {"select distinct TOP (5) x from t;", "select distinct x from t LIMIT 5", "select distinct x from t LIMIT 5"},
      {"select * from [dbo]._efnGetFreqPeriodData(1, 0)", nullptr,
       "select * from _efnGetFreqPeriodData(1, 0)"},
      {"where R.dDateWorked >= [dbo].[_esfnTimesheetCycleFromDate](14,'2025-01-06','2025-04-20')",
       "where julianday(R.dDateWorked) >= julianday(_esfnTimesheetCycleFromDate(14,'2025-01-06 00:00:00',"
       "'2025-04-20 00:00:00'))",
       "where R.dDateWorked >= _esfnTimesheetCycleFromDate(14,'2025-01-06','2025-04-20')"},
      {"select * from dbo._ipvAwardJobs where iAwardID = 1", "select * from _ipvAwardJobs where iAwardID = 1",
       "select * from _ipvAwardJobs where iAwardID = 1"},
      {"and ((dEndDate >= '2025-04-14') or (dEndDate <= 5)) and iChangeType <> 3",
       "and ((julianday(dEndDate) >= julianday('2025-04-14 00:00:00')) or (julianday(dEndDate) <= "
       "julianday('1900-01-04 00:00:00'))) and iChangeType <> 3",
       "and ((dEndDate >= '2025-04-14') or (dEndDate <= TIMESTAMP '1900-01-04 00:00:00')) and iChangeType <> 3"},
      {"insert into t (d, c) values (getdate(), 'getdate() and ISNULL(dX,0) < 5 and dbo.x')",
       "insert into t (d, c) values (datetime('now', 'localtime'), 'getdate() and ISNULL(dX,0) < 5 and dbo.x')",
       "insert into t (d, c) values (LOCALTIMESTAMP(0), 'getdate() and ISNULL(dX,0) < 5 and dbo.x')"},
      // Comments are left alone; a call with too few arguments is left for the database to reject.
      {"select 1 -- dbo.y ISNULL(\n/* getdate() */ from _efnGetFreqPeriodData(1)",
       "select 1 -- dbo.y ISNULL(\n/* getdate() */ from _efnGetFreqPeriodData(1)",
       "select 1 -- dbo.y ISNULL(\n/* getdate() */ from _efnGetFreqPeriodData(1)"},
      {"select fValue from t where iCostingType = 1 and database = 5 and dbox.d = 2",
       "select fValue from t where iCostingType = 1 and database = 5 and dbox.d = 2",
       "select fValue from t where iCostingType = 1 and database = 5 and dbox.d = 2"},
      {"where cText = '2025-04-14x' and iDays = 5", "where cText = '2025-04-14x' and iDays = 5",
       "where cText = '2025-04-14x' and iDays = 5"},
      // SQLite compares dates by value, however each side was written; a SET assigns.
      {"update T set dEndDate = :D where dEffectiveDate<:E and PR.PeriodEnd > '2025-01-01'",
       "update T set dEndDate = :D where julianday(dEffectiveDate) < julianday(:E) and julianday(PR.PeriodEnd) > "
       "julianday('2025-01-01 00:00:00')",
       "update T set dEndDate = :D where dEffectiveDate<:E and PR.PeriodEnd > '2025-01-01'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sql);
    if (c.sqlite) {
      EXPECT_EQ(Sqlite().Rewrite(c.sql), c.sqlite);
    }
    EXPECT_EQ(Postgres().Rewrite(c.sql), c.postgres);
    EXPECT_EQ(SqlServer().Rewrite(c.sql), c.sql);
  }
}

TEST(SqlDialectTest, ProcedureCallsPerBackEnd) {
  const TDBParams params = {{"iSeverity", 2}, {"cMessage", "x"}};
  EXPECT_EQ(Postgres().ProcedureCall("_esspAddTimesheetMessage", params),
            "CALL _esspAddTimesheetMessage(p_iSeverity => :iSeverity, p_cMessage => :cMessage)");
  EXPECT_EQ(SqlServer().ProcedureCall("_esspAddTimesheetMessage", params),
            "SET NOCOUNT ON; EXEC _esspAddTimesheetMessage @iSeverity = :iSeverity, @cMessage = :cMessage;");
  EXPECT_EQ(Sqlite().ProcedureCall("_esspAddTimesheetMessage", params), "");
  const TDBParams withOutput = {{"iEmployeeID", 1}, {"Message", TDBValue(), true}};
  EXPECT_EQ(SqlServer().ProcedureCall("_ipspUpdateEmployeeAward_TD", withOutput),
            "SET NOCOUNT ON; DECLARE @o_Message NVARCHAR(4000) = :Message; EXEC _ipspUpdateEmployeeAward_TD "
            "@iEmployeeID = :iEmployeeID, @Message = @o_Message OUTPUT; SELECT @o_Message AS Message;");
  EXPECT_EQ(Postgres().OutputColumn("Message"), "p_Message");
  const TDateTime d = EncodeDateTime(2025, 4, 15, 22, 0, 0);
  EXPECT_EQ(Sqlite().DateTimeLiteral(d), "'2025-04-15 22:00:00'");
  EXPECT_EQ(Postgres().DateTimeLiteral(d), "TIMESTAMP '2025-04-15 22:00:00'");
  EXPECT_EQ(SqlServer().DateTimeLiteral(d), "{ts '2025-04-15 22:00:00'}");
}

std::string Marker(int k) { return "$" + std::to_string(k); }

TEST(SqlTextTest, BindsNamedParametersInOrderIgnoringCase) {
  const TDBParams params = {{"Date1", TDBValue::DateTime(45000)}, {"EmployeeID", 7}, {"Unused", "x"}};
  const TBoundStatement bound = BindParameters(
      "select * from V where ((ISNULL(dEndDate,0) < 5) OR (dEndDate >= :Date1)) and dEffectiveDate <= :date1 "
      "and iEmployeeID = :EmployeeId",
      params, Marker);
  EXPECT_EQ(bound.Sql,
            "select * from V where ((ISNULL(dEndDate,0) < 5) OR (dEndDate >= $1)) and dEffectiveDate <= $2 "
            "and iEmployeeID = $3");
  ASSERT_EQ(bound.Values.size(), 3u);
  EXPECT_EQ(bound.Values[0], TDBValue::DateTime(45000));
  EXPECT_EQ(bound.Values[1], TDBValue::DateTime(45000));
  EXPECT_EQ(bound.Values[2], TDBValue(7));
}

TEST(SqlTextTest, LeavesLiteralsCommentsCastsAndTimesAlone) {
  const TBoundStatement bound = BindParameters(
      "select ':NotA' as a, \"col:x\", [b:c], x::int, '12:30' -- :comment\n, 10:30 /* :c */ from t where a = :A",
      {{"A", 1}}, Marker);
  EXPECT_EQ(bound.Sql,
            "select ':NotA' as a, \"col:x\", [b:c], x::int, '12:30' -- :comment\n, 10:30 /* :c */ from t where a = $1");
  EXPECT_EQ(bound.Values.size(), 1u);
}

TEST(SqlTextTest, MissingParameterIsAnError) {
  EXPECT_EQ(ErrorOf<EDatabaseError>([] { BindParameters("select 1 where a = :TimesheetRowID", {{"TimesheetID", 1}}, Marker); }),
            "Parameter 'TimesheetRowID' not found");
}

TEST(SqlTextTest, ValidatesIdListsBeforeTheyAreFormattedIntoStatements) {
  const std::pair<const char*, const char*> good[] = {{"1,2,3", "1,2,3"}, {" 7 , 12", "7,12"}, {"", ""},
                                                      {"   ", ""},         {"42", "42"},        {"-1,5", "-1,5"}};
  for (const auto& [ids, normalised] : good) EXPECT_EQ(ValidateIdList(ids), normalised) << ids;
  for (const char* bad : {"1,,2", "1,", ",1", "1;drop table x", "1 2", "1)", "0x10", "1.5", "-", "1,2) or (1=1",
                          "123456789012"}) {
    EXPECT_EQ(ErrorOf<EDatabaseError>([&] { ValidateIdList(bad); }), std::string("Invalid ID list \"") + bad + "\"");
  }
}

TEST(SqlTextTest, QuotesTextAndDates) {
  EXPECT_EQ(SqlQuote("O'Brien"), "'O''Brien'");
  EXPECT_EQ(SqlQuote(""), "''");
  EXPECT_EQ(SqlDateLiteral(EncodeDateTime(2025, 4, 14, 13, 0, 0)), "'2025-04-14'");
}

TEST(SqlTextTest, SplitsSqlServerScriptsAtGoLines) {
  const auto batches = SplitGoBatches("CREATE TABLE a (x INT);\nGO\n  go  \nCREATE VIEW v AS SELECT x FROM a;\nGO\nGOOD\n");
  ASSERT_EQ(batches.size(), 3u);
  EXPECT_EQ(batches[0], "CREATE TABLE a (x INT);\n");
  EXPECT_EQ(batches[1], "CREATE VIEW v AS SELECT x FROM a;\n");
  EXPECT_EQ(batches[2], "GOOD\n");
}

}  // namespace
}  // namespace qora
