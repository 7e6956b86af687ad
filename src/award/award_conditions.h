// The rule engine's view of a loaded award: its code and, family by
// family, the conditions its components generate.
#pragma once

#include <string>

#include "rules/award_source.h"

namespace qora {

class TObjAward;
class TObjListAwardConditionBase;

class TAwardConditionSource : public IAwardConditions {
 public:
  // pAward is not owned and must outlive this view (the award cache keeps
  // both for the whole costing call).
  explicit TAwardConditionSource(TObjAward& pAward) : FAward(pAward) {}

  std::string AwardCode() const override;
  // Gives the overtime components their award first (their orders are
  // looked up through it), then appends the family's conditions component
  // by component in list order.
  void PopulateConditions(TAwardFamily pFamily, TaiConditionList& pList) override;

  TObjAward& Award() const { return FAward; }

 private:
  TObjAward& FAward;
};

// The award's component list of a family.
TObjListAwardConditionBase& FamilyList(TObjAward& pAward, TAwardFamily pFamily);

}  // namespace qora
