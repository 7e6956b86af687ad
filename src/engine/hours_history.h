// What an employee worked or was paid before the current shift: the hours
// history (this run's costed shifts and stored costing of earlier
// timesheets) and the additions history, which award rules read.
#pragma once

#include <string>

#include "common/datetime.h"
#include "foundation/enums.h"
#include "foundation/object_list.h"
#include "timesheet/hours_type.h"

namespace qora {

// One entry of hours, leave or a penalty on a day.
class THoursWorkedHistory : public TnxBaseObject {
  QORA_CLASS(THoursWorkedHistory, TnxBaseObject)

 public:
  THoursWorkedHistory() = default;

  const std::string& EmployeeCode() const { return FEmployeeCode; }
  void SetEmployeeCode(const std::string& v) { FEmployeeCode = v; }
  double Hours() const { return FHours; }
  void SetHours(double v) { FHours = v; }
  const std::string& RateCode() const { return FRateCode; }
  void SetRateCode(const std::string& v) { FRateCode = v; }
  TDateTime DayWorked() const { return FDayWorked; }
  void SetDayWorked(TDateTime v) { FDayWorked = v; }
  THoursType HoursType() const { return FHoursType; }
  void SetHoursType(THoursType v) { FHoursType = v; }
  // True for entries read from stored costing; false for this run's.
  bool FromCosting() const { return FFromCosting; }
  void SetFromCosting(bool v) { FFromCosting = v; }
  const std::string& LeaveClass() const { return FLeaveClass; }
  void SetLeaveClass(const std::string& v) { FLeaveClass = v; }
  const std::string& LeaveReason() const { return FLeaveReason; }
  void SetLeaveReason(const std::string& v) { FLeaveReason = v; }
  const std::string& LeaveType() const { return FLeaveType; }
  void SetLeaveType(const std::string& v) { FLeaveType = v; }
  // The rate percentage; 100 for plain hours.
  double AmtPercent() const { return FAmtPercent; }
  void SetAmtPercent(double v) { FAmtPercent = v; }
  double Rate() const { return FRate; }
  void SetRate(double v) { FRate = v; }

 private:
  std::string FEmployeeCode;
  double FHours = 0;
  std::string FRateCode;
  TDateTime FDayWorked = 0;
  THoursType FHoursType = THoursType::htNone;
  bool FFromCosting = false;
  std::string FLeaveClass;
  std::string FLeaveReason;
  std::string FLeaveType;
  double FAmtPercent = 0;
  double FRate = 0;
};

// The hours history (owns its entries), remembering what stored costing it
// was loaded for so that the same request is not read twice.
class THoursHistoryList : public TypedObjectList<THoursWorkedHistory> {
  QORA_CLASS(THoursHistoryList, TypedObjectList<THoursWorkedHistory>)

 public:
  THoursHistoryList() = default;

  TDateTime ToDate() const { return FToDate; }
  void SetToDate(TDateTime v) { FToDate = v; }
  TDateTime FromDate() const { return FFromDate; }
  void SetFromDate(TDateTime v) { FFromDate = v; }
  const std::string& EmployeeCode() const { return FEmployeeCode; }
  void SetEmployeeCode(const std::string& v) { FEmployeeCode = v; }
  int32_t CycleDays() const { return FCycleDays; }
  void SetCycleDays(int32_t v) { FCycleDays = v; }
  TaiCostingOutputType CostingOutputType() const { return FCostingOutputType; }
  void SetCostingOutputType(TaiCostingOutputType v) { FCostingOutputType = v; }

  // Forgets what the list was loaded for (FromDate := 0) and deletes every
  // entry, last to first - this run's entries as well.
  void DeleteCostingHours();

 private:
  TDateTime FToDate = 0;
  TDateTime FFromDate = 0;
  std::string FEmployeeCode;
  int32_t FCycleDays = 0;
  TaiCostingOutputType FCostingOutputType = TaiCostingOutputType::cot_None;
};

// One addition paid (or to be paid) to an employee on a day.
class TAdditionHistory : public TnxBaseObject {
  QORA_CLASS(TAdditionHistory, TnxBaseObject)

 public:
  TAdditionHistory() = default;

  const std::string& EmployeeCode() const { return FEmployeeCode; }
  void SetEmployeeCode(const std::string& v) { FEmployeeCode = v; }
  const std::string& AdditionCode() const { return FAdditionCode; }
  void SetAdditionCode(const std::string& v) { FAdditionCode = v; }
  TDateTime DayWorked() const { return FDayWorked; }
  void SetDayWorked(TDateTime v) { FDayWorked = v; }
  double Value() const { return FValue; }
  void SetValue(double v) { FValue = v; }
  bool ForCosting() const { return FForCosting; }
  void SetForCosting(bool v) { FForCosting = v; }

 private:
  std::string FEmployeeCode;
  std::string FAdditionCode;
  TDateTime FDayWorked = 0;
  double FValue = 0;
  bool FForCosting = false;
};

// The additions history (owned).
class TAdditionHistoryList : public TypedObjectList<TAdditionHistory> {
  QORA_CLASS(TAdditionHistoryList, TypedObjectList<TAdditionHistory>)

 public:
  TAdditionHistoryList() = default;
};

const EnumInfo& TaiCostingOutputTypeInfo();

}  // namespace qora
