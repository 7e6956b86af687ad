#include "foundation/award_const.h"

namespace qora {

const EnumInfo& TaiConditionTypeInfo() {
  static const EnumInfo info{"TaiConditionType",
                             {"aict_None",
                              "aict_OvertimeStd",
                              "aict_OvertimeTimeOfDay",
                              "aict_OvertimeSpecified",
                              "aict_PenaltyDaysWorked",
                              "aict_PenaltyEntireShift",
                              "aict_PenaltyHoursInShift",
                              "aict_PenaltyMealBreak",
                              "aict_AllowanceStd",
                              "aict_AllowanceCapped",
                              "aict_AllowancePropHrs",
                              "aict_RuleMinHours",
                              "aict_RuleHigherDuty",
                              "aict_LeaveAccrual",
                              "aict_LeaveLoading",
                              "aict_LeavePayment",
                              "aict_RuleConditionGroupChange",
                              "aict_PenaltyShiftBreak",
                              "aict_OvertimeHoursWorked",
                              "aict_RuleUnworkedPubHoliday",
                              "aict_RuleMinOvertime",
                              "aict_LeavePaymPlannedHours"}};
  return info;
}

const EnumInfo& TaiWorkDaysInfo() {
  static const EnumInfo info{"TaiWorkDays",
                             {"aiwd_None", "aiwd_Mon", "aiwd_Tue", "aiwd_Wed", "aiwd_Thu", "aiwd_Fri", "aiwd_Sat",
                              "aiwd_Sun", "aiwd_PubHol"}};
  return info;
}

const EnumInfo& TaiConditionTimeOptInfo() {
  static const EnumInfo info{"TaiConditionTimeOpt", {"aicto_None", "aicto_Before", "aicto_After", "aicto_Between"}};
  return info;
}

const EnumInfo& TaiConditionPayOptInfo() {
  static const EnumInfo info{
      "TaiConditionPayOpt",
      {"aicpo_None", "aicpo_Amount", "aicpo_PercOfStd", "aicpo_PercOfBase", "aicpo_PercOfBaseCategory"}};
  return info;
}

const EnumInfo& TaiAllowanceApplyOptInfo() {
  static const EnumInfo info{"TaiAllowanceApplyOpt", {"aiaao_None", "aiaao_HeldOnEmployee", "aiaao_OnTimesheet"}};
  return info;
}

const EnumInfo& TaiAllowancePayUnitInfo() {
  static const EnumInfo info{
      "TaiAllowancePayUnit",
      {"aiapu_None", "aiapu_Unit", "aiapu_Hour", "aiapu_Shift", "aiapu_Week", "aiapu_Day"}};
  return info;
}

const EnumInfo& TaiCondMinMaxInfo() {
  static const EnumInfo info{"TaiCondMinMax", {"aicmm_None", "aicmm_Min", "aicmm_Max"}};
  return info;
}

const EnumInfo& TaiAccrueHoursOptInfo() {
  static const EnumInfo info{"TaiAccrueHoursOpt", {"aiaho_None", "aiaho_Paid", "aiaho_Actual"}};
  return info;
}

const EnumInfo& TaiPeriodTypeInfo() {
  static const EnumInfo info{
      "TaiPeriodType", {"aipt_None", "aipt_Shift", "aipt_Total", "aipt1Week", "aipt2Week", "aipt4Week"}};
  return info;
}

const EnumInfo& TaiProportionedOptInfo() {
  static const EnumInfo info{"TaiProportionedOpt", {"aipo_None", "aipo_NormHrsPaid", "aipo_ActHrsWorked"}};
  return info;
}

const EnumInfo& TaiOvertimeTotalTypeInfo() {
  static const EnumInfo info{
      "TaiOvertimeTotalType",
      {"aiot_None", "aiot_NormalHours", "aiot_WorkPattern", "aiot_Fixed", "aiot_PlannedHours"}};
  return info;
}

const EnumInfo& TaiStartEndOptInfo() {
  static const EnumInfo info{"TaiStartEndOpt", {"aiseo_None", "aiseo_Starts", "aiseo_Ends"}};
  return info;
}

const EnumInfo& TaiMsgSeverityInfo() {
  static const EnumInfo info{"TaiMsgSeverity", {"aims_Info", "aims_Error", "aims_Warning"}};
  return info;
}

}  // namespace qora
