// The hours and additions history of a run, and loading stored costing of
// an employee's earlier timesheets into it.
#include <cstring>
#include <memory>
#include <vector>

#include "common/format.h"
#include "award/employee_award_cache.h"
#include "db/connection.h"
#include "common/exceptions.h"
#include "engine/timesheet_manager.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_shift.h"

namespace qora {
namespace {

// The employee's earlier timesheets in the cycle that have hours costing,
// each costing type with its priority (approved 2, ad hoc 1, published 0).
// The cycle length is formatted in as an integer; the dates and the
// employee code are bound. The order names R.iTimesheetID: a bare
// iTimesheetID is ambiguous to SQLite (both tables have one).
constexpr const char* kCycleTimesheets =
    "select distinct R.iTimesheetID, iCostingType, case iCostingType when 1 then 0 when 2 then 2 when 3 then 1 end "
    "as iPriority from _estblTimesheetCost C join _estblTimesheetRow R on R.idTimesheetRow = C.iTimesheetRowID "
    "join _estblUsers U on U.idUser = R.iUserID join _hrtblPerson P on P.idPerson = U.iPersonID where "
    "(R.dDateWorked >= [dbo].[_esfnTimesheetCycleFromDate](%d,:CycleStartDate,:TimesheetEndDate) and "
    "R.dDateWorked < :TimesheetStartDate) and (P.cEmployeeCode = :EmployeeCode) and (cComponentType = 'Ordinary "
    "Hours' or cComponentType = 'Leave Hours' or cComponentType = 'Overtime Hours') order by R.iTimesheetID, "
    "iPriority desc";

constexpr const char* kCycleCosting =
    "select P.cEmployeeCode, R.dDateWorked, C.* from _estblTimesheetCost C join _estblTimesheetRow R on "
    "R.idTimesheetRow = C.iTimesheetRowID join _estblUsers U on U.idUser = R.iUserID join _hrtblPerson P on "
    "P.idPerson = U.iPersonID where (iCostingType = %d and C.iTimesheetID = %d and R.dDateWorked >= "
    "[dbo].[_esfnTimesheetCycleFromDate](%d,:CycleStartDate,:TimesheetEndDate) and R.dDateWorked < "
    ":TimesheetStartDate) and (P.cEmployeeCode = :EmployeeCode) and (cComponentType = 'Ordinary Hours' or "
    "cComponentType = 'Leave Hours' or cComponentType = 'Penalty' or cComponentType = 'Overtime Hours')";

constexpr const char* kLastTransaction =
    "select MAX(ET.dEffectiveDate) from _ipvEmployeeTrans ET join _ipvAdditionsDeductions AD on AD.idAddDeduct = "
    "ET.iAddsDedsID join _iptblEmployee E on E.idEmployee = ET.iEmployeeID where E.cEmpCode = :EmployeeCode and "
    "AD.cCode = :AddDedCode";

THoursType HoursTypeOfComponent(const std::string& component_type) {
  if (component_type == "Ordinary Hours") return THoursType::htOrdinary;
  if (component_type == "Leave Hours") return THoursType::htLeave;
  if (component_type == "Penalty") return THoursType::htNone;
  return THoursType::htOvertime;
}

struct TCycleTimesheet {
  int32_t TimesheetID;
  int32_t CostingType;
};

}  // namespace

void TTimesheetManager::AddHoursToHistory(const std::string& employee_code, const std::string& rate_code,
                                          TDateTime date_worked, double hours, THoursType hours_type,
                                          const std::string& leave_type, const std::string& leave_reason,
                                          const std::string& leave_class, double rate, double amt_percent) {
  auto entry = std::make_unique<THoursWorkedHistory>();
  entry->SetEmployeeCode(employee_code);
  entry->SetRateCode(rate_code);
  entry->SetDayWorked(date_worked);
  entry->SetHours(hours);
  entry->SetHoursType(hours_type);
  entry->SetLeaveType(leave_type);
  entry->SetLeaveReason(leave_reason);
  entry->SetLeaveClass(leave_class);
  entry->SetRate(rate);
  entry->SetAmtPercent(amt_percent);
  FHoursList.Add(std::move(entry));
}

void TTimesheetManager::AddAdditionToHistory(const std::string& employee_code, const std::string& add_ded_code,
                                             TDateTime day_worked, double value, bool for_costing) {
  auto entry = std::make_unique<TAdditionHistory>();
  entry->SetEmployeeCode(employee_code);
  entry->SetAdditionCode(add_ded_code);
  entry->SetDayWorked(day_worked);
  entry->SetValue(value);
  entry->SetForCosting(for_costing);
  FAdditionList.Add(std::move(entry));
}

TDateTime TTimesheetManager::GetLastAdditionTransactionDate(const std::string& employee_code,
                                                            const std::string& add_ded_code, bool for_costing) {
  TDateTime last = 0;
  for (int i = 0; i < FAdditionList.Count(); ++i) {
    const TAdditionHistory* entry = FAdditionList.Items(i);
    if (entry->AdditionCode() == add_ded_code && entry->EmployeeCode() == employee_code &&
        entry->ForCosting() == for_costing && entry->DayWorked() > last) {
      last = entry->DayWorked();
    }
  }
  if (last > 0 || !FPayrollConnection || !FPayrollConnection->Connected()) return last;
  return FPayrollConnection->QueryValue(kLastTransaction, {{"EmployeeCode", employee_code}, {"AddDedCode", add_ded_code}})
      .AsDateTime();
}

void TTimesheetManager::SaveHoursHistory() {
  const TTimesheetShift* shift = CurrentShift();
  if (!shift) return;
  const std::string& code = shift->EmployeeCode();
  const TDateTime day = shift->ShiftStartDate();
  AddHoursToHistory(code, "Normal", day, shift->OrdinaryHoursTotal(), THoursType::htOrdinary, "", "", "",
                    shift->EmployeeNormalRate(), 100);
  for (const THoursGroup* group : shift->HoursGroupList().Groups()) {
    if (group->HoursType() != THoursType::htOvertime) continue;
    AddHoursToHistory(code, group->RateCode(), day, group->HoursTotal(), THoursType::htOvertime, "", "", "",
                      group->Rate(), group->Percentage());
  }
  for (int i = 0; i < shift->LeaveDatesList().Count(); ++i) {
    const TDateGroup* leave = shift->LeaveDatesList().Items(i);
    AddHoursToHistory(code, leave->RateCode(), day, leave->TotalHours(), THoursType::htLeave, leave->LeaveType(),
                      leave->LeaveReason(), leave->LeaveClass(), leave->Rate(), 100);
  }
  for (int i = 0; i < shift->PenaltyList().Count(); ++i) {
    const TPenalty* penalty = shift->PenaltyList().Items(i);
    if (penalty->PayOption() == TaiConditionPayOpt::aicpo_Amount) continue;
    AddHoursToHistory(code, penalty->AddDedCode(), day, penalty->Units(), THoursType::htNone, "", "", "",
                      penalty->Rate(), penalty->AmountPerc());
  }
}

void TTimesheetManager::LoadHoursHistory(const std::string& employee_code, int32_t days, TDateTime cycle_start_date,
                                         TDateTime timesheet_start_date, TDateTime timesheet_end_date,
                                         THoursHistoryList& hours_list) {
  if (hours_list.EmployeeCode() == employee_code && hours_list.CycleDays() == days &&
      hours_list.FromDate() == cycle_start_date && hours_list.ToDate() == timesheet_start_date &&
      (hours_list.CostingOutputType() == TaiCostingOutputType::cot_None ||
       hours_list.CostingOutputType() == FCostingOutputType)) {
    return;
  }
  hours_list.DeleteCostingHours();
  hours_list.SetEmployeeCode(employee_code);
  hours_list.SetFromDate(cycle_start_date);
  hours_list.SetToDate(timesheet_start_date);
  hours_list.SetCycleDays(days);
  hours_list.SetCostingOutputType(FCostingOutputType);
  if (days <= 0) return;

  const TDBParams params = {{"CycleStartDate", TDBValue::DateTime(DateOf(cycle_start_date))},
                            {"TimesheetEndDate", TDBValue::DateTime(DateOf(timesheet_end_date))},
                            {"TimesheetStartDate", TDBValue::DateTime(DateOf(timesheet_start_date))},
                            {"EmployeeCode", employee_code}};
  TDBConnection& db = MainConnection();
  // The first row of each timesheet carries its highest-priority costing type.
  std::vector<TCycleTimesheet> timesheets;
  for (const TDBRow& row : db.Query(Format(kCycleTimesheets, days), params)) {
    const int32_t id = row["iTimesheetID"].AsInteger();
    if (timesheets.empty() || timesheets.back().TimesheetID != id) {
      timesheets.push_back({id, row["iCostingType"].AsInteger()});
    }
  }
  for (const TCycleTimesheet& ts : timesheets) {
    for (const TDBRow& row : db.Query(Format(kCycleCosting, ts.CostingType, ts.TimesheetID, days), params)) {
      auto entry = std::make_unique<THoursWorkedHistory>();
      entry->SetFromCosting(true);
      entry->SetDayWorked(row["dDateWorked"].AsDateTime());
      entry->SetEmployeeCode(row["cEmployeeCode"].AsString());
      entry->SetRateCode(row["cComponentName"].AsString());
      entry->SetLeaveType(row["cComponentName"].AsString());
      entry->SetHours(row["fUnits"].AsFloat());
      entry->SetLeaveClass(row["cLeaveClass"].AsString());
      entry->SetLeaveReason(row["cLeaveReason"].AsString());
      entry->SetRate(row["fRate"].AsFloat());
      entry->SetAmtPercent(row["fPercent"].AsFloat());
      entry->SetHoursType(HoursTypeOfComponent(row["cComponentType"].AsString()));
      hours_list.Add(std::move(entry));
    }
  }
}

// History entries match a shift by its exact employee code, so an entry
// whose code sorts before the shifts still to come can never match again.
void TTimesheetManager::ForgetEmployeesBefore(const std::string& employee_code) {
  auto before = [&employee_code](const std::string& code) {
    return std::strcoll(code.c_str(), employee_code.c_str()) < 0;
  };
  for (int i = FHoursList.Count() - 1; i >= 0; --i) {
    if (before(FHoursList.Items(i)->EmployeeCode())) FHoursList.Delete(i);
  }
  // Additions from before the run's output started are the output's to
  // restore when it ends.
  const int first = FShiftOutput ? FShiftOutput->AdditionsCount : FAdditionList.Count();
  for (int i = FAdditionList.Count() - 1; i >= first; --i) {
    if (before(FAdditionList.Items(i)->EmployeeCode())) FAdditionList.Delete(i);
  }
  TEmployeeAwardCache& employees = Employees();
  for (int i = employees.Count() - 1; i >= 0; --i) {
    if (employees.Items(i) && before(employees.Items(i)->EmployeeCode())) employees.Delete(i);
  }
  // Such a run has no use for the record of what was used; kept, it would
  // grow with every employee.
  FEmployeesUsed.clear();
}

void TTimesheetManager::ForgetEmployeesUnused() {
  TEmployeeAwardCache& employees = Employees();
  for (int i = employees.Count() - 1; i >= 0; --i) {
    if (!FEmployeesUsed.contains(employees.Items(i))) employees.Delete(i);
  }
  FEmployeesUsed.clear();
}

}  // namespace qora
