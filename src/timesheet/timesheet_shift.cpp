#include "timesheet/timesheet_shift.h"

#include <algorithm>
#include <cmath>

#include "common/text.h"
#include "common/exceptions.h"
#include "foundation/user_feedback.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_manager_intf.h"

namespace qora {

TTimesheetShift::TTimesheetShift() {
  OnItemAdded = [this](TnxBaseObject* item) { static_cast<TTimesheetColumn*>(item)->SetTimesheetShift(this); };
}

// The columns go with the base list.
TTimesheetShift::~TTimesheetShift() { FreeOwnedLists(); }

void TTimesheetShift::ReleaseWorkingData() {
  FreeOwnedLists();
  Clear();
}

// Frees in a fixed order: the hours groups of each of the five lists, then
// the allowance, work-pattern, penalty, leave and RDO entries.
void TTimesheetShift::FreeOwnedLists() {
  FHoursGroupList.ClearItems();
  FWorkCodeGroupList.ClearItems();
  FClassificationGroupList.ClearItems();
  FJobCodeGroupList.ClearItems();
  FCostCodeGroupList.ClearItems();
  FAllowanceList.Clear();
  FWorkPatternList.Clear();
  FPenaltyList.Clear();
  FLeaveDates.Clear();
  FRDODates.Clear();
}

// ---- Owner and run services ------------------------------------------------

ITimesheetManager& TTimesheetShift::TimesheetManager() const {
  if (!FTimesheet) throw eaiPRocessorException("Timesheet not assigned to shift!");
  ITimesheetManager* manager = FTimesheet->TimesheetManager();
  if (!manager) throw eaiPRocessorException("Timesheet manager not assigned to Timesheet!");
  return *manager;
}

TUserFeedback* TTimesheetShift::UserFeedback() const { return TimesheetManager().UserFeedback(); }

TObjListAwards* TTimesheetShift::AwardCache() const { return TimesheetManager().AwardCache(); }

void TTimesheetShift::SetCustomMessage(const std::string& v) {
  FCustomMessage = v;
  UserFeedback()->AddMessage(TMessageSeverity::ms_Information, TMessageLogType::mlt_WorkFlow, v);
}

// A shift not yet on a timesheet keeps the token for itself; the reader
// that adds it later copies shift values as it needs.
void TTimesheetShift::SetPayrollLinkToken(const std::string& v) {
  FPayrollLinkToken = v;
  if (FTimesheet) FTimesheet->SetPayrollLinkToken(v);
}

// ---- Derived values ----------------------------------------------------------

double TTimesheetShift::ShiftStart() const {
  double start = kNoStart;
  for (const THoursGroup* g : FHoursGroupList.All()) start = std::min(start, g->FromTime());
  return start;
}

double TTimesheetShift::ShiftEnd() const {
  double end = 0;
  for (const THoursGroup* g : FHoursGroupList.All()) end = std::max(end, g->ToTime());
  return end;
}

bool TTimesheetShift::ShiftCrossesMidnight() const { return ShiftEnd() > 24; }

double TTimesheetShift::OrdinaryHoursStart() const {
  double start = kNoStart;
  for (const THoursGroup* g : FHoursGroupList.All()) {
    if (g->HoursType() == THoursType::htOrdinary) start = std::min(start, g->FromTime());
  }
  return start;
}

double TTimesheetShift::OrdinaryHoursEnd() const {
  double end = 0;
  for (const THoursGroup* g : FHoursGroupList.All()) {
    if (g->HoursType() == THoursType::htOrdinary) end = std::max(end, g->ToTime());
  }
  return end;
}

double TTimesheetShift::BreakHours() const { return GroupTotal({THoursType::htBreak}); }

double TTimesheetShift::OrdinaryHoursTotal() const { return GroupTotal({THoursType::htOrdinary}); }

double TTimesheetShift::WorkedHoursTotal() const { return GroupTotal(kWorkedHoursTypes); }

double TTimesheetShift::RosteredHoursTotal() const {
  const double total = FRosteredHoursEnd - FRosteredHoursStart - FRosteredBreakHours;
  return total < 0 ? 0 : total;
}

double TTimesheetShift::OvertimeHoursTotal() const {
  const double total = WorkedHoursTotal() - RosteredHoursTotal();
  return total < 0 ? 0 : total;
}

// Overtime that starts before midnight on a shift crossing it falls on the
// start day; otherwise it falls on the end day.
int32_t TTimesheetShift::OvertimeStartDay() const {
  if (!ShiftCrossesMidnight() || ShiftEnd() - OvertimeHoursTotal() >= 24) return DayOfWeek(FShiftEndDate);
  return DayOfWeek(FShiftStartDate);
}

TDateTime TTimesheetShift::LastShiftEndDate() const {
  const int index = TimesheetManager().CurrentShiftIndex();
  if (index <= 0 || index - 1 >= FTimesheet->Count()) return 0;
  const TTimesheetShift* previous = FTimesheet->GetTimesheetShift(index - 1);
  if (previous->EmployeeID() != FEmployeeID) return 0;
  double end = previous->ShiftEnd();
  if (end > 24) end -= 24;
  return DateOf(previous->ShiftEndDate()) + end / 24;
}

const THoursGroup* TTimesheetShift::FirstHigherDutyGroup() const {
  for (int i = 0; i < FClassificationGroupList.Count(); ++i) {
    const THoursGroup* g = FClassificationGroupList.Items(i);
    if (g->Classification() != FEmployeeClassification) return g;
  }
  return nullptr;
}

double TTimesheetShift::HigherDutiesHoursTotal() {
  const THoursGroup* first = FirstHigherDutyGroup();
  if (first && FHigherDutyCode.empty()) FHigherDutyCode = first->JobTitle();
  double total = 0;
  for (int i = 0; i < FClassificationGroupList.Count(); ++i) {
    const THoursGroup* g = FClassificationGroupList.Items(i);
    if (g->Classification() != FEmployeeClassification) total += g->HoursTotal();
  }
  return total;
}

const std::string& TTimesheetShift::HigherDutyCode() {
  if (FHigherDutyCode.empty()) {
    if (const THoursGroup* first = FirstHigherDutyGroup()) FHigherDutyCode = first->Classification();
  }
  return FHigherDutyCode;
}

void TTimesheetShift::SettleHigherDutyCode() {
  if (!FHigherDutyCode.empty()) return;
  if (const THoursGroup* first = FirstHigherDutyGroup()) {
    FHigherDutyCode = first->JobTitle().empty() ? first->Classification() : first->JobTitle();
  }
}

// ---- Operations ----------------------------------------------------------------

void TTimesheetShift::ClearAll() {
  FUserID = 0;
  FLastImportDate = 0;
  FEmployeeID = 0;
  FEmployeeCode.clear();
  FEmployeeDOB = 0;
  FEmploymentType.clear();
  FAnnualSalary = 0;
  FWeeklySalary = 0;
  FCostAccountCode.clear();
  FBaseRate = 0;
  FCustomMessage.clear();
  FRejected = false;
  FRejectReason.clear();
  FShiftCost = 0;
  FRosteredBreakHours = 0;
  FRosteredHoursStart = 0;
  FRosteredHoursEnd = 0;
  FShiftStartDate = 0;
  FShiftEndDate = 0;
  FLeaveDates.Clear();
  FHoursGroupList.ClearItems();
  FWorkCodeGroupList.ClearItems();
  FClassificationGroupList.ClearItems();
  FJobCodeGroupList.ClearItems();
  FCostCodeGroupList.ClearItems();
  FAllowanceList.Clear();
  FPenaltyList.Clear();
  Clear();
}

TTimesheetColumn* TTimesheetShift::GetTimesheetColumn(int pIndex) const {
  if (pIndex < 0 || pIndex >= Count()) throw std::out_of_range("column index out of range");
  return Items(pIndex);
}

TTimesheetColumn* TTimesheetShift::AddColumn(std::unique_ptr<TTimesheetColumn> pColumn) {
  TTimesheetColumn* raw = pColumn.get();
  raw->SetTimesheetShift(this);
  Add(std::move(pColumn));
  return raw;
}

TTimesheetColumn* TTimesheetShift::FindColumnByName(std::string_view pColumnName) const {
  for (int i = 0; i < Count(); ++i) {
    if (Items(i)->FieldName() == pColumnName) return Items(i);
  }
  return nullptr;
}

TTimesheetColumn* TTimesheetShift::FindColumnByAddDedCode(const std::string& pAddDedCode) const {
  for (int i = 0; i < Count(); ++i) {
    if (Items(i)->AddDedCode() == pAddDedCode) return Items(i);
  }
  return nullptr;
}

double TTimesheetShift::GetHoursForComponent(const std::string& pComponent) const {
  double total = 0;
  for (const THoursGroup* g : FHoursGroupList.All()) {
    if (g->ComponentName() == pComponent) total += g->HoursTotal();
  }
  return total;
}

double TTimesheetShift::HoursForWorkCode(const std::string& pWorkCode) const {
  double total = 0;
  for (const THoursGroup* g : FWorkCodeGroupList.All()) {
    if (g->WorkCode() == pWorkCode) total += g->HoursTotal();
  }
  return total;
}

bool TTimesheetShift::EmployeeHasAddition(const std::string& pAddDedCode) const {
  for (int i = 0; i < FAllowanceList.Count(); ++i) {
    const TAllowance* a = FAllowanceList.Items(i);
    if (a->AddDedCode() == pAddDedCode && a->OnEmployee()) return true;
  }
  return false;
}

bool TTimesheetShift::WorkCodeExists(const std::string& pValue) const {
  for (int i = 0; i < FWorkCodeGroupList.Count(); ++i) {
    if (SameText(FWorkCodeGroupList.Items(i)->WorkCode(), pValue)) return true;
  }
  return false;
}

// The work pattern's FindDate test (the first entry of the same day
// decides), written out here: conditions ask it for almost every row.
bool TTimesheetShift::IsPublicHoliday(TDateTime pDate) const {
  const double day = std::trunc(pDate);
  for (int i = 0; i < FWorkPatternList.Count(); ++i) {
    const TDateObject* entry = FWorkPatternList.Items(i);
    if (std::trunc(entry->Date()) == day) return !entry->Description().empty();
  }
  return false;
}

bool TTimesheetShift::LeaveReasonExists(const std::string& pValue) const {
  const std::string wanted = UpperCase(Trim(pValue));
  for (int i = 0; i < FLeaveDates.Count(); ++i) {
    if (UpperCase(Trim(FLeaveDates.Items(i)->LeaveReason())) == wanted) return true;
  }
  return false;
}

// The gaps are collected first and the breaks added afterwards, because
// adding a block may rearrange the hours-group list.
void TTimesheetShift::FillInBreaks() {
  if (FHoursGroupList.Count() < 2) return;  // no gap without two blocks
  std::vector<THoursGroup*> sorted = FHoursGroupList.Groups();
  std::stable_sort(sorted.begin(), sorted.end(), [](const THoursGroup* a, const THoursGroup* b) {
    return a->FromTime() - b->FromTime() <= -0.001;
  });
  std::vector<std::pair<double, double>> gaps;
  double previous_end = 0;
  for (const THoursGroup* g : sorted) {
    if (previous_end > 0 && g->FromTime() > previous_end) gaps.emplace_back(previous_end, g->FromTime());
    previous_end = g->ToTime();
  }
  for (const auto& [from, to] : gaps) _AddBreak(from, to);
}

}  // namespace qora
