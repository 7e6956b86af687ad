// The awards loaded so far in a costing call, in load order. Several
// versions of one award code may be present, one per effective-dated
// version; a version once loaded serves every later shift it covers.
#pragma once

#include <string_view>

#include "award/award.h"
#include "award/checked_list.h"
#include "common/datetime.h"

namespace qora {

class TObjListAwards : public TCheckedObjectList<TObjAward> {
  QORA_CLASS(TObjListAwards, TCheckedObjectList<TObjAward>)

 public:
  TObjListAwards() = default;

  // The first award, in list order, whose Code equals pCode ignoring case
  // and, for pDate above 0, whose version covers the date: EffectiveDate on
  // or before it and EndDate on or after its day or below 5.0 (no end). With
  // pDate 0 dates are not compared; a negative date finds nothing. Null
  // when none: the caller then loads the awards of that date. The award
  // stays owned by the list.
  TObjAward* GetAward(std::string_view pCode, TDateTime pDate) const;
  // The award at pIndex; throws std::out_of_range for a bad index.
  TObjAward* GetAwards(int pIndex) const { return Items(pIndex); }
};

}  // namespace qora
