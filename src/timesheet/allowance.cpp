#include "timesheet/allowance.h"

#include <iterator>

#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TAllowance::StaticClassInfo() {
  static const ClassInfo& info =
      ClassBuilder<TAllowance>("TAllowance")
          .Field("AddDedCode", &TAllowance::FAddDedCode)
          .Field("Units", &TAllowance::FUnits)
          .Field("AddDedType", &TAllowance::FAddDedType)
          .Field("OnEmployee", &TAllowance::FOnEmployee)
          .Field("UseDefault", &TAllowance::FUseDefault)
          .Enum("UnitType", &TAllowance::FUnitType, TaiAllowancePayUnitInfo())
          .Field("Description", &TAllowance::FDescription)
          .Field("AmountPerc", &TAllowance::FAmountPerc)
          .Enum("PayOption", &TAllowance::FPayOption, TaiConditionPayOptInfo())
          .Enum("CapUnitType", &TAllowance::FCapUnitType, TaiAllowancePayUnitInfo())
          .Field("CapAmount", &TAllowance::FCapAmount)
          .Enum("CapMinMax", &TAllowance::FCapMinMax, TaiCondMinMaxInfo())
          .Enum("Proportional", &TAllowance::FProportional, TaiProportionedOptInfo())
          .Field("AddDedCostCode", &TAllowance::FAddDedCostCode)
          .Field("Classification", &TAllowance::FClassification)
          .Field("JobTitle", &TAllowance::FJobTitle)
          .Field("JobCode", &TAllowance::FJobCode)
          .Field("Category", &TAllowance::FCategory)
          .Field("Rate", &TAllowance::FRate)
          .Build();
  return info;
}

std::string TAllowance::AddDedTypeText(int pOrdinal) {
  static const char* const kTypes[] = {"Amount", "Rate", "Percent", "Unit", "Formula"};
  if (pOrdinal < 0 || pOrdinal >= static_cast<int>(std::size(kTypes))) return "";
  return kTypes[pOrdinal];
}

const ClassInfo& TPenalty::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TPenalty>("TPenalty")
                                     .Field("FromTime", &TPenalty::FFromTime)
                                     .Field("ToTime", &TPenalty::FToTime)
                                     .Build();
  return info;
}

std::unique_ptr<TPenalty> TPenalty::Clone() const {
  auto copy = std::make_unique<TPenalty>();
  copy->CopyPublishedValues(*this);
  return copy;
}

const ClassInfo& TAllowanceList::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TAllowanceList>("TAllowanceList").Build();
  return info;
}

TAllowance* TAllowanceList::FindAllowance(const std::string& pAllowanceCode) const {
  for (int i = 0; i < Count(); ++i) {
    if (Items(i)->AddDedCode() == pAllowanceCode) return Items(i);
  }
  return nullptr;
}

void TAllowanceList::DeleteEmployeeAllowances() {
  for (int i = Count() - 1; i >= 0; --i) {
    if (Items(i)->OnEmployee()) Delete(i);
  }
}

const ClassInfo& TPenaltyList::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TPenaltyList>("TPenaltyList").Build();
  return info;
}

TPenalty* TPenaltyList::FindPenalty(const std::string& pCode) const {
  return static_cast<TPenalty*>(FindAllowance(pCode));
}

}  // namespace qora
