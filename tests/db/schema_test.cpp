// Guards the schema on every back end against missing objects, objects silently replaced by a second init, the cycle and work-pattern functions (dates, hours, holidays), and sample databases that share data or lose the case-insensitive code index.
#include "db/schema.h"

#include <gtest/gtest.h>

#include "db/connection.h"
#include "db_test_support.h"
#include "db/db_error.h"

namespace qora {
namespace {

using testing::BackendParamName;
using testing::DbBackendTest;
using testing::TTestBackend;

class SchemaTest : public DbBackendTest {
 protected:
  void SetUp() override { OpenDatabase(true, true); }
};

TEST_P(SchemaTest, EveryTableAndViewExists) {
  for (TDatabaseKind kind : {TDatabaseKind::Common, TDatabaseKind::Payroll}) {
    const TSchemaObjects& objects = SchemaObjects(kind);
    for (const auto* names : {&objects.Tables, &objects.Views}) {
      for (const std::string& name : *names) {
        EXPECT_NO_THROW(Db().Query("select * from " + name + " where 1 = 0")) << name;
      }
    }
  }
  // A second init on the same database fails: objects are never silently replaced.
  EXPECT_THROW(CreateDatabaseObjects(Db(), TDatabaseKind::Payroll), EDatabaseError);
}

TEST_P(SchemaTest, CycleFunctionFindsTheCycleContainingTheDate) {
  struct Case {
    int days;
    const char* start;
    const char* date;
    TDateTime expected;
  };
  const Case cases[] = {
      {14, "2025-01-06", "2025-04-13", EncodeDate(2025, 3, 31)},
      {14, "2025-01-06", "2025-04-14", EncodeDate(2025, 4, 14)},
      {7, "2025-01-06", "2025-01-06", EncodeDate(2025, 1, 6)},
      {7, "2025-01-06", "2025-01-05", EncodeDate(2024, 12, 30)},  // before the anchor
      {0, "2025-01-06", "2025-04-20", EncodeDate(2025, 1, 6)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.date);
    const TDBValue value = Db().QueryValue(
        "select _esfnTimesheetCycleFromDate(:Days, :Start, :Date)",
        {{"Days", c.days}, {"Start", TDBValue(c.start)}, {"Date", TDBValue(c.date)}});
    EXPECT_EQ(value.AsDateTime(), c.expected);
  }
}

// The engine reads the pattern of an employee's timesheet days; one without a
// pattern still gets every day, with its public holiday.
TEST_P(SchemaTest, WorkPatternDaysOfAnEmployeeWithoutAPattern) {
  const std::string sql =
      "select dDate, fHours, cPublicHoliday from _ipfnGetEmployeeWorkPatternDays(:EmployeeID,:FromDate,:ToDate,0)";
  const auto days = [&](int from, int to) {
    return Db().Query(sql, {{"EmployeeID", 3}, {"FromDate", TDBValue::DateTime(EncodeDate(2025, 4, from))},
                            {"ToDate", TDBValue::DateTime(EncodeDate(2025, 4, to))}});
  };
  const TDBResult easter = days(18, 21);
  ASSERT_EQ(easter.RowCount(), 4);
  EXPECT_EQ(easter[3]["dDate"].AsDateTime(), EncodeDate(2025, 4, 21));
  EXPECT_EQ(easter[3]["cPublicHoliday"].AsString(), "Easter Monday");
  EXPECT_DOUBLE_EQ(easter[3]["fHours"].AsFloat(), 0.0);
  EXPECT_EQ(days(14, 14).RowCount(), 1);
  EXPECT_TRUE(days(20, 14).Empty());
}

INSTANTIATE_TEST_SUITE_P(Backends, SchemaTest, testing::AllTestBackends(),
                         BackendParamName);

TEST(SampleDatabaseTest, OpensAnInMemoryDatabaseWithTheSampleData) {
  auto first = OpenSampleDatabase();
  auto second = OpenSampleDatabase();
  first->Execute("delete from _estblTimesheetRDO");
  EXPECT_EQ(first->QueryValue("select count(*) from _estblTimesheetRDO").AsInteger(), 0);
  EXPECT_EQ(second->QueryValue("select count(*) from _estblTimesheetRDO").AsInteger(), 1);
  EXPECT_EQ(second->QueryValue("select count(*) from _iptblAwardConditions").AsInteger(), 0);
  // Employee codes ignore case through the column's collation, which keeps the index in use.
  const TDBResult plan = first->Query("explain query plan select idEmployee from _iptblEmployee where cEmpCode = 'emp001'");
  ASSERT_FALSE(plan.Empty());
  EXPECT_NE(plan[0]["detail"].AsString().find("INDEX _ipixEmployeeCode"), std::string::npos)
      << plan[0]["detail"].AsString();
}

}  // namespace
}  // namespace qora
