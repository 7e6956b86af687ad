// The overtime actions: overtime at the end of the shift, minimum overtime,
// make-up hours on an unworked public holiday, overtime inside a weekly
// time-of-day band, overtime by hours worked in a period, and overtime
// entered under a work code.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/datetime.h"
#include "common/format.h"
#include "common/string_list.h"
#include "timesheet/timesheet_manager_intf.h"
#include "timesheet/timesheet_shift.h"
#include "timesheet/timesheet_shift_award.h"
#include "timesheet/timesheet_shift_params.h"
#include "timesheet/timesheet_shift_run.h"

namespace qora {

namespace {

constexpr int kMaxPasses = 100;
const THoursTypeSet kBreaks{THoursType::htBreak};

// The start of an overtime window that ends at ShiftEnd and holds `hours`
// of time besides the breaks inside it: the start walks back by the breaks
// it covers until they stop changing, or until it is no longer after
// `floor`.
double OvertimeWindowStart(const TTimesheetShift& pShift, double pHours, double pFloor) {
  const double end = pShift.ShiftEnd();
  double start = end - pHours;
  double previous_breaks = 0;
  for (int pass = 0; pass < kMaxPasses; ++pass) {
    const double breaks = pShift.HoursGroupList().GetHoursBetween(start, end, kBreaks);
    start = end - (pHours + breaks);
    if (breaks == previous_breaks || !(pFloor < start)) break;
    previous_breaks = breaks;
  }
  return start;
}

// Hours from the shift's start date to a date-time, to 4 decimals.
double ToShiftHours(const TTimesheetShift& pShift, TDateTime pWhen) {
  return std::round((pWhen - DateOf(pShift.ShiftStartDate())) * 24 * 10000) / 10000;
}

// Sum of the leave hours of the shift whose reason is one of the names.
double LeaveHoursFor(const TTimesheetShift& pShift, const std::string& pLeaveReasons) {
  TStringList reasons;
  reasons.SetCommaText(pLeaveReasons);
  double total = 0;
  const TLeaveDateList& leave = pShift.LeaveDatesList();
  for (int i = 0; i < leave.Count(); ++i) {
    if (reasons.IndexOf(leave.Items(i)->LeaveReason()) >= 0) total += leave.Items(i)->TotalHours();
  }
  return total;
}

// The hourly value of a penalty: its rate, loaded by its percentage unless
// it is a fixed amount.
double PenaltyHourlyValue(const TPenalty& pPenalty) {
  if (pPenalty.PayOption() == TaiConditionPayOpt::aicpo_Amount) return pPenalty.Rate();
  return (pPenalty.AmountPerc() + 100) * pPenalty.Rate() / 100;
}

std::string FormatWhen(TDateTime pWhen) { return FormatIsoDateTime(pWhen); }

// Copies sorted by FromTime; starts closer than 0.001 hour count as equal
// and keep their order.
std::vector<std::unique_ptr<THoursGroup>> SortedCopies(const THoursGroupList& pList, const std::string& pWorkCode) {
  std::vector<std::unique_ptr<THoursGroup>> copies;
  for (const THoursGroup* g : pList.All()) {
    if (g->WorkCode() == pWorkCode) copies.push_back(g->Clone());
  }
  for (size_t i = 1; i < copies.size(); ++i) {
    for (size_t j = i; j > 0 && copies[j]->FromTime() < copies[j - 1]->FromTime() - 0.001; --j) {
      std::swap(copies[j], copies[j - 1]);
    }
  }
  return copies;
}

}  // namespace

// ---- Overtime at the end of the shift ----------------------------------------

// 0 rate code, 1 next rate code, 2 hours at the first rate.
void TTimesheetShift::AddOvertimeHours(TQelParser*, const TActionParams& pParams) {
  const std::string& rate_code = ParamText(pParams, 0);
  const std::string& next_code = ParamText(pParams, 1);
  const double first_hours = ParamFloat(pParams, 2);
  const double overtime = OvertimeHoursTotal();

  const double start = OvertimeWindowStart(*this, overtime, ShiftStart());
  _AddHours(start, ShiftEnd(), rate_code, "", THoursType::htOvertime, "", "", "");

  if (next_code.empty() || first_hours <= 0) return;
  // The overtime beyond the first hours goes to the next rate; which code
  // keeps the overlapped time follows from the rates' percentages.
  const double earliest = ShiftStart() + first_hours;
  double next_start = OvertimeWindowStart(*this, overtime - first_hours, earliest);
  if (earliest > next_start) next_start = earliest;
  _AddHours(next_start, ShiftEnd(), next_code, "", THoursType::htOvertime, "", "", "");
}

// 0 rate code, 1 minimum hours.
void TTimesheetShift::AddMinOvertime(TQelParser*, const TActionParams& pParams) {
  const std::string& rate_code = ParamText(pParams, 0);
  const double minimum = ParamFloat(pParams, 1);
  double worked = GetHoursForComponent(rate_code);
  if (const IShiftAward* award = ShiftAwardOf(*this)) {
    const std::string second = award->OvertimeRate2Code(rate_code);
    if (!second.empty()) worked += GetHoursForComponent(second);
  }
  if (worked > 0 && worked < minimum) {
    const double end = ShiftEnd();
    _AddHours(end, end + (minimum - worked), rate_code, "", THoursType::htOvertime, "", "", "");
  }
}

// 0 cost code.
void TTimesheetShift::AddUnworkedPublicHolidayHours(TQelParser*, const TActionParams& pParams) {
  if (WorkedHoursTotal() != 0 || !IsPublicHoliday(ShiftStartDate())) return;
  AddHoursFromRoster("", THoursType::htMakeUp, "", "", ParamText(pParams, 0));
  FillInBreaks();
}

// ---- Time-of-day band ---------------------------------------------------------

// 0 band start day, 1 band end day (1 = Sunday ... 7 = Saturday), 2 band
// start time, 3 band end time (hours of the day), 4 rate code, 5 next rate
// code, 6 hours at the first rate.
void TTimesheetShift::AddTimeOfDayOvertimeHours(TQelParser*, const TActionParams& pParams) {
  const int64_t start_day = ParamInt(pParams, 0, 0);
  const int64_t end_day = ParamInt(pParams, 1, 0);
  const double band_from = ParamFloat(pParams, 2);
  double band_to = ParamFloat(pParams, 3);
  const std::string& rate_code = ParamText(pParams, 4);
  const std::string& next_code = ParamText(pParams, 5);
  const double first_hours = ParamFloat(pParams, 6);
  if (band_to < band_from) band_to += 24;

  const TDateTime shift_day = DateOf(ShiftStartDate());
  const TDateTime overtime_from = shift_day + OvertimeStartTime() / 24;
  const TDateTime overtime_to = shift_day + ShiftEnd() / 24;

  // The band's days count from the Sunday of the overtime's week, a
  // Saturday (7 mod 7) falling on the day before it. A band that ends
  // before it starts wraps into the next week. The band repeats every week;
  // of its weekly occurrences the one sharing the most time with the
  // overtime is taken, so a band containing the overtime is always found.
  const TDateTime week_start = DateOf(overtime_from) - DayOfWeek(overtime_from) + 1;
  TDateTime band_start = week_start + static_cast<double>(start_day % 7 - 1) + band_from / 24;
  TDateTime band_end = week_start + static_cast<double>(end_day % 7 - 1) + band_to / 24;
  if (band_end < band_start) band_end += 7;
  const double weeks_back = std::floor((overtime_from - band_end) / 7);
  double best_overlap = -std::numeric_limits<double>::infinity();
  TDateTime best_start = band_start;
  for (double k = weeks_back; k <= weeks_back + 2 + std::ceil((overtime_to - overtime_from) / 7); ++k) {
    const TDateTime s = band_start + 7 * k;
    const double overlap = std::min(band_end + 7 * k, overtime_to) - std::max(s, overtime_from);
    if (overlap > best_overlap) {
      best_overlap = overlap;
      best_start = s;
    }
  }
  band_end += best_start - band_start;
  band_start = best_start;

  if (ShiftDebugging(*this)) {
    LogShiftDebug(*this, "Condition Name: " + rate_code);
    LogShiftDebug(*this, "Condition Start: " + FormatWhen(band_start));
    LogShiftDebug(*this, "Condition End: " + FormatWhen(band_end));
    LogShiftDebug(*this, "Overtime Start: " + FormatWhen(overtime_from));
    LogShiftDebug(*this, "Overtime End: " + FormatWhen(overtime_to));
  }

  // Measured straight from the shift's start date, so a window after
  // midnight lies above 24 without further adjustment.
  const double from = ToShiftHours(*this, std::max(band_start, overtime_from));
  const double to = ToShiftHours(*this, std::min(band_end, overtime_to));
  if (to <= from) return;
  const std::string& later_code = next_code.empty() ? rate_code : next_code;
  if (first_hours == 0 || to - from < first_hours) {
    _AddHours(from, to, rate_code, "", THoursType::htOvertime, "", "", "");
  } else {
    _AddHours(from, from + first_hours, rate_code, "", THoursType::htOvertime, "", "", "");
    _AddHours(from + first_hours, to, later_code, "", THoursType::htOvertime, "", "", "");
  }
}

// ---- Period overtime ------------------------------------------------------------

// 0 basis, 1 period (ordinals, default 0), 2 rate code, 3 next rate code,
// 4 hours, 5 next hours, 6 leave reasons (comma text), 7 cycle start date.
void TTimesheetShift::AddHoursWorkedOvertimeHours(TQelParser*, const TActionParams& pParams) {
  const int64_t basis = ParamInt(pParams, 0, 0);
  const int64_t period = ParamInt(pParams, 1, 0);
  _AddHoursWorkedOvertimeHours(static_cast<TaiOvertimeTotalType>(
                                   std::clamp<int64_t>(basis, 0, int64_t(TaiOvertimeTotalType::aiot_PlannedHours))),
                               static_cast<TaiPeriodType>(std::clamp<int64_t>(period, 0, int64_t(TaiPeriodType::aipt4Week))),
                               ParamText(pParams, 2), ParamText(pParams, 3), ParamFloat(pParams, 4),
                               ParamFloat(pParams, 5), ParamText(pParams, 6), ParamFloat(pParams, 7));
}

void TTimesheetShift::_AddHoursWorkedOvertimeHours(TaiOvertimeTotalType pExceedBasedOn, TaiPeriodType pPeriodType,
                                                   const std::string& pCode, const std::string& pNextCode,
                                                   double pHours, double pNextHours, const std::string& pLeaveReasons,
                                                   TDateTime pCycleStartDate) {
  double threshold = pHours;
  if (pExceedBasedOn == TaiOvertimeTotalType::aiot_NormalHours) threshold = EmployeeNormalHours();
  if (pExceedBasedOn == TaiOvertimeTotalType::aiot_WorkPattern) threshold = EmployeeWorkPatternHours();

  const bool single_shift = pPeriodType == TaiPeriodType::aipt_Shift;
  const double ordinary = OrdinaryHoursTotal();
  const double leave = LeaveHoursFor(*this, pLeaveReasons);
  double counted = ordinary + leave;
  double penalty_units = 0;
  if (!(single_shift && pExceedBasedOn == TaiOvertimeTotalType::aiot_Fixed)) {
    // Hours already paid at least at the overtime rate through penalties do
    // not count again.
    THoursGroup scratch;
    scratch.SetHoursType(THoursType::htOvertime);
    scratch.SetComponentName(pCode);
    scratch.SetFromTime(ShiftStart());
    scratch.SetToTime(ShiftEnd());
    SetComponentDetails(&scratch);
    const double rate = scratch.Rate();
    ITimesheetManager& manager = TimesheetManager();
    const double period_hours = manager.GetHoursTotal(*this, {THoursType::htOrdinary}, pLeaveReasons, pPeriodType,
                                                      pCycleStartDate, "", rate);
    for (int i = 0; i < FPenaltyList.Count(); ++i) {
      if (PenaltyHourlyValue(*FPenaltyList.Items(i)) >= rate) penalty_units += FPenaltyList.Items(i)->Units();
    }
    counted = period_hours + ordinary + leave - penalty_units;
  }
  const double excess = std::min(counted - threshold, ordinary - penalty_units);

  double available = pNextHours;
  if (!single_shift) {
    available -= TimesheetManager().GetHoursTotal(*this, {THoursType::htOvertime}, "", pPeriodType, pCycleStartDate,
                                                  pCode, 0);
  }

  const double end = ShiftEnd();
  double start = end - excess;
  start -= FHoursGroupList.GetHoursBetween(start, end, kBreaks);
  if (ShiftDebugging(*this)) LogShiftDebug(*this, "Period Overtime for: " + FormatIsoDate(ShiftStartDate()));
  if (excess <= 0) return;

  // The block is to turn `excess` hours of ordinary time into overtime:
  // where it covers other kinds of time (overtime already paid, say), it
  // reaches further back by the difference.
  const double convertible =
      FHoursGroupList.GetHoursBetween(start, end, {THoursType::htOrdinary, THoursType::htLeaveAccrual});
  if (convertible < excess) start -= excess - convertible;

  if (pNextCode.empty() || available >= excess) {
    _AddHours(start, end, pCode, "", THoursType::htOvertime, "", "", "");
  } else if (available <= 0) {
    _AddHours(start, end, pNextCode, "", THoursType::htOvertime, "", "", "");
  } else {
    // The first `available` hours of time (breaks inside not counting) stay
    // at pCode; the rest goes to pNextCode.
    double split = start + available;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
      const double next = start + available + FHoursGroupList.GetHoursBetween(start, split, kBreaks);
      if (next == split) break;
      split = next;
    }
    _AddHours(start, std::min(split, end), pCode, "", THoursType::htOvertime, "", "", "");
    _AddHours(split, end, pNextCode, "", THoursType::htOvertime, "", "", "");
  }
}

// ---- Overtime entered under a work code -----------------------------------------

// 0 work code, 1 rate code, 2 next-overtime hours, 3 next rate code.
void TTimesheetShift::ApplyOvertimeToWorkCode(TQelParser*, const TActionParams& pParams) {
  _ApplyOvertimeToWorkCode(ParamText(pParams, 0), ParamText(pParams, 1), ParamFloat(pParams, 2),
                           ParamText(pParams, 3));
}

void TTimesheetShift::_ApplyOvertimeToWorkCode(const std::string& pWorkCode, const std::string& pRateCode,
                                               double pNextOverTimeHours, const std::string& pNextRateCode) {
  // Hours beyond the limit go to the next rate; without one they stay at
  // the first. The block that crosses the limit counts in full towards the
  // running total, so every block after it is paid at the next rate.
  const std::string& later_code = pNextRateCode.empty() ? pRateCode : pNextRateCode;
  auto add = [&](double from, double to, const std::string& code) {
    _AddHours(from, to, code, pWorkCode, THoursType::htOvertime, "", "", "");
  };
  double running = 0;
  for (const auto& copy : SortedCopies(FWorkCodeGroupList, pWorkCode)) {
    const double hours = copy->HoursTotal();
    if (running + hours <= pNextOverTimeHours) {
      add(copy->FromTime(), copy->ToTime(), pRateCode);
    } else if (running <= pNextOverTimeHours) {
      const double limit = copy->FromTime() + (pNextOverTimeHours - running);
      add(copy->FromTime(), limit, pRateCode);
      add(limit, copy->ToTime(), later_code);
    } else {
      add(copy->FromTime(), copy->ToTime(), later_code);
    }
    running += hours;
  }
}

}  // namespace qora
