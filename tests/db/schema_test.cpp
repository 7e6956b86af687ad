// The schema on every back end: every object exists, the sample data hangs
// together, and the timesheet loading statements read what they expect.
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
  static TDBValue Date(int y, int m, int d) { return TDBValue::DateTime(EncodeDate(y, m, d)); }
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

TEST_P(SchemaTest, FunctionsAnswerTheirCalls) {
  EXPECT_EQ(Db().Query("select * from dbo._ipfnGetAwards('2024-06-30',1,0,0)").RowCount(), 2);
  EXPECT_EQ(Db().Query("select dDate, fHours, cPublicHoliday from _ipfnGetEmployeeWorkPatternDays(1,'2025-04-14','2025-04-20',0)")
                .RowCount(),
            7);
  EXPECT_EQ(Db().Query("select * from [dbo]._efnGetFreqPeriodData(1, 0)").RowCount(), 1);
  EXPECT_EQ(Db().QueryValue("select [dbo].[_esfnTimesheetCycleFromDate](14,'2025-01-06','2025-04-20')").AsDateTime(),
            EncodeDate(2025, 4, 14));
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

TEST_P(SchemaTest, StoredTimesheetHeaderAndRowCount) {
  const TDBResult t = Db().Query(
      "select T.*, (select COUNT(*) from _estblTimesheetRow where iTimesheetID = T.idTimesheet) as iRowCount "
      "from _estblTimesheet T  where T.idTimesheet = 1");
  ASSERT_EQ(t.RowCount(), 1);
  EXPECT_EQ(t[0]["iRowCount"].AsInteger(), 7);
  EXPECT_EQ(t[0]["iImportType"].AsInteger(), 0);
  EXPECT_TRUE(t[0]["nData"].IsNull());
  EXPECT_EQ(t[0]["dStartDate"].AsDateTime(), EncodeDate(2025, 4, 14));
  EXPECT_EQ(t[0]["dEndDate"].AsDateTime(), EncodeDate(2025, 4, 20));
  EXPECT_EQ(t[0]["iUserID"].AsInteger(), 1);
}

// The row queries of the two costing kinds: rostered plan and actuals.
constexpr const char* kRowSelect =
    "select T.iStatus, T.dStartDate, T.dEndDate, T.iUserID, R.*, P.dRosteredStartTime, P.dRosteredEndTime, "
    "P.iRosteredBreakMinutes, P.idTimesheetRowPlan, P.cJobTitle, P.cWorkCode, P.cCostCode, P.idTimesheetRowPlan, "
    "JC.cJobCode from _estblTimesheetRowPlan P left join _estblJobCode JC on JC.idJobCode = P.iJobCodeID "
    "right join _estblTimesheetRow R on P.iTimesheetRowID = R.idTimesheetRow "
    "join _estblTimesheet T on T.idTimesheet = R.iTimesheetID where R.iTimesheetID in (1) and ";

TEST_P(SchemaTest, TimesheetOneRowsJoinPlansHoursLeaveAndAllowances) {
  const TDBResult actuals = Db().Query(
      std::string(kRowSelect) +
      "(exists (select 1 from _estblTimesheetRowHours H where H.iTimesheetRowPlanID = P.idTimesheetRowPlan) "
      "or exists (select 1 from _estblTimesheetLeave L where L.iTimesheetRowID = R.idTimesheetRow) "
      "or exists (select 1 from _estblTimesheetRDO D where D.iTimesheetRowID = R.idTimesheetRow) "
      "or P.bActualEmpty = 1 or exists (select 1 from _estblTimesheetAllowance A "
      "where A.iTimesheetRowID = R.idTimesheetRow and A.bPlanAllowance = 0)) order by R.idTimesheetRow");
  std::vector<int> ids;
  for (const TDBRow& row : actuals) ids.push_back(row["idTimesheetRow"].AsInteger());
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 3, 4, 6, 7}));
  const TDBRow& night = actuals[1];
  EXPECT_EQ(night["iUserID"].AsInteger(), 1);
  EXPECT_EQ(night["iStatus"].AsInteger(), 1);
  EXPECT_EQ(night["dDateWorked"].AsDateTime(), EncodeDate(2025, 4, 15));
  EXPECT_EQ(night["dRosteredStartTime"].AsDateTime(), EncodeDateTime(2025, 4, 15, 22, 0, 0));
  EXPECT_EQ(night["dRosteredEndTime"].AsDateTime(), EncodeDateTime(2025, 4, 16, 6, 0, 0));
  EXPECT_EQ(night["iRosteredBreakMinutes"].AsInteger(), 30);
  EXPECT_EQ(night["cJobCode"].AsString(), "COOK");
  EXPECT_EQ(night["cWorkCode"].AsString(), "ORD");
  EXPECT_EQ(night["dLastImportDate"].AsDateTime(), EncodeDateTime(2025, 4, 21, 8, 30, 0));
  EXPECT_FALSE(night["bIsOffDay"].AsBoolean());

  const TDBResult plan = Db().Query(
      std::string(kRowSelect) +
      "((P.dRosteredStartTime is not null and P.dRosteredEndTime is not null) "
      "or exists (select 1 from _estblTimesheetAllowance A where A.iTimesheetRowID = R.idTimesheetRow "
      "and A.bPlanAllowance = 1) "
      "or exists (select 1 from _estblTimesheetRDO D where D.iTimesheetRowID = R.idTimesheetRow)) "
      "order by R.idTimesheetRow");
  ids.clear();
  for (const TDBRow& row : plan) ids.push_back(row["idTimesheetRow"].AsInteger());
  EXPECT_EQ(ids, (std::vector<int>{1, 2, 3, 4, 6}));

  // The Good Friday row is an off day without a roster.
  const TDBRow off = Db().Query("select R.bIsOffDay, P.dRosteredStartTime from _estblTimesheetRow R "
                                "join _estblTimesheetRowPlan P on P.iTimesheetRowID = R.idTimesheetRow "
                                "where R.idTimesheetRow = 5")[0];
  EXPECT_TRUE(off["bIsOffDay"].AsBoolean());
  EXPECT_TRUE(off["dRosteredStartTime"].IsNull());
}

TEST_P(SchemaTest, ActualHoursIncludeAShiftCrossingMidnight) {
  const std::string sql =
      "select TR.*, JC.cJobCode from _estblTimesheetRowHours TR  left join _estblJobCode JC on JC.idJobCode = "
      "TR.iJobCodeID where iTimesheetRowPlanID = :TimesheetRowPlanID order by TR.dStartTime";
  const TDBResult night = Db().Query(sql, {{"TimesheetRowPlanID", 2}});
  ASSERT_EQ(night.RowCount(), 1);
  const TDateTime start = night[0]["dStartTime"].AsDateTime();
  const TDateTime end = night[0]["dEndTime"].AsDateTime();
  EXPECT_EQ(start, EncodeDateTime(2025, 4, 15, 22, 0, 0));
  EXPECT_EQ(end, EncodeDateTime(2025, 4, 16, 6, 15, 0));
  EXPECT_GT(DateOf(end), DateOf(start));
  EXPECT_DOUBLE_EQ(TimeToShiftHours(end), 6.25);
  EXPECT_FALSE(night[0]["bNextDay"].AsBoolean());
  EXPECT_EQ(night[0]["cJobCode"].AsString(), "COOK");

  const TDBResult split = Db().Query(sql, {{"TimesheetRowPlanID", 4}});
  ASSERT_EQ(split.RowCount(), 2);
  EXPECT_DOUBLE_EQ(TimeToShiftHours(split[0]["dEndTime"].AsDateTime()), 13.0);
  EXPECT_DOUBLE_EQ(TimeToShiftHours(split[1]["dStartTime"].AsDateTime()), 13.5);
  EXPECT_EQ(split[1]["cJobTitle"].AsString(), "Waiter");
}

TEST_P(SchemaTest, LeaveRdoAndAllowanceRowsOfAShift) {
  const std::string leave =
      "select TL.dStartDate, TL.dEndDate, TL.fCurrentHours, TL.iLeaveType, TL.cLeaveReason, LA.iLeaveID from "
      "_estblTimesheetLeave TL join _estblLeaveApplications LA on LA.idLeaveApplication = TL.iLeaveApplicationID "
      "where iTimesheetRowID = :TimesheetRowID order by iTimesheetRowID";
  const TDBResult annual = Db().Query(leave, {{"TimesheetRowID", 3}});
  ASSERT_EQ(annual.RowCount(), 1);
  EXPECT_EQ(annual[0]["iLeaveType"].AsInteger(), 1);  // "Annual Leave"
  EXPECT_DOUBLE_EQ(annual[0]["fCurrentHours"].AsFloat(), 7.6);
  EXPECT_EQ(annual[0]["iLeaveID"].AsInteger(), 0);
  const TDBResult study = Db().Query(leave, {{"TimesheetRowID", 7}});
  ASSERT_EQ(study.RowCount(), 1);
  EXPECT_EQ(study[0]["iLeaveType"].AsInteger(), 6);  // "User Defined Leave"
  EXPECT_EQ(study[0]["cLeaveReason"].AsString(), "STUDY ");
  const int leaveId = study[0]["iLeaveID"].AsInteger();
  EXPECT_EQ(Db().QueryValue("select cCode from _iptblUserDefinedLeave WHERE idLeave = " + std::to_string(leaveId))
                .AsString(),
            "STUDY");

  const TDBResult rdo = Db().Query(
      "select TL.dRDODate, TL.fHours from _estblTimesheetRDO TL where TL.iTimesheetRowID = :TimesheetRowID "
      "order by TL.iTimesheetRowID",
      {{"TimesheetRowID", 6}});
  ASSERT_EQ(rdo.RowCount(), 1);
  EXPECT_EQ(rdo[0]["dRDODate"].AsDateTime(), EncodeDate(2025, 4, 19));
  EXPECT_DOUBLE_EQ(rdo[0]["fHours"].AsFloat(), 7.6);

  const std::string allowances =
      "select TA.idTimesheetAllowance, TA.cAllowanceNo, TA.fValue, TA.cCostCode, TA.cJobTitle, JC.cJobCode from "
      "_estblTimesheetAllowance TA left join _estblJobCode JC on TA.iJobCodeId = JC.idJobCode where "
      "iTimesheetRowID  = :TimesheetRowID and bPlanAllowance = :Planned order by iTimesheetRowID";
  const TDBResult planned = Db().Query(allowances, {{"TimesheetRowID", 4}, {"Planned", true}});
  ASSERT_EQ(planned.RowCount(), 1);
  EXPECT_EQ(planned[0]["cAllowanceNo"].AsString(), "MEAL");
  EXPECT_EQ(planned[0]["cJobCode"].AsString(), "WAIT");
  const TDBResult unplanned = Db().Query(allowances, {{"TimesheetRowID", 4}, {"Planned", false}});
  ASSERT_EQ(unplanned.RowCount(), 1);
  EXPECT_EQ(unplanned[0]["cAllowanceNo"].AsString(), "FIRSTAID");
  EXPECT_DOUBLE_EQ(unplanned[0]["fValue"].AsFloat(), 1.0);
}

TEST_P(SchemaTest, RegistryLeadsFromEmployeeOrUserToThePayrollDatabase) {
  const TDBResult byCode = Db().Query(
      "select DB.* from _hrtblPerson P join _hrtblPayrollDatabase DB on P.iPayrollDatabaseID = DB.idPayrollDatabase "
      "where P.cEmployeeCode = :EmployeeCode",
      {{"EmployeeCode", "EMP001"}});
  ASSERT_EQ(byCode.RowCount(), 1);
  EXPECT_EQ(byCode[0]["cPayrollLinkToken"].AsString(), kSamplePayrollToken);
  const std::string byUser =
      "select DB.*, P.cEmployeeCode from _estblUsers U join _hrtblPerson P on P.idPerson = U.iPersonID join "
      "_hrtblPayrollDatabase DB on P.iPayrollDatabaseID = DB.idPayrollDatabase where U.idUser = :UserID";
  const TDBResult user2 = Db().Query(byUser, {{"UserID", 2}});
  ASSERT_EQ(user2.RowCount(), 1);
  EXPECT_EQ(user2[0]["cEmployeeCode"].AsString(), "EMP002");
  EXPECT_TRUE(Db().Query(byUser, {{"UserID", 4}}).Empty());  // the manager has no payroll database

  // The registered location opens a payroll connection to the same data.
  const TDBResult location = Db().Query(
      "select cServer, cDatabase from _hrtblPayrollDatabase where cPayrollLinkToken = :PayrollLinkToken",
      {{"PayrollLinkToken", std::string(kSamplePayrollToken)}});
  ASSERT_EQ(location.RowCount(), 1);
  auto payroll = OpenConnection(location[0]["cServer"].AsString(), location[0]["cDatabase"].AsString(), "", "");
  EXPECT_EQ(payroll->Params().DefaultDatabase(), location[0]["cDatabase"].AsString());
  EXPECT_EQ(payroll->QueryValue("select cEmpCode from _iptblEmployee where idEmployee = 2").AsString(), "EMP002");
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
