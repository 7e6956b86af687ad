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
  return FOvertimePercentages.Get(pRateCode, [&] { return FAward.ObjLstOvertime().GetPercentageForCode(pRateCode); });
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
  return FCategoryPercentages.Get(pCategory, [&] {
    const TObjAwardCategory* category = FAward.ObjLstCategories().GetCategory(pCategory);
    return category != nullptr ? category->Percentage() : 0.0;
  });
}

double TShiftAwardView::ClassHourlyRate(const std::string& pClassification) const {
  return FClassRates.Get(pClassification, [&] {
    const TObjAwardClassRate* rate = FAward.ObjLstClassRates().GetClassRate(pClassification);
    return rate != nullptr ? rate->HourlyRate() : 0.0;
  });
}

namespace {

// A penalty's or allowance's answer.
template <class TLookup>
TLookup LookupOf(const TObjAwardAddDedBase* pComponent) {
  TLookup lookup;
  if (pComponent) {
    lookup.Found = true;
    lookup.Addition = ShiftAdditionOf(*pComponent);
  }
  return lookup;
}

}  // namespace

const TShiftAwardView::TLookup& TShiftAwardView::Penalty(const std::string& pCode) const {
  return FPenalties.Get(pCode, [&] { return LookupOf<TLookup>(FAward.ObjLstPenalties().GetPenalty(pCode)); });
}

std::string TShiftAwardView::PenaltyCostCode(const std::string& pPenaltyCode) const {
  const TLookup& penalty = Penalty(pPenaltyCode);
  return penalty.Found ? penalty.Addition.CostCode : std::string();
}

bool TShiftAwardView::FindAllowance(const std::string& pCode, TShiftAwardAddition& pOut) const {
  const TLookup& allowance =
      FAllowances.Get(pCode, [&] { return LookupOf<TLookup>(FAward.ObjLstAllowances().GetAllowance(pCode)); });
  if (!allowance.Found) return false;
  pOut = allowance.Addition;
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
