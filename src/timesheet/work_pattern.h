// The employee's work pattern as a shift sees it: one entry per day.
#pragma once

#include <string>

#include "common/datetime.h"
#include "foundation/object_list.h"

namespace qora {

// One day of the work pattern.
class TDateObject : public TnxBaseObject {
  QORA_CLASS(TDateObject, TnxBaseObject)

 public:
  TDateObject() = default;

  TDateTime Date() const { return FDate; }
  void SetDate(TDateTime v) { FDate = v; }
  // Non-empty marks the day as a public holiday (it names the holiday).
  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& v) { FDescription = v; }
  // The planned hours of the day.
  double Hours() const { return FHours; }
  void SetHours(double v) { FHours = v; }

 private:
  TDateTime FDate = 0;
  std::string FDescription;
  double FHours = 0;
};

// The work-pattern days of a shift (owned).
class TWorkPatternList : public TypedObjectList<TDateObject> {
  QORA_CLASS(TWorkPatternList, TypedObjectList<TDateObject>)

 public:
  TWorkPatternList() = default;

  // The first entry on the same day as pDate; null when none.
  TDateObject* FindDate(TDateTime pDate) const;
  // Sum of Hours over all entries; 0 for an empty list.
  double GetTotalHours() const;
};

}  // namespace qora
