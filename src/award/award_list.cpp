#include "award/award_list.h"

#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TObjListAwards::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TObjListAwards>("TObjListAwards").Build();
  return info;
}

TObjAward* TObjListAwards::GetAward(std::string_view pCode, TDateTime pDate) const {
  if (pDate < 0) return nullptr;
  for (int i = 0; i < Count(); ++i) {
    TObjAward* award = Items(i);
    if (award == nullptr || !SameText(award->Code(), pCode)) continue;
    if (pDate == 0) return award;
    // A version covers the whole of its end date, whatever time of day the
    // date handed in carries.
    const TDateTime day = DateOf(pDate);
    const bool open_ended = award->EndDate() < 5.0;
    if (award->EffectiveDate() <= pDate && (open_ended || award->EndDate() >= day)) return award;
  }
  return nullptr;
}

}  // namespace qora
