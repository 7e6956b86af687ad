#include "award/award_overtime_kinds.h"

#include "award/condition_text.h"
#include "common/format.h"
#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardOvertimeKindsRegistry {
  static const ClassInfo& Std() {
    using C = TObjAwardOvertimeStd;
    return ClassBuilder<C>("TObjAwardOvertimeStd").Field("WorkDaysLst", &C::FWorkDaysLst).Build();
  }
  static const ClassInfo& TimeOfDay() {
    using C = TObjAwardOvertimeTimeOfDay;
    return ClassBuilder<C>("TObjAwardOvertimeTimeOfDay")
        .Enum("FromDay", &C::FFromDay, TaiWorkDaysInfo())
        .Field("FromTime", &C::FFromTime)
        .Enum("ToDay", &C::FToDay, TaiWorkDaysInfo())
        .Field("ToTime", &C::FToTime)
        .Build();
  }
  static const ClassInfo& Specified() {
    using C = TObjAwardOvertimeSpecified;
    return ClassBuilder<C>("TObjAwardOvertimeSpecified").Field("TimesheetWorkCode", &C::FTimesheetWorkCode).Build();
  }
  static const ClassInfo& HoursWorked() {
    using C = TObjAwardOvertimeHoursWorked;
    return ClassBuilder<C>("TObjAwardOvertimeHoursWorked")
        .Enum("ExceedBasedOn", &C::FExceedBasedOn, TaiOvertimeTotalTypeInfo())
        .Field("FromHour", &C::FFromHour)
        .Enum("PeriodType", &C::FPeriodType, TaiPeriodTypeInfo())
        .Field("WorkDaysLst", &C::FWorkDaysLst)
        .DateField("StartDate", &C::FStartDate)
        .Field("IncludeLeave", &C::FIncludeLeave)
        .Field("InclLeaveReasonLst", &C::FInclLeaveReasonLst)
        .Build();
  }
};

namespace {

// NextCode and NextHours of the standard and hours-worked kinds: the next
// rate only when it applies, otherwise an empty code after 0 hours.
void SetNextRate(TaiCondition& pCondition, const TObjAwardOvertime& pOvertime) {
  const bool next = pOvertime.ApplyOvertime2();
  pCondition.SetParam("NextCode", QuotedParam(next ? pOvertime.Rate2Code() : ""));
  pCondition.SetParam("NextHours", next ? NumberParam(pOvertime.Ov2FromHour()) : "0");
}

void AddNoWorkDaysMessage(TObjAwardConditionBase& pComponent, const TStringList& pDays) {
  if (pDays.Empty()) pComponent.Messages().AddMessage("No Work Days selected.");
}

}  // namespace

// ---- Planned hours exceeded -------------------------------------------------

const ClassInfo& TObjAwardOvertimeStd::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardOvertimeKindsRegistry::Std();
  return info;
}

TObjAwardOvertimeStd::TObjAwardOvertimeStd() : FWorkDaysLst(DefaultWorkDays()) {
  SetConditionKind(TaiConditionType::aict_OvertimeStd);
}

std::string TObjAwardOvertimeStd::GetConditionDetailsStr() const {
  return Format("Days Worked \"%s\"", DaysWorkedText(FWorkDaysLst));
}

void TObjAwardOvertimeStd::ValidateConditionFlds() {
  TObjAwardOvertime::ValidateConditionFlds();
  AddNoWorkDaysMessage(*this, FWorkDaysLst);
}

void TObjAwardOvertimeStd::PopulateConditions(TaiConditionList& pList) {
  TaiCondition& condition = AddCallCondition(
      pList, TaiAction::aaAddOvertimeHours, GetOrderFromRateCode(RateCode()),
      ConditionGroupClause(ConditionGroupLst()) + " and (OvertimeHoursTotal > 0) and " + DayClause(FWorkDaysLst));
  condition.SetParam("Code", QuotedParam(RateCode()));
  SetNextRate(condition, *this);
  condition.SetParam("WorkCode", QuotedParam(""));
}

// ---- Time of day --------------------------------------------------------------

const ClassInfo& TObjAwardOvertimeTimeOfDay::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardOvertimeKindsRegistry::TimeOfDay();
  return info;
}

TObjAwardOvertimeTimeOfDay::TObjAwardOvertimeTimeOfDay() {
  SetConditionKind(TaiConditionType::aict_OvertimeTimeOfDay);
}

std::string TObjAwardOvertimeTimeOfDay::GetConditionDetailsStr() const {
  return Format("From %s %s To %s %s", WorkDayName(FFromDay), FormatFloat("0.00", FFromTime), WorkDayName(FToDay),
                FormatFloat("0.00", FToTime));
}

void TObjAwardOvertimeTimeOfDay::PopulateConditions(TaiConditionList& pList) {
  TaiCondition& condition =
      AddCallCondition(pList, TaiAction::aaAddTimeOfDayOvertimeHours, GetOrderFromRateCode(RateCode()),
                       ConditionGroupClause(ConditionGroupLst()) + " and (OvertimeHoursTotal > 0)");
  condition.SetParam("StartDay", IntegerParam(DayNumberOf(FFromDay)));
  condition.SetParam("EndDay", IntegerParam(DayNumberOf(FToDay)));
  condition.SetParam("StartTime", NumberParam(FFromTime));
  condition.SetParam("EndTime", NumberParam(FToTime));
  condition.SetParam("Code", QuotedParam(RateCode()));
  // The window passes its next rate as configured, whether or not
  // ApplyOvertime2 is set: the time-of-day action decides from the code and
  // hours alone.
  condition.SetParam("NextCode", QuotedParam(Rate2Code()));
  condition.SetParam("NextHours", NumberParam(Ov2FromHour()));
}

// ---- Entered on timesheet ---------------------------------------------------

const ClassInfo& TObjAwardOvertimeSpecified::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardOvertimeKindsRegistry::Specified();
  return info;
}

TObjAwardOvertimeSpecified::TObjAwardOvertimeSpecified() {
  SetConditionKind(TaiConditionType::aict_OvertimeSpecified);
}

std::string TObjAwardOvertimeSpecified::GetConditionDetailsStr() const {
  return Format("Timesheet Work Code \"%s\"", FTimesheetWorkCode);
}

void TObjAwardOvertimeSpecified::ValidateConditionFlds() {
  TObjAwardOvertime::ValidateConditionFlds();
  if (Trim(FTimesheetWorkCode).empty()) Messages().AddMessage("No Timesheet Work Code entered.");
}

void TObjAwardOvertimeSpecified::PopulateConditions(TaiConditionList& pList) {
  TaiCondition& condition =
      AddCallCondition(pList, TaiAction::aaApplyOvertimeToWorkCode, GetOrderFromRateCode(RateCode()),
                       ConditionGroupClause(ConditionGroupLst()), "Specified Overtime");
  condition.SetParam("RateCode", QuotedParam(RateCode()));
  condition.SetParam("WorkCode", QuotedParam(FTimesheetWorkCode));
  const bool next = ApplyOvertime2();
  condition.SetParam("NextOvertimeHours", next ? NumberParam(Ov2FromHour()) : "0");
  condition.SetParam("NextRateCode", QuotedParam(next ? Rate2Code() : ""));
}

void TObjAwardOvertimeSpecified::PopulateWorkCodes(TStringList& pList) const { pList.Add(FTimesheetWorkCode); }

// ---- Period hours exceeded --------------------------------------------------

const ClassInfo& TObjAwardOvertimeHoursWorked::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardOvertimeKindsRegistry::HoursWorked();
  return info;
}

TObjAwardOvertimeHoursWorked::TObjAwardOvertimeHoursWorked() : FWorkDaysLst(DefaultWorkDays()) {
  SetConditionKind(TaiConditionType::aict_OvertimeHoursWorked);
}

std::string TObjAwardOvertimeHoursWorked::GetConditionDetailsStr() const {
  switch (FExceedBasedOn) {
    case TaiOvertimeTotalType::aiot_NormalHours: return "If Hours Exceed Normal Hours per Timesheet";
    case TaiOvertimeTotalType::aiot_WorkPattern: return "If Hours Exceed WorkPattern per Timesheet";
    default: return Format("If Hours exceed %s per %s", FormatFloat("0.00", FFromHour), PeriodTypeName(FPeriodType));
  }
}

void TObjAwardOvertimeHoursWorked::ValidateConditionFlds() {
  TObjAwardOvertime::ValidateConditionFlds();
  if (FExceedBasedOn == TaiOvertimeTotalType::aiot_Fixed) {
    if (FFromHour < 0) Messages().AddMessage("Negative Hours value entered for Overtime to start.");
    if (FPeriodType == TaiPeriodType::aipt_Shift) AddNoWorkDaysMessage(*this, FWorkDaysLst);
  }
  if (FIncludeLeave && FInclLeaveReasonLst.Empty()) Messages().AddMessage("No Leave Reasons selected.");
}

void TObjAwardOvertimeHoursWorked::PopulateConditions(TaiConditionList& pList) {
  if (FExceedBasedOn == TaiOvertimeTotalType::aiot_NormalHours ||
      FExceedBasedOn == TaiOvertimeTotalType::aiot_WorkPattern) {
    FPeriodType = TaiPeriodType::aipt_Total;
  }
  std::string expression = ConditionGroupClause(ConditionGroupLst());
  if (FExceedBasedOn == TaiOvertimeTotalType::aiot_Fixed && FPeriodType == TaiPeriodType::aipt_Shift) {
    expression += " AND " + DayClause(FWorkDaysLst);
  }
  int32_t order = GetOrderFromRateCode(RateCode());
  // Limits over a timesheet or period are settled after the shift-based
  // overtime, whose orders are plain rate percentages.
  if (FPeriodType >= TaiPeriodType::aipt_Total) order += 2000;

  TaiCondition& condition = AddCallCondition(pList, TaiAction::aaAddHoursWorkedOvertimeHours, order, expression);
  condition.SetParam("PeriodType", OrdinalParam(FPeriodType));
  condition.SetParam("Code", QuotedParam(RateCode()));
  condition.SetParam("ExceedBasedOn", OrdinalParam(FExceedBasedOn));
  condition.SetParam("Hours", NumberParam(FFromHour));
  SetNextRate(condition, *this);
  condition.SetParam("LeaveReasons", FIncludeLeave ? QuotedCommaText(FInclLeaveReasonLst) : QuotedParam(""));
  condition.SetParam("StartDate", NumberParam(FStartDate));
}

}  // namespace qora
