// Guards stored-timesheet loading (timesheet semantics, so SQLite) against the wrong rows for a costing type, rosters and hours across midnight, lost leave, RDO and allowance rows, documents stored as XML, and the loaders' errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "common/datetime.h"
#include "common/format.h"
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
  EXPECT_EQ(FormatIsoDate(manager.Timesheet().StartDate()) + " " + FormatIsoDate(manager.Timesheet().EndDate()),
            "2025-04-14 2025-04-20");
  EXPECT_EQ(manager.Timesheet().StatusID(), 1);

  // The night shift: rostered 22 to 30, worked 22:00 to 06:15 next day.
  TTimesheetShift& night = ShiftWithID(2);
  EXPECT_EQ(std::vector<int>({night.TimesheetID(), night.UserID(), night.TimesheetRowPlanID()}),
            std::vector<int>({1, 1, 2}));
  EXPECT_EQ(night.EmployeeCode() + " " + night.EmployeeAward(), "EMP001 HOSP");
  EXPECT_EQ(std::vector<double>({night.RosteredHoursStart(), night.RosteredHoursEnd(), night.RosteredBreakHours()}),
            std::vector<double>({22, 30, 0.5}));
  EXPECT_EQ(FormatIsoDate(night.ShiftStartDate()) + " " + FormatIsoDate(night.ShiftEndDate()), "2025-04-15 2025-04-16");
  ASSERT_EQ(night.HoursGroupList().Count(), 1);
  const THoursGroup& worked = *night.HoursGroupList().Items(0);
  EXPECT_EQ(std::vector<double>({worked.FromTime(), worked.ToTime()}), std::vector<double>({22, 30.25}));
  EXPECT_EQ(worked.ComponentName() + " " + worked.JobCode() + " " + worked.CostAccount(), "Normal COOK KITCHEN");
  EXPECT_EQ(FormatIsoDateTime(night.LastImportDate()), "2025-04-21 08:30:00");

  // Split shift: two blocks with the break between filled in; the unplanned
  // allowance only (the planned one belongs to the rostered plan).
  TTimesheetShift& split = ShiftWithID(4);
  EXPECT_EQ(std::vector<double>({split.OrdinaryHoursTotal(), split.BreakHours()}), std::vector<double>({8, 0.5}));
  TTimesheetColumn* first_aid = split.FindColumnByName("fFIRSTAID");
  ASSERT_NE(first_aid, nullptr);
  EXPECT_DOUBLE_EQ(first_aid->FloatValue(), 1);
  EXPECT_EQ(first_aid->JobCode() + " " + first_aid->CostCode() + " " + first_aid->JobTitle(), "WAIT FOH Waiter");
  EXPECT_EQ(split.FindColumnByName("fMEAL"), nullptr);
  EXPECT_NE(ShiftWithID(1).FindColumnByName("fMEAL"), nullptr);

  // Leave: annual leave on row 3, user-defined study leave on row 7 (its reason trimmed).
  for (const auto& [id, text] : {std::pair{3, "Annual Leave/AL//7.6"}, {7, "User Defined Leave/STUDY/STUDY/4"}}) {
    ASSERT_EQ(ShiftWithID(id).LeaveDatesList().Count(), 1);
    const TDateGroup& leave = *ShiftWithID(id).LeaveDatesList().Items(0);
    EXPECT_EQ(leave.LeaveType() + "/" + leave.LeaveReason() + "/" + leave.LeaveClass() + "/" +
                  FloatToStr(leave.TotalHours()), text);
  }
  EXPECT_FALSE(ShiftWithID(7).IsDummyShift());

  // RDO on Saturday.
  TTimesheetShift& rdo = ShiftWithID(6);
  ASSERT_EQ(rdo.RDODatesList().Count(), 1);
  const TDateGroup& rdo_day = *rdo.RDODatesList().Items(0);
  EXPECT_EQ(rdo_day.LeaveClass() + " " + FloatToStr(rdo_day.TotalHours()) + " " + FormatIsoDate(rdo_day.DateFrom()),
            "RDO Hours 7.6 2025-04-19");
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

TEST_P(TmShiftsTest, HoursPastMidnightEndTheShiftOnTheNextDay) {
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
  for (const auto& m : log.Messages()) EXPECT_EQ(m.Info.Severity, TMessageSeverity::ms_Error);
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
  try {
    manager.LoadTimesheetFromStream(nullptr, 1);
    FAIL();
  } catch (const eLoadFromStreamException& e) {
    EXPECT_STREQ(e.what(), "Blank or Invalid Timesheet.");
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

INSTANTIATE_TEST_SUITE_P(SQLite, TmShiftsTest, SqliteOnly(), BackendParamName);

// The view opens its own connection from a URI, so it runs on every back end.
class TmStoredViewTest : public ManagerDbTest {};

TEST_P(TmStoredViewTest, TheStoredTimesheetViewReadsEveryBackEnd) {
  const nlohmann::ordered_json json = ShowStoredTimesheet(Db().Params().ToUri(), 2);
  ASSERT_EQ(json["Shifts"].size(), 1u);
  EXPECT_EQ(json["Shifts"][0]["EmployeeCode"], "EMP002");
  EXPECT_EQ(json["Shifts"][0]["EmployeeCategory"], "PT");
  EXPECT_EQ(json["Shifts"][0]["ConditionGroup"], "Night Shift");
  EXPECT_DOUBLE_EQ(json["Shifts"][0]["BaseWeeklyHours"].get<double>(), 30);
}

INSTANTIATE_TEST_SUITE_P(Backends, TmStoredViewTest, AllTestBackends(), BackendParamName);

}  // namespace
}  // namespace qora::testing
