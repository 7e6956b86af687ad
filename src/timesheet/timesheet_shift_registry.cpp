// The shift's published properties and operations: the names under which
// the rule engine reads shift values into expression variables, assigns
// them, and calls the actions that build its hours, additions and leave.
#include "foundation/user_feedback.h"
#include "foundation/class_builder.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_manager_intf.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

namespace {

using Shift = TTimesheetShift;
using Builder = ClassBuilder<TTimesheetShift>;

// Getters that compute a value lazily (HigherDutyCode, HigherDutiesHoursTotal)
// fill in the shift's own field on first read.
Shift& Mutable(const Shift& s) { return const_cast<Shift&>(s); }

// The owning timesheet is published by name and kind only: the registry
// hands out no object for this back reference, so that walking or saving a
// shift's published objects never cycles through the timesheet back to the
// shift. Code that needs the owner uses TTimesheetShift::Timesheet().
//
// The run log as an object property: null while the shift cannot reach a
// timesheet manager, so that walking the properties never fails.
TnxBaseObject* ReachableUserFeedback(Shift& s) {
  if (!s.Timesheet() || !s.Timesheet()->TimesheetManager()) return nullptr;
  return s.UserFeedback();
}

}  // namespace

struct TTimesheetShiftRegistry {
  static void AddInputProperties(Builder& b) {
    b.Field("UserID", &Shift::FUserID)
        .DateField("LastImportDate", &Shift::FLastImportDate)
        .Field("EmployeeID", &Shift::FEmployeeID)
        .Field("EmployeeCode", &Shift::FEmployeeCode)
        .DateField("EmployeeDOB", &Shift::FEmployeeDOB)
        .Field("EmploymentType", &Shift::FEmploymentType)
        .Field("EmployeeAward", &Shift::FEmployeeAward)
        .Field("EmployeeCategory", &Shift::FEmployeeCategory)
        .Field("ConditionGroup", &Shift::FConditionGroup)
        .Field("EmployeeClassification", &Shift::FEmployeeClassification)
        .Field("EmployeeNormalHours", &Shift::FEmployeeNormalHours)
        .Field("EmployeeworkPatternHours", &Shift::FEmployeeWorkPatternHours)
        .Field("EmployeeNormalRate", &Shift::FEmployeeNormalRate)
        .Property(
            "PayrollLinkToken", PropKind::String, [](const Shift& s) { return s.PayrollLinkToken(); },
            [](Shift& s, const PropValue& v) { s.SetPayrollLinkToken(std::get<std::string>(v)); })
        .Field("StandardRate", &Shift::FStandardRate)
        .Field("StandardWeeklyHours", &Shift::FStandardWeeklyHours)
        .Field("BaseRate", &Shift::FBaseRate)
        .Field("BaseWeeklyHours", &Shift::FBaseWeeklyHours)
        .Field("LeaveLoadingClassID", &Shift::FLeaveLoadingClassID)
        .Field("TimesheetTotalHours", &Shift::FTimesheetTotalHours)
        .Field("RosteredHoursStart", &Shift::FRosteredHoursStart)
        .Field("RosteredHoursEnd", &Shift::FRosteredHoursEnd);
  }

  static void AddShiftProperties(Builder& b) {
    b.Getter("RosteredHoursTotal", PropKind::Double, [](const Shift& s) { return s.RosteredHoursTotal(); })
        .Field("RosteredBreakHours", &Shift::FRosteredBreakHours)
        .Field("IsOffDay", &Shift::FIsOffDay)
        .Field("IsDummyShift", &Shift::FIsDummyShift)
        .Getter("OrdinaryHoursStart", PropKind::Double, [](const Shift& s) { return s.OrdinaryHoursStart(); })
        .Getter("OrdinaryHoursEnd", PropKind::Double, [](const Shift& s) { return s.OrdinaryHoursEnd(); })
        .Getter("OrdinaryHoursTotal", PropKind::Double, [](const Shift& s) { return s.OrdinaryHoursTotal(); })
        .Getter("WorkedHoursTotal", PropKind::Double, [](const Shift& s) { return s.WorkedHoursTotal(); })
        .Getter("HigherDutiesHoursTotal", PropKind::Double,
                [](const Shift& s) { return Mutable(s).HigherDutiesHoursTotal(); })
        .DateField("ShiftStartDate", &Shift::FShiftStartDate)
        .DateField("ShiftEndDate", &Shift::FShiftEndDate)
        .Getter("ShiftStart", PropKind::Double, [](const Shift& s) { return s.ShiftStart(); })
        .Getter("ShiftEnd", PropKind::Double, [](const Shift& s) { return s.ShiftEnd(); })
        .Getter("BreakHours", PropKind::Double, [](const Shift& s) { return s.BreakHours(); })
        .Getter("ShiftCrossesMidnight", PropKind::Boolean, [](const Shift& s) { return s.ShiftCrossesMidnight(); })
        .Getter("ShiftIsBroken", PropKind::Boolean, [](const Shift& s) { return s.ShiftIsBroken(); })
        .Getter("HoursafterBreak", PropKind::Double, [](const Shift& s) { return s.HoursafterBreak(); })
        .Getter("OvertimeHoursTotal", PropKind::Double, [](const Shift& s) { return s.OvertimeHoursTotal(); })
        .Getter("OvertimeStartTime", PropKind::Double, [](const Shift& s) { return s.OvertimeStartTime(); })
        .Getter("OvertimeStartDay", PropKind::Integer, [](const Shift& s) { return s.OvertimeStartDay(); })
        .Getter("LastShiftEndDate", PropKind::Date, [](const Shift& s) { return s.LastShiftEndDate(); })
        .Field("LeaveReason", &Shift::FLeaveReason)
        .Field("LeaveType", &Shift::FLeaveType)
        .Field("AnnualSalary", &Shift::FAnnualSalary)
        .Field("WeeklySalary", &Shift::FWeeklySalary)
        .Field("CostAccountCode", &Shift::FCostAccountCode)
        .Property(
            "HigherDutyCode", PropKind::String, [](const Shift& s) { return Mutable(s).HigherDutyCode(); },
            [](Shift& s, const PropValue& v) { s.SetHigherDutyCode(std::get<std::string>(v)); })
        .Property(
            "CustomMessage", PropKind::String, [](const Shift& s) { return s.CustomMessage(); },
            [](Shift& s, const PropValue& v) { s.SetCustomMessage(std::get<std::string>(v)); })
        .Field("Rejected", &Shift::FRejected)
        .Field("RejectReason", &Shift::FRejectReason)
        .Field("ShiftCost", &Shift::FShiftCost)
        .Field("TimesheetID", &Shift::FTimesheetID)
        .Field("TimesheetRowPlanID", &Shift::FTimesheetRowPlanID)
        .DateField("TimesheetStartDate", &Shift::FTimesheetStartDate)
        .DateField("TimesheetEndDate", &Shift::FTimesheetEndDate);
  }

  static void AddObjectProperties(Builder& b) {
    constexpr bool kList = true;
    b.Object(
         "HoursGroupList", [](Shift& s) -> TnxBaseObject* { return &s.HoursGroupList(); }, kList)
        .Object(
            "WorkCodeGroupList", [](Shift& s) -> TnxBaseObject* { return &s.WorkCodeGroupList(); }, kList)
        .Object(
            "CostCodeGroupList", [](Shift& s) -> TnxBaseObject* { return &s.CostCodeGroupList(); }, kList)
        .Object(
            "ClassificationGroupList", [](Shift& s) -> TnxBaseObject* { return &s.ClassificationGroupList(); }, kList)
        .Object(
            "JobCodeGroupList", [](Shift& s) -> TnxBaseObject* { return &s.JobCodeGroupList(); }, kList)
        .Object(
            "AllowanceList", [](Shift& s) -> TnxBaseObject* { return &s.AllowanceList(); }, kList)
        .Object(
            "PenaltyList", [](Shift& s) -> TnxBaseObject* { return &s.PenaltyList(); }, kList)
        .Object(
            "WorkPatternList", [](Shift& s) -> TnxBaseObject* { return &s.WorkPatternList(); }, kList)
        .Object("Timesheet", [](Shift&) -> TnxBaseObject* { return nullptr; })
        .Object(
            "LeaveDatesList", [](Shift& s) -> TnxBaseObject* { return &s.LeaveDatesList(); }, kList)
        .Object(
            "RDODatesList", [](Shift& s) -> TnxBaseObject* { return &s.RDODatesList(); }, kList)
        .Object("UserFeedback", ReachableUserFeedback);
  }

  static void AddOperations(Builder& b) {
    b.Operation("AddHours", &Shift::AddHours)
        .Operation("AddBreak", &Shift::AddBreak)
        .Operation("AddOvertimeHours", &Shift::AddOvertimeHours)
        .Operation("AddMinOvertime", &Shift::AddMinOvertime)
        .Operation("AddUnworkedPublicHolidayHours", &Shift::AddUnworkedPublicHolidayHours)
        .Operation("AddTimeOfDayOvertimeHours", &Shift::AddTimeOfDayOvertimeHours)
        .Operation("AddHoursWorkedOvertimeHours", &Shift::AddHoursWorkedOvertimeHours)
        .Operation("ApplyOvertimeToWorkCode", &Shift::ApplyOvertimeToWorkCode)
        .Operation("AddOvertimeHoursLimit", &Shift::AddOvertimeHoursLimit)
        .Operation("ShowMessage", &Shift::ShowMessage)
        .Operation("AddComponent", &Shift::AddComponent)
        .Operation("AddAllowance", &Shift::AddAllowance)
        .Operation("AddProportionalAllowance", &Shift::AddProportionalAllowance)
        .Operation("AddCappedAllowance", &Shift::AddCappedAllowance)
        .Operation("AddPenalty", &Shift::AddPenalty)
        .Operation("AddShiftBreakPenalty", &Shift::AddShiftBreakPenalty)
        .Operation("AddMealBreakPenalty", &Shift::AddMealBreakPenalty)
        .Operation("ApplyHigherDuty", &Shift::ApplyHigherDuty)
        .Operation("ApplyLeaveReason", &Shift::ApplyLeaveReason)
        .Operation("ApplyLeaveAccrual", &Shift::ApplyLeaveAccrual)
        .Operation("ApplyPlannedHoursLeave", &Shift::ApplyPlannedHoursLeave)
        .Operation("ApplyCompareLeaveLoading", &Shift::ApplyCompareLeaveLoading);
  }
};

const ClassInfo& TTimesheetShift::StaticClassInfo() {
  static const ClassInfo& info = [] {
    Builder b("TTimesheetShift");
    TTimesheetShiftRegistry::AddInputProperties(b);
    TTimesheetShiftRegistry::AddShiftProperties(b);
    TTimesheetShiftRegistry::AddObjectProperties(b);
    TTimesheetShiftRegistry::AddOperations(b);
    return std::cref(b.Build());
  }();
  return info;
}

}  // namespace qora
