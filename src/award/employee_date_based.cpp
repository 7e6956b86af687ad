#include "award/employee_date_based.h"

#include "foundation/class_builder.h"

namespace qora {

const EnumInfo& TChangeTypeInfo() {
  static const EnumInfo info{"TChangeType", {"ct_None", "ct_Add", "ct_Edit", "ct_Delete"}};
  return info;
}

const ClassInfo& TEmployeeDateBasedObject::StaticClassInfo() {
  // The published properties are declared by each record class, in the
  // order its stored form lists them.
  static const ClassInfo& info =
      ClassBuilder<TEmployeeDateBasedObject>("TEmployeeDateBasedObject", true).Build();
  return info;
}

const ClassInfo& TEmployeeDateBasedObjectList::StaticClassInfo() {
  static const ClassInfo& info =
      ClassBuilder<TEmployeeDateBasedObjectList>("TEmployeeDateBasedObjectList").Build();
  return info;
}

TEmployeeDateBasedObject* TEmployeeDateBasedObjectList::GetCurrentRevision(TDateTime date) const {
  TEmployeeDateBasedObject* found = nullptr;
  for (int i = 0; i < Count(); ++i) {
    TEmployeeDateBasedObject* record = Items(i);
    if (record == nullptr || record->IsDeleted()) continue;
    if (record->HasEndDate() && record->EndDate() < date) continue;
    if (found == nullptr || record->EffectiveDate() < found->EffectiveDate()) found = record;
  }
  return found;
}

TEmployeeDateBasedObject* TEmployeeDateBasedObjectList::GetExactRevision(int32_t componentID, TDateTime date) const {
  const bool compareComponent = FUseComponentCode && componentID != 0;
  for (int i = 0; i < Count(); ++i) {
    TEmployeeDateBasedObject* record = Items(i);
    if (record == nullptr || record->IsDeleted() || record->EffectiveDate() != date) continue;
    if (compareComponent && record->ComponentID() != componentID) continue;
    return record;
  }
  return nullptr;
}

TEmployeeDateBasedObject* TEmployeeDateBasedObjectList::GetRevisionForDate(int32_t componentID,
                                                                           TDateTime date) const {
  return GetExactRevision(componentID, date);
}

void TEmployeeDateBasedObjectList::GetShoulderRevisions(TEmployeeDateBasedObject*& previous,
                                                        TEmployeeDateBasedObject*& next, TDateTime endDate,
                                                        TDateTime effectiveDate) const {
  previous = nullptr;
  next = nullptr;
  const bool bounded = endDate > 5.0;
  for (int i = 0; i < Count(); ++i) {
    TEmployeeDateBasedObject* record = Items(i);
    if (record == nullptr || record->IsDeleted()) continue;
    const TDateTime start = record->EffectiveDate();
    if (start < effectiveDate) {
      if (record->HasEndDate() && record->EndDate() <= effectiveDate) continue;
      if (previous == nullptr ||
          (start < previous->EffectiveDate() && (!record->HasEndDate() || record->LastDay() > previous->LastDay()))) {
        previous = record;
      }
    } else if (start > effectiveDate && !(bounded && start >= endDate)) {
      if (next == nullptr || start < next->EffectiveDate()) next = record;
    }
  }
}

void TEmployeeDateBasedObjectList::DeleteRecord(TEmployeeDateBasedObject* record) {
  if (record->ChangeType() == TChangeType::ct_Add) {
    Remove(record);
  } else {
    record->SetChangeType(TChangeType::ct_Delete);
  }
}

void TEmployeeDateBasedObjectList::MarkAllAsDeleted() {
  for (int i = Count() - 1; i >= 0; --i) {
    if (Items(i) != nullptr) DeleteRecord(Items(i));
  }
}

void TEmployeeDateBasedObjectList::EndCurrentDeleteFuture(TDateTime date) {
  for (int i = Count() - 1; i >= 0; --i) {
    TEmployeeDateBasedObject* record = Items(i);
    if (record == nullptr || record->IsDeleted()) continue;
    if (record->EffectiveDate() >= date) {
      DeleteRecord(record);
    } else if (record->LastDay() >= date) {
      record->SetEndDate(DateOf(date) - 1);
      if (record->ChangeType() == TChangeType::ct_None) record->SetChangeType(TChangeType::ct_Edit);
    }
  }
}

}  // namespace qora
