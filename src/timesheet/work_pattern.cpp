#include "timesheet/work_pattern.h"

#include <cmath>

#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TDateObject::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TDateObject>("TDateObject")
                                     .DateField("Date", &TDateObject::FDate)
                                     .Field("Description", &TDateObject::FDescription)
                                     .Field("Hours", &TDateObject::FHours)
                                     .Build();
  return info;
}

const ClassInfo& TWorkPatternList::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TWorkPatternList>("TWorkPatternList").Build();
  return info;
}

namespace {

// The first entry whose date satisfies `on_day`; null when none.
template <class OnDay>
TDateObject* FirstOnDay(const TWorkPatternList& list, OnDay on_day) {
  const int count = list.Count();
  for (int i = 0; i < count; ++i) {
    TDateObject* entry = list.Items(i);
    if (on_day(entry->Date())) return entry;
  }
  return nullptr;
}

}  // namespace

// Rules ask for the day of a date many times per shift, so the walk does
// not truncate every entry but compares it with the bounds of pDate's day.
// Truncation rounds toward zero: day d > 0 is [d, d + 1), day d < 0 is
// (d - 1, d] and day 0 is (-1, 1). Days too large for d + 1 to be exact,
// and a date that is not finite, keep the plain comparison.
TDateObject* TWorkPatternList::FindDate(TDateTime pDate) const {
  const TDateTime day = DateOf(pDate);
  if (!(std::fabs(day) < 0x1p52)) {
    return FirstOnDay(*this, [pDate](TDateTime date) { return IsSameDay(date, pDate); });
  }
  if (day > 0) return FirstOnDay(*this, [day](TDateTime date) { return date >= day && date < day + 1; });
  if (day < 0) return FirstOnDay(*this, [day](TDateTime date) { return date > day - 1 && date <= day; });
  return FirstOnDay(*this, [](TDateTime date) { return date > -1 && date < 1; });
}

double TWorkPatternList::GetTotalHours() const {
  double total = 0;
  for (int i = 0; i < Count(); ++i) total += Items(i)->Hours();
  return total;
}

}  // namespace qora
