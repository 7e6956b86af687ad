// The payroll-side statements (employee, award, leave rate, history, costing
// and pay period queries) against the sample data on every back end.
#include <gtest/gtest.h>

#include "db/connection.h"
#include "db/sql_text.h"
#include "db_test_support.h"

namespace qora {
namespace {

using testing::BackendParamName;
using testing::DbBackendTest;
using testing::TTestBackend;

class PayrollStatementsTest : public DbBackendTest {
 protected:
  void SetUp() override { OpenDatabase(true, true); }
  static TDBValue Day(int y, int m, int d) { return TDBValue::DateTime(EncodeDate(y, m, d)); }
  static TDBParams Dates(TDBValue day) { return {{"Date1", day}, {"Date2", day}}; }
};

TEST_P(PayrollStatementsTest, EmployeeDetailsFollowTheEffectiveDatedRate) {
  const std::string sql =
      "select E.idEmployee , E.cEmpCode , E.dDateOfBirth, E.dHiredDate, PF.iFrequency, ER.fNormalRate, "
      "ER.fNormalHours,  ER.fYearlySalary, EL.iLeaveLoadingClassID from _iptblEmployee E join _iptblPayFrequencies "
      "PF on PF.idPayFrequency = E.iPayFrequencyID join _iptblEmployeeRates_TD ER on E.idEmployee = ER.iEmployeeID "
      "left join _iptblEmployeeLeave EL on EL.iEmployeeID = E.idEmployee and EL.iLeaveType = 1 where E.cEmpCode = "
      ":EmployeeCode and ((ISNULL(ER.dEndDate,0) < 5) OR (ER.dEndDate >= :Date1)) AND ER.dEffectiveDate <= :Date2  ";
  struct Case {
    const char* code;
    TDBValue day;
    int rows;
    double rate;
    int frequency;
    bool noLeaveLoading;
  };
  const Case cases[] = {
      {"EMP001", Day(2025, 4, 15), 1, 31.75, 0, false},
      {"EMP001", Day(2024, 12, 31), 1, 30.50, 0, false},  // last day of the first rate
      {"EMP001", Day(2025, 1, 1), 1, 31.75, 0, false},
      {"EMP001", Day(2023, 12, 31), 0, 0, 0, false},      // before any rate
      {"EMP002", Day(2025, 4, 15), 1, 28.00, 2, false},
      {"EMP003", Day(2025, 4, 15), 1, 25.00, 0, true},   // no annual leave record
      {"emp002", Day(2025, 4, 15), 1, 28.00, 2, false},   // codes match whatever their case, as the engine's do
  };
  // The first rate's end is written by hand, without a time; the second
  // rate's start keeps the stored form with one. Both cover their day.
  Db().Execute("update _iptblEmployeeRates_TD set dEndDate = '2024-12-31' where idEmployeeRateTD = 1");
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " " + c.day.AsString());
    TDBParams params = Dates(c.day);
    params.push_back({"EmployeeCode", c.code});
    const TDBResult result = Db().Query(sql, params);
    ASSERT_EQ(result.RowCount(), c.rows);
    if (c.rows == 0) continue;
    EXPECT_DOUBLE_EQ(result[0]["fNormalRate"].AsFloat(), c.rate);
    EXPECT_EQ(result[0]["iFrequency"].AsInteger(), c.frequency);
    EXPECT_EQ(result[0]["iLeaveLoadingClassID"].IsNull(), c.noLeaveLoading);
  }
}

TEST_P(PayrollStatementsTest, EmployeeAwardAssignmentHasTwoVersions) {
  const std::string sql =
      "select * from _ipvEmployeeAwards WHERE ((ISNULL(dEndDate,0) < 5) OR (dEndDate >= :Date1)) AND "
      "dEffectiveDate <= :Date2  AND iEmployeeID = :EmployeeID";
  struct Case {
    TDBValue day;
    const char* classification;
    TDateTime end;
  };
  const Case cases[] = {
      {Day(2024, 6, 1), "HOSP01", EncodeDate(2024, 12, 31)},
      {Day(2024, 12, 31), "HOSP01", EncodeDate(2024, 12, 31)},
      {Day(2025, 1, 1), "HOSP02", 0},
      {Day(2025, 4, 15), "HOSP02", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.day.AsString());
    TDBParams params = Dates(c.day);
    params.push_back({"EmployeeID", 1});
    const TDBResult result = Db().Query(sql, params);
    ASSERT_EQ(result.RowCount(), 1);
    const TDBRow& row = result[0];
    EXPECT_EQ(row["iAwardID"].AsInteger(), 1);
    EXPECT_EQ(row["cAwardCode"].AsString(), "HOSP");
    EXPECT_EQ(row["cCategory"].AsString(), "FT");
    EXPECT_EQ(row["cClassification"].AsString(), c.classification);
    EXPECT_EQ(row["cConditionGroup"].AsString(), "Standard");
    EXPECT_DOUBLE_EQ(row["fNormalHours"].AsFloat(), 38);
    EXPECT_GT(row["fYearlySalary"].AsFloat(), 60000);
    EXPECT_GT(row["fNormalRate"].AsFloat(), 30);
    EXPECT_EQ(row["dEndDate"].AsDateTime(), c.end);
  }
  // Maintenance reads every version with all its columns.
  const TDBResult all = Db().Query("select * from _ipvEmployeeAwards where iEmployeeID = 1 and iChangeType <> 3 "
                                   "order by dEffectiveDate");
  ASSERT_EQ(all.RowCount(), 2);
  for (const char* column :
       {"dEffectiveDate", "dEndDate", "iChangeReasonID", "iEmployeeID", "iPayClassID", "iAwardEmplCategoryID",
        "iAwardConditionGroupID", "fYearlySalary", "fNormalHours", "fAwardCategoryHoursToDate", "fAutopayAmount",
        "cClassification", "cClassificationDescription", "cAwardCode", "cCategory", "cCategoryDescription",
        "cConditionGroup", "bUseDefaultRate", "fNormalRate", "iAwardID"}) {
    EXPECT_NE(all[1].FindField(column), nullptr) << column;
  }
  EXPECT_EQ(all[1]["cClassificationDescription"].AsString(), "Hospitality Level 02");
}

TEST_P(PayrollStatementsTest, AdditionsHeldOnTheEmployeeFollowTheirDates) {
  const std::string sql =
      "select * from _ipvEmployeeAddsDeds  WHERE ((ISNULL(dEndDate,0) < 5) OR (dEndDate >= :Date1)) AND "
      "dEffectiveDate <= :Date2  AND iEmployeeID = :EmployeeId AND iAwardID = :AwardID order by cCode";
  TDBParams params = Dates(Day(2025, 4, 15));
  params.push_back({"EmployeeID", 1});
  params.push_back({"AwardID", 1});
  TDBResult result = Db().Query(sql, params);
  ASSERT_EQ(result.RowCount(), 2);
  EXPECT_EQ(result[0]["cCode"].AsString(), "FIRSTAID");
  EXPECT_TRUE(result[0]["bUseRegister"].AsBoolean());
  EXPECT_EQ(result[1]["cCode"].AsString(), "UNIFORM");
  EXPECT_FALSE(result[1]["bUseRegister"].AsBoolean());
  EXPECT_DOUBLE_EQ(result[1]["fAmtPerc"].AsFloat(), 12.5);
  EXPECT_EQ(result[1]["siType"].AsInteger(), 0);
  EXPECT_EQ(result[1]["CADescription"].AsString(), "Uniform Allowance");
  params[0].Value = params[1].Value = Day(2024, 6, 1);
  result = Db().Query(sql, params);
  ASSERT_EQ(result.RowCount(), 2);
  EXPECT_DOUBLE_EQ(result[1]["fAmtPerc"].AsFloat(), 11.0);
}

TEST_P(PayrollStatementsTest, WorkPatternDaysCarryHoursAndPublicHolidays) {
  const std::string sql =
      "select dDate, fHours, cPublicHoliday from _ipfnGetEmployeeWorkPatternDays(:EmployeeID,:FromDate,:ToDate,0)";
  TDBResult days = Db().Query(sql, {{"EmployeeID", 1}, {"FromDate", Day(2025, 4, 14)}, {"ToDate", Day(2025, 4, 20)}});
  ASSERT_EQ(days.RowCount(), 7);
  double total = 0;
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(days[i]["dDate"].AsDateTime(), EncodeDate(2025, 4, 14 + i));
    total += days[i]["fHours"].AsFloat();
    EXPECT_EQ(days[i]["cPublicHoliday"].AsString(), i == 4 ? "Good Friday" : "");
  }
  EXPECT_NEAR(total, 38.0, 1e-9);
  EXPECT_DOUBLE_EQ(days[4]["fHours"].AsFloat(), 7.6);
  EXPECT_DOUBLE_EQ(days[5]["fHours"].AsFloat(), 0.0);

  // No pattern: every day with 0 hours, the holiday still marked; one day; an empty range.
  days = Db().Query(sql, {{"EmployeeID", 3}, {"FromDate", Day(2025, 4, 18)}, {"ToDate", Day(2025, 4, 21)}});
  ASSERT_EQ(days.RowCount(), 4);
  EXPECT_EQ(days[3]["cPublicHoliday"].AsString(), "Easter Monday");
  EXPECT_DOUBLE_EQ(days[3]["fHours"].AsFloat(), 0.0);
  EXPECT_EQ(Db().Query(sql, {{"EmployeeID", 1}, {"FromDate", Day(2025, 4, 14)}, {"ToDate", Day(2025, 4, 14)}})
                .RowCount(),
            1);
  EXPECT_TRUE(
      Db().Query(sql, {{"EmployeeID", 1}, {"FromDate", Day(2025, 4, 20)}, {"ToDate", Day(2025, 4, 14)}}).Empty());
  // Work days only: Monday to Friday (Good Friday included as a holiday).
  EXPECT_EQ(Db().Query("select dDate from _ipfnGetEmployeeWorkPatternDays(1,'2025-04-14','2025-04-20',1)").RowCount(), 5);
}

TEST_P(PayrollStatementsTest, LeaveRatesFollowTheRateTypeVersions) {
  const std::string sql =
      "select LR.idLeaveReason, LR.cDescription, LR.cCode, LR.bUnpaid, RT.fRate, RT.iType, RT.iGrouping, "
      "CA.cCostCode from _iptblLeaveReasons LR join _iptblRateTypes_TD RT on LR.iRateTypeID = RT.iRateTypeID "
      "left join _iptblCostAccounts CA on CA.idCostAccount = LR.iCostAccountID WHERE ((ISNULL(RT.dEndDate,0) < 5) "
      "OR (RT.dEndDate >= :Date1)) AND RT.dEffectiveDate <= :Date2 order by LR.idLeaveReason";
  TDBResult rates = Db().Query(sql, Dates(Day(2025, 4, 15)));
  ASSERT_EQ(rates.RowCount(), 4);
  EXPECT_EQ(rates[0]["cCode"].AsString(), "AL");
  EXPECT_EQ(rates[0]["iType"].AsInteger(), 2);
  EXPECT_TRUE(rates[0]["cCostCode"].IsNull());
  EXPECT_TRUE(rates[2]["bUnpaid"].AsBoolean());
  EXPECT_DOUBLE_EQ(rates[3]["fRate"].AsFloat(), 36.0);
  EXPECT_EQ(rates[3]["cCostCode"].AsString(), "FOH");
  EXPECT_EQ(rates[3]["iGrouping"].AsInteger(), 1);
  rates = Db().Query(sql, Dates(Day(2024, 6, 1)));
  ASSERT_EQ(rates.RowCount(), 4);
  EXPECT_DOUBLE_EQ(rates[3]["fRate"].AsFloat(), 35.0);
}

TEST_P(PayrollStatementsTest, AwardsLoadWithTheirMembersForADate) {
  TDBResult awards = Db().Query("select * from dbo._ipfnGetAwards('2024-06-30',1,0,0)");
  ASSERT_EQ(awards.RowCount(), 2);
  EXPECT_EQ(awards[1]["cCode"].AsString(), "HOSP");
  EXPECT_EQ(awards[1]["idAwardTD"].AsInteger(), 1);
  EXPECT_EQ(awards[1]["dEndDate"].AsDateTime(), EncodeDate(2024, 6, 30));
  awards = Db().Query("select * from dbo._ipfnGetAwards(" + SqlDateLiteral(EncodeDate(2024, 7, 1)) + ",1,0,0)");
  ASSERT_EQ(awards.RowCount(), 2);
  const TDBRow& hosp = awards[1];
  EXPECT_EQ(hosp["idAward"].AsInteger(), 1);
  EXPECT_EQ(hosp["idAwardTD"].AsInteger(), 2);
  EXPECT_EQ(hosp["cDeftClassCode"].AsString(), "HOSP");
  EXPECT_EQ(hosp["cDeftClassDesc"].AsString(), "Hospitality");
  EXPECT_EQ(hosp["cName"].AsString(), "Hospitality Industry Award");
  EXPECT_DOUBLE_EQ(hosp["fWeeklyBaseHours"].AsFloat(), 38);
  EXPECT_EQ(hosp["iStdPayClassTDID"].AsInteger(), 3);
  EXPECT_EQ(hosp["dEffectiveDate"].AsDateTime(), EncodeDate(2024, 7, 1));
  EXPECT_EQ(hosp["dEndDate"].AsDateTime(), 0.0);  // open-ended
  EXPECT_EQ(Db().Query("select * from dbo._ipfnGetAwards('2023-12-31',1,0,0)").RowCount(), 0);
  EXPECT_EQ(Db().Query("select * from dbo._ipfnGetAwards('2023-12-31',0,1,0)").RowCount(), 2);  // all versions of HOSP

  const TDBResult links = Db().Query("select * from dbo._ipvAwardCategoryLinks where iAwardTDID = 2 order by idAwardCategory");
  ASSERT_EQ(links.RowCount(), 3);
  EXPECT_EQ(links[2]["cCode"].AsString(), "CAS");
  EXPECT_EQ(links[2]["idAwardCategoryLink"].AsInteger(), 6);
  EXPECT_DOUBLE_EQ(links[2]["fPercentage"].AsFloat(), 125);
  EXPECT_EQ(links[2]["cDescription"].AsString(), "Casual");

  const TDBResult classes = Db().Query("select * from dbo._ipvPayClasses_TD where iAwardTDID = 2 order by cCode");
  ASSERT_EQ(classes.RowCount(), 2);
  EXPECT_EQ(classes[0]["idPayClassTD"].AsInteger(), hosp["iStdPayClassTDID"].AsInteger());
  EXPECT_EQ(classes[0]["iPayClassID"].AsInteger(), 1);
  EXPECT_DOUBLE_EQ(classes[0]["fNormalRate"].AsFloat(), 24.10);
  EXPECT_DOUBLE_EQ(classes[1]["fAutoPayAmount"].AsFloat(), 948.80);
  EXPECT_EQ(classes[1]["cDescription"].AsString(), "Hospitality Level 02");

  EXPECT_TRUE(Db().Query("select * from _iptblAwardConditions where iAwardTDID = 2").Empty());
  EXPECT_NO_THROW(Db().Query("select idAwardCondition, iConditionModule, iConditionType, nConditionsXML "
                             "from _iptblAwardConditions where iAwardTDID = 2"));
  const TDBResult groups = Db().Query("select * from dbo._iptblAwardConditionGroup where iAwardID = 1 "
                                      "order by idAwardConditionGroup");
  ASSERT_EQ(groups.RowCount(), 2);
  EXPECT_EQ(groups[1]["cConditionGroup"].AsString(), "Night Shift");
  const TDBResult jobs = Db().Query("select * from dbo._ipvAwardJobs where iAwardID = 1 order by idAwardJob");
  ASSERT_EQ(jobs.RowCount(), 2);
  EXPECT_EQ(jobs[0]["cCode"].AsString(), "Cook");
  EXPECT_EQ(jobs[0]["PayClass"].AsString(), "HOSP01");
  EXPECT_EQ(jobs[0]["CostAccount"].AsString(), "KITCHEN");
  EXPECT_EQ(jobs[1]["cDescription"].AsString(), "Food and beverage attendant");
}

TEST_P(PayrollStatementsTest, MaintenanceSupportQueries) {
  EXPECT_EQ(Db().QueryValue("SELECT cCode from _iptblAwards where idAward = 2").AsString(), "CLERK");
  const TDBResult current = Db().Query("select * from [dbo]._efnGetFreqPeriodData(1, 0)");
  ASSERT_EQ(current.RowCount(), 1);
  EXPECT_EQ(current[0]["dPeriodStart"].AsDateTime(), EncodeDate(2025, 4, 14));
  EXPECT_EQ(current[0]["dPeriodEnd"].AsDateTime(), EncodeDate(2025, 4, 20));
  EXPECT_EQ(Db().Query("select * from [dbo]._efnGetFreqPeriodData(2, 0)")[0]["dPeriodStart"].AsDateTime(),
            EncodeDate(2025, 4, 7));
  EXPECT_EQ(Db().Query("select * from [dbo]._efnGetFreqPeriodData(1, 1)")[0]["dPeriodEnd"].AsDateTime(),
            EncodeDate(2025, 4, 13));
  EXPECT_TRUE(Db().Query("select * from [dbo]._efnGetFreqPeriodData(3, 0)").Empty());

  const std::string unprocessed = std::string("select top 1 iEmployeeID from _iptblEmployeeTrans ET ") +
                                  " left join PRPeriod PR on ET.iPeriodID = PR.Counter" + " where IsProcessed = 0" +
                                  " and ET.iPayFrequencyID = " + "1" + " and iEmployeeID = " + "1";
  EXPECT_TRUE(Db().Query(unprocessed).Empty());
  const std::string used = std::string("select top 1 iEmployeeID from _ipvEmployeeTrans ET ") +
                           " left join PRPeriod PR on ET.iPeriodID = PR.Counter" + " where IsProcessed in (0,1)" +
                           " and ET.iPayFrequencyID = 1 and iEmployeeID = 1";
  EXPECT_EQ(Db().QueryValue(used).AsInteger(), 1);
  EXPECT_EQ(Db().QueryValue("select top 1 PR.PeriodEnd from _ipvEmployeeTrans ET  left join PRPeriod PR on "
                            "ET.iPeriodID = PR.Counter where IsProcessed in (0,1) and ET.iPayFrequencyID = 1 and "
                            "iEmployeeID = 1 and PR.PeriodEnd > '2025-01-01' order by PR.PeriodEnd DESC")
                .AsDateTime(),
            EncodeDate(2025, 4, 13));
  EXPECT_EQ(Db().QueryValue("select top 1 dEffectiveDate from _ipvEmployeeAwards where iEmployeeID = 1 and "
                            "((dEndDate >= '2024-12-31') or (dEndDate <= 5)) and iChangeType <> 3 "
                            "order by dEffectiveDate ASC")
                .AsDateTime(),
            EncodeDate(2024, 1, 1));
  EXPECT_EQ(Db().QueryValue("select top 1 dEffectiveDate from _ipvEmployeeAwards where iEmployeeID = 1 and "
                            "((dEndDate >= '2025-01-01') or (dEndDate <= 5)) and iChangeType <> 3 "
                            "order by dEffectiveDate ASC")
                .AsDateTime(),
            EncodeDate(2025, 1, 1));
  EXPECT_EQ(Db().QueryValue("select MIN(dEffectiveDate) from _ipvEmployeeAwards where iEmployeeID = 1 and "
                            "iChangeType <> 3")
                .AsDateTime(),
            EncodeDate(2024, 1, 1));
  const TDateTime periodEnd = Db().QueryValue("select top 1 PeriodEnd from PRPeriod where isProcessed = 0").AsDateTime();
  EXPECT_TRUE(periodEnd == EncodeDate(2025, 4, 20) || periodEnd == EncodeDate(2025, 4, 27)) << periodEnd;
}

TEST_P(PayrollStatementsTest, LastAdditionTransactionDate) {
  const std::string sql =
      "select MAX(ET.dEffectiveDate) from _ipvEmployeeTrans ET join _ipvAdditionsDeductions AD on AD.idAddDeduct = "
      "ET.iAddsDedsID join _iptblEmployee E on E.idEmployee = ET.iEmployeeID where E.cEmpCode = :EmployeeCode and "
      "AD.cCode = :AddDedCode";
  EXPECT_EQ(Db().QueryValue(sql, {{"EmployeeCode", "EMP001"}, {"AddDedCode", "MEAL"}}).AsDateTime(),
            EncodeDate(2025, 4, 10));
  EXPECT_EQ(Db().QueryValue(sql, {{"EmployeeCode", "EMP002"}, {"AddDedCode", "MEAL"}}).AsDateTime(), 0.0);
}

TEST_P(PayrollStatementsTest, HoursHistoryOfEarlierTimesheetsInTheCycle) {
  // Ben's next timesheet starts 2025-04-21 in a 14-day cycle anchored on 2025-04-07.
  const std::string cycle = "[dbo].[_esfnTimesheetCycleFromDate](14," + SqlDateLiteral(EncodeDate(2025, 4, 7)) +
                            "," + SqlDateLiteral(EncodeDate(2025, 4, 20)) + ")";
  const std::string employee = SqlQuote("EMP002");
  const TDBResult timesheets = Db().Query(
      "select distinct R.iTimesheetID, iCostingType, case iCostingType when 1 then 0 when 2 then 2 when 3 then 1 "
      "end as iPriority from _estblTimesheetCost C join _estblTimesheetRow R on R.idTimesheetRow = "
      "C.iTimesheetRowID join _estblUsers U on U.idUser = R.iUserID join _hrtblPerson P on P.idPerson = U.iPersonID "
      "where (R.dDateWorked >= " + cycle + " and R.dDateWorked < '2025-04-21') and (P.cEmployeeCode = " + employee +
      ") and (cComponentType = 'Ordinary Hours' or cComponentType = 'Leave Hours' or cComponentType = "
      "'Overtime Hours') order by iTimesheetID, iPriority desc");
  ASSERT_EQ(timesheets.RowCount(), 2);
  EXPECT_EQ(timesheets[0]["iTimesheetID"].AsInteger(), 2);
  EXPECT_EQ(timesheets[0]["iCostingType"].AsInteger(), 2);  // approved before published
  EXPECT_EQ(timesheets[1]["iPriority"].AsInteger(), 0);

  const TDBResult lines = Db().Query(
      "select P.cEmployeeCode, R.dDateWorked, C.* from _estblTimesheetCost C join _estblTimesheetRow R on "
      "R.idTimesheetRow = C.iTimesheetRowID join _estblUsers U on U.idUser = R.iUserID join _hrtblPerson P on "
      "P.idPerson = U.iPersonID where (iCostingType = 2 and C.iTimesheetID = 2 and R.dDateWorked >= " + cycle +
      " and R.dDateWorked < '2025-04-21') and (P.cEmployeeCode = " + employee + ") and (cComponentType = "
      "'Ordinary Hours' or cComponentType = 'Leave Hours' or cComponentType = 'Penalty' or cComponentType = "
      "'Overtime Hours')");
  ASSERT_EQ(lines.RowCount(), 1);
  EXPECT_EQ(lines[0]["cEmployeeCode"].AsString(), "EMP002");
  EXPECT_EQ(lines[0]["dDateWorked"].AsDateTime(), EncodeDate(2025, 4, 8));
  EXPECT_EQ(lines[0]["cComponentName"].AsString(), "Normal");
  EXPECT_DOUBLE_EQ(lines[0]["fUnits"].AsFloat(), 5.0);
  EXPECT_DOUBLE_EQ(lines[0]["fPercent"].AsFloat(), 100.0);
  EXPECT_TRUE(lines[0]["cLeaveClass"].IsNull());
  // The date bound excludes the timesheet's own first day.
  EXPECT_TRUE(Db().Query("select C.idTimesheetCost from _estblTimesheetCost C join _estblTimesheetRow R on "
                         "R.idTimesheetRow = C.iTimesheetRowID where R.dDateWorked < '2025-04-08'")
                  .Empty());
}

TEST_P(PayrollStatementsTest, CostingTableStatements) {
  EXPECT_EQ(Db().QueryValue("select distinct iTimesheetID from _estblTimesheetCost where iCostingType = 2 and "
                            "iTimesheetID in (" + ValidateIdList("1, 2") + ")")
                .AsInteger(),
            2);
  Db().ExecProc("_qivAddTimesheetCost", {{"iCostingType", 1}, {"iTimesheetRowID", 8},
                                         {"cComponentType", "Penalty"}, {"cComponentName", "SATPEN"},
                                         {"fRate", 28.0}, {"fPercent", 50.0}, {"fUnits", 5.0}, {"fValue", 70.0}});
  const std::string average =
      "select sum(fValue) / nullif(sum(case when cComponentType in  ('Ordinary Hours','Overtime Hours') then fUnits "
      "else 0 end),0) from _estblTimesheetCost where (iTimesheetRowID = %d) and (iCostingType = %d) and "
      "((cComponentType in ('Ordinary Hours','Overtime Hours')) or (cComponentType = 'Penalty' and (cComponentName "
      "in (%s) or (1 = %d))) or (cComponentType in ('Percent Allowance','Amount Allowance') and (cComponentName in "
      "(%s) or (1 = %d)))) ";
  auto format = [](std::string sql, const std::vector<std::string>& args) {
    for (const std::string& a : args) {
      const size_t at = sql.find_first_of('%');
      sql.replace(at, 2, a);
    }
    return sql;
  };
  EXPECT_DOUBLE_EQ(Db().QueryValue(format(average, {"8", "1", "''", "0", "''", "0"})).AsFloat(), 28.0);
  EXPECT_DOUBLE_EQ(Db().QueryValue(format(average, {"8", "1", "'SATPEN','O''X'", "0", "''", "0"})).AsFloat(), 42.0);
  EXPECT_DOUBLE_EQ(Db().QueryValue(format(average, {"8", "1", "''", "1", "''", "0"})).AsFloat(), 42.0);
  EXPECT_TRUE(Db().QueryValue(format(average, {"1", "1", "''", "1", "''", "1"})).IsNull());  // no units: null

  const std::string compare =
      "insert into _estblTimesheetCost (iTimesheetID, iTimesheetRowID, iCostingType, cComponentType, "
      "cComponentName, fRate, fUnits, fValue, cFrequency, cCostCode, cJobCode, cClassification, dStartTime, "
      "dEndTime, dStartDate, dEndDate, cAwardCategory, fPercent, iALLink) select iTimesheetID, iTimesheetRowID, %d, "
      "cComponentType, cComponentName, fRate, fUnits, fValue, cFrequency, cCostCode, cJobCode, cClassification, "
      "dStartTime, dEndTime, dStartDate, dEndDate, cAwardCategory, fPercent, %d from _estblTimesheetCost where "
      "(iTimesheetRowID = %d) and (iCostingType = %d) and ((cComponentType = 'Penalty' and (cComponentName in (%s) "
      "or (1 = %d))) or (cComponentType in ('Percent Allowance','Amount Allowance') and (cComponentName in (%s) or "
      "(1 = %d)))) ";
  Db().Execute(format(compare, {"3", "5", "8", "1", "'SATPEN'", "0", "''", "0"}));
  const TDBResult copied = Db().Query("select * from _estblTimesheetCost where iCostingType = 3");
  ASSERT_EQ(copied.RowCount(), 1);
  EXPECT_EQ(copied[0]["iALLink"].AsInteger(), 5);
  EXPECT_EQ(copied[0]["iTimesheetID"].AsInteger(), 2);
  EXPECT_DOUBLE_EQ(copied[0]["fValue"].AsFloat(), 70.0);

  Db().Execute("delete from _estblTimesheetCost where iTimesheetID in (" + ValidateIdList("2") +
                   ") and iCostingType = :CostingType",
               {{"CostingType", 1}});
  EXPECT_EQ(Db().QueryValue("select count(*) from _estblTimesheetCost where iTimesheetID = 2").AsInteger(), 2);
}

INSTANTIATE_TEST_SUITE_P(Backends, PayrollStatementsTest,
                         testing::AllTestBackends(), BackendParamName);

}  // namespace
}  // namespace qora
