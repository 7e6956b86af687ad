// Leave and rostered-day-off entries of a shift.
#pragma once

#include <string>
#include <vector>

#include "common/datetime.h"
#include "foundation/object_list.h"

namespace qora {

// One leave or RDO entry.
class TDateGroup : public TnxBaseObject {
  QORA_CLASS(TDateGroup, TnxBaseObject)

 public:
  TDateGroup() = default;

  // The leave types the payroll knows, in their fixed order.
  static const std::vector<std::string>& KnownLeaveTypes();

  TDateTime DateFrom() const { return FDateFrom; }
  void SetDateFrom(TDateTime v) { FDateFrom = v; }
  TDateTime DateTo() const { return FDateTo; }
  void SetDateTo(TDateTime v) { FDateTo = v; }
  // Always empty: an entry's description is never kept.
  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string&) {}
  double Rate() const { return FRate; }
  void SetRate(double v) { FRate = v; }
  const std::string& RateCode() const { return FRateCode; }
  void SetRateCode(const std::string& v) { FRateCode = v; }
  const std::string& LeaveReason() const { return FLeaveReason; }
  void SetLeaveReason(const std::string& v) { FLeaveReason = v; }
  const std::string& LeaveType() const { return FLeaveType; }
  // A known leave type (compared ignoring case) is stored as given; any
  // other text stores "User Defined Leave" as the type and the text as
  // LeaveClass.
  void SetLeaveType(const std::string& v);
  const std::string& LeaveClass() const { return FLeaveClass; }
  void SetLeaveClass(const std::string& v) { FLeaveClass = v; }
  double TotalHours() const { return FTotalHours; }
  void SetTotalHours(double v) { FTotalHours = v; }
  const std::string& PayPlannedAllowances() const { return FPayPlannedAllowances; }
  void SetPayPlannedAllowances(const std::string& v) { FPayPlannedAllowances = v; }
  const std::string& PayPlannedPenalties() const { return FPayPlannedPenalties; }
  void SetPayPlannedPenalties(const std::string& v) { FPayPlannedPenalties = v; }
  int32_t ALLink() const { return FALLink; }
  void SetALLink(int32_t v) { FALLink = v; }

 private:
  TDateTime FDateFrom = 0;
  TDateTime FDateTo = 0;
  std::string FDescription;
  double FRate = 0;
  std::string FRateCode;
  std::string FLeaveReason;
  std::string FLeaveType;
  std::string FLeaveClass;
  double FTotalHours = 0;
  std::string FPayPlannedAllowances;
  std::string FPayPlannedPenalties;
  int32_t FALLink = 0;
};

// The leave (or RDO) entries of a shift (owned).
class TLeaveDateList : public TypedObjectList<TDateGroup> {
  QORA_CLASS(TLeaveDateList, TypedObjectList<TDateGroup>)

 public:
  TLeaveDateList() = default;

  // The first entry whose range covers the day of pDate: the day of pDate
  // lies within [day of DateFrom, day of DateTo] (an entry without an end
  // date, DateTo below 5, covers its DateFrom day). Null when none.
  TDateGroup* FindLeave(TDateTime pDate) const;
};

}  // namespace qora
