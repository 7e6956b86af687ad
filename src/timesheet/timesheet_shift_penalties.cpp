// The shift's penalties and higher duties: loadings over a window of the
// shift, split where the window's hours are paid under another
// classification; the penalty for too short a rest between shifts; the
// penalty for working on past a due meal break; and moving hours to a
// better-paid job.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/datetime.h"
#include "common/format.h"
#include "common/exceptions.h"
#include "timesheet/timesheet_shift.h"
#include "timesheet/timesheet_shift_award.h"
#include "timesheet/timesheet_shift_params.h"
#include "timesheet/timesheet_shift_run.h"

namespace qora {

namespace {

// Two times closer than this are the same time.
constexpr double kSameTime = 0.001;
// What is left of a window after rounding errors, not time.
constexpr double kSliver = 1e-9;

// A stretch of a penalty window paid under one classification.
struct TClassPart {
  double From;
  double To;
  const std::string* Classification;  // the group's or the shift's
};

// Sorts by start, starts closer than kSameTime counting as equal and
// keeping their order.
template <class T, class StartOf>
void SortByStart(std::vector<T>& pItems, StartOf pStartOf) {
  // Mostly one item or none: the sort would still take a buffer.
  if (pItems.size() < 2) return;
  std::stable_sort(pItems.begin(), pItems.end(),
                   [&](const T& a, const T& b) { return pStartOf(a) < pStartOf(b) - kSameTime; });
}

// The window pFrom .. pTo cut into the stretches of ClassificationGroupList
// that overlap it, with the stretches no group covers (before, between and
// after them) paid under the employee's own classification.
std::vector<TClassPart> ClassificationParts(const TTimesheetShift& pShift, double pFrom, double pTo) {
  std::vector<TClassPart> covered;
  for (const THoursGroup* g : pShift.ClassificationGroupList().All()) {
    if (g->FromTime() < pTo && g->ToTime() > pFrom) {
      covered.push_back({std::max(g->FromTime(), pFrom), std::min(g->ToTime(), pTo), &g->Classification()});
    }
  }
  SortByStart(covered, [](const TClassPart& p) { return p.From; });
  const std::string* own = &pShift.EmployeeClassification();
  std::vector<TClassPart> parts;
  parts.reserve(2 * covered.size() + 1);
  double reached = pFrom;
  for (const TClassPart& part : covered) {
    if (part.From - reached > kSameTime) parts.push_back({reached, part.From, own});
    reached = std::max(reached, part.To);
    parts.push_back(part);
  }
  if (pTo - reached > kSameTime) parts.push_back({reached, pTo, own});
  return parts;
}

}  // namespace

// ---- Penalty over a window -----------------------------------------------------------

// A window that ends before it starts (a time band that missed the shift,
// such as a night band tested against a day shift) or has no length adds
// nothing: there is no time to load. Time of the window outside the hours
// worked stays in the window but is not paid: a penalty's units are the
// ordinary hours inside its window.
TPenalty* TTimesheetShift::_AddPenalty(double pStartTime, double pEndTime, double pPercent, const std::string& pCode) {
  if (pEndTime <= pStartTime) return nullptr;
  TPenalty* penalty = FPenaltyList.AddNew();
  penalty->SetFromTime(pStartTime);
  penalty->SetToTime(pEndTime);
  penalty->SetAmountPerc(pPercent);
  penalty->SetDescription(pCode);
  const IShiftAward* award = ShiftAwardOf(*this);
  if (!award) return penalty;
  TShiftAwardAddition found;
  if (!award->FindPenalty(pCode, found)) throw eaiPRocessorException(Format("Penalty \"%s\" not found.", pCode));
  penalty->SetAddDedType(TAllowance::AddDedTypeText(found.AddDedTypeOrdinal));
  penalty->SetAddDedCode(found.AddDedCode);
  penalty->SetUnitType(TaiAllowancePayUnit::aiapu_Hour);
  penalty->SetPayOption(found.PayOption);
  penalty->SetAddDedCostCode(found.CostCode);

  // Each part is loaded at the rate of the classification its hours are
  // paid under, so a higher duty inside the window carries its own loading.
  const std::vector<TClassPart> parts = ClassificationParts(*this, pStartTime, pEndTime);
  auto price = [this, pEndTime](TPenalty& p, const TClassPart& part) {
    p.SetToTime(std::min(part.To, pEndTime));
    p.SetClassification(*part.Classification);
    SetAdditionRate(&p);
    p.SetUnits(FHoursGroupList.GetHoursBetween(p.FromTime(), p.ToTime(), {THoursType::htOrdinary}));
  };
  price(*penalty, parts.front());
  std::vector<std::unique_ptr<TPenalty>> copies;
  for (size_t i = 1; i < parts.size(); ++i) {
    std::unique_ptr<TPenalty> copy = penalty->Clone();
    copy->SetFromTime(parts[i].From);
    price(*copy, parts[i]);
    // A part without ordinary hours (the break between two rows of a
    // shift) has nothing to load; a nil line would only be warned about
    // at costing.
    if (copy->Units() <= 0) continue;
    copies.push_back(std::move(copy));
  }
  for (auto& copy : copies) FPenaltyList.Add(std::move(copy));
  return penalty;
}

// ---- Rest between shifts ---------------------------------------------------------

TPenalty* TTimesheetShift::_AddShiftBreakPenalty(const std::string& pCode, double pPercentage, double pHours,
                                                 bool pPayFullShift) {
  const TDateTime last_end = LastShiftEndDate();
  if (last_end <= 0) return nullptr;
  // Measured in hours to a millionth, so that a rest of exactly the
  // minimum counts as long enough however the dates were rounded.
  const double rest_hours = (DateOf(ShiftStartDate()) + ShiftStart() / 24 - last_end) * 24;
  if (rest_hours + 1e-6 >= pHours) return nullptr;

  const double rostered_pay = pPayFullShift ? RosteredHoursTotal() * BaseRate() : 0;
  const double worked_pay = WorkedHoursTotal() * BaseRate();
  const double loaded_pay = worked_pay + pPercentage / 100 * worked_pay;
  if (rostered_pay <= loaded_pay) return _AddPenalty(ShiftStart(), ShiftEnd(), pPercentage, pCode);

  // No loss of pay: the rostered shift is paid in place of the hours worked.
  FHoursGroupList.ClearItems();
  FWorkCodeGroupList.ClearItems();
  FClassificationGroupList.ClearItems();
  FPenaltyList.Clear();
  AddHoursFromRoster("", THoursType::htOrdinary, "", "", "");
  FillInBreaks();
  return nullptr;
}

// ---- Meal breaks -----------------------------------------------------------------

// The shift's blocks are walked in time order. A break (or a block of the
// paid meal-break work code) of at least the minimum is a meal break and
// starts the count again; any other block, a shorter break included, counts
// as time worked. Once more than pDueHours have been worked, the time from
// that point on is penalised, block by block: every penalty window lies
// inside one block, and the block in which the first pFirstHours of
// penalised time run out is cut exactly there, so that each minute is
// loaded once, at the first or the next percent. A window holding no
// ordinary hours (a short break, overtime) adds no penalty, since it would
// pay nothing, but its time still counts towards the first hours.
void TTimesheetShift::_AddMealBreakPenalty(double pDueHours, double pFirstPercent, double pFirstHours,
                                           double pNextPercent, const std::string& pCode,
                                           const std::string& pPaidBreakWorkCode, int64_t pMinBreakMinutes) {
  if (pFirstHours == 0) pNextPercent = pFirstPercent;
  // Adding penalties leaves the hours as they are: the blocks are walked in
  // place, in time order.
  std::vector<const THoursGroup*> blocks;
  blocks.reserve(static_cast<size_t>(FHoursGroupList.Count()));
  for (const THoursGroup* g : FHoursGroupList.All()) blocks.push_back(g);
  SortByStart(blocks, [](const THoursGroup* g) { return g->FromTime(); });

  auto penalise = [this, &pCode](double from, double to, double percent) {
    if (to - from > kSliver && FHoursGroupList.GetHoursBetween(from, to, {THoursType::htOrdinary}) > 0) {
      _AddPenalty(from, to, percent, pCode);
    }
  };
  const double min_break = static_cast<double>(pMinBreakMinutes) / 60;
  double worked = 0;     // since the last meal break
  double penalised = 0;  // of that, past the due point
  for (const THoursGroup* block : blocks) {
    const bool candidate = block->HoursType() == THoursType::htBreak ||
                           (!pPaidBreakWorkCode.empty() && block->WorkCode() == pPaidBreakWorkCode);
    if (candidate && block->HoursTotal() >= min_break) {
      worked = 0;
      penalised = 0;
      continue;
    }
    const double due = block->FromTime() + std::max(0.0, pDueHours - worked);
    worked += block->HoursTotal();
    if (due >= block->ToTime() - kSliver) continue;
    const double first_end = std::min(block->ToTime(), due + std::max(0.0, pFirstHours - penalised));
    penalise(due, first_end, pFirstPercent);
    penalise(first_end, block->ToTime(), pNextPercent);
    penalised += block->ToTime() - due;
  }
}

// ---- Higher duties ---------------------------------------------------------------

// Every block as it stood when the action started is considered once: the
// part of it inside the window is added again under the job when the job's
// classification pays more, and the overlap rule takes that time out of
// the block. Blocks added on the way are not walked again.
void TTimesheetShift::_ApplyHigherDuty(double pFromTime, double pToTime, const std::string& pJobTitle) {
  const IShiftAward* award = ShiftAwardOf(*this);
  std::string job_class;
  std::string job_cost_account;
  if (!award || !award->FindJob(pJobTitle, job_class, job_cost_account)) return;
  const double job_rate = award->ClassHourlyRate(job_class);
  std::vector<std::unique_ptr<THoursGroup>> blocks;
  for (const THoursGroup* g : FHoursGroupList.All()) blocks.push_back(g->Clone());
  for (const auto& c : blocks) {
    if (job_rate <= award->ClassHourlyRate(c->Classification())) continue;
    const double from = std::max(c->FromTime(), pFromTime);
    const double to = std::min(c->ToTime(), pToTime);
    if (to - from <= 0) continue;
    _AddHours(from, to, c->ComponentName(), c->WorkCode(), c->HoursType(), pJobTitle, c->JobCode(),
              c->CostAccount());
  }
}

// ---- Actions ---------------------------------------------------------------------

// 0 start time, 1 end time, 2 percent, 3 penalty code.
void TTimesheetShift::AddPenalty(TQelParser*, const TActionParams& pParams) {
  _AddPenalty(ParamFloat(pParams, 0), ParamFloat(pParams, 1), ParamFloat(pParams, 2), ParamText(pParams, 3));
}

// 0 penalty code, 1 percentage, 2 minimum break in hours, 3 pay full shift.
void TTimesheetShift::AddShiftBreakPenalty(TQelParser*, const TActionParams& pParams) {
  _AddShiftBreakPenalty(ParamText(pParams, 0), ParamFloat(pParams, 1), ParamFloat(pParams, 2),
                        ParamBool(pParams, 3));
}

// 0 hours after which a meal break is due, 1 first percent, 2 hours at the
// first percent, 3 next percent, 4 penalty code, 5 paid meal-break work
// code, 6 minimum meal break in minutes (default 0).
void TTimesheetShift::AddMealBreakPenalty(TQelParser*, const TActionParams& pParams) {
  _AddMealBreakPenalty(ParamFloat(pParams, 0), ParamFloat(pParams, 1), ParamFloat(pParams, 2),
                       ParamFloat(pParams, 3), ParamText(pParams, 4), ParamText(pParams, 5), ParamInt(pParams, 6, 0));
}

// 0 from time, 1 to time, 2 job title.
void TTimesheetShift::ApplyHigherDuty(TQelParser*, const TActionParams& pParams) {
  _ApplyHigherDuty(ParamFloat(pParams, 0), ParamFloat(pParams, 1), ParamText(pParams, 2));
}

}  // namespace qora
