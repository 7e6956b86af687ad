#include "award/award_penalty.h"

#include <utility>

#include "award/condition_text.h"
#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardPenaltyRegistry {
  static const ClassInfo& Build() {
    using C = TObjAwardPenalty;
    return ClassBuilder<C>("TObjAwardPenalty", true)
        .Field("WorkDaysLst", &C::FWorkDaysLst)
        .Enum("PayUnitType", &C::FPayUnitType, TaiAllowancePayUnitInfo())
        .Getter("PayDetailsStr", PropKind::String, [](const C& c) { return c.GetPayDetailsStr(); })
        .Getter("DaysWorkedStr", PropKind::String, [](const C& c) { return c.GetDaysWorkedStr(); })
        .Build();
  }
};

namespace {

// Penalties load hours the overtime conditions have already settled.
constexpr int32_t kPenaltyOrder = 1000;

}  // namespace

const ClassInfo& TObjAwardPenalty::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardPenaltyRegistry::Build();
  return info;
}

TObjAwardPenalty::TObjAwardPenalty() : FWorkDaysLst(DefaultWorkDays()) {
  FAddDedType = TADType::adt_Percent;
  FAddDedUnitDesc.clear();
  FPayOption = TaiConditionPayOpt::aicpo_PercOfBase;
}

std::string TObjAwardPenalty::GetPayDetailsStr() const {
  return PayDetailsText(PayOption(), AddDedAmountPerc(), FPayUnitType);
}

std::string TObjAwardPenalty::GetDaysWorkedStr() const { return DaysWorkedText(FWorkDaysLst); }

void TObjAwardPenalty::ValidateConditionFlds() {
  TObjAwardAddDedBase::ValidateConditionFlds();
  TObjListAwardMessages& messages = Messages();
  if (FWorkDaysLst.Empty()) messages.AddMessage("No Work Days selected.");
  if (AddDedAmountPerc() <= 0) {
    messages.AddMessage(PayOption() == TaiConditionPayOpt::aicpo_Amount ? "No Penalty Amount entered."
                                                                        : "No Penalty Percentage entered.");
  }
}

std::string TObjAwardPenalty::GroupAndDaysClause() const {
  return ConditionGroupClause(ConditionGroupLst()) + " and " + DayClause(FWorkDaysLst);
}

TaiCondition& TObjAwardPenalty::AddPenaltyCondition(TaiConditionList& pList, TaiAction pAction, std::string pExpression,
                                                    std::string pCode) const {
  TaiCondition& condition = AddCallCondition(pList, pAction, kPenaltyOrder, std::move(pExpression), std::move(pCode));
  condition.SetParam("Code", QuotedParam(AddDedCode()));
  condition.SetParam("Percentage", NumberParam(AddDedAmountPerc()));
  return condition;
}

}  // namespace qora
