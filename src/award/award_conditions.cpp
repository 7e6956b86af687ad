#include "award/award_conditions.h"

#include "award/award.h"

namespace qora {

TObjListAwardConditionBase& FamilyList(TObjAward& pAward, TAwardFamily pFamily) {
  switch (pFamily) {
    case TAwardFamily::Rules: return pAward.ObjLstRules();
    case TAwardFamily::Overtime: return pAward.ObjLstOvertime();
    case TAwardFamily::Penalties: return pAward.ObjLstPenalties();
    case TAwardFamily::Allowances: return pAward.ObjLstAllowances();
    case TAwardFamily::Leave: return pAward.ObjLstLeave();
  }
  return pAward.ObjLstRules();
}

std::string TAwardConditionSource::AwardCode() const { return FAward.Code(); }

void TAwardConditionSource::PopulateConditions(TAwardFamily pFamily, TaiConditionList& pList) {
  FAward.SetupListProperties();
  FamilyList(FAward, pFamily).PopulateConditions(pList);
}

}  // namespace qora
