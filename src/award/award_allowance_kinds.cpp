#include "award/award_allowance_kinds.h"

#include "award/condition_text.h"
#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardAllowanceKindsRegistry {
  static const ClassInfo& Std() {
    using C = TObjAwardAllowanceStd;
    return ClassBuilder<C>("TObjAwardAllowanceStd")
        .Enum("ProportionedOnOpt", &C::FProportionedOnOpt, TaiProportionedOptInfo())
        .Field("PayIfLeaveOnly", &C::FPayIfLeaveOnly)
        .Field("PayIfAllowanceOnly", &C::FPayIfAllowanceOnly)
        .Build();
  }
  static const ClassInfo& Capped() {
    using C = TObjAwardAllowanceCapped;
    return ClassBuilder<C>("TObjAwardAllowanceCapped")
        .Enum("CapMinMax", &C::FCapMinMax, TaiCondMinMaxInfo())
        .Field("CapAmountPerc", &C::FCapAmountPerc)
        .Enum("CapPayUnitType", &C::FCapPayUnitType, TaiAllowancePayUnitInfo())
        .Field("PayIfLeaveOnly", &C::FPayIfLeaveOnly)
        .Field("PayIfAllowanceOnly", &C::FPayIfAllowanceOnly)
        .Build();
  }
  static const ClassInfo& PropHrs() {
    return ClassBuilder<TObjAwardAllowancePropHrs>("TObjAwardAllowancePropHrs").Build();
  }
};

// ---- Standard -------------------------------------------------------------------

const ClassInfo& TObjAwardAllowanceStd::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardAllowanceKindsRegistry::Std();
  return info;
}

TObjAwardAllowanceStd::TObjAwardAllowanceStd() { SetConditionKind(TaiConditionType::aict_AllowanceStd); }

std::string TObjAwardAllowanceStd::GetPayDetailsStr() const {
  std::string text = TObjAwardAllowance::GetPayDetailsStr();
  switch (FProportionedOnOpt) {
    case TaiProportionedOpt::aipo_NormHrsPaid: text += " Proportioned on Normal Hours Paid"; break;
    case TaiProportionedOpt::aipo_ActHrsWorked: text += " Proportioned on Actual Hours Worked"; break;
    case TaiProportionedOpt::aipo_None: break;
  }
  return text;
}

void TObjAwardAllowanceStd::PopulateConditions(TaiConditionList& pList) {
  if (FProportionedOnOpt == TaiProportionedOpt::aipo_None) {
    AddAllowanceCondition(pList, TaiAction::aaAddAllowance);
    return;
  }
  TaiCondition& condition = AddAllowanceCondition(pList, TaiAction::aaAddProportionalAllowance);
  condition.SetParam("ProportionType", OrdinalParam(FProportionedOnOpt));
}

// ---- Capped -----------------------------------------------------------------------

const ClassInfo& TObjAwardAllowanceCapped::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardAllowanceKindsRegistry::Capped();
  return info;
}

TObjAwardAllowanceCapped::TObjAwardAllowanceCapped() {
  SetConditionKind(TaiConditionType::aict_AllowanceCapped);
  FPayUnitType = TaiAllowancePayUnit::aiapu_Shift;
  FAddDedType = TADType::adt_Amount;
}

std::string TObjAwardAllowanceCapped::GetPayDetailsStr() const {
  static constexpr const char* kCapNames[] = {"None", "Minimum", "Maximum"};
  // The cap is an amount when the allowance is; any percentage cap is shown
  // without naming the rate it is a percentage of.
  const TaiConditionPayOpt cap_option = PayOption() == TaiConditionPayOpt::aicpo_Amount
                                            ? TaiConditionPayOpt::aicpo_Amount
                                            : TaiConditionPayOpt::aicpo_None;
  return TObjAwardAllowance::GetPayDetailsStr() + " Capped at " + kCapNames[static_cast<int>(FCapMinMax)] + " " +
         PayDetailsText(cap_option, FCapAmountPerc, FCapPayUnitType);
}

void TObjAwardAllowanceCapped::ValidateConditionFlds() {
  TObjAwardAllowance::ValidateConditionFlds();
  if (FCapAmountPerc <= 0) Messages().AddMessage("No Amount/Percentage has been entered.");
}

void TObjAwardAllowanceCapped::PopulateConditions(TaiConditionList& pList) {
  TaiCondition& condition = AddAllowanceCondition(pList, TaiAction::aaAddCappedAllowance);
  condition.SetParam("CapValue", NumberParam(FCapAmountPerc));
  condition.SetParam("CapUnit", OrdinalParam(FCapPayUnitType));
  condition.SetParam("CapMinMax", OrdinalParam(FCapMinMax));
}

// ---- Proportioned hours --------------------------------------------------------

const ClassInfo& TObjAwardAllowancePropHrs::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardAllowanceKindsRegistry::PropHrs();
  return info;
}

TObjAwardAllowancePropHrs::TObjAwardAllowancePropHrs() { SetConditionKind(TaiConditionType::aict_AllowancePropHrs); }

void TObjAwardAllowancePropHrs::PopulateConditions(TaiConditionList& pList) {
  // ProportionType stays empty: the shift's proportional allowance reads an
  // empty type as proportioned on the hours actually worked, which is what
  // an allowance named for proportioned hours means.
  AddAllowanceCondition(pList, TaiAction::aaAddProportionalAllowance);
}

}  // namespace qora
