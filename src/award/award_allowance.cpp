#include "award/award_allowance.h"

#include "award/condition_text.h"
#include "common/text.h"
#include "foundation/class_builder.h"

namespace qora {

struct TObjAwardAllowanceRegistry {
  static const ClassInfo& Build() {
    using C = TObjAwardAllowance;
    return ClassBuilder<C>("TObjAwardAllowance", true)
        .Enum("ApplyOption", &C::FApplyOption, TaiAllowanceApplyOptInfo())
        .Field("TimesheetWorkCode", &C::FTimesheetWorkCode)
        .Enum("PayUnitType", &C::FPayUnitType, TaiAllowancePayUnitInfo())
        .Getter("PayDetailsStr", PropKind::String, [](const C& c) { return c.GetPayDetailsStr(); })
        .Build();
  }
};

namespace {

// Allowances are paid once the shift's hours and overtime are settled, as
// penalties are.
constexpr int32_t kAllowanceOrder = 1000;

}  // namespace

const ClassInfo& TObjAwardAllowance::StaticClassInfo() {
  static const ClassInfo& info = TObjAwardAllowanceRegistry::Build();
  return info;
}

TObjAwardAllowance::TObjAwardAllowance() { FPayOption = TaiConditionPayOpt::aicpo_Amount; }

std::string TObjAwardAllowance::GetConditionExpression() const {
  std::string test;
  switch (FApplyOption) {
    case TaiAllowanceApplyOpt::aiaao_None: test = "0 = 1"; break;
    case TaiAllowanceApplyOpt::aiaao_HeldOnEmployee:
      test = "EmployeeHasAddition(" + QuotedParam(AddDedCode()) + ")";
      break;
    case TaiAllowanceApplyOpt::aiaao_OnTimesheet:
      // Units are entered against the allowance itself, and a unit count of
      // 0 pays nothing, so an allowance paid per unit needs no work code.
      test = !FTimesheetWorkCode.empty() && FPayUnitType != TaiAllowancePayUnit::aiapu_Unit
                 ? "WorkCodeExists(" + QuotedParam(FTimesheetWorkCode) + ")"
                 : "0 = 0";
      break;
  }
  return ConditionGroupClause(ConditionGroupLst()) + "and (" + test + ")";
}

std::string TObjAwardAllowance::GetPayDetailsStr() const {
  return PayDetailsText(PayOption(), AddDedAmountPerc(), FPayUnitType);
}

std::string TObjAwardAllowance::ValueParam() const {
  switch (FPayUnitType) {
    case TaiAllowancePayUnit::aiapu_None: return "0";
    case TaiAllowancePayUnit::aiapu_Unit: return "GetFloatValue(" + QuotedParam(AddDedCode()) + ")";
    case TaiAllowancePayUnit::aiapu_Hour:
      // Held on the employee it pays every hour worked; carried by a work
      // code, only the hours entered against that code.
      return FApplyOption == TaiAllowanceApplyOpt::aiaao_HeldOnEmployee
                 ? "WorkedHoursTotal"
                 : "HoursForWorkCode(" + QuotedParam(FTimesheetWorkCode) + ")";
    case TaiAllowancePayUnit::aiapu_Shift:
    case TaiAllowancePayUnit::aiapu_Week:
    case TaiAllowancePayUnit::aiapu_Day: break;
  }
  return NumberParam(AddDedAmountPerc());
}

void TObjAwardAllowance::ValidateConditionFlds() {
  TObjAwardAddDedBase::ValidateConditionFlds();
  TObjListAwardMessages& messages = Messages();
  const bool per_unit = FPayUnitType == TaiAllowancePayUnit::aiapu_Unit;
  if (per_unit && AddDedUnitDesc().empty()) messages.AddMessage("No Unit Description entered.");
  if (FApplyOption == TaiAllowanceApplyOpt::aiaao_OnTimesheet && Trim(FTimesheetWorkCode).empty() && !per_unit) {
    messages.AddMessage("No Timesheet Work Code entered.");
  }
  if (AddDedAmountPerc() <= 0 && PayOption() == TaiConditionPayOpt::aicpo_PercOfStd) {
    messages.AddMessage("No Percentage entered.");
  }
}

void TObjAwardAllowance::PopulateWorkCodes(TStringList& pList) const { pList.Add(FTimesheetWorkCode); }

TaiCondition& TObjAwardAllowance::AddAllowanceCondition(TaiConditionList& pList, TaiAction pAction) const {
  TaiCondition& condition = AddCallCondition(pList, pAction, kAllowanceOrder, GetConditionExpression());
  condition.SetParam("Value", ValueParam());
  condition.SetParam("Code", QuotedParam(AddDedCode()));
  return condition;
}

}  // namespace qora
