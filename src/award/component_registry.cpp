#include "award/component_registry.h"

#include <iterator>

#include "award/award.h"
#include "award/award_allowance_kinds.h"
#include "award/award_leave_kinds.h"
#include "award/award_list.h"
#include "award/award_overtime_kinds.h"
#include "award/award_penalty_kinds.h"
#include "award/award_rules.h"
#include "foundation/class_info.h"

namespace qora {
namespace {

using F = TAwardFamily;
using T = TaiConditionType;

// Indexed by stored type ordinal - 1.
constexpr TComponentClassDef kComponentClasses[] = {
    {T::aict_OvertimeStd, "TObjAwardOvertimeStd", "Planned Hours Exceeded", F::Overtime},
    {T::aict_OvertimeTimeOfDay, "TObjAwardOvertimeTimeOfDay", "Time of Day", F::Overtime},
    {T::aict_OvertimeSpecified, "TObjAwardOvertimeSpecified", "Entered on Timesheet", F::Overtime},
    {T::aict_PenaltyDaysWorked, "TObjAwardPenaltyDaysWorked", "Days Worked", F::Penalties},
    {T::aict_PenaltyEntireShift, "TObjAwardPenaltyEntireShift", "Entire Shift based on Start/End Time", F::Penalties},
    {T::aict_PenaltyHoursInShift, "TObjAwardPenaltyHoursInShift", "Time of Work", F::Penalties},
    {T::aict_PenaltyMealBreak, "TObjAwardPenaltyMealBreak", "Meal Break Not Taken", F::Penalties},
    {T::aict_AllowanceStd, "TObjAwardAllowanceStd", "Standard", F::Allowances},
    {T::aict_AllowanceCapped, "TObjAwardAllowanceCapped", "Capped", F::Allowances},
    {T::aict_AllowancePropHrs, "TObjAwardAllowancePropHrs", "Proportioned Hours", F::Allowances},
    {T::aict_RuleMinHours, "TObjAwardRuleMinHours", "Minimum Hours", F::Rules},
    {T::aict_RuleHigherDuty, "TObjAwardRuleHigherDuty", "Higher Duty", F::Rules},
    {T::aict_LeaveAccrual, "TObjAwardLeaveAccrual", "Accrued Not Paid", F::Leave},
    {T::aict_LeaveLoading, "TObjAwardLeaveLoading", "Compare Leave Loading", F::Leave},
    {T::aict_LeavePayment, "TObjAwardLeavePayment", "Leave Pay Rate", F::Leave},
    {T::aict_RuleConditionGroupChange, "TObjAwardRuleConditionGroupChange", "Change Condition Group", F::Rules},
    {T::aict_PenaltyShiftBreak, "TObjAwardPenaltyShiftBreak", "Insufficient Rest Period", F::Penalties},
    {T::aict_OvertimeHoursWorked, "TObjAwardOvertimeHoursWorked", "Period Hours Exceeded", F::Overtime},
    {T::aict_RuleUnworkedPubHoliday, "TObjAwardRuleUnworkedPubHoliday", "Unworked Public Holiday", F::Rules},
    {T::aict_RuleMinOvertime, "TObjAwardRuleMinOvertime", "Minimum Overtime", F::Rules},
    {T::aict_LeavePaymPlannedHours, "TObjAwardLeavePaymPlannedHours", "Paid based on Planned Hours", F::Leave},
};

}  // namespace

const TComponentClassDef* FindComponentClassDef(int64_t pConditionType) {
  if (pConditionType < 1 || pConditionType > static_cast<int64_t>(std::size(kComponentClasses))) return nullptr;
  return &kComponentClasses[pConditionType - 1];
}

std::string ConditionTypeDisplayName(TaiConditionType pType) {
  const TComponentClassDef* def = FindComponentClassDef(static_cast<int64_t>(pType));
  return def != nullptr ? def->DisplayName : "None";
}

void RegisterAwardMemberClasses() {
  // Every class an award file or a stored component row can name.
  EnsureClassesRegistered({
      &TObjAwardClassRate::StaticClassInfo,
      &TObjListAwardClassRates::StaticClassInfo,
      &TObjAwardJob::StaticClassInfo,
      &TObjListAwardJobs::StaticClassInfo,
      &TObjAwardCategory::StaticClassInfo,
      &TObjListAwardCategories::StaticClassInfo,
      &TObjAwardConditionGroup::StaticClassInfo,
      &TObjListConditionGroup::StaticClassInfo,
      &TObjListAwardOvertime::StaticClassInfo,
      &TObjListAwardPenalties::StaticClassInfo,
      &TObjListAwardAllowances::StaticClassInfo,
      &TObjListAwardRules::StaticClassInfo,
      &TObjListAwardLeave::StaticClassInfo,
      &TObjListAwardMessages::StaticClassInfo,
      &TObjAwardOvertimeStd::StaticClassInfo,
      &TObjAwardOvertimeTimeOfDay::StaticClassInfo,
      &TObjAwardOvertimeSpecified::StaticClassInfo,
      &TObjAwardOvertimeHoursWorked::StaticClassInfo,
      &TObjAwardRuleConditionGroupChange::StaticClassInfo,
      &TObjAwardRuleMinHours::StaticClassInfo,
      &TObjAwardRuleMinOvertime::StaticClassInfo,
      &TObjAwardRuleHigherDuty::StaticClassInfo,
      &TObjAwardRuleUnworkedPubHoliday::StaticClassInfo,
      &TObjAwardPenaltyDaysWorked::StaticClassInfo,
      &TObjAwardPenaltyEntireShift::StaticClassInfo,
      &TObjAwardPenaltyHoursInShift::StaticClassInfo,
      &TObjAwardPenaltyMealBreak::StaticClassInfo,
      &TObjAwardPenaltyShiftBreak::StaticClassInfo,
      &TObjAwardAllowanceStd::StaticClassInfo,
      &TObjAwardAllowanceCapped::StaticClassInfo,
      &TObjAwardAllowancePropHrs::StaticClassInfo,
      &TObjAwardLeaveAccrual::StaticClassInfo,
      &TObjAwardLeaveLoading::StaticClassInfo,
      &TObjAwardLeavePayment::StaticClassInfo,
      &TObjAwardLeavePaymPlannedHours::StaticClassInfo,
  });
}

void EnsureAwardClassesRegistered() {
  EnsureClassesRegistered({&TObjAward::StaticClassInfo, &TObjListAwards::StaticClassInfo});
}

std::unique_ptr<TObjAwardConditionBase> CreateAwardComponent(int64_t pConditionType) {
  const TComponentClassDef* def = FindComponentClassDef(pConditionType);
  if (def == nullptr) return nullptr;
  EnsureAwardClassesRegistered();
  std::unique_ptr<TnxBaseObject> created = ClassRegistry::Instance().Create(def->ClassName);
  auto* component = dynamic_cast<TObjAwardConditionBase*>(created.get());
  if (component == nullptr) return nullptr;
  created.release();
  return std::unique_ptr<TObjAwardConditionBase>(component);
}

}  // namespace qora
