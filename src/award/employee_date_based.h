// Effective-dated employee records: an employee's assignment to a component
// (an award, with its pay class, category and condition group) from an
// effective date to an optional end date, and the list of an employee's
// records with the revision look-ups maintenance needs.
//
// End dates are inclusive: a record is in force on its end date. An end date
// of 5.0 or less (usually 0) means the record has no end. A record marked
// ct_Delete waits to be deleted from the database and is never returned by
// any look-up of the list.
#pragma once

#include <cstdint>
#include <string>

#include "common/datetime.h"
#include "foundation/object_list.h"

namespace qora {

// What a record's next save does with it; the ordinal is the iChangeType
// the update procedures take and the tables store.
enum class TChangeType : uint8_t { ct_None, ct_Add, ct_Edit, ct_Delete };

const EnumInfo& TChangeTypeInfo();

class TEmployeeDateBasedObject : public TnxBaseObject {
  QORA_CLASS(TEmployeeDateBasedObject, TnxBaseObject)

 public:
  TEmployeeDateBasedObject() = default;

  int32_t EmployeeID() const { return FEmployeeID; }
  void SetEmployeeID(int32_t v) { FEmployeeID = v; }
  TDateTime EffectiveDate() const { return FEffectiveDate; }
  void SetEffectiveDate(TDateTime v) { FEffectiveDate = v; }
  TDateTime EndDate() const { return FEndDate; }
  void SetEndDate(TDateTime v) { FEndDate = v; }
  TChangeType ChangeType() const { return FChangeType; }
  void SetChangeType(TChangeType v) { FChangeType = v; }
  int32_t ChangeReason() const { return FChangeReason; }
  void SetChangeReason(int32_t v) { FChangeReason = v; }

  // The identity of the component the record assigns (the award's ID for
  // award records); 0 when none is chosen yet.
  virtual int32_t ComponentID() const = 0;
  // The component's code as loaded with the record; "" when not known.
  virtual std::string ComponentCode() const = 0;
  // True when the component and every value it carries (not the dates, the
  // change type or the change reason) equal those of `other`, which must be
  // a record of the same class.
  virtual bool SameAssignment(const TEmployeeDateBasedObject& other) const = 0;

  bool IsDeleted() const { return FChangeType == TChangeType::ct_Delete; }
  // A real end date (above 5.0).
  bool HasEndDate() const { return FEndDate > 5.0; }
  // The last day in force: the end date, or the largest date when open.
  TDateTime LastDay() const { return HasEndDate() ? FEndDate : kMaxDateTime; }
  // True when the record is in force on any day from `from` to `to`
  // (both inclusive).
  bool Overlaps(TDateTime from, TDateTime to) const { return FEffectiveDate <= to && from <= LastDay(); }

 protected:
  int32_t FEmployeeID = 0;
  TDateTime FEffectiveDate = 0;
  TDateTime FEndDate = 0;
  TChangeType FChangeType = TChangeType::ct_None;
  int32_t FChangeReason = 0;
};

// An employee's records, owned. Look-ups skip deleted records and return
// records still owned by the list (null when none: not an error).
class TEmployeeDateBasedObjectList : public TypedObjectList<TEmployeeDateBasedObject> {
  QORA_CLASS(TEmployeeDateBasedObjectList, TypedObjectList<TEmployeeDateBasedObject>)

 public:
  TEmployeeDateBasedObjectList() = default;

  // Whether look-ups by component also compare the component identity. Off
  // for lists where an employee holds one component at a time (awards).
  bool UseComponentCode() const { return FUseComponentCode; }
  void SetUseComponentCode(bool v) { FUseComponentCode = v; }

  // Among the records that have not ended before `date` (end date on or
  // after it, or no end), the one with the earliest effective date, the
  // first in list order on a tie. So a date before every record gives the
  // first record, and a date inside a record gives that record when no
  // earlier record is still running.
  TEmployeeDateBasedObject* GetCurrentRevision(TDateTime date) const;
  // The first record, in list order, whose effective date equals `date`
  // exactly and, when UseComponentCode is on and `componentID` is not 0,
  // whose component is `componentID`. GetRevisionForDate is the same look-up.
  TEmployeeDateBasedObject* GetExactRevision(int32_t componentID, TDateTime date) const;
  TEmployeeDateBasedObject* GetRevisionForDate(int32_t componentID, TDateTime date) const;
  // The neighbours of a record about to be inserted from `effectiveDate`
  // to `endDate` (open when 5.0 or less):
  //  previous: a record starting before effectiveDate that is open or ends
  //    after it (the record the insert cuts into); of several, the earliest
  //    starting one (a candidate replaces the one held when it starts
  //    earlier and is open, or starts earlier and ends later);
  //  next: the record with the smallest effective date after effectiveDate,
  //    leaving out, when endDate is a real date, records starting on or
  //    after endDate.
  // Either is null when there is none.
  void GetShoulderRevisions(TEmployeeDateBasedObject*& previous, TEmployeeDateBasedObject*& next,
                            TDateTime endDate, TDateTime effectiveDate) const;

  // Marks every record ct_Delete so that the next save deletes them all.
  // Records still ct_Add were never stored: they are removed from the list.
  void MarkAllAsDeleted();
  // Makes room for a record starting on `date`: a record that starts before
  // `date` and is still in force on it ends the day before (and becomes
  // ct_Edit unless it is ct_Add), and records starting on or after `date`
  // are marked deleted (removed when ct_Add).
  void EndCurrentDeleteFuture(TDateTime date);

 private:
  // Marks the record deleted, or removes it when it was never stored.
  void DeleteRecord(TEmployeeDateBasedObject* record);

  bool FUseComponentCode = false;
};

}  // namespace qora
