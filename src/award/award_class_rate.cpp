#include "award/award_class_rate.h"

#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardClassRateRegistry {
  static const ClassInfo& Build() {
    using C = TObjAwardClassRate;
    return ClassBuilder<C>("TObjAwardClassRate")
        .Field("PayClassID", &C::FPayClassID)
        .Field("PayClassTDID", &C::FPayClassTDID)
        .Field("Code", &C::FCode)
        .Field("Description", &C::FDescription)
        .Field("WeeklyRate", &C::FWeeklyRate)
        .Field("HourlyRate", &C::FHourlyRate)
        .Field("IsStandardRate", &C::FIsStandardRate)
        .Build();
  }
};

const ClassInfo& TObjAwardClassRate::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardClassRateRegistry::Build();
  return info;
}

const ClassInfo& TObjListAwardClassRates::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwardClassRates>("TObjListAwardClassRates").Build();
  return info;
}

TObjAwardClassRate* TObjListAwardClassRates::GetClassRate(const std::string& pCode) const {
  for (int i = 0; i < Count(); ++i) {
    TObjAwardClassRate* item = Items(i);
    if (item != nullptr && item->Code() == pCode) return item;
  }
  return nullptr;
}

TObjAwardClassRate* TObjListAwardClassRates::GetStandardRate() const {
  for (int i = 0; i < Count(); ++i) {
    TObjAwardClassRate* item = Items(i);
    if (item != nullptr && item->IsStandardRate()) return item;
  }
  return nullptr;
}

}  // namespace qora
