// The builders of allowance and penalty lines. Allowances are paid per
// unit, hour, shift, week or day, may be prorated by hours, and may be held
// to a minimum or maximum per day or week.
#include <algorithm>

#include "common/format.h"
#include "output/shift_builders.h"
#include "output/yif_records.h"
#include "timesheet/timesheet_shift.h"

namespace qora {
namespace {

constexpr const char* kNoAddition =
    "Employee \"%s\": No value for addition code \"%s\". Transaction not generated.";

using Pay = TaiConditionPayOpt;
using Unit = TaiAllowancePayUnit;

bool IsPerUnit(Unit unit) { return unit == Unit::aiapu_Unit || unit == Unit::aiapu_Hour; }

// An amount, or a percentage of the rate the pay option names, as money for
// the allowance's units (per unit or hour) or for the week's hours.
double ScaledValue(double amount_perc, Pay option, Unit unit, const TAllowance& a, const TTimesheetShift& s) {
  double base = amount_perc;
  switch (option) {
    case Pay::aicpo_PercOfStd: base = amount_perc / 100 * s.StandardRate(); break;
    case Pay::aicpo_PercOfBase: base = amount_perc / 100 * s.BaseRate(); break;
    case Pay::aicpo_PercOfBaseCategory: base = amount_perc / 100 * a.Rate(); break;
    default: break;
  }
  if (IsPerUnit(unit)) return base * a.Units();
  if (option == Pay::aicpo_PercOfStd) return base * s.StandardWeeklyHours();
  if (option != Pay::aicpo_Amount) return base * s.BaseWeeklyHours();
  return base;
}

// The first day of the cap's window ending on the day worked: seven days
// for a weekly cap, the day itself for a daily one; 0 for caps without a
// window (each payment is held to the cap on its own).
TDateTime CapWindowStart(Unit cap_unit, TDateTime day_worked) {
  if (cap_unit == Unit::aiapu_Week) return DateOf(day_worked) - 6;
  if (cap_unit == Unit::aiapu_Day) return DateOf(day_worked);
  return 0;
}

// The value of a capped allowance, counting what the window has paid of the
// same addition already: a maximum pays up to what is left of the cap,
// never below 0; a minimum lifts the window's first payment to the cap and
// tops up later ones only while the window's total is still below it.
double CappedValue(TnxBuildContext& ctx, const TAllowance& a, TTimesheetShift& s, TDateTime day_worked) {
  const double value = ScaledValue(a.AmountPerc(), a.PayOption(), a.UnitType(), a, s);
  if (a.CapMinMax() == TaiCondMinMax::aicmm_None) return value;
  const double cap = ScaledValue(a.CapAmount(), a.PayOption(), a.CapUnitType(), a, s);
  const TDateTime from = CapWindowStart(a.CapUnitType(), day_worked);
  double already = 0;
  bool paid_before = false;
  if (from > 0) {
    already = ctx.Run.GetAdditionTotal(s.EmployeeCode(), a.AddDedCode(), from, ctx.ForCosting());
    paid_before = ctx.Run.AdditionExists(s.EmployeeCode(), a.AddDedCode(), from, ctx.ForCosting());
  }
  if (a.CapMinMax() == TaiCondMinMax::aicmm_Max) return std::min(value, std::max(0.0, cap - already));
  return paid_before ? std::max(value, cap - already) : std::max(value, cap);
}

// Weekly and daily allowances are paid once per week or day: the payment is
// dropped when the addition was paid within the last 7 days, or on or after
// the day worked.
bool AlreadyPaidInPeriod(TnxBuildContext& ctx, const TAllowance& a, const TTimesheetShift& s, TDateTime day) {
  if (a.UnitType() != Unit::aiapu_Week && a.UnitType() != Unit::aiapu_Day) return false;
  const TDateTime last = DateOf(ctx.Run.GetLastAdditionTransactionDate(s.EmployeeCode(), a.AddDedCode(),
                                                                       ctx.ForCosting()));
  if (a.UnitType() == Unit::aiapu_Week) return DateOf(day) - last < 7;
  return DateOf(day) <= last;
}

// The proration factor; 0 when the award gives no standard weekly hours to
// prorate against, so that the line is reported rather than paid in full.
double ProrationFactor(const TAllowance& a, const TTimesheetShift& s) {
  if (a.Proportional() == TaiProportionedOpt::aipo_None) return 1;
  if (s.StandardWeeklyHours() <= 0) return 0;
  const double hours =
      a.Proportional() == TaiProportionedOpt::aipo_NormHrsPaid ? s.BaseWeeklyHours() : s.TimesheetTotalHours();
  return hours / s.StandardWeeklyHours();
}

}  // namespace

std::string BuildAllowanceTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift) {
  const std::string shift_account = ShiftCostAccount(pShift);
  std::string records;
  for (int i = 0; i < pShift.AllowanceList().Count(); ++i) {
    const TAllowance& a = *pShift.AllowanceList().Items(i);
    if (a.PayOption() == Pay::aicpo_None) continue;
    TnxYIFAllowances line;
    FillFromShift(line, pShift);
    line.FCode = line.FComponentName = a.AddDedCode();
    line.FAccount = a.AddDedCostCode().empty() ? shift_account : a.AddDedCostCode();
    line.FJobCode = a.JobCode();
    line.FPayClass = pShift.EmployeeClassification();
    line.FAwardCategory = pShift.EmployeeCategory();
    const bool amount = a.PayOption() == Pay::aicpo_Amount;
    const double unit_rate = amount ? a.AmountPerc() : a.AmountPerc() / 100 * a.Rate();
    const bool capped = a.CapAmount() > 0;
    const bool per_unit = IsPerUnit(a.UnitType());
    std::string type = "A";
    if (capped) {
      line.FUnits = 1;
      line.FValue = CappedValue(pContext, a, pShift, line.FDateWorked);
    } else if (per_unit) {
      type = "U";
      line.FUnitRate = line.FRate = unit_rate;
      line.FUnits = a.Units();
      line.FValue = line.FUnits * unit_rate;
    } else {
      line.FUnits = amount ? 1 : a.PayOption() == Pay::aicpo_PercOfStd ? pShift.StandardWeeklyHours()
                                                                          : pShift.BaseWeeklyHours();
      line.FRate = unit_rate;
      line.FValue = line.FUnits * unit_rate;
      line.FUnitRate = 0;
    }
    if (!capped && AlreadyPaidInPeriod(pContext, a, pShift, line.FDateWorked)) line.FValue = 0;
    const double factor = ProrationFactor(a, pShift);
    if (per_unit && !capped) {
      line.FUnitRate *= factor;
    } else {
      line.FValue *= factor;
    }
    if (capped) line.FRate = line.FValue;
    if (line.FValue == 0) {
      LogShiftWarning(pContext, pShift, Format(kNoAddition, pShift.EmployeeCode(), a.AddDedCode()));
      continue;
    }
    pContext.Run.AddAdditionToHistory(pShift.EmployeeCode(), a.AddDedCode(), line.FDateWorked, line.FValue,
                                      pContext.ForCosting());
    line.FComponentType = amount ? "Amount Allowance" : "Percent Allowance";
    line.FType = line.FFrequency = type;
    line.FMinutes = line.FUnits;
    line.FPercent = amount ? 0 : a.AmountPerc();
    AddRecord(pContext, line, records);
  }
  return records;
}

std::string BuildPenaltyTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift) {
  const std::string shift_account = ShiftCostAccount(pShift);
  std::string records;
  for (int i = 0; i < pShift.PenaltyList().Count(); ++i) {
    const TPenalty& p = *pShift.PenaltyList().Items(i);
    const bool amount = p.PayOption() == Pay::aicpo_Amount;
    const double rate = amount ? 0 : p.Rate();
    const double value = amount ? p.Units() * p.AmountPerc() : p.Units() * p.AmountPerc() / 100 * rate;
    if (value == 0) {
      LogShiftWarning(pContext, pShift, Format(kNoAddition, pShift.EmployeeCode(), p.AddDedCode()));
      continue;
    }
    TnxYIFAllowances line;
    FillFromShift(line, pShift);
    line.FComponentType = "Penalty";
    line.FType = line.FFrequency = p.AddDedType().substr(0, 1);
    line.FCode = line.FComponentName = p.AddDedCode();
    // The payroll import pays a penalty by its units at the rate it carries.
    line.FValue = pContext.Format == TnxTransactionFormat::tfCSV ? value : p.Units();
    line.FRate = rate;
    line.FUnits = line.FMinutes = p.Units();
    line.FPercent = p.AmountPerc();
    line.FPayClass = p.Classification();
    line.FAwardCategory = pShift.EmployeeCategory();
    line.FAccount = shift_account.empty() ? p.AddDedCostCode() : shift_account;
    line.FFromTime = p.FromTime();
    line.FToTime = p.ToTime();
    AddRecord(pContext, line, records);
  }
  return records;
}

}  // namespace qora
