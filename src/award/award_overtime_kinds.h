// The four kinds of overtime component. Each generates one condition that
// calls an overtime action of the shift:
//  - TObjAwardOvertimeStd: hours beyond the shift's planned hours on the
//    selected days;
//  - TObjAwardOvertimeTimeOfDay: hours inside a window running from a day
//    and time to a day and time;
//  - TObjAwardOvertimeSpecified: hours entered against a timesheet work code;
//  - TObjAwardOvertimeHoursWorked: hours beyond a limit per shift,
//    timesheet or period.
#pragma once

#include <string>

#include "award/award_overtime.h"
#include "common/datetime.h"
#include "common/string_list.h"
#include "foundation/award_const.h"

namespace qora {

class TObjAwardOvertimeStd : public TObjAwardOvertime {
  QORA_CLASS(TObjAwardOvertimeStd, TObjAwardOvertime)

 public:
  TObjAwardOvertimeStd();

  TStringList& WorkDaysLst() { return FWorkDaysLst; }
  const TStringList& WorkDaysLst() const { return FWorkDaysLst; }

  std::string GetConditionDetailsStr() const override;
  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardOvertimeKindsRegistry;
  TStringList FWorkDaysLst;
};

class TObjAwardOvertimeTimeOfDay : public TObjAwardOvertime {
  QORA_CLASS(TObjAwardOvertimeTimeOfDay, TObjAwardOvertime)

 public:
  TObjAwardOvertimeTimeOfDay();

  TaiWorkDays FromDay() const { return FFromDay; }
  void SetFromDay(TaiWorkDays v) { FFromDay = v; }
  // Hours of the day (18 or 6.5).
  double FromTime() const { return FFromTime; }
  void SetFromTime(double v) { FFromTime = v; }
  TaiWorkDays ToDay() const { return FToDay; }
  void SetToDay(TaiWorkDays v) { FToDay = v; }
  double ToTime() const { return FToTime; }
  void SetToTime(double v) { FToTime = v; }

  std::string GetConditionDetailsStr() const override;
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardOvertimeKindsRegistry;
  TaiWorkDays FFromDay = TaiWorkDays::aiwd_Mon;
  double FFromTime = 0;
  TaiWorkDays FToDay = TaiWorkDays::aiwd_Mon;
  double FToTime = 0;
};

class TObjAwardOvertimeSpecified : public TObjAwardOvertime {
  QORA_CLASS(TObjAwardOvertimeSpecified, TObjAwardOvertime)

 public:
  TObjAwardOvertimeSpecified();

  const std::string& TimesheetWorkCode() const { return FTimesheetWorkCode; }
  void SetTimesheetWorkCode(const std::string& v) { FTimesheetWorkCode = v; }

  std::string GetConditionDetailsStr() const override;
  void ValidateConditionFlds() override;
  void PopulateConditions(TaiConditionList& pList) override;
  void PopulateWorkCodes(TStringList& pList) const override;

 private:
  friend struct TObjAwardOvertimeKindsRegistry;
  std::string FTimesheetWorkCode;
};

class TObjAwardOvertimeHoursWorked : public TObjAwardOvertime {
  QORA_CLASS(TObjAwardOvertimeHoursWorked, TObjAwardOvertime)

 public:
  TObjAwardOvertimeHoursWorked();

  TaiOvertimeTotalType ExceedBasedOn() const { return FExceedBasedOn; }
  void SetExceedBasedOn(TaiOvertimeTotalType v) { FExceedBasedOn = v; }
  // The limit for aiot_Fixed.
  double FromHour() const { return FFromHour; }
  void SetFromHour(double v) { FFromHour = v; }
  TaiPeriodType PeriodType() const { return FPeriodType; }
  void SetPeriodType(TaiPeriodType v) { FPeriodType = v; }
  TStringList& WorkDaysLst() { return FWorkDaysLst; }
  const TStringList& WorkDaysLst() const { return FWorkDaysLst; }
  TDateTime StartDate() const { return FStartDate; }
  void SetStartDate(TDateTime v) { FStartDate = v; }
  // Leave with one of the reasons counts towards the limit.
  bool IncludeLeave() const { return FIncludeLeave; }
  void SetIncludeLeave(bool v) { FIncludeLeave = v; }
  TStringList& InclLeaveReasonLst() { return FInclLeaveReasonLst; }
  const TStringList& InclLeaveReasonLst() const { return FInclLeaveReasonLst; }

  std::string GetConditionDetailsStr() const override;
  void ValidateConditionFlds() override;
  // A limit based on normal hours or the work pattern always applies to the
  // timesheet total, so generation first sets PeriodType to aipt_Total
  // (the component itself changes).
  void PopulateConditions(TaiConditionList& pList) override;

 private:
  friend struct TObjAwardOvertimeKindsRegistry;
  TaiOvertimeTotalType FExceedBasedOn = TaiOvertimeTotalType::aiot_NormalHours;
  double FFromHour = 0;
  TaiPeriodType FPeriodType = TaiPeriodType::aipt_Shift;
  TStringList FWorkDaysLst;
  TDateTime FStartDate = 0;
  bool FIncludeLeave = false;
  TStringList FInclLeaveReasonLst;
};

}  // namespace qora
