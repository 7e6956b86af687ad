#include "award/employee_award_obj.h"

#include "foundation/class_builder.h"

namespace qora {

const EnumInfo& TPayPeriodInfo() {
  static const EnumInfo info{"TPayPeriod",
                             {"pp_1Week", "pp_2Weeks", "pp_Fortnightly", "pp_4Weeks", "pp_BiMonthly", "pp_Monthly"}};
  return info;
}

TPayPeriod PayPeriodFromFrequency(int64_t frequency) {
  if (frequency < 0 || frequency > static_cast<int64_t>(TPayPeriod::pp_Monthly)) return TPayPeriod::pp_1Week;
  return static_cast<TPayPeriod>(frequency);
}

double WeeklyHoursFor(double period_hours, TPayPeriod period) {
  switch (period) {
    case TPayPeriod::pp_1Week: return period_hours;
    case TPayPeriod::pp_2Weeks:
    case TPayPeriod::pp_Fortnightly: return period_hours / 2;
    case TPayPeriod::pp_4Weeks: return period_hours / 4;
    case TPayPeriod::pp_BiMonthly: return period_hours * 6 / 52;
    case TPayPeriod::pp_Monthly: return period_hours * 12 / 52;
  }
  return period_hours;
}

const ClassInfo& TEmployeeAwardObj::StaticClassInfo() {
  static const ClassInfo& info =
      ClassBuilder<TEmployeeAwardObj>("TEmployeeAwardObj")
          .Field("PayrollLinkToken", &TEmployeeAwardObj::FPayrollLinkToken)
          .Field("EmployeeID", &TEmployeeAwardObj::FEmployeeID)
          .Field("EmployeeCode", &TEmployeeAwardObj::FEmployeeCode)
          .Field("EmploymentType", &TEmployeeAwardObj::FEmploymentType)
          .DateField("DateOfBirth", &TEmployeeAwardObj::FDateOfBirth)
          .Enum("PayPeriod", &TEmployeeAwardObj::FPayPeriod, TPayPeriodInfo())
          .DateField("HiredDate", &TEmployeeAwardObj::FHiredDate)
          .Field("LeaveLoadingClassID", &TEmployeeAwardObj::FLeaveLoadingClassID)
          .Field("AwardID", &TEmployeeAwardObj::FAwardID)
          .Field("AwardCode", &TEmployeeAwardObj::FAwardCode)
          .Field("Category", &TEmployeeAwardObj::FCategory)
          .Field("Classification", &TEmployeeAwardObj::FClassification)
          .Field("ConditionGroup", &TEmployeeAwardObj::FConditionGroup)
          .Field("ClassificationID", &TEmployeeAwardObj::FClassificationID)
          .Field("CategoryID", &TEmployeeAwardObj::FCategoryID)
          .Field("ConditionGroupID", &TEmployeeAwardObj::FConditionGroupID)
          .Field("YearlySalary", &TEmployeeAwardObj::FYearlySalary)
          .Field("NormalHours", &TEmployeeAwardObj::FNormalHours)
          .Field("NormalRate", &TEmployeeAwardObj::FNormalRate)
          .Field("BaseRate", &TEmployeeAwardObj::FBaseRate)
          .DateField("EffectiveDate", &TEmployeeAwardObj::FEffectiveDate)
          .DateField("EndDate", &TEmployeeAwardObj::FEndDate)
          .Object("Allowances", [](TEmployeeAwardObj& o) { return &o.FAllowances; }, true)
          .Build();
  return info;
}

bool TEmployeeAwardObj::CoversDate(TDateTime date) const {
  if (date == 0) return true;
  return FEffectiveDate <= date && (FEndDate >= date || FEndDate < 5.0);
}

}  // namespace qora
