// A typed and priced block of a shift's time, and the lists of such blocks
// that a shift keeps (its working hours and the costing breakdowns).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "foundation/object_list.h"
#include "timesheet/hours_type.h"

namespace qora {

// One block of time on a shift. Times are shift-relative hours: hours from
// midnight at the start of the shift's start date, 24 and above lying on
// the next day.
class THoursGroup : public TnxBaseObject {
  QORA_CLASS(THoursGroup, TnxBaseObject)

 public:
  THoursGroup() = default;

  // A new group holding every published value of this one (not its ID).
  std::unique_ptr<THoursGroup> Clone() const;
  // Copies every published value of `pSource` into this group.
  void AssignFrom(const THoursGroup& pSource);

  THoursType HoursType() const { return FHoursType; }
  void SetHoursType(THoursType v) { FHoursType = v; }
  double FromTime() const { return FFromTime; }
  void SetFromTime(double v) { FFromTime = v; }
  double ToTime() const { return FToTime; }
  void SetToTime(double v) { FToTime = v; }
  // ToTime - FromTime.
  double HoursTotal() const { return FToTime - FFromTime; }
  // The pay component the block is paid under (a rate code, "Normal", a leave reason ...).
  const std::string& ComponentName() const { return FComponentName; }
  void SetComponentName(const std::string& v) { FComponentName = v; }
  const std::string& WorkCode() const { return FWorkCode; }
  void SetWorkCode(const std::string& v) { FWorkCode = v; }
  bool CrossesMidnight() const { return FCrossesMidnight; }
  void SetCrossesMidnight(bool v) { FCrossesMidnight = v; }
  // The rate percentage of the component (100 = ordinary rate).
  double Percentage() const { return FPercentage; }
  void SetPercentage(double v) { FPercentage = v; }
  bool IsAllowance() const { return FIsAllowance; }
  void SetIsAllowance(bool v) { FIsAllowance = v; }
  const std::string& RateCode() const { return FRateCode; }
  void SetRateCode(const std::string& v) { FRateCode = v; }
  // The hourly rate.
  double Rate() const { return FRate; }
  void SetRate(double v) { FRate = v; }
  const std::string& JobTitle() const { return FJobTitle; }
  void SetJobTitle(const std::string& v) { FJobTitle = v; }
  const std::string& JobCode() const { return FJobCode; }
  void SetJobCode(const std::string& v) { FJobCode = v; }
  const std::string& CostAccount() const { return FCostAccount; }
  void SetCostAccount(const std::string& v) { FCostAccount = v; }
  const std::string& Category() const { return FCategory; }
  void SetCategory(const std::string& v) { FCategory = v; }
  const std::string& Classification() const { return FClassification; }
  void SetClassification(const std::string& v) { FClassification = v; }
  const std::string& LeaveAccrualCode() const { return FLeaveAccrualCode; }
  void SetLeaveAccrualCode(const std::string& v) { FLeaveAccrualCode = v; }

 private:
  THoursType FHoursType = THoursType::htNone;
  double FFromTime = 0;
  double FToTime = 0;
  std::string FComponentName;
  std::string FWorkCode;
  bool FCrossesMidnight = false;
  double FPercentage = 0;
  bool FIsAllowance = false;
  std::string FRateCode;
  double FRate = 0;
  std::string FJobTitle;
  std::string FJobCode;
  std::string FCostAccount;
  std::string FCategory;
  std::string FClassification;
  std::string FLeaveAccrualCode;
};

// An ordered list of hours groups. The list owns its groups: deleting,
// removing or clearing destroys them (Extract hands one out instead).
class THoursGroupList : public TypedObjectList<THoursGroup> {
  QORA_CLASS(THoursGroupList, TypedObjectList<THoursGroup>)

 public:
  THoursGroupList() = default;

  // Appends the group, taking ownership; returns the group.
  THoursGroup* Add(std::unique_ptr<THoursGroup> pGroup);
  using TnxBaseObjectList::Add;

  // Over the groups whose type is in the set, the sum of the positive
  // overlaps min(ToTime, pEnd) - max(FromTime, pStart). 0 for an empty list.
  double GetHoursBetween(double pStart, double pEnd, THoursTypeSet pHoursTypeSet) const;
  // Destroys and removes every group whose type is in the set, from the
  // last group to the first. Nothing happens for an empty set.
  void DeleteHours(THoursTypeSet pHoursTypes);
  // Destroys every group, from the last to the first, and empties the list.
  void ClearItems();
  // Sum of HoursTotal over the groups whose type is in the set.
  double TotalHours(THoursTypeSet pHoursTypes) const;

  // Takes the group out of the list without destroying it; null when it is
  // not in the list.
  std::unique_ptr<THoursGroup> ExtractGroup(const THoursGroup* pGroup);
  // Takes every group out, in list order, leaving the list empty.
  std::vector<std::unique_ptr<THoursGroup>> ExtractAll();
  // The groups in list order (the list keeps ownership).
  std::vector<THoursGroup*> Groups() const;
};

}  // namespace qora
