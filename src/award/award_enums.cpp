#include "award/award_enums.h"

namespace qora {

const EnumInfo& TADTypeInfo() {
  static const EnumInfo info{"TADType", {"adt_Amount", "adt_Rate", "adt_Percent", "adt_Unit", "adt_Formula"}};
  return info;
}

const EnumInfo& TADHoursInfo() {
  static const EnumInfo info{"TADHours", {"adh_Spec", "adh_Std"}};
  return info;
}

const EnumInfo& TADCategoryInfo() {
  static const EnumInfo info{"TADCategory", {"adc_Add_Before", "adc_Add_After", "adc_Ded_Before", "adc_Ded_After"}};
  return info;
}

const EnumInfo& TRateGroupingInfo() {
  static const EnumInfo info{"TRateGrouping", {"rg_None", "rg_Ordinary", "rg_Overtime", "rg_Leave"}};
  return info;
}

const EnumInfo& TRuleTypeInfo() {
  static const EnumInfo info{"TRuleType", {"rtNoRule", "rtDate", "rtHours"}};
  return info;
}

const EnumInfo& TDateTypeInfo() {
  static const EnumInfo info{"TDateType", {"dtHireDate", "dtBirthDate", "dtRateEffectiveDate", "dtUserDefinedDate"}};
  return info;
}

const EnumInfo& TIncrementPeriodTypeInfo() {
  static const EnumInfo info{"TIncrementPeriodType", {"iptWeek", "iptMonth", "iptYear"}};
  return info;
}

}  // namespace qora
