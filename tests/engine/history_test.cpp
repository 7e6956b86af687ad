// Guards the hours and additions history against wrong or missing entries for a costed shift, stored costing of the wrong priority or dates, needless or missed reloads, and the wrong last date an addition was paid.
#include <gtest/gtest.h>

#include "common/datetime.h"
#include "timesheet/timesheet.h"
#include "tm_test_support.h"

namespace qora::testing {
namespace {

TDBValue Day(int y, int m, int d) { return TDBValue::DateTime(EncodeDate(y, m, d)); }

// A costed shift: 8 ordinary hours, 2 hours of overtime at OT150, one leave
// entry and two penalties, one of them paid as an amount.
void BuildCostedShift(TTimesheetManager& manager) {
  auto shift = std::make_unique<TTimesheetShift>();
  shift->SetEmployeeCode("EMP001");
  shift->SetShiftStartDate(EncodeDate(2025, 4, 14));
  shift->SetEmployeeNormalRate(31.75);
  shift->_AddHours(9, 17, "Normal", "ORD", THoursType::htOrdinary, "", "", "");
  shift->_AddHours(17, 19, "OT150", "ORD", THoursType::htOvertime, "", "", "");
  shift->HoursGroupList().Items(1)->SetRateCode("OT150");
  shift->HoursGroupList().Items(1)->SetRate(47.625);
  shift->HoursGroupList().Items(1)->SetPercentage(150);
  auto leave = std::make_unique<TDateGroup>();
  leave->SetLeaveType("Annual Leave");
  leave->SetLeaveReason("AL");
  leave->SetRateCode("ALHRS");
  leave->SetTotalHours(3.8);
  leave->SetRate(31.75);
  shift->LeaveDatesList().Add(std::move(leave));
  for (auto option : {TaiConditionPayOpt::aicpo_PercOfBase, TaiConditionPayOpt::aicpo_Amount}) {
    auto penalty = std::make_unique<TPenalty>();
    penalty->SetAddDedCode(option == TaiConditionPayOpt::aicpo_Amount ? "MEALPEN" : "NIGHT");
    penalty->SetPayOption(option);
    penalty->SetUnits(2);
    penalty->SetRate(31.75);
    penalty->SetAmountPerc(15);
    shift->PenaltyList().Add(std::move(penalty));
  }
  manager.Timesheet().AddShift(std::move(shift));
}

TEST(HistoryTest, SaveHoursHistoryRecordsTheCurrentShift) {
  TTimesheetManager manager;
  manager.SaveHoursHistory();  // no shift: nothing
  EXPECT_EQ(manager.HoursList().Count(), 0);
  BuildCostedShift(manager);
  manager.SetCurrentShiftIndex(0);
  manager.SaveHoursHistory();
  const THoursHistoryList& list = manager.HoursList();
  ASSERT_EQ(list.Count(), 4);
  struct Row {
    const char* rate_code;
    THoursType type;
    double hours, rate, percent;
    const char* leave_reason;
  };
  const Row expected[] = {{"Normal", THoursType::htOrdinary, 8, 31.75, 100, ""},
                          {"OT150", THoursType::htOvertime, 2, 47.625, 150, ""},
                          {"ALHRS", THoursType::htLeave, 3.8, 31.75, 100, "AL"},
                          {"NIGHT", THoursType::htNone, 2, 31.75, 15, ""}};
  for (int i = 0; i < 4; ++i) {
    const THoursWorkedHistory& e = *list.Items(i);
    SCOPED_TRACE(i);
    EXPECT_EQ(e.RateCode(), expected[i].rate_code);
    EXPECT_EQ(e.HoursType(), expected[i].type);
    EXPECT_DOUBLE_EQ(e.Hours(), expected[i].hours);
    EXPECT_DOUBLE_EQ(e.Rate(), expected[i].rate);
    EXPECT_DOUBLE_EQ(e.AmtPercent(), expected[i].percent);
    EXPECT_EQ(e.LeaveReason(), expected[i].leave_reason);
    EXPECT_EQ(e.EmployeeCode(), "EMP001");
    EXPECT_EQ(FormatIsoDate(e.DayWorked()), "2025-04-14");
    EXPECT_FALSE(e.FromCosting());
  }
  EXPECT_EQ(list.Items(2)->LeaveType(), "Annual Leave");
}

TEST(HistoryTest, TheLastAdditionDatePrefersThisRun) {
  TTimesheetManager manager;
  EXPECT_DOUBLE_EQ(manager.GetLastAdditionTransactionDate("EMP001", "MEAL", false), 0);  // no payroll connection
  manager.AddAdditionToHistory("EMP001", "MEAL", EncodeDate(2025, 4, 14), 15.2, false);
  manager.AddAdditionToHistory("EMP001", "MEAL", EncodeDate(2025, 4, 16), 15.2, false);
  manager.AddAdditionToHistory("EMP001", "MEAL", EncodeDate(2025, 4, 18), 15.2, true);
  manager.AddAdditionToHistory("EMP002", "MEAL", EncodeDate(2025, 4, 19), 15.2, false);
  EXPECT_EQ(FormatIsoDate(manager.GetLastAdditionTransactionDate("EMP001", "MEAL", false)), "2025-04-16");
  EXPECT_EQ(FormatIsoDate(manager.GetLastAdditionTransactionDate("EMP001", "MEAL", true)), "2025-04-18");
  EXPECT_DOUBLE_EQ(manager.GetLastAdditionTransactionDate("EMP001", "meal", false), 0);  // codes compare exactly
}

class HistoryDbTest : public ManagerDbTest {
 protected:
  void AddCosting(int id, int timesheet, int row, int type, const char* component_type, const char* name,
                  double units) {
    Db().Execute("insert into _estblTimesheetCost (idTimesheetCost, iTimesheetID, iTimesheetRowID, iCostingType, "
                 "cComponentType, cComponentName, fRate, fUnits, fValue, fPercent, cLeaveReason, cLeaveClass) "
                 "values (:ID, :TS, :Row, :Type, :CType, :Name, 28, :Units, 0, 100, 'AL', 'ANN')",
                 {{"ID", id}, {"TS", timesheet}, {"Row", row}, {"Type", type}, {"CType", component_type},
                  {"Name", name}, {"Units", units}});
  }
  void AddBenTimesheet(int id, int row, TDBValue day) {
    Db().Execute("insert into _estblTimesheet (idTimesheet, iUserID, iStatus, dStartDate, dEndDate) "
                 "values (:ID, 2, 1, :Day, :Day)",
                 {{"ID", id}, {"Day", day}});
    Db().Execute("insert into _estblTimesheetRow (idTimesheetRow, iTimesheetID, iUserID, dDateWorked) "
                 "values (:Row, :ID, 2, :Day)",
                 {{"Row", row}, {"ID", id}, {"Day", day}});
  }
};

TEST_P(HistoryDbTest, LoadsTheHighestPriorityCostingOfEarlierTimesheetsOnce) {
  // Timesheet 2 (sample) has approved and published costing on 8 April;
  // timesheet 4 has published and ad hoc costing on 10 April, including leave
  // and a penalty; timesheet 5 lies after the timesheet start (not loaded).
  AddBenTimesheet(4, 40, Day(2025, 4, 10));
  AddCosting(40, 4, 40, 1, "Ordinary Hours", "Normal", 9);
  AddCosting(41, 4, 40, 3, "Ordinary Hours", "Normal", 6);
  AddCosting(42, 4, 40, 3, "Leave Hours", "Annual Leave", 1.5);
  AddCosting(43, 4, 40, 3, "Penalty", "NIGHT", 2);
  AddCosting(44, 4, 40, 3, "Overtime Hours", "OT150", 0.5);
  AddBenTimesheet(5, 50, Day(2025, 4, 15));
  AddCosting(50, 5, 50, 2, "Ordinary Hours", "Normal", 7);

  THoursHistoryList list;
  const auto load = [&](int days, int from_day) {
    manager.LoadHoursHistory("EMP002", days, EncodeDate(2025, 4, 7), EncodeDate(2025, 4, from_day),
                             EncodeDate(2025, 4, 20), list);
  };
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Approve);
  load(14, 14);
  ASSERT_EQ(list.Count(), 5);
  double ordinary = 0;
  for (int i = 0; i < list.Count(); ++i) {
    const THoursWorkedHistory& e = *list.Items(i);
    EXPECT_TRUE(e.FromCosting());
    EXPECT_EQ(e.EmployeeCode(), "EMP002");
    if (e.HoursType() == THoursType::htOrdinary) ordinary += e.Hours();
  }
  EXPECT_DOUBLE_EQ(ordinary, 5 + 6);  // approved of timesheet 2, ad hoc of timesheet 4
  EXPECT_EQ(list.Items(0)->RateCode(), "Normal");
  EXPECT_EQ(FormatIsoDate(list.Items(0)->DayWorked()), "2025-04-08");
  EXPECT_DOUBLE_EQ(list.Items(0)->Rate(), 28);
  const THoursWorkedHistory& leave = *list.Items(2);
  EXPECT_EQ(leave.HoursType(), THoursType::htLeave);
  EXPECT_EQ(leave.LeaveType(), "Annual Leave");
  EXPECT_EQ(leave.LeaveReason(), "AL");
  EXPECT_EQ(leave.LeaveClass(), "ANN");
  EXPECT_EQ(list.Items(3)->HoursType(), THoursType::htNone);
  EXPECT_EQ(list.Items(4)->HoursType(), THoursType::htOvertime);

  // The same arguments do not touch the database.
  const size_t statements = main->Statements.size();
  load(14, 14);
  EXPECT_EQ(main->Statements.size(), statements);
  EXPECT_EQ(list.Count(), 5);
  // Another costing type of the run, or other arguments, reload.
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Adhoc);
  load(14, 14);
  EXPECT_GT(main->Statements.size(), statements);
  EXPECT_EQ(list.Count(), 5);
  const size_t after_type = main->Statements.size();
  load(14, 9);
  EXPECT_GT(main->Statements.size(), after_type);
  ASSERT_EQ(list.Count(), 1);  // only 8 April lies before 9 April
  EXPECT_DOUBLE_EQ(list.Items(0)->Hours(), 5);
  // A cycle that starts after the costing finds none of it.
  load(7, 14);
  EXPECT_EQ(list.Count(), 0);
}

TEST_P(HistoryDbTest, NoDaysMeansNoStoredHistory) {
  THoursHistoryList list;
  list.Add(std::make_unique<THoursWorkedHistory>());
  manager.LoadHoursHistory("EMP002", 0, EncodeDate(2025, 4, 7), EncodeDate(2025, 4, 21), EncodeDate(2025, 4, 27),
                           list);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_TRUE(main->Statements.empty());
}

TEST_P(HistoryDbTest, TheLastAdditionDateComesFromThePayrollWhenTheRunHasNone) {
  auto shift = FileShift("EMP001", EncodeDate(2025, 4, 14));
  manager.DBLoadEmployeeDetails(*shift);  // connects the payroll database
  EXPECT_EQ(FormatIsoDate(manager.GetLastAdditionTransactionDate("EMP001", "MEAL", false)), "2025-04-10");
  EXPECT_DOUBLE_EQ(manager.GetLastAdditionTransactionDate("EMP001", "UNIFORM", false), 0);
  manager.AddAdditionToHistory("EMP001", "MEAL", EncodeDate(2025, 4, 15), 15.2, false);
  EXPECT_EQ(FormatIsoDate(manager.GetLastAdditionTransactionDate("EMP001", "MEAL", false)), "2025-04-15");
}

INSTANTIATE_TEST_SUITE_P(Backends, HistoryDbTest, AllTestBackends(),
                         BackendParamName);

}  // namespace
}  // namespace qora::testing
