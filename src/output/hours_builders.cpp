// The builders of hours, RDO, leave accrual and leave lines, and what the
// six builders share.
#include <memory>

#include "common/format.h"
#include "foundation/user_feedback.h"
#include "output/shift_builders.h"
#include "output/yif_records.h"
#include "timesheet/timesheet_shift.h"

namespace qora {
namespace {

constexpr const char* kNoHours = "Employee \"%s\": No value for hours transaction \"%s\". Transaction not generated.";
constexpr const char* kNoLeaveAccrual =
    "Employee \"%s\": No value for leave accrual transaction \"%s\". Transaction not generated.";

bool IsPaidHours(THoursType type) {
  return type == THoursType::htOrdinary || type == THoursType::htOvertime || type == THoursType::htMakeUp;
}

template <class T>
T OrElse(const T& value, const T& fallback) {
  return value.empty() ? fallback : value;
}

}  // namespace

void FillFromShift(TnxYIFTransaction& pTransaction, const TTimesheetShift& pShift) {
  pTransaction.FShiftID = pShift.ID();
  pTransaction.FTimesheetID = pShift.TimesheetID();
  pTransaction.FEmployeeCode = pShift.EmployeeCode();
  pTransaction.FDateWorked = pShift.ShiftStartDate();
  pTransaction.FEndDate = pShift.ShiftEndDate();
}

std::string ShiftCostAccount(TTimesheetShift& pShift) {
  TTimesheetColumn* column = pShift.FindColumnByName("cCostAccount");
  return column ? column->StringValue() : std::string();
}

void LogShiftWarning(TnxBuildContext& pContext, const TTimesheetShift& pShift, const std::string& pMessage) {
  if (TUserFeedback* log = pContext.Run.UserFeedback()) {
    log->AddLogMessage(pMessage, pShift.TimesheetID(), TMessageSeverity::ms_Warning, false);
  }
}

void AddRecord(TnxBuildContext& pContext, TnxYIFTransaction& pLine, std::string& pRecords) {
  if (pContext.Sink) {
    pContext.Sink->Add(pLine.CostingLine());
    return;
  }
  if (pRecords.empty()) {
    pRecords.reserve(256);  // a line or two without growing from a few bytes
  } else {
    pRecords += "\r\n";
  }
  pLine.AppendTo(pContext.Format, pRecords);
}

std::string BuildHoursTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift) {
  const std::string shift_account = ShiftCostAccount(pShift);
  TnxYIFAdditionalRateList lines;
  for (const THoursGroup* group : pShift.HoursGroupList().Groups()) {
    if (!IsPaidHours(group->HoursType())) continue;
    const std::string& rate_code = group->RateCode();
    const double hours = group->HoursTotal();
    const std::string account = OrElse(group->CostAccount(), shift_account);
    const std::string pay_class = OrElse(group->Classification(), pShift.EmployeeClassification());
    // Without an award nothing priced the block: it is paid at the
    // employee's own rate.
    double rate = group->Rate();
    if (rate <= 0 && pShift.EmployeeAward().empty()) rate = pShift.EmployeeNormalRate();
    if (hours == 0) {
      LogShiftWarning(pContext, pShift, Format(kNoHours, pShift.EmployeeCode(), rate_code));
      continue;
    }
    TnxYIFAdditionalRate* line =
        lines.Find(rate, pShift.ShiftStartDate(), rate_code, pay_class, group->JobCode(), account);
    if (!line) {
      auto fresh = std::make_unique<TnxYIFAdditionalRate>();
      FillFromShift(*fresh, pShift);
      fresh->FRate = rate;
      fresh->FRateCode = rate_code;
      fresh->FPayClass = pay_class;
      fresh->FJobCode = group->JobCode();
      fresh->FAccount = account;
      line = lines.Add(std::move(fresh));
    } else if (line->FAccount.empty()) {
      line->FAccount = account;
    }
    // The line keeps the block's pay class (set when it was created), not
    // the rate code: the payroll posts hours by pay class.
    line->FComponentName = rate_code;
    line->FMinutes += hours;
    line->FUnits += hours;
    line->FRate = rate;
    line->FValue = RoundCosting(line->FUnits, 2) * line->FRate;
    line->FAwardCategory = group->Category();
    line->FComponentType = group->HoursType() == THoursType::htOvertime ? "Overtime Hours" : "Ordinary Hours";
    line->FFrequency = "Hours";
    line->FFromTime = group->FromTime();
    line->FToTime = group->ToTime();
  }
  std::string records;
  for (int i = 0; i < lines.Count(); ++i) AddRecord(pContext, *lines.Items(i), records);
  return records;
}

std::string BuildRDOTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift) {
  const std::string shift_account = ShiftCostAccount(pShift);
  std::string records;
  for (int i = 0; i < pShift.RDODatesList().Count(); ++i) {
    const TDateGroup* rdo = pShift.RDODatesList().Items(i);
    const double hours = RoundCosting(rdo->TotalHours(), 2);
    // A day off without hours pays nothing: the officer is told instead of
    // finding an empty line in the import.
    if (hours == 0) {
      LogShiftWarning(pContext, pShift, Format(kNoHours, pShift.EmployeeCode(), "RDO Hours"));
      continue;
    }
    TnxYIFRDO line;
    FillFromShift(line, pShift);
    line.FDateWorked = rdo->DateFrom();
    line.FEndDate = rdo->DateTo();
    line.FComponentName = "RDO Hours";
    line.FFrequency = "Hours";
    line.FPayMinutes = line.FUnits = hours;
    line.FRate = pShift.EmployeeNormalRate();
    line.FPayAmount = line.FValue = hours * line.FRate;
    line.FAccount = shift_account;
    line.FPayClass = pShift.EmployeeClassification();
    line.FAwardCategory = pShift.EmployeeCategory();
    AddRecord(pContext, line, records);
  }
  return records;
}

std::string BuildLeaveAccrualTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift) {
  const std::string shift_account = ShiftCostAccount(pShift);
  std::string records;
  for (const THoursGroup* group : pShift.HoursGroupList().Groups()) {
    if (group->HoursType() != THoursType::htLeaveAccrual) continue;
    const double hours = group->HoursTotal();
    const double value = hours * group->Rate() * group->Percentage() / 100;
    if (value == 0) {
      LogShiftWarning(pContext, pShift, Format(kNoLeaveAccrual, pShift.EmployeeCode(), group->LeaveAccrualCode()));
      continue;
    }
    TnxYIFAllowances line;
    FillFromShift(line, pShift);
    line.FCode = line.FComponentName = group->LeaveAccrualCode();
    line.FType = line.FFrequency = "P";
    line.FAccount = OrElse(group->CostAccount(), shift_account);
    line.FMinutes = line.FUnits = hours * group->Percentage() / 100;
    line.FValue = value;
    line.FRate = group->Rate();
    line.FPercent = group->Percentage();
    line.FPayClass = OrElse(group->Classification(), pShift.EmployeeClassification());
    line.FAwardCategory = OrElse(group->Category(), pShift.EmployeeCategory());
    line.FJobCode = group->JobCode();
    line.FFromTime = group->FromTime();
    line.FToTime = group->ToTime();
    line.FComponentType = "Leave Accrual Hours";
    AddRecord(pContext, line, records);
  }
  return records;
}

std::string BuildLeaveTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift) {
  std::string records;
  for (int i = 0; i < pShift.LeaveDatesList().Count(); ++i) {
    const TDateGroup* leave = pShift.LeaveDatesList().Items(i);
    TnxYIFLeave line;
    FillFromShift(line, pShift);
    line.FLeaveType = leave->LeaveType();
    line.FHours = leave->TotalHours();
    line.FUDLeaveClass = leave->LeaveClass();
    line.FStartDate = leave->DateFrom();
    line.FEndDate = leave->DateTo();
    line.FReason = leave->LeaveReason();
    line.FALLink = leave->ALLink();
    line.FDateWorked = line.FStartDate;
    if (const ICostingLeaveRate* leave_rate = pContext.Run.GetLeaveRate(leave->LeaveReason())) {
      line.FAccount = leave_rate->CostCode();
      line.FRate = (leave->Rate() != 0 || leave_rate->RateType() != 0)
                       ? leave->Rate()
                       : pContext.Run.GetLeaveReasonRate(leave->LeaveReason(), pShift);
    } else {
      line.FRate = leave->Rate();
    }
    line.FComponentType = "Leave Hours";
    line.FComponentName = leave->LeaveType();
    line.FFrequency = "Hours";
    line.FPayClass = pShift.EmployeeClassification();
    line.FAwardCategory = pShift.EmployeeCategory();
    line.FUnits = line.FHours;
    line.FValue = line.FRate * line.FHours;
    AddRecord(pContext, line, records);
  }
  return records;
}

TnxShiftTransactions BuildShiftTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift) {
  TnxShiftTransactions result;
  auto add = [&result](std::string text) {
    if (text.empty()) return false;
    result.Items.push_back(std::move(text));
    return true;
  };
  add(BuildHoursTransactions(pContext, pShift));
  result.HasRDO = add(BuildRDOTransactions(pContext, pShift));
  add(BuildAllowanceTransactions(pContext, pShift));
  add(BuildPenaltyTransactions(pContext, pShift));
  add(BuildLeaveAccrualTransactions(pContext, pShift));
  add(BuildLeaveTransactions(pContext, pShift));
  return result;
}

}  // namespace qora
