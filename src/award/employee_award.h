// One of an employee's award assignment records: the award, pay class
// (classification), category and condition group in force from its
// effective date, with the pay values held on the assignment.
#pragma once

#include <cstdint>
#include <string>

#include "award/employee_date_based.h"

namespace qora {

class TDBConnection;

class TEmployeeAward : public TEmployeeDateBasedObject {
  QORA_CLASS(TEmployeeAward, TEmployeeDateBasedObject)

 public:
  TEmployeeAward() = default;

  double NormalHours() const { return FNormalHours; }
  void SetNormalHours(double v) { FNormalHours = v; }
  double YearlySalary() const { return FYearlySalary; }
  void SetYearlySalary(double v) { FYearlySalary = v; }
  int32_t AwardID() const { return FAwardID; }
  void SetAwardID(int32_t v) { FAwardID = v; }
  int32_t PayClassID() const { return FPayClassID; }
  void SetPayClassID(int32_t v) { FPayClassID = v; }
  const std::string& PayClassCode() const { return FPayClassCode; }
  void SetPayClassCode(const std::string& v) { FPayClassCode = v; }
  const std::string& PayClassDescription() const { return FPayClassDescription; }
  void SetPayClassDescription(const std::string& v) { FPayClassDescription = v; }
  int32_t AwardEmplCategoryID() const { return FAwardEmplCategoryID; }
  void SetAwardEmplCategoryID(int32_t v) { FAwardEmplCategoryID = v; }
  int32_t AwardConditionGroupID() const { return FAwardConditionGroupID; }
  void SetAwardConditionGroupID(int32_t v) { FAwardConditionGroupID = v; }
  // True: the pay class's rate applies; false: HourlyRate does.
  bool UseDefaultHourlyRate() const { return FUseDefaultHourlyRate; }
  void SetUseDefaultHourlyRate(bool v) { FUseDefaultHourlyRate = v; }
  double HourlyRate() const { return FHourlyRate; }
  void SetHourlyRate(double v) { FHourlyRate = v; }
  double AwardCategoryHoursToDate() const { return FAwardCategoryHoursToDate; }
  void SetAwardCategoryHoursToDate(double v) { FAwardCategoryHoursToDate = v; }
  double AutopayAmount() const { return FAutopayAmount; }
  void SetAutopayAmount(double v) { FAutopayAmount = v; }

  // Codes and descriptions read with the record, for display and messages.
  const std::string& AwardCode() const { return FAwardCode; }
  void SetAwardCode(const std::string& v) { FAwardCode = v; }
  const std::string& Category() const { return FCategory; }
  void SetCategory(const std::string& v) { FCategory = v; }
  const std::string& CategoryDescription() const { return FCategoryDescription; }
  void SetCategoryDescription(const std::string& v) { FCategoryDescription = v; }
  const std::string& ConditionGroup() const { return FConditionGroup; }
  void SetConditionGroup(const std::string& v) { FConditionGroup = v; }

  int32_t ComponentID() const override { return FAwardID; }
  std::string ComponentCode() const override { return FAwardCode; }
  bool SameAssignment(const TEmployeeDateBasedObject& other) const override;

  // The award version (idAwardTD of _iptblAwards_TD) of AwardID in force on
  // the record's effective date; 0 when the award has none then. Throws
  // EDatabaseError when the query fails.
  int32_t GetAwardTDID(TDBConnection& db) const;
  // The code (cCode of _iptblAwards) of award `id`; "" when there is no such
  // award. Throws EDatabaseError when the query fails.
  static std::string GetCodeForID(TDBConnection& db, int32_t id);

 private:
  double FNormalHours = 0;
  double FYearlySalary = 0;
  int32_t FAwardID = 0;
  int32_t FPayClassID = 0;
  std::string FPayClassCode;
  std::string FPayClassDescription;
  int32_t FAwardEmplCategoryID = 0;
  int32_t FAwardConditionGroupID = 0;
  bool FUseDefaultHourlyRate = true;
  double FHourlyRate = 0;
  double FAwardCategoryHoursToDate = 0;
  double FAutopayAmount = 0;
  std::string FAwardCode;
  std::string FCategory;
  std::string FCategoryDescription;
  std::string FConditionGroup;
};

}  // namespace qora
