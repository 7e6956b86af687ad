#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/exceptions.h"
#include "timesheet/timesheet.h"
#include "timesheet_test_util.h"

namespace qora {
namespace {

using testing::FakeTimesheetManager;

TEST(TimesheetShiftRegistry, PublishedPropertiesHaveTheVariableKinds) {
  using K = PropKind;
  struct Case {
    std::string name;
    PropKind kind;
    bool read_only;
  };
  const std::vector<Case> cases{
      {"UserID", K::Integer, false},
      {"LastImportDate", K::Date, false},
      {"EmployeeID", K::Integer, false},
      {"EmployeeCode", K::String, false},
      {"EmployeeDOB", K::Date, false},
      {"EmploymentType", K::String, false},
      {"EmployeeAward", K::String, false},
      {"EmployeeCategory", K::String, false},
      {"ConditionGroup", K::String, false},
      {"EmployeeClassification", K::String, false},
      {"EmployeeNormalHours", K::Double, false},
      {"EmployeeworkPatternHours", K::Double, false},
      {"EmployeeNormalRate", K::Double, false},
      {"PayrollLinkToken", K::String, false},
      {"StandardRate", K::Double, false},
      {"StandardWeeklyHours", K::Double, false},
      {"BaseRate", K::Double, false},
      {"BaseWeeklyHours", K::Double, false},
      {"LeaveLoadingClassID", K::Integer, false},
      {"TimesheetTotalHours", K::Double, false},
      {"RosteredHoursStart", K::Double, false},
      {"RosteredHoursEnd", K::Double, false},
      {"RosteredHoursTotal", K::Double, true},
      {"RosteredBreakHours", K::Double, false},
      {"IsOffDay", K::Boolean, false},
      {"IsDummyShift", K::Boolean, false},
      {"OrdinaryHoursStart", K::Double, true},
      {"OrdinaryHoursEnd", K::Double, true},
      {"OrdinaryHoursTotal", K::Double, true},
      {"WorkedHoursTotal", K::Double, true},
      {"HigherDutiesHoursTotal", K::Double, true},
      {"ShiftStartDate", K::Date, false},
      {"ShiftEndDate", K::Date, false},
      {"ShiftStart", K::Double, true},
      {"ShiftEnd", K::Double, true},
      {"BreakHours", K::Double, true},
      {"ShiftCrossesMidnight", K::Boolean, true},
      {"ShiftIsBroken", K::Boolean, true},
      {"HoursafterBreak", K::Double, true},
      {"OvertimeHoursTotal", K::Double, true},
      {"OvertimeStartTime", K::Double, true},
      {"OvertimeStartDay", K::Integer, true},
      {"LastShiftEndDate", K::Date, true},
      {"LeaveReason", K::String, false},
      {"LeaveType", K::String, false},
      {"AnnualSalary", K::Double, false},
      {"WeeklySalary", K::Double, false},
      {"CostAccountCode", K::String, false},
      {"HigherDutyCode", K::String, false},
      {"CustomMessage", K::String, false},
      {"Rejected", K::Boolean, false},
      {"RejectReason", K::String, false},
      {"ShiftCost", K::Double, false},
      {"TimesheetID", K::Integer, false},
      {"TimesheetRowPlanID", K::Integer, false},
      {"TimesheetStartDate", K::Date, false},
      {"TimesheetEndDate", K::Date, false},
      {"HoursGroupList", K::ObjectList, true},
      {"WorkCodeGroupList", K::ObjectList, true},
      {"CostCodeGroupList", K::ObjectList, true},
      {"ClassificationGroupList", K::ObjectList, true},
      {"JobCodeGroupList", K::ObjectList, true},
      {"AllowanceList", K::ObjectList, true},
      {"PenaltyList", K::ObjectList, true},
      {"WorkPatternList", K::ObjectList, true},
      {"LeaveDatesList", K::ObjectList, true},
      {"RDODatesList", K::ObjectList, true},
      {"Timesheet", K::Object, true},
      {"UserFeedback", K::Object, true},
  };
  const ClassInfo& info = TTimesheetShift::StaticClassInfo();
  for (const Case& c : cases) {
    const PropertyInfo* p = info.FindProperty(c.name);
    ASSERT_NE(p, nullptr) << c.name;
    EXPECT_EQ(p->name, c.name);  // exact spelling
    EXPECT_EQ(p->kind, c.kind) << c.name;
    EXPECT_EQ(p->ReadOnly(), c.read_only) << c.name;
  }
  EXPECT_EQ(info.FindProperty("EmployeeWorkPatternHours")->name, "EmployeeworkPatternHours");
  EXPECT_EQ(info.FindProperty("LeaveDates"), nullptr);
}

TEST(TimesheetShiftRegistry, ValuesAndSideEffectsGoThroughTheRegistry) {
  FakeTimesheetManager manager;
  TTimesheet sheet;
  sheet.SetTimesheetManager(&manager);
  TTimesheetShift* shift = sheet.AddShift(std::make_unique<TTimesheetShift>());
  shift->HoursGroupList().Add(testing::MakeGroup(THoursType::htOrdinary, 22, 30));
  EXPECT_EQ(std::get<double>(GetPublishedValue(*shift, "ShiftEnd")), 30);
  EXPECT_EQ(std::get<bool>(GetPublishedValue(*shift, "ShiftCrossesMidnight")), true);
  SetPublishedValue(*shift, "ConditionGroup", PropValue{std::string("Casual")});
  EXPECT_EQ(shift->ConditionGroup(), "Casual");
  SetPublishedValue(*shift, "EmployeeworkPatternHours", PropValue{7.6});
  EXPECT_DOUBLE_EQ(shift->EmployeeWorkPatternHours(), 7.6);
  SetPublishedValue(*shift, "CustomMessage", PropValue{std::string("Logged")});
  ASSERT_EQ(manager.feedback.Count(), 1);
  EXPECT_EQ(manager.feedback.Messages()[0].Text, "Logged");
  SetPublishedValue(*shift, "PayrollLinkToken", PropValue{std::string("TOKEN")});
  EXPECT_EQ(sheet.PayrollLinkToken(), "TOKEN");
  EXPECT_THROW(SetPublishedValue(*shift, "ShiftStart", PropValue{1.0}), std::logic_error);

  const PropertyInfo* feedback = TTimesheetShift::StaticClassInfo().FindProperty("UserFeedback");
  EXPECT_EQ(feedback->get_object(*shift), &manager.feedback);
  TTimesheetShift loose;
  EXPECT_EQ(feedback->get_object(loose), nullptr);
  // Back references hand out no object, so walking published objects cannot cycle.
  EXPECT_EQ(TTimesheetShift::StaticClassInfo().FindProperty("Timesheet")->get_object(*shift), nullptr);
  EXPECT_EQ(shift->Timesheet(), &sheet);
}

TEST(TimesheetShiftRegistry, EveryScalarPropertyReadsOnAManagedShift) {
  FakeTimesheetManager manager;
  manager.current_index = 1;
  TTimesheet sheet;
  sheet.SetTimesheetManager(&manager);
  sheet.AddNew();
  TTimesheetShift* shift = sheet.AddNew();
  shift->HoursGroupList().Add(testing::MakeGroup(THoursType::htOrdinary, 9, 17));
  int scalars = 0;
  for (const PropertyInfo* p : TTimesheetShift::StaticClassInfo().Properties()) {
    if (p->kind == PropKind::Object || p->kind == PropKind::ObjectList) continue;
    ++scalars;
    EXPECT_NO_THROW(GetPublishedValue(*shift, p->name)) << p->name;
  }
  EXPECT_EQ(scalars, 57);
  auto column = std::make_unique<TTimesheetColumn>();
  column->SetFieldName("Meals");
  shift->AddColumn(std::move(column));
  const std::string xml = shift->SaveToXML();
  EXPECT_NE(xml.find("<EmployeeworkPatternHours>"), std::string::npos) << xml;
  EXPECT_NE(shift->GetTimesheetColumn(0)->SaveToXML().find("Meals"), std::string::npos);
}

TEST(TimesheetShiftRegistry, ActionsArePublishedOperations) {
  const std::vector<std::string> actions{"AddHours",
                                         "AddBreak",
                                         "AddOvertimeHours",
                                         "AddMinOvertime",
                                         "AddUnworkedPublicHolidayHours",
                                         "AddTimeOfDayOvertimeHours",
                                         "AddHoursWorkedOvertimeHours",
                                         "ApplyOvertimeToWorkCode",
                                         "AddOvertimeHoursLimit",
                                         "ShowMessage",
                                         "AddComponent"};
  for (const std::string& name : actions) {
    EXPECT_NE(TTimesheetShift::StaticClassInfo().FindOperation(name), nullptr) << name;
  }
  TTimesheetShift shift;
  const OperationInfo* add = TTimesheetShift::StaticClassInfo().FindOperation("addhours");
  ASSERT_NE(add, nullptr);
  add->call(shift, nullptr, {"9", "17", "Normal", "WC1"});
  ASSERT_EQ(shift.HoursGroupList().Count(), 1);
  const THoursGroup* g = shift.HoursGroupList().Items(0);
  EXPECT_EQ(g->HoursType(), THoursType::htOrdinary);  // the default type
  EXPECT_DOUBLE_EQ(g->HoursTotal(), 8);
  EXPECT_EQ(g->ComponentName(), "Normal");
  EXPECT_EQ(g->WorkCode(), "WC1");
}

TEST(TimesheetShiftRegistry, AddComponentCreatesAVariableColumnOnce) {
  TTimesheetShift shift;
  std::vector<TTimesheetColumn*> created;
  shift.SetOnCreateVariable([&created](TQelParser*, TTimesheetColumn* column) { created.push_back(column); });
  const OperationInfo* add = TTimesheetShift::StaticClassInfo().FindOperation("AddComponent");
  ASSERT_NE(add, nullptr);
  add->call(shift, nullptr, {"OT150", "Overtime 150%", "150"});
  add->call(shift, nullptr, {"OT150", "Again", "200"});
  ASSERT_EQ(shift.Count(), 1);
  ASSERT_EQ(created.size(), 1u);
  TTimesheetColumn* col = shift.GetTimesheetColumn(0);
  EXPECT_EQ(created[0], col);
  EXPECT_EQ(col->FieldName(), "OT150");
  EXPECT_EQ(col->ColumnName(), "Overtime 150%");
  EXPECT_DOUBLE_EQ(col->Percentage(), 150);
  EXPECT_EQ(col->FieldType(), TFieldType::ftFloat);
  EXPECT_TRUE(col->IsComponent());
  EXPECT_TRUE(col->NeedVariable());
  EXPECT_TRUE(col->Editable());
  EXPECT_FALSE(col->Visible());
  EXPECT_EQ(col->TimesheetShift(), &shift);
}

}  // namespace
}  // namespace qora
