// Guards against shift properties published under the wrong name, kind or write access, setters that skip
// their side effects when reached by name, back references that let a walk cycle, and actions not found by name.
#include "common/exceptions.h"
#include "hours_fakes.h"

namespace qora::testing {
namespace {

TEST(TimesheetShiftRegistry, PublishedPropertiesHaveTheVariableKinds) {
  using K = PropKind;
  // Name, kind, whether read-only.
  const std::vector<std::tuple<std::string, PropKind, bool>> cases{
      {"UserID", K::Integer, false},
      {"EmployeeDOB", K::Date, false},
      {"EmployeeCode", K::String, false},
      {"EmployeeworkPatternHours", K::Double, false},
      {"RosteredHoursTotal", K::Double, true},
      {"IsDummyShift", K::Boolean, false},
      {"ShiftCrossesMidnight", K::Boolean, true},
      {"OvertimeStartDay", K::Integer, true},
      {"LastShiftEndDate", K::Date, true},
      {"HoursGroupList", K::ObjectList, true},
      {"Timesheet", K::Object, true},
  };
  const ClassInfo& info = TTimesheetShift::StaticClassInfo();
  for (const auto& [name, kind, read_only] : cases) {
    const PropertyInfo* p = info.FindProperty(name);
    ASSERT_NE(p, nullptr) << name;
    EXPECT_EQ(std::tuple(p->name, p->kind, p->ReadOnly()), std::tuple(name, kind, read_only));  // exact spelling
  }
  EXPECT_EQ(info.FindProperty("EmployeeWorkPatternHours")->name, "EmployeeworkPatternHours");
  EXPECT_EQ(info.FindProperty("LeaveDates"), nullptr);
  EXPECT_NE(info.FindOperation("addhours"), nullptr);  // actions are found in any letter case
}

TEST(TimesheetShiftRegistry, ValuesAndSideEffectsGoThroughTheRegistry) {
  FakeManager manager;
  TTimesheet sheet;
  sheet.SetTimesheetManager(&manager);
  TTimesheetShift* shift = sheet.AddShift(std::make_unique<TTimesheetShift>());
  AddOrdinary(*shift, 22, 30);
  EXPECT_EQ(std::get<double>(GetPublishedValue(*shift, "ShiftEnd")), 30);
  EXPECT_EQ(std::get<bool>(GetPublishedValue(*shift, "ShiftCrossesMidnight")), true);
  SetPublishedValue(*shift, "EmployeeworkPatternHours", PropValue{7.6});
  EXPECT_DOUBLE_EQ(shift->EmployeeWorkPatternHours(), 7.6);
  SetPublishedValue(*shift, "CustomMessage", PropValue{std::string("Logged")});
  ASSERT_EQ(manager.log.Count(), 1);
  const TUserFeedback::Entry& entry = manager.log.Messages()[0];
  EXPECT_EQ(std::tuple(entry.Text, entry.Info.Severity, entry.Info.LogType, entry.Info.IsDebugMessage),
            std::tuple("Logged", TMessageSeverity::ms_Information, TMessageLogType::mlt_WorkFlow, false));
  SetPublishedValue(*shift, "PayrollLinkToken", PropValue{std::string("TOKEN")});
  EXPECT_EQ(sheet.PayrollLinkToken(), "TOKEN");
  EXPECT_THROW(SetPublishedValue(*shift, "ShiftStart", PropValue{1.0}), std::logic_error);

  const PropertyInfo* feedback = TTimesheetShift::StaticClassInfo().FindProperty("UserFeedback");
  EXPECT_EQ(feedback->get_object(*shift), &manager.log);
  TTimesheetShift loose;
  EXPECT_EQ(feedback->get_object(loose), nullptr);
  // Back references hand out no object, so walking published objects cannot cycle.
  EXPECT_EQ(TTimesheetShift::StaticClassInfo().FindProperty("Timesheet")->get_object(*shift), nullptr);
  EXPECT_EQ(shift->Timesheet(), &sheet);
}

TEST(TimesheetShiftRegistry, EveryScalarPropertyReadsOnAManagedShift) {
  FakeManager manager;
  manager.current_index = 1;
  TTimesheet sheet;
  sheet.SetTimesheetManager(&manager);
  sheet.AddNew();
  TTimesheetShift* shift = sheet.AddNew();
  AddOrdinary(*shift, 9, 17);
  int scalars = 0;
  for (const PropertyInfo* p : TTimesheetShift::StaticClassInfo().Properties()) {
    if (p->kind == PropKind::Object || p->kind == PropKind::ObjectList) continue;
    ++scalars;
    EXPECT_NO_THROW(GetPublishedValue(*shift, p->name)) << p->name;
  }
  EXPECT_EQ(scalars, 57);
  shift->AddNew()->SetFieldName("Meals");
  EXPECT_NE(shift->SaveToXML().find("<EmployeeworkPatternHours>"), std::string::npos);
  EXPECT_NE(shift->GetTimesheetColumn(0)->SaveToXML().find("Meals"), std::string::npos);
}

}  // namespace
}  // namespace qora::testing
