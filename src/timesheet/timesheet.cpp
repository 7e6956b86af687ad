#include "timesheet/timesheet.h"

#include <cmath>
#include <cstring>

#include "common/text.h"
#include "common/exceptions.h"
#include "foundation/class_builder.h"

namespace qora {

const ClassInfo& TTimesheet::StaticClassInfo() {
  static const ClassInfo& info =
      ClassBuilder<TTimesheet>("TTimesheet")
          .DateField("EndDate", &TTimesheet::FEndDate)
          .DateField("StartDate", &TTimesheet::FStartDate)
          .Field("UserID", &TTimesheet::FUserID)
          .Field("IsMET", &TTimesheet::FIsMET)
          .Field("StatusID", &TTimesheet::FStatusID)
          .Field("Description", &TTimesheet::FDescription)
          .Field("UserName", &TTimesheet::FUserName)
          .Property(
              "Status", PropKind::String, [](const TTimesheet& t) { return t.Status(); },
              [](TTimesheet& t, const PropValue& v) { t.SetStatus(std::get<std::string>(v)); })
          .Field("ShiftCount", &TTimesheet::FShiftCount)
          .Field("WorkgroupID", &TTimesheet::FWorkgroupID)
          .Field("TemplateID", &TTimesheet::FTemplateID)
          .Field("PayrollLinkToken", &TTimesheet::FPayrollLinkToken)
          .Build();
  return info;
}

TTimesheet::TTimesheet() {
  OnItemAdded = [this](TnxBaseObject* item) { static_cast<TTimesheetShift*>(item)->SetTimesheet(this); };
}

TTimesheetShift* TTimesheet::GetTimesheetShift(int pIndex) const {
  if (pIndex < 0 || pIndex >= Count()) throw std::out_of_range("shift index out of range");
  return Items(pIndex);
}

TTimesheetShift* TTimesheet::AddShift(std::unique_ptr<TTimesheetShift> pShift) {
  TTimesheetShift* raw = pShift.get();
  raw->SetTimesheet(this);
  Add(std::move(pShift));
  return raw;
}

TTimesheetShift* TTimesheet::FindShift(const std::string& pEmployeeCode, TDateTime pStartDate) const {
  for (int i = 0; i < Count(); ++i) {
    TTimesheetShift* shift = Items(i);
    if (shift->EmployeeCode() == pEmployeeCode && IsSameDay(shift->ShiftStartDate(), pStartDate)) return shift;
  }
  return nullptr;
}

TTimesheetShift* TTimesheet::AddDummyShift(const std::string& pEmployeeCode, TDateTime pStartDate) {
  ++FShiftCount;
  TTimesheetShift* shift = AddShift(std::make_unique<TTimesheetShift>());
  shift->SetEmployeeCode(pEmployeeCode);
  shift->SetTimesheetTotalHours(0);
  shift->SetShiftStartDate(pStartDate);
  shift->SetShiftEndDate(pStartDate);
  shift->SetIsDummyShift(true);
  return shift;
}

void TTimesheet::FillInShiftDetails() {
  if (Count() == 0) {
    FStartDate = 0;
    FEndDate = 0;
    return;
  }
  TDateTime least = kMaxDateTime;
  TDateTime greatest = 0;
  for (int i = 0; i < Count(); ++i) {
    TTimesheetShift* shift = Items(i);
    shift->FillInBreaks();
    least = std::min(least, shift->ShiftStartDate());
    greatest = std::max(greatest, shift->ShiftStartDate());
  }
  if (FStartDate == 0) FStartDate = least;
  if (FEndDate == 0 || FEndDate < FStartDate) FEndDate = greatest;
}

// Employee codes are ordered as the payroll's users see them listed, by the
// collation of the process's locale (LC_COLLATE; in the "C" locale this is
// plain byte order). Letter case is significant.
bool ShiftOrderLess(const std::string& pCodeA, TDateTime pStartDateA, double pStartA, const std::string& pCodeB,
                    TDateTime pStartDateB, double pStartB) {
  const int by_code = std::strcoll(pCodeA.c_str(), pCodeB.c_str());
  if (by_code != 0) return by_code < 0;
  const TDateTime day_a = DateOf(pStartDateA);
  const TDateTime day_b = DateOf(pStartDateB);
  if (day_a != day_b) return day_a < day_b;
  return std::trunc((pStartA - pStartB) * 100) < 0;
}

void TTimesheet::SortTimesheet() {
  Sort([](const TnxBaseObject* x, const TnxBaseObject* y) {
    const auto* a = static_cast<const TTimesheetShift*>(x);
    const auto* b = static_cast<const TTimesheetShift*>(y);
    return ShiftOrderLess(a->EmployeeCode(), a->ShiftStartDate(), a->ShiftStart(), b->EmployeeCode(),
                          b->ShiftStartDate(), b->ShiftStart());
  });
}

void TTimesheet::ClearAll() { Clear(); }

void TTimesheet::AddStatus(const std::string& pName, int32_t pID) { FStatuses.emplace_back(pName, pID); }

std::string TTimesheet::Status() const {
  for (const auto& [name, id] : FStatuses) {
    if (id == FStatusID) return name;
  }
  return "";
}

// Status names are chosen from a list by people, so letter case is ignored.
void TTimesheet::SetStatus(const std::string& pName) {
  for (const auto& [name, id] : FStatuses) {
    if (SameText(name, pName)) {
      FStatusID = id;
      return;
    }
  }
  throw eaiPRocessorException("Timesheet status \"" + pName + "\" not found.");
}

}  // namespace qora
