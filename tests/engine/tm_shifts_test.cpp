// Loading stored timesheets: the rows a costing type selects, rosters and
// actual hours across midnight, leave, RDO and allowance rows, documents
// stored as XML, and the errors of the loaders.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "common/datetime.h"
#include "db/db_error.h"
#include "common/exceptions.h"
#include "engine/stored_timesheet_view.h"
#include "timesheet/timesheet.h"
#include "tm_test_support.h"

namespace qora::testing {
namespace {

TDBValue At(int y, int m, int d, int h = 0, int n = 0) {
  return TDBValue::DateTime(EncodeDate(y, m, d) + EncodeTime(h, n, 0));
}

class TmShiftsTest : public ManagerDbTest {
 protected:
  std::vector<int> ShiftIDs() {
    std::vector<int> ids;
    for (int i = 0; i < manager.Timesheet().Count(); ++i) ids.push_back(manager.Timesheet().Items(i)->ID());
    return ids;
  }
  TTimesheetShift& ShiftWithID(int id) {
    for (int i = 0; i < manager.Timesheet().Count(); ++i) {
      if (manager.Timesheet().Items(i)->ID() == id) return *manager.Timesheet().Items(i);
    }
    throw std::runtime_error("no shift " + std::to_string(id));
  }
  // Timesheet 3 for Chloe (user 3) with one row on 2025-04-22 and its plan.
  void AddTimesheet3(const TDBValue& rostered_start, const TDBValue& rostered_end) {
    Db().Execute("insert into _estblTimesheet (idTimesheet, iUserID, iStatus, dStartDate, dEndDate) "
                 "values (3, 3, 1, :Start, :End)",
                 {{"Start", At(2025, 4, 21)}, {"End", At(2025, 4, 27)}});
    Db().Execute("insert into _estblTimesheetRow (idTimesheetRow, iTimesheetID, iUserID, dDateWorked, bIsOffDay) "
                 "values (30, 3, 3, :Day, 0)",
                 {{"Day", At(2025, 4, 22)}});
    Db().Execute("insert into _estblTimesheetRowPlan (idTimesheetRowPlan, iTimesheetRowID, dRosteredStartTime, "
                 "dRosteredEndTime, iRosteredBreakMinutes, cJobTitle, cWorkCode, cCostCode, iJobCodeID, bActualEmpty) "
                 "values (30, 30, :From, :To, 45, 'Cook', 'ORD', 'KITCHEN', 1, 0)",
                 {{"From", rostered_start}, {"To", rostered_end}});
  }
  void AddActualHours(int id, const TDBValue& from, const TDBValue& to, bool next_day) {
    Db().Execute("insert into _estblTimesheetRowHours (idTimesheetRowHours, iTimesheetRowPlanID, dStartTime, "
                 "dEndTime, bNextDay, cWorkCode, cCostCode, cJobTitle, iJobCodeID) "
                 "values (:ID, 30, :From, :To, :NextDay, 'ORD', 'KITCHEN', 'Cook', 1)",
                 {{"ID", id}, {"From", from}, {"To", to}, {"NextDay", next_day}});
  }
};

TEST_P(TmShiftsTest, ActualCostingLoadsRowsWithHoursLeaveRdoOrAllowances) {
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Approve);
  manager.DBLoadTimesheetShifts("1");
  // Good Friday (row 5) has nothing to cost.
  EXPECT_EQ(ShiftIDs(), (std::vector<int>{1, 2, 3, 4, 6, 7}));
  EXPECT_EQ(manager.Timesheet().ShiftCount(), 6);
  EXPECT_EQ(FormatIsoDate(manager.Timesheet().StartDate()), "2025-04-14");
  EXPECT_EQ(FormatIsoDate(manager.Timesheet().EndDate()), "2025-04-20");
  EXPECT_EQ(manager.Timesheet().StatusID(), 1);

  // The night shift: rostered 22 to 30, worked 22:00 to 06:15 next day.
  TTimesheetShift& night = ShiftWithID(2);
  EXPECT_EQ(night.TimesheetID(), 1);
  EXPECT_EQ(night.UserID(), 1);
  EXPECT_EQ(night.TimesheetRowPlanID(), 2);
  EXPECT_EQ(night.EmployeeCode(), "EMP001");
  EXPECT_EQ(night.EmployeeAward(), "HOSP");
  EXPECT_DOUBLE_EQ(night.RosteredHoursStart(), 22);
  EXPECT_DOUBLE_EQ(night.RosteredHoursEnd(), 30);
  EXPECT_DOUBLE_EQ(night.RosteredBreakHours(), 0.5);
  EXPECT_EQ(FormatIsoDate(night.ShiftStartDate()), "2025-04-15");
  EXPECT_EQ(FormatIsoDate(night.ShiftEndDate()), "2025-04-16");
  ASSERT_EQ(night.HoursGroupList().Count(), 1);
  EXPECT_DOUBLE_EQ(night.HoursGroupList().Items(0)->FromTime(), 22);
  EXPECT_DOUBLE_EQ(night.HoursGroupList().Items(0)->ToTime(), 30.25);
  EXPECT_EQ(night.HoursGroupList().Items(0)->ComponentName(), "Normal");
  EXPECT_EQ(night.HoursGroupList().Items(0)->JobCode(), "COOK");
  EXPECT_EQ(night.HoursGroupList().Items(0)->CostAccount(), "KITCHEN");
  EXPECT_EQ(FormatIsoDateTime(night.LastImportDate()), "2025-04-21 08:30:00");

  // Split shift: two blocks with the break between filled in; the unplanned
  // allowance only (the planned one belongs to the rostered plan).
  TTimesheetShift& split = ShiftWithID(4);
  EXPECT_DOUBLE_EQ(split.OrdinaryHoursTotal(), 8);
  EXPECT_DOUBLE_EQ(split.BreakHours(), 0.5);
  ASSERT_NE(split.FindColumnByName("fFIRSTAID"), nullptr);
  EXPECT_DOUBLE_EQ(split.FindColumnByName("fFIRSTAID")->FloatValue(), 1);
  EXPECT_EQ(split.FindColumnByName("fFIRSTAID")->JobCode(), "WAIT");
  EXPECT_EQ(split.FindColumnByName("fFIRSTAID")->CostCode(), "FOH");
  EXPECT_EQ(split.FindColumnByName("fFIRSTAID")->JobTitle(), "Waiter");
  EXPECT_EQ(split.FindColumnByName("fMEAL"), nullptr);
  EXPECT_NE(ShiftWithID(1).FindColumnByName("fMEAL"), nullptr);

  // Leave: annual leave on row 3, user-defined study leave on row 7.
  TTimesheetShift& annual = ShiftWithID(3);
  ASSERT_EQ(annual.LeaveDatesList().Count(), 1);
  EXPECT_EQ(annual.LeaveDatesList().Items(0)->LeaveType(), "Annual Leave");
  EXPECT_EQ(annual.LeaveDatesList().Items(0)->LeaveReason(), "AL");
  EXPECT_EQ(annual.LeaveDatesList().Items(0)->LeaveClass(), "");
  EXPECT_DOUBLE_EQ(annual.LeaveDatesList().Items(0)->TotalHours(), 7.6);
  TTimesheetShift& study = ShiftWithID(7);
  ASSERT_EQ(study.LeaveDatesList().Count(), 1);
  EXPECT_EQ(study.LeaveDatesList().Items(0)->LeaveType(), "User Defined Leave");
  EXPECT_EQ(study.LeaveDatesList().Items(0)->LeaveReason(), "STUDY");  // trimmed
  EXPECT_EQ(study.LeaveDatesList().Items(0)->LeaveClass(), "STUDY");
  EXPECT_TRUE(study.IsDummyShift() == false);

  // RDO on Saturday.
  TTimesheetShift& rdo = ShiftWithID(6);
  ASSERT_EQ(rdo.RDODatesList().Count(), 1);
  EXPECT_EQ(rdo.RDODatesList().Items(0)->LeaveClass(), "RDO Hours");
  EXPECT_DOUBLE_EQ(rdo.RDODatesList().Items(0)->TotalHours(), 7.6);
  EXPECT_EQ(FormatIsoDate(rdo.RDODatesList().Items(0)->DateFrom()), "2025-04-19");
  EXPECT_FALSE(rdo.IsOffDay());
  EXPECT_EQ(rdo.HoursGroupList().Count(), 0);
}

TEST_P(TmShiftsTest, PublishedCostingLoadsTheRosteredPlan) {
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Publish);
  manager.DBLoadTimesheetShifts("1");
  EXPECT_EQ(ShiftIDs(), (std::vector<int>{1, 2, 3, 4, 6}));
  TTimesheetShift& night = ShiftWithID(2);
  EXPECT_DOUBLE_EQ(night.ShiftStart(), 22);
  EXPECT_DOUBLE_EQ(night.ShiftEnd(), 30);
  EXPECT_DOUBLE_EQ(night.OrdinaryHoursTotal(), 7.5);  // the rostered break is not paid
  EXPECT_EQ(FormatIsoDate(night.ShiftEndDate()), "2025-04-16");
  EXPECT_EQ(ShiftWithID(3).LeaveDatesList().Count(), 0);  // no leave in the plan
  ASSERT_NE(ShiftWithID(4).FindColumnByName("fMEAL"), nullptr);
  EXPECT_EQ(ShiftWithID(4).FindColumnByName("fFIRSTAID"), nullptr);
  // The RDO row has no roster: an off day without hours, so a dummy shift.
  EXPECT_TRUE(ShiftWithID(6).IsOffDay());
  EXPECT_TRUE(ShiftWithID(6).IsDummyShift());
  EXPECT_EQ(ShiftWithID(6).RDODatesList().Count(), 1);
}

TEST_P(TmShiftsTest, RostersAndActualHoursAcrossMidnight) {
  // 09:00 to 09:00 is a 24-hour roster ending the next day.
  AddTimesheet3(At(2025, 4, 22, 9), At(2025, 4, 22, 9));
  // Actual: 23:00 to 02:00 (end on the next day) and 03:00 to 05:00 marked
  // as the next day.
  AddActualHours(31, At(2025, 4, 22, 23), At(2025, 4, 23, 2), false);
  AddActualHours(32, At(2025, 4, 22, 3), At(2025, 4, 22, 5), true);
  AddActualHours(33, At(2025, 4, 22, 6), TDBValue(), false);  // no end: ignored

  manager.SetCostingOutputType(TaiCostingOutputType::cot_Publish);
  manager.DBLoadTimesheetShifts("3");
  ASSERT_EQ(manager.Timesheet().Count(), 1);
  TTimesheetShift& planned = *manager.Timesheet().Items(0);
  EXPECT_DOUBLE_EQ(planned.RosteredHoursStart(), 9);
  EXPECT_DOUBLE_EQ(planned.RosteredHoursEnd(), 33);
  EXPECT_DOUBLE_EQ(planned.RosteredBreakHours(), 0.75);
  EXPECT_EQ(FormatIsoDate(planned.ShiftEndDate()), "2025-04-23");
  EXPECT_EQ(planned.EmployeeCode(), "EMP003");

  manager.SetCostingOutputType(TaiCostingOutputType::cot_Adhoc);
  manager.DBLoadTimesheetShifts("3");
  ASSERT_EQ(manager.Timesheet().Count(), 1);
  TTimesheetShift& actual = *manager.Timesheet().Items(0);
  std::vector<std::pair<double, double>> blocks;
  for (const THoursGroup* g : actual.HoursGroupList().Groups()) {
    if (g->HoursType() == THoursType::htOrdinary) blocks.emplace_back(g->FromTime(), g->ToTime());
  }
  std::sort(blocks.begin(), blocks.end());
  EXPECT_EQ(blocks, (std::vector<std::pair<double, double>>{{23, 26}, {27, 29}}));
}

// Engine date rules of stored shifts: SQLite is enough.
class TmShiftDatesTest : public TmShiftsTest {};

TEST_P(TmShiftDatesTest, HoursPastMidnightEndTheShiftOnTheNextDay) {
  // Rostered 14:00 to 22:00, worked on with two breaks after midnight.
  AddTimesheet3(At(2025, 4, 22, 14), At(2025, 4, 22, 22));
  AddActualHours(31, At(2025, 4, 22, 22), At(2025, 4, 22, 23), false);
  AddActualHours(32, At(2025, 4, 22, 0, 30), At(2025, 4, 22, 2), true);
  AddActualHours(33, At(2025, 4, 22, 2, 30), At(2025, 4, 22, 6), true);
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Adhoc);
  manager.DBLoadTimesheetShifts("3");
  ASSERT_EQ(manager.Timesheet().Count(), 1);
  const TTimesheetShift& shift = *manager.Timesheet().Items(0);
  EXPECT_EQ(FormatIsoDate(shift.ShiftStartDate()), "2025-04-22");
  EXPECT_EQ(FormatIsoDate(shift.ShiftEndDate()), "2025-04-23");
  EXPECT_DOUBLE_EQ(shift.ShiftEnd(), 30);
}

INSTANTIATE_TEST_SUITE_P(SQLite, TmShiftDatesTest, ::testing::Values(TTestBackend::SQLite), BackendParamName);

TEST_P(TmShiftsTest, TwoTimesheetsInOneListAndListValidation) {
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Approve);
  manager.DBLoadTimesheetShifts(" 1, 2 ");
  EXPECT_EQ(manager.Timesheet().Count(), 7);
  EXPECT_EQ(ShiftWithID(8).EmployeeCode(), "EMP002");
  EXPECT_THROW(manager.DBLoadTimesheetShifts("1) or (1=1"), EDatabaseError);
  manager.DBLoadTimesheetShifts("");
  EXPECT_EQ(manager.Timesheet().Count(), 0);
}

TEST_P(TmShiftsTest, MissingShiftsAreReportedAsErrors) {
  auto first = std::make_unique<TTimesheetShift>();
  first->SetTimesheetID(7);
  manager.Timesheet().AddShift(std::move(first));
  manager.DBAddTimesheetLeave(nullptr);
  manager.DBAddTimesheetRDO(nullptr);
  manager.DBAddTimesheetAllowances(nullptr);
  ASSERT_EQ(log.Count(), 3);
  EXPECT_EQ(log.Messages()[0].Text, "No shift specified in DBAddTimesheetLeave for Timesheet ID 7");
  EXPECT_EQ(log.Messages()[1].Text, "No shift specified in DBAddTimesheetRDO for Timesheet ID 7");
  EXPECT_EQ(log.Messages()[2].Text, "No shift specified in DBAddTimesheetAllowances for Timesheet ID 7");
  // The text names the timesheet; the message is the application's own.
  for (const auto& m : log.Messages()) {
    EXPECT_EQ(m.Info.Severity, TMessageSeverity::ms_Error);
    EXPECT_EQ(m.Info.LogType, TMessageLogType::mlt_Application);
    EXPECT_EQ(m.Info.TimesheetID, 0);
    EXPECT_FALSE(m.Info.IsDebugMessage);
  }
}

constexpr const char* kStoredCards = R"(<?xml version="1.0"?>
<TimeCards><TimeCard><TimeCardNo>EMP001</TimeCardNo><TotalHours>8</TotalHours>
<Shift><RosteredStartTime>2025-04-14T09:00:00</RosteredStartTime><RosteredFinishTime>2025-04-14T17:00:00</RosteredFinishTime>
<RosteredBreak>0</RosteredBreak><ShiftHours><StartTime>2025-04-14T09:00:00</StartTime>
<FinishTime>2025-04-14T17:00:00</FinishTime><Job>ORD</Job><PayRateCode>Cook</PayRateCode></ShiftHours></Shift>
</TimeCard></TimeCards>)";

TEST_P(TmShiftsTest, DocumentsStoredInTheDatabase) {
  Db().Execute("insert into _estblTimesheet (idTimesheet, iUserID, iStatus, dStartDate, dEndDate, iImportType, nData) "
               "values (5, 1, 1, :Start, :End, 1, :Data)",
               {{"Start", At(2025, 4, 14)}, {"End", At(2025, 4, 20)}, {"Data", kStoredCards}});
  Db().Execute("insert into _estblTimesheet (idTimesheet, iUserID, iStatus, dStartDate, dEndDate, iImportType, nData) "
               "values (6, 1, 1, :Start, :End, 2, 'a,b')",
               {{"Start", At(2025, 4, 14)}, {"End", At(2025, 4, 20)}});
  manager.XMLLoadFromDatabase(5);
  ASSERT_EQ(manager.Timesheet().Count(), 1);
  EXPECT_EQ(manager.Timesheet().Items(0)->EmployeeCode(), "EMP001");
  EXPECT_DOUBLE_EQ(manager.Timesheet().Items(0)->OrdinaryHoursTotal(), 8);
  try {
    manager.XMLLoadFromDatabase(6);
    FAIL() << "CSV documents are not read";
  } catch (const eNotImplementException& e) {
    EXPECT_STREQ(e.what(), "Loading CSV timesheets from the database is not supported. Use XML format instead.");
  }
  EXPECT_THROW(manager.XMLLoadFromDatabase(99), eRecordNotFoundException);
}

TEST_P(TmShiftsTest, StreamsMustHoldADocument) {
  for (std::istream* stream : {static_cast<std::istream*>(nullptr)}) {
    try {
      manager.LoadTimesheetFromStream(stream, 1);
      FAIL();
    } catch (const eLoadFromStreamException& e) {
      EXPECT_STREQ(e.what(), "Blank or Invalid Timesheet.");
    }
  }
  std::istringstream empty;
  EXPECT_THROW(manager.LoadTimesheetFromStream(&empty, 1), eLoadFromStreamException);
  std::istringstream csv("a,b");
  EXPECT_THROW(manager.LoadTimesheetFromStream(&csv, 2), eNotImplementException);
  std::istringstream cards(kStoredCards);
  cards.seekg(10);  // the stream is read from its start
  manager.LoadTimesheetFromStream(&cards, 1);
  EXPECT_EQ(manager.Timesheet().Count(), 1);
}

TEST_P(TmShiftsTest, TheStoredTimesheetViewReadsEveryBackEnd) {
  const nlohmann::ordered_json json = ShowStoredTimesheet(Db().Params().ToUri(), 2);
  ASSERT_EQ(json["Shifts"].size(), 1u);
  EXPECT_EQ(json["Shifts"][0]["EmployeeCode"], "EMP002");
  EXPECT_EQ(json["Shifts"][0]["EmployeeCategory"], "PT");
  EXPECT_EQ(json["Shifts"][0]["ConditionGroup"], "Night Shift");
  EXPECT_DOUBLE_EQ(json["Shifts"][0]["BaseWeeklyHours"].get<double>(), 30);
}

INSTANTIATE_TEST_SUITE_P(Backends, TmShiftsTest, AllTestBackends(),
                         BackendParamName);

}  // namespace
}  // namespace qora::testing
