#include "award/shift_award_view.h"

#include "award/award.h"

namespace qora {

TShiftAwardAddition ShiftAdditionOf(const TObjAwardAddDedBase& pComponent) {
  TShiftAwardAddition addition;
  addition.AddDedCode = pComponent.AddDedCode();
  addition.AddDedTypeOrdinal = static_cast<int>(pComponent.AddDedType());
  addition.AmountPerc = pComponent.AddDedAmountPerc();
  addition.CostCode = pComponent.AddDedCostCode();
  addition.PayUnitType = pComponent.AdditionPayUnit();
  addition.PayOption = pComponent.PayOption();
  addition.IsStandardAllowance = pComponent.IsStandardAllowance();
  addition.PayIfLeaveOnly = pComponent.PayIfLeaveOnly();
  addition.PayIfAllowanceOnly = pComponent.PayIfAllowanceOnly();
  return addition;
}

double TShiftAwardView::OvertimePercentage(const std::string& pRateCode) const {
  auto [it, added] = FOvertimePercentages.try_emplace(pRateCode, 0.0);
  if (added) it->second = FAward.ObjLstOvertime().GetPercentageForCode(pRateCode);
  return it->second;
}

std::string TShiftAwardView::OvertimeRate2Code(const std::string& pRateCode) const {
  const TObjAwardOvertime* rate = FAward.ObjLstOvertime().GetOvertimeRate(pRateCode);
  return rate != nullptr ? rate->Rate2Code() : std::string();
}

bool TShiftAwardView::FindJob(const std::string& pJobTitle, std::string& pClassification,
                              std::string& pCostAccount) const {
  const TObjAwardJob* job = FAward.ObjLstJobs().GetJobByCode(pJobTitle);
  if (job == nullptr) return false;
  pClassification = job->ClassificationCode();
  pCostAccount = job->CostAccount();
  return true;
}

double TShiftAwardView::CategoryPercentage(const std::string& pCategory) const {
  auto [it, added] = FCategoryPercentages.try_emplace(pCategory, 0.0);
  if (added) {
    const TObjAwardCategory* category = FAward.ObjLstCategories().GetCategory(pCategory);
    it->second = category != nullptr ? category->Percentage() : 0.0;
  }
  return it->second;
}

double TShiftAwardView::ClassHourlyRate(const std::string& pClassification) const {
  auto [it, added] = FClassRates.try_emplace(pClassification, 0.0);
  if (added) {
    const TObjAwardClassRate* rate = FAward.ObjLstClassRates().GetClassRate(pClassification);
    it->second = rate != nullptr ? rate->HourlyRate() : 0.0;
  }
  return it->second;
}

const TShiftAwardView::TLookup& TShiftAwardView::Penalty(const std::string& pCode) const {
  auto [it, added] = FPenalties.try_emplace(pCode);
  if (added) {
    if (const TObjAwardAddDedBase* penalty = FAward.ObjLstPenalties().GetPenalty(pCode)) {
      it->second.Found = true;
      it->second.Addition = ShiftAdditionOf(*penalty);
    }
  }
  return it->second;
}

std::string TShiftAwardView::PenaltyCostCode(const std::string& pPenaltyCode) const {
  const TLookup& penalty = Penalty(pPenaltyCode);
  return penalty.Found ? penalty.Addition.CostCode : std::string();
}

bool TShiftAwardView::FindAllowance(const std::string& pCode, TShiftAwardAddition& pOut) const {
  auto [it, added] = FAllowances.try_emplace(pCode);
  if (added) {
    if (const TObjAwardAddDedBase* allowance = FAward.ObjLstAllowances().GetAllowance(pCode)) {
      it->second.Found = true;
      it->second.Addition = ShiftAdditionOf(*allowance);
    }
  }
  if (!it->second.Found) return false;
  pOut = it->second.Addition;
  return true;
}

bool TShiftAwardView::FindPenalty(const std::string& pCode, TShiftAwardAddition& pOut) const {
  const TLookup& penalty = Penalty(pCode);
  if (!penalty.Found) return false;
  pOut = penalty.Addition;
  return true;
}

double TShiftAwardView::StandardHourlyRate() const {
  if (FAward.StdHourlyRate() != 0) return FAward.StdHourlyRate();
  const TObjAwardClassRate* standard = FAward.ObjLstClassRates().GetStandardRate();
  return standard != nullptr ? standard->HourlyRate() : 0.0;
}

}  // namespace qora
