// The shift's allowances: standard, proportioned and capped allowances taken
// from the employee's award, their costing destination, whether a per-shift
// allowance is earned on the day, and the pay rate of allowances and
// penalties by their pay option.
#include <string>
#include <vector>

#include "common/format.h"
#include "common/exceptions.h"
#include "timesheet/timesheet_shift.h"
#include "timesheet/timesheet_shift_award.h"
#include "timesheet/timesheet_shift_params.h"
#include "timesheet/timesheet_shift_rates.h"
#include "timesheet/timesheet_shift_run.h"

namespace qora {

namespace {

const THoursTypeSet kWorkedHours{THoursType::htOrdinary, THoursType::htOvertime, THoursType::htMakeUp};

constexpr int64_t kProportionedOpts = static_cast<int64_t>(TaiProportionedOpt::aipo_ActHrsWorked) + 1;
constexpr int64_t kPayUnits = static_cast<int64_t>(TaiAllowancePayUnit::aiapu_Day) + 1;
constexpr int64_t kCapMinMaxes = static_cast<int64_t>(TaiCondMinMax::aicmm_Max) + 1;

}  // namespace

// ---- Primitives ------------------------------------------------------------------

TAllowance* TTimesheetShift::PrepareAllowance(double pValue, const std::string& pAllowanceCode) {
  TAllowance* allowance = FAllowanceList.FindAllowance(pAllowanceCode);
  if (!allowance) allowance = FAllowanceList.AddNew();
  allowance->SetUnits(pValue);
  allowance->SetDescription(pAllowanceCode);
  return allowance;
}

TAllowance* TTimesheetShift::_AddAllowance(double pValue, const std::string& pAllowanceCode) {
  TAllowance* allowance = PrepareAllowance(pValue, pAllowanceCode);
  SetAllowanceDetails(allowance);
  return allowance;
}

TAllowance* TTimesheetShift::_AddProportionalAllowance(double pValue, const std::string& pAllowanceCode,
                                                       TaiProportionedOpt pProportionType) {
  TAllowance* allowance = _AddAllowance(pValue, pAllowanceCode);
  allowance->SetProportional(pProportionType);
  return allowance;
}

TAllowance* TTimesheetShift::_AddCappedAllowance(double pValue, const std::string& pAllowanceCode, double pCapValue,
                                                 TaiAllowancePayUnit pCapUnits, TaiCondMinMax pCapMinMax) {
  TAllowance* allowance = PrepareAllowance(pValue, pAllowanceCode);
  allowance->SetCapUnitType(pCapUnits);
  allowance->SetCapAmount(pCapValue);
  allowance->SetCapMinMax(pCapMinMax);
  SetAllowanceDetails(allowance);
  return allowance;
}

// ---- Details from the award --------------------------------------------------------

void TTimesheetShift::SetAllowanceDetails(TAllowance* pAllowance) {
  TAllowance& a = *pAllowance;
  const IShiftAward* award = ShiftAwardOf(*this);
  if (!award) return;
  TShiftAwardAddition found;
  if (!award->FindAllowance(a.Description(), found)) {
    throw eaiPRocessorException(Format("Allowance \"%s\" not found.", a.Description()));
  }
  a.SetAddDedType(TAllowance::AddDedTypeText(found.AddDedTypeOrdinal));
  a.SetAddDedCode(found.AddDedCode);
  // A standing allowance with an amount of the employee's own keeps it.
  if (!a.OnEmployee() || a.UseDefault()) a.SetAmountPerc(found.AmountPerc);
  // The column that carries this addition on the timesheet says where it is
  // costed. It is looked up by the award's addition code: a new allowance
  // has no code of its own yet, and an empty code would pick whichever
  // column carries no addition at all.
  if (const TTimesheetColumn* column = found.AddDedCode.empty() ? nullptr : FindColumnByAddDedCode(found.AddDedCode)) {
    a.SetJobTitle(column->JobTitle());
    a.SetAddDedCostCode(column->CostCode());
    a.SetJobCode(column->JobCode());
  }
  if (a.AddDedCostCode().empty()) a.SetAddDedCostCode(found.CostCode);
  a.SetUnitType(found.PayUnitType);
  a.SetPayOption(found.PayOption);
  SetAdditionRate(pAllowance);
  if (!PaysStandardAllowance(found)) {
    a.SetUnits(0);
    a.SetAmountPerc(0);
  }
}

// A standard allowance paid per shift or per day is earned by working on
// the day; the award may also pay it on a day of leave alone, or on a day
// whose only pay is a unit allowance (a call-out, say).
bool TTimesheetShift::PaysStandardAllowance(const TShiftAwardAddition& pAward) const {
  if (!pAward.IsStandardAllowance) return true;
  if (pAward.PayUnitType != TaiAllowancePayUnit::aiapu_Shift && pAward.PayUnitType != TaiAllowancePayUnit::aiapu_Day) {
    return true;
  }
  if (FHoursGroupList.GetHoursBetween(ShiftStart(), ShiftEnd(), kWorkedHours) != 0) return true;
  if (pAward.PayIfLeaveOnly && FLeaveDates.FindLeave(ShiftStartDate())) return true;
  if (!pAward.PayIfAllowanceOnly) return false;
  for (int i = 0; i < FAllowanceList.Count(); ++i) {
    const TAllowance* other = FAllowanceList.Items(i);
    if (other->UnitType() == TaiAllowancePayUnit::aiapu_Unit && other->Units() > 0) return true;
  }
  return false;
}

// The rate an allowance or penalty is paid on, with H the higher-duties rate
// of its classification and C the award category's percentage:
//   aicpo_Amount               H + the amount (so that an amount per hour
//                              compares with hourly rates as its worth)
//   aicpo_PercOfStd            C% of the award's standard rate
//   aicpo_PercOfBase           H
//   aicpo_PercOfBaseCategory   C% of H
//   aicpo_None                 unchanged
void TTimesheetShift::SetAdditionRate(TAllowance* pAddition) const {
  const IShiftAward* award = ShiftAwardOf(*this);
  if (!award) return;
  TAllowance& p = *pAddition;
  const double category = award->CategoryPercentage(EmployeeCategory()) / 100;
  switch (p.PayOption()) {
    case TaiConditionPayOpt::aicpo_Amount:
      p.SetRate(HigherDutiesRate(*this, *award, p.Classification()) + p.AmountPerc());
      break;
    case TaiConditionPayOpt::aicpo_PercOfStd:
      p.SetRate(category * award->StandardHourlyRate());
      break;
    case TaiConditionPayOpt::aicpo_PercOfBase:
      p.SetRate(HigherDutiesRate(*this, *award, p.Classification()));
      break;
    case TaiConditionPayOpt::aicpo_PercOfBaseCategory:
      p.SetRate(category * HigherDutiesRate(*this, *award, p.Classification()));
      break;
    case TaiConditionPayOpt::aicpo_None:
      break;
  }
}

// ---- Actions ---------------------------------------------------------------------

// 0 value (units), 1 allowance code.
void TTimesheetShift::AddAllowance(TQelParser*, const TActionParams& pParams) {
  _AddAllowance(ParamFloat(pParams, 0), ParamText(pParams, 1));
}

// 0 value, 1 allowance code, 2 proportion type. The proportioned-hours
// allowance passes no proportion type: it is proportioned on the hours
// actually worked, as its name promises, so that a part-timer is not paid
// the full-time amount. A type given as text that is no ordinal means no
// proportioning.
void TTimesheetShift::AddProportionalAllowance(TQelParser*, const TActionParams& pParams) {
  const std::string& type_text = ParamText(pParams, 2);
  const auto type = type_text.empty()
                        ? TaiProportionedOpt::aipo_ActHrsWorked
                        : static_cast<TaiProportionedOpt>(ParamOrdinal(pParams, 2, 0, kProportionedOpts));
  _AddProportionalAllowance(ParamFloat(pParams, 0), ParamText(pParams, 1), type);
}

// 0 value, 1 allowance code, 2 cap value, 3 cap unit type, 4 cap minimum or
// maximum (ordinals, default 0).
void TTimesheetShift::AddCappedAllowance(TQelParser*, const TActionParams& pParams) {
  _AddCappedAllowance(ParamFloat(pParams, 0), ParamText(pParams, 1), ParamFloat(pParams, 2),
                      static_cast<TaiAllowancePayUnit>(ParamOrdinal(pParams, 3, 0, kPayUnits)),
                      static_cast<TaiCondMinMax>(ParamOrdinal(pParams, 4, 0, kCapMinMaxes)));
}

}  // namespace qora
