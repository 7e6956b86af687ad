// Guards statement text against parameters bound in the wrong order or inside literals, comments and casts, missing parameters, ID lists that smuggle SQL, and wrong quoting or GO batches.
#include "db/sql_text.h"

#include <gtest/gtest.h>

#include "db/db_error.h"

namespace qora {
namespace {

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
  try {
    BindParameters("select 1 where a = :TimesheetRowID", {{"TimesheetID", 1}}, Marker);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_STREQ(e.what(), "Parameter 'TimesheetRowID' not found");
  }
}

TEST(SqlTextTest, ValidatesIdListsBeforeTheyAreFormattedIntoStatements) {
  struct Case {
    const char* ids;
    const char* normalised;
  };
  const Case good[] = {{"1,2,3", "1,2,3"}, {" 7 , 12", "7,12"}, {"", ""}, {"   ", ""}, {"42", "42"}, {"-1,5", "-1,5"}};
  for (const Case& c : good) EXPECT_EQ(ValidateIdList(c.ids), c.normalised) << c.ids;
  for (const char* bad : {"1,,2", "1,", ",1", "1;drop table x", "1 2", "1)", "0x10", "1.5", "-", "1,2) or (1=1",
                          "123456789012"}) {
    try {
      ValidateIdList(bad);
      ADD_FAILURE() << bad;
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("Invalid ID list \"") + bad + "\"");
    }
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
