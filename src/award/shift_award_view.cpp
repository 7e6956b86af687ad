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
  return FAward.ObjLstOvertime().GetPercentageForCode(pRateCode);
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
  const TObjAwardCategory* category = FAward.ObjLstCategories().GetCategory(pCategory);
  return category != nullptr ? category->Percentage() : 0.0;
}

double TShiftAwardView::ClassHourlyRate(const std::string& pClassification) const {
  const TObjAwardClassRate* rate = FAward.ObjLstClassRates().GetClassRate(pClassification);
  return rate != nullptr ? rate->HourlyRate() : 0.0;
}

std::string TShiftAwardView::PenaltyCostCode(const std::string& pPenaltyCode) const {
  const TObjAwardAddDedBase* penalty = FAward.ObjLstPenalties().GetPenalty(pPenaltyCode);
  return penalty != nullptr ? penalty->AddDedCostCode() : std::string();
}

bool TShiftAwardView::FindAllowance(const std::string& pCode, TShiftAwardAddition& pOut) const {
  const TObjAwardAddDedBase* allowance = FAward.ObjLstAllowances().GetAllowance(pCode);
  if (allowance == nullptr) return false;
  pOut = ShiftAdditionOf(*allowance);
  return true;
}

bool TShiftAwardView::FindPenalty(const std::string& pCode, TShiftAwardAddition& pOut) const {
  const TObjAwardAddDedBase* penalty = FAward.ObjLstPenalties().GetPenalty(pCode);
  if (penalty == nullptr) return false;
  pOut = ShiftAdditionOf(*penalty);
  return true;
}

double TShiftAwardView::StandardHourlyRate() const {
  if (FAward.StdHourlyRate() != 0) return FAward.StdHourlyRate();
  const TObjAwardClassRate* standard = FAward.ObjLstClassRates().GetStandardRate();
  return standard != nullptr ? standard->HourlyRate() : 0.0;
}

}  // namespace qora
