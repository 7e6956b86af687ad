// Enumerations of award components. The value names are also the values
// written in stored component XML, so names and order must not change.
// Where a condition parameter carries one of these, it is the ordinal in
// decimal.
#pragma once

#include <cstdint>

#include "foundation/class_info.h"

namespace qora {

enum class TaiConditionType : uint8_t {
  aict_None,
  aict_OvertimeStd,
  aict_OvertimeTimeOfDay,
  aict_OvertimeSpecified,
  aict_PenaltyDaysWorked,
  aict_PenaltyEntireShift,
  aict_PenaltyHoursInShift,
  aict_PenaltyMealBreak,
  aict_AllowanceStd,
  aict_AllowanceCapped,
  aict_AllowancePropHrs,
  aict_RuleMinHours,
  aict_RuleHigherDuty,
  aict_LeaveAccrual,
  aict_LeaveLoading,
  aict_LeavePayment,
  aict_RuleConditionGroupChange,
  aict_PenaltyShiftBreak,
  aict_OvertimeHoursWorked,
  aict_RuleUnworkedPubHoliday,
  aict_RuleMinOvertime,
  aict_LeavePaymPlannedHours,
};

enum class TaiWorkDays : uint8_t {
  aiwd_None,
  aiwd_Mon,
  aiwd_Tue,
  aiwd_Wed,
  aiwd_Thu,
  aiwd_Fri,
  aiwd_Sat,
  aiwd_Sun,
  aiwd_PubHol,
};

enum class TaiConditionTimeOpt : uint8_t { aicto_None, aicto_Before, aicto_After, aicto_Between };

enum class TaiConditionPayOpt : uint8_t {
  aicpo_None,
  aicpo_Amount,
  aicpo_PercOfStd,
  aicpo_PercOfBase,
  aicpo_PercOfBaseCategory,
};

enum class TaiAllowanceApplyOpt : uint8_t { aiaao_None, aiaao_HeldOnEmployee, aiaao_OnTimesheet };

enum class TaiAllowancePayUnit : uint8_t {
  aiapu_None,
  aiapu_Unit,
  aiapu_Hour,
  aiapu_Shift,
  aiapu_Week,
  aiapu_Day,
};

enum class TaiCondMinMax : uint8_t { aicmm_None, aicmm_Min, aicmm_Max };

enum class TaiAccrueHoursOpt : uint8_t { aiaho_None, aiaho_Paid, aiaho_Actual };

enum class TaiPeriodType : uint8_t { aipt_None, aipt_Shift, aipt_Total, aipt1Week, aipt2Week, aipt4Week };

enum class TaiProportionedOpt : uint8_t { aipo_None, aipo_NormHrsPaid, aipo_ActHrsWorked };

enum class TaiOvertimeTotalType : uint8_t {
  aiot_None,
  aiot_NormalHours,
  aiot_WorkPattern,
  aiot_Fixed,
  aiot_PlannedHours,
};

enum class TaiStartEndOpt : uint8_t { aiseo_None, aiseo_Starts, aiseo_Ends };

enum class TaiMsgSeverity : uint8_t { aims_Info, aims_Error, aims_Warning };

// Value names for the property registry and stored XML, ordinal = index.
const EnumInfo& TaiConditionTypeInfo();
const EnumInfo& TaiWorkDaysInfo();
const EnumInfo& TaiConditionTimeOptInfo();
const EnumInfo& TaiConditionPayOptInfo();
const EnumInfo& TaiAllowanceApplyOptInfo();
const EnumInfo& TaiAllowancePayUnitInfo();
const EnumInfo& TaiCondMinMaxInfo();
const EnumInfo& TaiAccrueHoursOptInfo();
const EnumInfo& TaiPeriodTypeInfo();
const EnumInfo& TaiProportionedOptInfo();
const EnumInfo& TaiOvertimeTotalTypeInfo();
const EnumInfo& TaiStartEndOptInfo();
const EnumInfo& TaiMsgSeverityInfo();

}  // namespace qora
