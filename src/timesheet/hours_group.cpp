#include "timesheet/hours_group.h"

#include <algorithm>

#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& THoursGroup::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<THoursGroup>("THoursGroup")
                                     .Enum("HoursType", &THoursGroup::FHoursType, HoursTypeInfo())
                                     .Field("FromTime", &THoursGroup::FFromTime)
                                     .Field("ToTime", &THoursGroup::FToTime)
                                     .Getter("HoursTotal", PropKind::Double,
                                             [](const THoursGroup& g) { return g.HoursTotal(); })
                                     .Field("ComponentName", &THoursGroup::FComponentName)
                                     .Field("WorkCode", &THoursGroup::FWorkCode)
                                     .Field("CrossesMidnight", &THoursGroup::FCrossesMidnight)
                                     .Field("Percentage", &THoursGroup::FPercentage)
                                     .Field("IsAllowance", &THoursGroup::FIsAllowance)
                                     .Field("RateCode", &THoursGroup::FRateCode)
                                     .Field("Rate", &THoursGroup::FRate)
                                     .Field("JobTitle", &THoursGroup::FJobTitle)
                                     .Field("JobCode", &THoursGroup::FJobCode)
                                     .Field("CostAccount", &THoursGroup::FCostAccount)
                                     .Field("Category", &THoursGroup::FCategory)
                                     .Field("Classification", &THoursGroup::FClassification)
                                     .Field("LeaveAccrualCode", &THoursGroup::FLeaveAccrualCode)
                                     .Build();
  return info;
}

std::unique_ptr<THoursGroup> THoursGroup::Clone() const {
  auto copy = std::make_unique<THoursGroup>();
  copy->AssignFrom(*this);
  return copy;
}

void THoursGroup::AssignFrom(const THoursGroup& pSource) {
  FHoursType = pSource.FHoursType;
  FFromTime = pSource.FFromTime;
  FToTime = pSource.FToTime;
  FComponentName = pSource.FComponentName;
  FWorkCode = pSource.FWorkCode;
  FCrossesMidnight = pSource.FCrossesMidnight;
  FPercentage = pSource.FPercentage;
  FIsAllowance = pSource.FIsAllowance;
  FRateCode = pSource.FRateCode;
  FRate = pSource.FRate;
  FJobTitle = pSource.FJobTitle;
  FJobCode = pSource.FJobCode;
  FCostAccount = pSource.FCostAccount;
  FCategory = pSource.FCategory;
  FClassification = pSource.FClassification;
  FLeaveAccrualCode = pSource.FLeaveAccrualCode;
}

const ClassInfo& THoursGroupList::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<THoursGroupList>("THoursGroupList").Build();
  return info;
}

THoursGroup* THoursGroupList::Add(std::unique_ptr<THoursGroup> pGroup) {
  THoursGroup* raw = pGroup.get();
  TnxBaseObjectList::Add(std::move(pGroup));
  return raw;
}

double THoursGroupList::GetHoursBetween(double pStart, double pEnd, THoursTypeSet pHoursTypeSet) const {
  double total = 0;
  for (int i = 0; i < Count(); ++i) {
    const THoursGroup* g = Items(i);
    if (!pHoursTypeSet.Contains(g->HoursType())) continue;
    const double overlap = std::min(g->ToTime(), pEnd) - std::max(g->FromTime(), pStart);
    if (overlap > 0) total += overlap;
  }
  return total;
}

void THoursGroupList::DeleteHours(THoursTypeSet pHoursTypes) {
  for (int i = Count() - 1; i >= 0; --i) {
    if (pHoursTypes.Contains(Items(i)->HoursType())) Delete(i);
  }
}

void THoursGroupList::ClearItems() {
  for (int i = Count() - 1; i >= 0; --i) Delete(i);
}

double THoursGroupList::TotalHours(THoursTypeSet pHoursTypes) const {
  double total = 0;
  for (int i = 0; i < Count(); ++i) {
    if (pHoursTypes.Contains(Items(i)->HoursType())) total += Items(i)->HoursTotal();
  }
  return total;
}

std::unique_ptr<THoursGroup> THoursGroupList::ExtractGroup(const THoursGroup* pGroup) {
  std::unique_ptr<TnxBaseObject> item = Extract(pGroup);
  return std::unique_ptr<THoursGroup>(static_cast<THoursGroup*>(item.release()));
}

std::vector<std::unique_ptr<THoursGroup>> THoursGroupList::ExtractAll() {
  std::vector<std::unique_ptr<TnxBaseObject>> items = ExtractItems();
  std::vector<std::unique_ptr<THoursGroup>> groups;
  groups.reserve(items.size());
  for (std::unique_ptr<TnxBaseObject>& item : items) {
    groups.emplace_back(static_cast<THoursGroup*>(item.release()));
  }
  return groups;
}

std::vector<THoursGroup*> THoursGroupList::Groups() const {
  std::vector<THoursGroup*> groups;
  groups.reserve(static_cast<size_t>(Count()));
  for (int i = 0; i < Count(); ++i) groups.push_back(Items(i));
  return groups;
}

}  // namespace qora
