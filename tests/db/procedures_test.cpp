// Guards the schema and its stored procedures on every back end (SQLite runs the engine's own procedures, PostgreSQL the schema's) against missing objects, objects silently replaced by a second init, the cycle and work-pattern functions (dates, hours, holidays), sample databases that share data or lose the case-insensitive code index, lost parameters and defaults, wrong procedure messages, overlapping award records, and a failed change left half done.
#include <gtest/gtest.h>

#include "db/connection.h"
#include "db/schema.h"
#include "db_test_support.h"
#include "common/exceptions.h"
#include "db/db_error.h"

namespace qora {
namespace {

using testing::BackendParamName;
using testing::DbBackendTest;

class ProceduresTest : public DbBackendTest {
 protected:
  void SetUp() override { OpenDatabase(true, true); }

  TDBRow UpdateAward(int changeType, TDateTime effective, TDateTime end, int payClass, bool endExisting = false,
                     bool replace = false) {
    return Db().ExecProc("_ipspUpdateEmployeeAward_TD",
                         {{"iEmployeeID", 3}, {"iAwardID", 1}, {"iPayClassID", payClass},
                          {"iAwardEmplCategoryID", 3}, {"iAwardConditionGroupID", 1}, {"fYearlySalary", 0.0},
                          {"fNormalHours", 0.0}, {"bUseDefaultRate", true}, {"fNormalRate", 26.5},
                          {"fAwardCategoryHoursToDate", 0.0}, {"fAutopayAmount", 0.0}, {"iChangeType", changeType},
                          {"iAgentID", 4}, {"dEffectiveDate", TDBValue::DateTime(effective)},
                          {"dEndDate", TDBValue::DateTime(end)}, {"iChangeReasonID", 2},
                          {"bEndDateExisting", endExisting}, {"bReplaceOverlapping", replace},
                          {"Message", TDBValue(), true}});
  }
  TDBResult AwardsOfEmployee3() {
    return Db().Query("select * from _ipvEmployeeAwards where iEmployeeID = 3 order by dEffectiveDate");
  }
};

TEST_P(ProceduresTest, TimesheetMessagesAreStored) {
  const std::string text = "Shift 4: \"Employee \"EMP009\" isn't an award employee\"\r\nover two lines";
  EXPECT_EQ(Db().ExecProc("_esspAddTimesheetMessage", {{"iSeverity", 2}, {"cMessage", text}, {"idTimesheet", 1},
                                                       {"idUser", 4}, {"cGUID", "Test-0001"}})
                .FieldCount(),
            0);
  const TDBResult stored = Db().Query("select * from _estblTimesheetMessages");
  ASSERT_EQ(stored.RowCount(), 1);
  EXPECT_EQ(stored[0]["iSeverity"].AsInteger(), 2);
  EXPECT_EQ(stored[0]["cMessage"].AsString(), text);
  EXPECT_EQ(stored[0]["iTimesheetID"].AsInteger(), 1);
  EXPECT_EQ(stored[0]["iUserID"].AsInteger(), 4);
  EXPECT_EQ(stored[0]["cGUID"].AsString(), "Test-0001");
  EXPECT_NEAR(stored[0]["dCreated"].AsDateTime(), Now(), 1.0 / 24 / 60);
  // Parameters not passed take their defaults; names match in any case.
  Db().ExecProc("_ESSPADDTIMESHEETMESSAGE", {{"cmessage", "only a text"}});
  const TDBRow last = Db().Query("select * from _estblTimesheetMessages where cMessage = 'only a text'")[0];
  EXPECT_EQ(last["iSeverity"].AsInteger(), 0);
  EXPECT_EQ(last["iTimesheetID"].AsInteger(), 0);
  EXPECT_TRUE(last["cGUID"].IsNull());
}

TEST_P(ProceduresTest, ACostingLineForARowThatDoesNotExistStoresNothing) {
  Db().ExecProc("_qivAddTimesheetCost", {{"iCostingType", 1}, {"iTimesheetRowID", 999}, {"cComponentType", "X"}});
  EXPECT_EQ(Db().QueryValue("select count(*) from _estblTimesheetCost where cComponentType = 'X'").AsInteger(), 0);
}

TEST_P(ProceduresTest, EmployeeAwardRecordsAreAddedEditedAndDeleted) {
  const TDateTime july = EncodeDate(2025, 7, 1);
  TDBRow out = UpdateAward(1, july, 0, 2, true);
  EXPECT_EQ(out["Message"].AsString(), "");
  TDBResult awards = AwardsOfEmployee3();
  ASSERT_EQ(awards.RowCount(), 2);
  EXPECT_EQ(awards[0]["dEndDate"].AsDateTime(), EncodeDate(2025, 6, 30));  // the running record was ended
  EXPECT_EQ(awards[1]["cClassification"].AsString(), "HOSP02");
  EXPECT_EQ(awards[1]["dEndDate"].AsDateTime(), 0.0);
  EXPECT_EQ(awards[1]["iChangeType"].AsInteger(), 1);

  // A date written by hand, without a time, is the same date.
  Db().Execute("update _iptblEmployeeAwards_TD set dEffectiveDate = '2025-07-01' where idEmployeeAwardTD = "
               "(select max(idEmployeeAwardTD) from _iptblEmployeeAwards_TD)");
  out = UpdateAward(1, july, 0, 1);
  EXPECT_EQ(out["Message"].AsString(), "Employee Award effective on 2025-07-01 already exists for this employee.");
  EXPECT_EQ(AwardsOfEmployee3().RowCount(), 2);

  out = UpdateAward(2, july, EncodeDate(2025, 12, 31), 1);
  EXPECT_EQ(out["Message"].AsString(), "");
  awards = AwardsOfEmployee3();
  EXPECT_EQ(awards[1]["cClassification"].AsString(), "HOSP01");
  EXPECT_EQ(awards[1]["dEndDate"].AsDateTime(), EncodeDate(2025, 12, 31));
  EXPECT_EQ(awards[1]["iChangeType"].AsInteger(), 2);

  out = UpdateAward(2, EncodeDate(2026, 1, 1), 0, 1);
  EXPECT_EQ(out["Message"].AsString(), "No Employee Award effective on 2026-01-01 was found for this employee.");

  UpdateAward(3, july, 0, 1);
  EXPECT_EQ(AwardsOfEmployee3().RowCount(), 1);  // the view leaves deleted records out
  EXPECT_EQ(Db().QueryValue("select iChangeType from _iptblEmployeeAwards_TD where iEmployeeID = 3 and "
                            "dEffectiveDate = :D",
                            {{"D", TDBValue::DateTime(july)}})
                .AsInteger(),
            3);
  // Replacing overlapping records marks those starting inside the new range deleted.
  UpdateAward(1, EncodeDate(2025, 8, 1), 0, 1);
  out = UpdateAward(1, EncodeDate(2025, 7, 15), 0, 2, false, true);
  EXPECT_EQ(out["Message"].AsString(), "");
  awards = AwardsOfEmployee3();
  ASSERT_EQ(awards.RowCount(), 2);
  EXPECT_EQ(awards[1]["dEffectiveDate"].AsDateTime(), EncodeDate(2025, 7, 15));
}

TEST_P(ProceduresTest, AFailingEmployeeAwardChangeLeavesEveryRecordAsItWas) {
  // The running record would be ended and the later ones replaced before the
  // insert, which fails: the award is required.
  UpdateAward(1, EncodeDate(2025, 9, 1), 0, 1);
  const std::string all = "select * from _iptblEmployeeAwards_TD where iEmployeeID = 3 order by idEmployeeAwardTD";
  const TDBResult before = Db().Query(all);
  EXPECT_THROW(Db().ExecProc("_ipspUpdateEmployeeAward_TD",
                             {{"iEmployeeID", 3}, {"iAwardID", TDBValue()}, {"iChangeType", 1},
                              {"dEffectiveDate", TDBValue::DateTime(EncodeDate(2025, 8, 1))},
                              {"bEndDateExisting", true}, {"bReplaceOverlapping", true}, {"Message", TDBValue(), true}}),
               EDatabaseError);
  const TDBResult after = Db().Query(all);
  ASSERT_EQ(after.RowCount(), before.RowCount());
  for (int i = 0; i < before.RowCount(); ++i) {
    EXPECT_EQ(after[i]["iChangeType"], before[i]["iChangeType"]) << i;
    EXPECT_EQ(after[i]["dEndDate"].AsDateTime(), before[i]["dEndDate"].AsDateTime()) << i;
  }
}

// A prepared call may hold calls back to make several at once (more than a
// hold's worth here, and a part of one): every row still arrives, in the
// order of the calls, once the call is flushed, with
// the timesheet of its own row (rows 1 and 8 are of timesheets 1 and 2), and
// a line of a row that is not stored is left out.
TEST_P(ProceduresTest, PreparedCostingCallsStoreEveryRowInOrder) {
  auto call = Db().PrepareProc("_qivAddTimesheetCost", {"iCostingType", "iTimesheetRowID", "cComponentType", "cComponentName"});
  const struct {
    int Row;
    const char* Timesheet;
  } rows[] = {{1, "1"}, {1, "1"}, {999, nullptr}, {8, "2"}};
  std::vector<std::string> expected;
  for (int k = 0; k < 150; ++k) {
    const auto& row = rows[k % 4];
    if (row.Timesheet) expected.push_back(std::to_string(k + 1) + " " + row.Timesheet);
    call->Run({3, row.Row, "Batch", std::to_string(k + 1)});
  }
  call->Flush();
  std::vector<std::string> stored;
  for (const TDBRow& row : Db().Query("select cComponentName, iTimesheetID from _estblTimesheetCost "
                                      "where cComponentType = 'Batch' order by idTimesheetCost")) {
    stored.push_back(row["cComponentName"].AsString() + " " + row["iTimesheetID"].AsString());
  }
  EXPECT_EQ(stored, expected);
}

INSTANTIATE_TEST_SUITE_P(Backends, ProceduresTest, testing::AllTestBackends(),
                         BackendParamName);

class SchemaTest : public ProceduresTest {};

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

// Of two pattern versions in effect on a day, the later one gives the hours
// only where its pattern has a row for the day (counted back from a cycle
// start after the day); elsewhere the earlier one does, to its end's day.
TEST_P(SchemaTest, WorkPatternDaysTakeTheLatestVersionWithARowForTheDay) {
  Db().Execute("insert into _iptblWorkPatterns (idWorkPattern, cCode, cDescription, iCycleDays, dCycleStartDate) "
               "values (2, 'ALT', 'Fortnight', 14, '2025-04-21 00:00:00')");
  Db().Execute("insert into _iptblWorkPatternDays (idWorkPatternDay, iWorkPatternID, iDayNo, fHours) "
               "values (20, 2, 1, 10), (21, 2, 9, 5)");
  Db().Execute("insert into _iptblEmployeeWorkPatterns_TD (idEmployeeWorkPatternTD, iEmployeeID, iWorkPatternID, "
               "dEffectiveDate, dEndDate) values (10, 3, 1, '2025-04-01 00:00:00', '2025-04-16 17:00:00'), "
               "(11, 3, 2, '2025-04-15 00:00:00', '1899-12-30 00:00:00')");
  const TDBResult days = Db().Query(
      "select dDate, fHours, cPublicHoliday from _ipfnGetEmployeeWorkPatternDays(3, :FromDate, :ToDate, 0)",
      {{"FromDate", TDBValue::DateTime(EncodeDate(2025, 4, 14))}, {"ToDate", TDBValue::DateTime(EncodeDate(2025, 4, 21))}});
  const double hours[] = {7.6, 5, 7.6, 0, 0, 0, 0, 10};
  ASSERT_EQ(days.RowCount(), 8);
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(days[i]["dDate"].AsDateTime(), EncodeDate(2025, 4, 14 + i));
    EXPECT_DOUBLE_EQ(days[i]["fHours"].AsFloat(), hours[i]);
  }
  EXPECT_EQ(days[4]["cPublicHoliday"].AsString(), "Good Friday");
  EXPECT_EQ(days[7]["cPublicHoliday"].AsString(), "Easter Monday");
  // Work days only: those with hours or a public holiday.
  const TDBResult work = Db().Query(
      "select dDate from _ipfnGetEmployeeWorkPatternDays(3, :FromDate, :ToDate, 1)",
      {{"FromDate", TDBValue::DateTime(EncodeDate(2025, 4, 14))}, {"ToDate", TDBValue::DateTime(EncodeDate(2025, 4, 21))}});
  std::vector<TDateTime> dates;
  for (int i = 0; i < work.RowCount(); ++i) dates.push_back(work[i]["dDate"].AsDateTime());
  EXPECT_EQ(dates, (std::vector<TDateTime>{EncodeDate(2025, 4, 14), EncodeDate(2025, 4, 15), EncodeDate(2025, 4, 16),
                                           EncodeDate(2025, 4, 18), EncodeDate(2025, 4, 21)}));
}

INSTANTIATE_TEST_SUITE_P(Backends, SchemaTest, testing::AllTestBackends(),
                         BackendParamName);

// SQLite reads the days in process. It must read what the query does, and
// leave to the query any hours it would read differently: a real with more
// than fifteen digits (the query reads its text) or a text.
class WorkPatternReaderTest : public ProceduresTest {};

TEST_P(WorkPatternReaderTest, ReadsWhatTheQueryReadsOrLeavesItToTheQuery) {
  const TDateTime from = EncodeDate(2025, 4, 14), to = EncodeDate(2025, 4, 21);
  const std::string sql =
      "select dDate, fHours, cPublicHoliday from _ipfnGetEmployeeWorkPatternDays(1, :FromDate, :ToDate, 0)";
  const struct {
    const char* hours;  // the stored hours of the pattern's days
    bool in_process;
  } cases[] = {{"7.25", true}, {"1.0 / 3", false}, {"'n/a'", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hours);
    Db().Execute(std::string("update _iptblWorkPatternDays set fHours = ") + c.hours);
    std::vector<TWorkPatternDay> days{{1, 2, "untouched"}};
    ASSERT_EQ(Db().WorkPatternDays(1, from, to, days), c.in_process);
    if (!c.in_process) {
      EXPECT_EQ(days.size(), 1u);
      EXPECT_EQ(days[0].Holiday, "untouched");
      continue;
    }
    const TDBResult rows =
        Db().Query(sql, {{"FromDate", TDBValue::DateTime(from)}, {"ToDate", TDBValue::DateTime(to)}});
    ASSERT_EQ(days.size(), static_cast<size_t>(rows.RowCount()));
    for (size_t i = 0; i < days.size(); ++i) {
      const TDBRow& row = rows[static_cast<int>(i)];
      EXPECT_EQ(days[i].Date, row["dDate"].AsDateTime());
      EXPECT_EQ(days[i].Hours, row["fHours"].AsFloat());
      EXPECT_EQ(days[i].Holiday, row["cPublicHoliday"].AsString());
    }
  }
}

TEST_P(WorkPatternReaderTest, KeptHolidaysFollowChangesThroughEitherConnection) {
  // Every employee of a run asks for the same dates, so their holidays are
  // kept; a change through this connection (committed or not) or another
  // one must show.
  auto holidays = [this](int last_day = 21) {
    std::vector<TWorkPatternDay> days;
    EXPECT_TRUE(Db().WorkPatternDays(1, EncodeDate(2025, 4, 14), EncodeDate(2025, 4, last_day), days));
    std::string out;
    for (const TWorkPatternDay& day : days) {
      if (!day.Holiday.empty()) out += FormatIsoDate(day.Date) + " " + day.Holiday + ";";
    }
    return out;
  };
  const std::string kept = "2025-04-18 Good Friday;2025-04-21 Easter Monday;";
  EXPECT_EQ(holidays(), kept);
  EXPECT_EQ(holidays(), kept);
  EXPECT_EQ(holidays(25), kept + "2025-04-25 Anzac Day;");
  {
    TDBTransaction uncommitted(Db());
    Db().Execute("insert into _iptblPublicHolidays (dDate, cDescription) values ('2025-04-16 00:00:00', 'Own')");
    EXPECT_EQ(holidays(), "2025-04-16 Own;" + kept);
  }
  EXPECT_EQ(holidays(), kept);
  Db().Execute("update _iptblPublicHolidays set cDescription = 'Mine' where idPublicHoliday = 2");
  EXPECT_EQ(holidays(), "2025-04-18 Good Friday;2025-04-21 Mine;");
  Database().OpenAnother()->Execute("update _iptblPublicHolidays set cDescription = 'Other' where idPublicHoliday = 1");
  EXPECT_EQ(holidays(), "2025-04-18 Other;2025-04-21 Mine;");
}

INSTANTIATE_TEST_SUITE_P(SQLite, WorkPatternReaderTest, testing::SqliteOnly(), BackendParamName);

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
