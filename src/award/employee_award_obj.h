// An employee's award assignment as processing uses it: who the employee is,
// which payroll database holds them, and the award, pay class, category and
// condition group in force over a date range, with the additions held on
// the employee.
#pragma once

#include <cstdint>
#include <string>

#include "common/datetime.h"
#include "foundation/base_object.h"
#include "timesheet/allowance.h"

namespace qora {

// How often the employee is paid. The ordinal is the payroll database's
// iFrequency of _iptblPayFrequencies.
enum class TPayPeriod : uint8_t { pp_1Week, pp_2Weeks, pp_Fortnightly, pp_4Weeks, pp_BiMonthly, pp_Monthly };

const EnumInfo& TPayPeriodInfo();

// The pay period of a stored iFrequency; pp_1Week for a value out of range
// (an unknown frequency is then read as weekly, which leaves the employee's
// normal hours as they are).
TPayPeriod PayPeriodFromFrequency(int64_t frequency);

// Hours per pay period as weekly hours: as they are for one week, halved for
// two weeks or a fortnight, quartered for four weeks, x 6 / 52 bi-monthly
// and x 12 / 52 monthly.
double WeeklyHoursFor(double period_hours, TPayPeriod period);

class TEmployeeAwardObj : public TnxBaseObject {
  QORA_CLASS(TEmployeeAwardObj, TnxBaseObject)

 public:
  TEmployeeAwardObj() = default;

  const std::string& PayrollLinkToken() const { return FPayrollLinkToken; }
  void SetPayrollLinkToken(const std::string& v) { FPayrollLinkToken = v; }
  int32_t EmployeeID() const { return FEmployeeID; }
  void SetEmployeeID(int32_t v) { FEmployeeID = v; }
  const std::string& EmployeeCode() const { return FEmployeeCode; }
  void SetEmployeeCode(const std::string& v) { FEmployeeCode = v; }
  const std::string& EmploymentType() const { return FEmploymentType; }
  void SetEmploymentType(const std::string& v) { FEmploymentType = v; }
  TDateTime DateOfBirth() const { return FDateOfBirth; }
  void SetDateOfBirth(TDateTime v) { FDateOfBirth = v; }
  TPayPeriod PayPeriod() const { return FPayPeriod; }
  void SetPayPeriod(TPayPeriod v) { FPayPeriod = v; }
  TDateTime HiredDate() const { return FHiredDate; }
  void SetHiredDate(TDateTime v) { FHiredDate = v; }
  int32_t LeaveLoadingClassID() const { return FLeaveLoadingClassID; }
  void SetLeaveLoadingClassID(int32_t v) { FLeaveLoadingClassID = v; }
  int32_t AwardID() const { return FAwardID; }
  void SetAwardID(int32_t v) { FAwardID = v; }
  const std::string& AwardCode() const { return FAwardCode; }
  void SetAwardCode(const std::string& v) { FAwardCode = v; }
  const std::string& Category() const { return FCategory; }
  void SetCategory(const std::string& v) { FCategory = v; }
  const std::string& Classification() const { return FClassification; }
  void SetClassification(const std::string& v) { FClassification = v; }
  const std::string& ConditionGroup() const { return FConditionGroup; }
  void SetConditionGroup(const std::string& v) { FConditionGroup = v; }
  int32_t ClassificationID() const { return FClassificationID; }
  void SetClassificationID(int32_t v) { FClassificationID = v; }
  int32_t CategoryID() const { return FCategoryID; }
  void SetCategoryID(int32_t v) { FCategoryID = v; }
  int32_t ConditionGroupID() const { return FConditionGroupID; }
  void SetConditionGroupID(int32_t v) { FConditionGroupID = v; }
  double YearlySalary() const { return FYearlySalary; }
  void SetYearlySalary(double v) { FYearlySalary = v; }
  double NormalHours() const { return FNormalHours; }
  void SetNormalHours(double v) { FNormalHours = v; }
  double NormalRate() const { return FNormalRate; }
  void SetNormalRate(double v) { FNormalRate = v; }
  double BaseRate() const { return FBaseRate; }
  void SetBaseRate(double v) { FBaseRate = v; }
  TDateTime EffectiveDate() const { return FEffectiveDate; }
  void SetEffectiveDate(TDateTime v) { FEffectiveDate = v; }
  // Below 5.0 (usually 0): open-ended.
  TDateTime EndDate() const { return FEndDate; }
  void SetEndDate(TDateTime v) { FEndDate = v; }

  // The additions held on the employee (owned).
  TAllowanceList& Allowances() { return FAllowances; }
  const TAllowanceList& Allowances() const { return FAllowances; }

  // True when the record is in force on `date`: EffectiveDate on or before
  // it and EndDate on or after it or open-ended. A `date` of 0 matches any
  // record (dates are not compared).
  bool CoversDate(TDateTime date) const;

 private:
  std::string FPayrollLinkToken;
  int32_t FEmployeeID = 0;
  std::string FEmployeeCode;
  std::string FEmploymentType;
  TDateTime FDateOfBirth = 0;
  TPayPeriod FPayPeriod = TPayPeriod::pp_1Week;
  TDateTime FHiredDate = 0;
  int32_t FLeaveLoadingClassID = 0;
  int32_t FAwardID = 0;
  std::string FAwardCode;
  std::string FCategory;
  std::string FClassification;
  std::string FConditionGroup;
  int32_t FClassificationID = 0;
  int32_t FCategoryID = 0;
  int32_t FConditionGroupID = 0;
  double FYearlySalary = 0;
  double FNormalHours = 0;
  double FNormalRate = 0;
  double FBaseRate = 0;
  TDateTime FEffectiveDate = 0;
  TDateTime FEndDate = 0;
  TAllowanceList FAllowances;
};

}  // namespace qora
