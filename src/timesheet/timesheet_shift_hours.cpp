// The shift's hours primitive and the simple hours actions: adding a typed
// block of time with its pay rate, resolving overlaps so that the shift's
// hours stay free of overlaps and ordered by type and rate, breaks, hours
// from the roster, component columns, and the start of overtime.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/format.h"
#include "timesheet/timesheet_shift.h"
#include "timesheet/timesheet_shift_award.h"
#include "timesheet/timesheet_shift_overlap.h"
#include "timesheet/timesheet_shift_params.h"
#include "timesheet/timesheet_shift_rates.h"
#include "timesheet/timesheet_shift_run.h"

namespace qora {

namespace {

// Re-adds every group in rebuild order, each taking its window out of the
// groups added before it: the later kind (and, within a kind, the higher
// percentage) keeps overlapped time.
void RebuildHoursList(THoursGroupList& pList) {
  auto groups = pList.ExtractAll();
  SortForRebuild(groups);
  for (auto& group : groups) {
    ResolveOverlaps(pList, group->FromTime(), group->ToTime());
    pList.Add(std::move(group));
  }
}

// A copy of the group added to a breakdown list after the copy's window has
// been taken out of that list.
void AddResolvedCopy(THoursGroupList& pList, const THoursGroup& pGroup) {
  ResolveOverlaps(pList, pGroup.FromTime(), pGroup.ToTime());
  pList.Add(pGroup.Clone());
}

// The hours type of an ordinal; the default for an ordinal outside the type.
THoursType HoursTypeOf(int64_t pOrdinal, THoursType pDefault) {
  if (pOrdinal < static_cast<int64_t>(THoursType::htNone) || pOrdinal > static_cast<int64_t>(THoursType::htLeave)) {
    return pDefault;
  }
  return static_cast<THoursType>(pOrdinal);
}

}  // namespace

// ---- The primitive ----------------------------------------------------------

void TTimesheetShift::_AddHours(double pStartTime, double pEndTime, const std::string& pComponentName,
                                const std::string& pWorkCode, THoursType pHoursType, const std::string& pJobTitle,
                                const std::string& pJobCode, const std::string& pCostAccount) {
  if (IsDummyShift()) return;
  if (pEndTime - pStartTime <= 0) return;
  auto group = std::make_unique<THoursGroup>();
  group->SetFromTime(pStartTime);
  group->SetToTime(pEndTime);
  group->SetCrossesMidnight(false);
  group->SetWorkCode(pWorkCode);
  group->SetHoursType(pHoursType);
  group->SetComponentName(pComponentName);
  group->SetIsAllowance(false);
  const TTimesheetColumn* column = FindColumnByName(pComponentName);
  group->SetPercentage(column ? column->Percentage() : 100);
  group->SetJobTitle(pJobTitle);
  if (!pCostAccount.empty()) group->SetCostAccount(pCostAccount);
  if (!pJobCode.empty()) group->SetJobCode(pJobCode);

  SetComponentDetails(group.get());

  if (!group->JobTitle().empty()) CreateClassificationGroup(group.get());
  if (!group->JobCode().empty() && group->HoursType() == THoursType::htOrdinary) CreateJobCodeGroup(group.get());
  if (!group->WorkCode().empty()) CreateWorkCodeGroup(group.get());
  if (!group->CostAccount().empty() && group->JobTitle().empty()) CreateCostCodeGroup(group.get());

  // A block alone has nothing to resolve or reorder.
  const bool alone = FHoursGroupList.Count() == 0;
  FHoursGroupList.Add(std::move(group));
  if (!alone) RebuildHoursList(FHoursGroupList);
}

void TTimesheetShift::_AddBreak(double pStartTime, double pEndTime) {
  _AddHours(pStartTime, pEndTime, "", "", THoursType::htBreak, "", "", "");
}

void TTimesheetShift::CreateWorkCodeGroup(const THoursGroup* pHoursGroup) {
  AddResolvedCopy(FWorkCodeGroupList, *pHoursGroup);
}

void TTimesheetShift::CreateClassificationGroup(const THoursGroup* pHoursGroup) {
  AddResolvedCopy(FClassificationGroupList, *pHoursGroup);
}

void TTimesheetShift::CreateJobCodeGroup(const THoursGroup* pHoursGroup) {
  // Job codes are a plain record of where ordinary time was worked: no
  // overlap resolution.
  FJobCodeGroupList.Add(pHoursGroup->Clone());
}

void TTimesheetShift::CreateCostCodeGroup(const THoursGroup* pHoursGroup) {
  AddResolvedCopy(FCostCodeGroupList, *pHoursGroup);
}

// ---- Pricing ------------------------------------------------------------------

double HigherDutiesRate(const TTimesheetShift& pShift, const IShiftAward& pAward, const std::string& pClass) {
  const double job_rate = pAward.ClassHourlyRate(pClass);
  const double own_rate = pAward.ClassHourlyRate(pShift.EmployeeClassification());
  if (job_rate > own_rate) return job_rate;
  if (job_rate > 0 && job_rate < own_rate) {
    LogShiftMessage(pShift,
                    Format("Higher Duties Rate \"%s\" was lower than Employee default, used the Employee rate instead",
                           pClass),
                    TMessageSeverity::ms_Warning);
  }
  return own_rate;
}

namespace {

bool TakesOrdinaryJobCode(THoursType pType) {
  return pType == THoursType::htOvertime || pType == THoursType::htBreak || pType == THoursType::htMakeUp ||
         pType == THoursType::htLeaveAccrual;
}

}  // namespace

void TTimesheetShift::SetComponentDetails(THoursGroup* pHoursGroup) {
  THoursGroup& g = *pHoursGroup;
  g.SetRateCode(g.ComponentName());
  const IShiftAward* award = ShiftAwardOf(*this);
  if (!award) {
    g.SetPercentage(100);
    return;
  }
  g.SetPercentage(award->OvertimePercentage(g.ComponentName()));

  // Time other than ordinary hours is costed to the job of the ordinary
  // block it lies in.
  if (g.JobCode().empty() && TakesOrdinaryJobCode(g.HoursType())) {
    for (const THoursGroup* job : FJobCodeGroupList.All()) {
      if (job->HoursType() == THoursType::htOrdinary && job->FromTime() <= g.FromTime() &&
          g.FromTime() < job->ToTime()) {
        g.SetJobCode(job->JobCode());
        break;
      }
    }
  }

  std::string job_class;
  std::string job_cost_account;
  if (!g.JobTitle().empty() && award->FindJob(g.JobTitle(), job_class, job_cost_account)) {
    // The job's classification counts only when it pays more than the
    // employee's own (a lower one is noted in the run log).
    const bool pays_more =
        HigherDutiesRate(*this, *award, job_class) > award->ClassHourlyRate(EmployeeClassification());
    g.SetClassification(pays_more ? job_class : EmployeeClassification());
    if (g.CostAccount().empty()) g.SetCostAccount(job_cost_account);
  } else {
    g.SetClassification(EmployeeClassification());
  }
  g.SetCategory(EmployeeCategory());

  const double rate = award->CategoryPercentage(g.Category()) / 100 *
                      HigherDutiesRate(*this, *award, g.Classification()) * g.Percentage() / 100;
  g.SetRate(rate);
  if (g.HoursType() == THoursType::htOrdinary &&
      (g.Classification() == EmployeeClassification() || rate < EmployeeNormalRate())) {
    g.SetRate(EmployeeNormalRate());
  }
}

// ---- Roster -------------------------------------------------------------------

void TTimesheetShift::AddHoursFromRoster(const std::string& pWorkCode, THoursType pHoursType,
                                         const std::string& pJobTitle, const std::string& pJobCode,
                                         const std::string& pCostCode) {
  const std::string component = "Normal";
  const double start = RosteredHoursStart();
  const double end = RosteredHoursEnd();
  const double break_hours = RosteredBreakHours();
  if (break_hours <= 0) {
    _AddHours(start, end, component, pWorkCode, pHoursType, pJobTitle, pJobCode, pCostCode);
    return;
  }
  const double net = end - start - break_hours;
  if (net <= 0) return;
  // The break sits in the middle of the worked time, on a 5-minute mark
  // (the small nudge keeps an exact mark from falling to the one before).
  const double minutes = (start + net / 2) * 60;
  const double break_start = std::floor(minutes / 5 + 1e-9) * 5 / 60;
  _AddHours(start, break_start, component, pWorkCode, pHoursType, pJobTitle, pJobCode, pCostCode);
  _AddHours(break_start + break_hours, end, component, pWorkCode, pHoursType, pJobTitle, pJobCode, pCostCode);
}

// ---- Overtime start -----------------------------------------------------------

double TTimesheetShift::OvertimeStartTime() const {
  if (RosteredHoursTotal() <= 0) return ShiftStart();
  const double end = ShiftEnd();
  const double overtime = OvertimeHoursTotal();
  // Walk the start back over the overtime plus the breaks inside it, until
  // the breaks inside stop changing.
  const bool has_time = ShiftStart() < end;
  double total = overtime;
  double previous_breaks = 0;
  for (int pass = 0; pass < 100; ++pass) {
    const double breaks = FHoursGroupList.GetHoursBetween(end - total, end, {THoursType::htBreak});
    total = overtime + breaks;
    if (breaks == previous_breaks || !has_time) break;
    previous_breaks = breaks;
  }
  double result = end - total;
  if (result < 0) result += 24;
  return result;
}

// ---- Simple actions -------------------------------------------------------------

// 0 start, 1 end, 2 component, 3 work code, 4 hours type (default ordinary), 5 job title.
void TTimesheetShift::AddHours(TQelParser*, const TActionParams& pParams) {
  const THoursType type = HoursTypeOf(ParamInt(pParams, 4, 1), THoursType::htOrdinary);
  _AddHours(ParamFloat(pParams, 0), ParamFloat(pParams, 1), ParamText(pParams, 2), ParamText(pParams, 3), type,
            ParamText(pParams, 5), "", "");
}

// 0 start, 1 end.
void TTimesheetShift::AddBreak(TQelParser*, const TActionParams& pParams) {
  _AddBreak(ParamFloat(pParams, 0), ParamFloat(pParams, 1));
}

// Kept so that awards which still generate these actions run: they do nothing.
void TTimesheetShift::AddOvertimeHoursLimit(TQelParser*, const TActionParams&) {}
void TTimesheetShift::ShowMessage(TQelParser*, const TActionParams&) {}

// 0 field name, 1 column name, 2 percentage. A component column's value is
// always the shift's hours of that component.
void TTimesheetShift::AddComponent(TQelParser* pParser, const TActionParams& pParams) {
  const std::string& field_name = ParamText(pParams, 0);
  if (FindColumnByName(field_name)) return;
  auto column = std::make_unique<TTimesheetColumn>();
  column->SetID(0);
  column->SetTemplateFieldID(0);
  column->SetColumnName(ParamText(pParams, 1));
  column->SetEditable(true);
  column->SetLength(0);
  column->SetOrder(0);
  column->SetFieldType(TFieldType::ftFloat);
  column->SetFieldClassName("");
  column->SetVisible(false);
  column->SetFieldName(field_name);
  column->SetStringValue("");
  column->SetAddDedCode("");
  column->SetPercentage(ParamFloat(pParams, 2));
  column->SetNeedVariable(true);
  column->SetIsComponent(true);
  TTimesheetColumn* added = AddColumn(std::move(column));
  if (FOnCreateVariable) FOnCreateVariable(pParser, added);
}

}  // namespace qora
