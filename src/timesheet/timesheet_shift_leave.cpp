// The shift's leave actions: pricing leave by its reason, accruing overtime
// as leave, paying a whole day of leave at the rate its planned day would
// have paid, and comparing annual leave loading with the planned day's
// penalties and allowances.
#include <cmath>
#include <string>
#include <vector>

#include "common/datetime.h"
#include "common/string_list.h"
#include "common/text.h"
#include "timesheet/timesheet_manager_intf.h"
#include "timesheet/timesheet_shift.h"
#include "timesheet/timesheet_shift_params.h"

namespace qora {

namespace {

constexpr const char* kAllNames = "<All>";
constexpr const char* kAnnualLeave = "Annual Leave";
constexpr int64_t kAccrueOpts = static_cast<int64_t>(TaiAccrueHoursOpt::aiaho_Actual) + 1;

double RoundCents(double pValue) { return std::round(pValue * 100) / 100; }

bool NamedIn(const std::string& pNames, const std::string& pName) {
  if (pNames == kAllNames) return true;
  TStringList names;
  names.SetCommaText(pNames);
  return names.IndexOf(pName) >= 0;
}

}  // namespace

bool TTimesheetShift::IsSingleLeaveDay() const {
  return FLeaveDates.Count() == 1 && TimesheetManager().NumberofShiftsOnRow(ID()) < 2;
}

bool TTimesheetShift::CoversRosteredHours(const TDateGroup& pLeave) const {
  // Compared in cents with room for the rounding of the two values.
  return std::abs(RoundCents(pLeave.TotalHours()) - RoundCents(RosteredHoursTotal())) <= 0.01 + 1e-9;
}

// ---- Primitives ------------------------------------------------------------------

void TTimesheetShift::_ApplyLeaveReason(const std::string& pLeaveReason, const std::string& pRateCode,
                                        double pPercent) {
  for (int i = 0; i < FLeaveDates.Count(); ++i) {
    TDateGroup* leave = FLeaveDates.Items(i);
    if (leave->LeaveReason() != pLeaveReason) continue;
    leave->SetRateCode(pRateCode);
    leave->SetRate(pPercent / 100 * EmployeeNormalRate());
  }
}

// The work code only tells whether the shift earns accrual at all: the
// overtime of such a shift accrues whatever block it was worked in. The
// accrued hours keep their place in the list and the breakdowns are left as
// they were, so costing still finds where the time was worked.
void TTimesheetShift::_ApplyLeaveAccrualToWorkCode(const std::string& pAddDedCode, const std::string& pWorkCode,
                                                   THoursType pHoursType, TaiAccrueHoursOpt pAccrueType,
                                                   bool pAccrueAll) {
  const bool has_work_code = WorkCodeExists(pWorkCode);
  for (THoursGroup* g : FHoursGroupList.All()) {
    if (g->HoursType() != THoursType::htOvertime) continue;
    if (!pAccrueAll && !(has_work_code && g->HoursType() == pHoursType)) continue;
    g->SetHoursType(THoursType::htLeaveAccrual);
    g->SetLeaveAccrualCode(pAddDedCode);
    g->SetRate(BaseRate());
    // Paid hours accrue at the overtime's own percentage.
    if (pAccrueType == TaiAccrueHoursOpt::aiaho_None) g->SetPercentage(0);
    if (pAccrueType == TaiAccrueHoursOpt::aiaho_Actual) g->SetPercentage(100);
  }
}

void TTimesheetShift::_ApplyPlannedHoursLeave(const std::string& pLeaveReasons, const std::string& pAllowances,
                                              const std::string& pPenalties) {
  if (!IsSingleLeaveDay()) return;
  ITimesheetManager& manager = TimesheetManager();
  for (int i = 0; i < FLeaveDates.Count(); ++i) {
    TDateGroup* leave = FLeaveDates.Items(i);
    if (!CoversRosteredHours(*leave) || !NamedIn(pLeaveReasons, leave->LeaveReason())) continue;
    // The day's planned costing says what the employee would have earned.
    leave->SetRate(manager.GetAverageHourlyRate(ID(), static_cast<int32_t>(TaiCostingOutputType::cot_Publish),
                                                {THoursType::htOrdinary, THoursType::htOvertime}, pAllowances,
                                                pPenalties));
  }
}

void TTimesheetShift::_ApplyCompareLeaveLoading(const std::string& pAllowances, const std::string& pPenalties) {
  if (LeaveLoadingClassID() == 0 || !IsSingleLeaveDay()) return;
  ITimesheetManager& manager = TimesheetManager();
  for (int i = 0; i < FLeaveDates.Count(); ++i) {
    TDateGroup* leave = FLeaveDates.Items(i);
    // Leave types are kept as entered; a known type may come in any case.
    if (!SameText(leave->LeaveType(), kAnnualLeave) || !CoversRosteredHours(*leave)) continue;
    leave->SetPayPlannedPenalties(pPenalties);
    leave->SetPayPlannedAllowances(pAllowances);
    leave->SetALLink(DayOfWeek(ShiftStartDate()));
    manager.ApplyCompareLoading(ID(), leave->ALLink(), static_cast<int32_t>(manager.CostingOutputType()),
                                pAllowances, pPenalties);
    FAllowanceList.DeleteEmployeeAllowances();
  }
}

// ---- Actions ---------------------------------------------------------------------

// 0 leave reason, 1 rate code, 2 percent.
void TTimesheetShift::ApplyLeaveReason(TQelParser*, const TActionParams& pParams) {
  _ApplyLeaveReason(ParamText(pParams, 0), ParamText(pParams, 1), ParamFloat(pParams, 2));
}

// 0 addition code, 1 work code, 2 accrue type, 3 accrue all. An accrue type
// outside the known ones accrues as paid (the percentage is kept).
void TTimesheetShift::ApplyLeaveAccrual(TQelParser*, const TActionParams& pParams) {
  int64_t accrue_type = ParamIntStrict(pParams, 2);
  if (accrue_type < 0 || accrue_type >= kAccrueOpts) accrue_type = static_cast<int64_t>(TaiAccrueHoursOpt::aiaho_Paid);
  const bool accrue_all = ParamBoolStrict(pParams, 3);
  _ApplyLeaveAccrualToWorkCode(ParamText(pParams, 0), ParamText(pParams, 1), THoursType::htOvertime,
                               static_cast<TaiAccrueHoursOpt>(accrue_type), accrue_all);
}

// 0 leave reasons (comma text, or "<All>"), 1 allowances, 2 penalties.
void TTimesheetShift::ApplyPlannedHoursLeave(TQelParser*, const TActionParams& pParams) {
  _ApplyPlannedHoursLeave(ParamText(pParams, 0), ParamText(pParams, 1), ParamText(pParams, 2));
}

// 0 allowances, 1 penalties.
void TTimesheetShift::ApplyCompareLeaveLoading(TQelParser*, const TActionParams& pParams) {
  _ApplyCompareLeaveLoading(ParamText(pParams, 0), ParamText(pParams, 1));
}

}  // namespace qora
