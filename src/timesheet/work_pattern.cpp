#include "timesheet/work_pattern.h"

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

TDateObject* TWorkPatternList::FindDate(TDateTime pDate) const {
  for (int i = 0; i < Count(); ++i) {
    if (IsSameDay(Items(i)->Date(), pDate)) return Items(i);
  }
  return nullptr;
}

double TWorkPatternList::GetTotalHours() const {
  double total = 0;
  for (int i = 0; i < Count(); ++i) total += Items(i)->Hours();
  return total;
}

}  // namespace qora
