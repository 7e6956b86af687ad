// Enumerations of the award's own records: payroll addition settings of
// allowance, penalty and leave components, the rate grouping of rate-based
// components and the automatic increment rule of award categories. The value
// names are the values written in stored award XML, so names and order must
// not change.
#pragma once

#include <cstdint>

#include "foundation/class_info.h"

namespace qora {

// How a payroll addition is valued. The ordinal is also the payroll's stored
// addition type (Amount, Rate, Percent, Unit, Formula).
enum class TADType : uint8_t { adt_Amount, adt_Rate, adt_Percent, adt_Unit, adt_Formula };

// Which hours a payroll addition is paid on: the hours specified with it, or
// the employee's standard hours.
enum class TADHours : uint8_t { adh_Spec, adh_Std };

// Whether the payroll item is an addition or a deduction, and whether it is
// taken before or after tax.
enum class TADCategory : uint8_t { adc_Add_Before, adc_Add_After, adc_Ded_Before, adc_Ded_After };

// The kind of pay rate a rate-based component pays at.
enum class TRateGrouping : uint8_t { rg_None, rg_Ordinary, rg_Overtime, rg_Leave };

// The automatic increment rule of an award category.
enum class TRuleType : uint8_t { rtNoRule, rtDate, rtHours };
// The date a date-based increment rule counts from.
enum class TDateType : uint8_t { dtHireDate, dtBirthDate, dtRateEffectiveDate, dtUserDefinedDate };
enum class TIncrementPeriodType : uint8_t { iptWeek, iptMonth, iptYear };

const EnumInfo& TADTypeInfo();
const EnumInfo& TADHoursInfo();
const EnumInfo& TADCategoryInfo();
const EnumInfo& TRateGroupingInfo();
const EnumInfo& TRuleTypeInfo();
const EnumInfo& TDateTypeInfo();
const EnumInfo& TIncrementPeriodTypeInfo();

}  // namespace qora
