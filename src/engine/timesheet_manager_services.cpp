// Queries the shift operations put to the run: histories, leave rates,
// stored costing of a row, and storing the run log.
#include <string>
#include <vector>

#include "common/format.h"
#include "common/string_list.h"
#include "db/connection.h"
#include "db/sql_text.h"
#include "common/exceptions.h"
#include "engine/timesheet_manager.h"
#include "foundation/user_feedback.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_shift.h"

namespace qora {
namespace {

constexpr const char* kAllNames = "<All>";

constexpr const char* kAverageHourlyRate =
    "select sum(fValue) / nullif(sum(case when cComponentType in  ('Ordinary Hours','Overtime Hours') then fUnits "
    "else 0 end),0) from _estblTimesheetCost where (iTimesheetRowID = %d) and (iCostingType = %d) and "
    "((cComponentType in ('Ordinary Hours','Overtime Hours')) or (cComponentType = 'Penalty' and (cComponentName "
    "in (%s) or (1 = %d))) or (cComponentType in ('Percent Allowance','Amount Allowance') and (cComponentName in "
    "(%s) or (1 = %d)))) ";

constexpr const char* kCompareLoading =
    "insert into _estblTimesheetCost (iTimesheetID, iTimesheetRowID, iCostingType, cComponentType, cComponentName, "
    "fRate, fUnits, fValue, cFrequency, cCostCode, cJobCode, cClassification, dStartTime, dEndTime, dStartDate, "
    "dEndDate, cAwardCategory, fPercent, iALLink) select iTimesheetID, iTimesheetRowID, %d, cComponentType, "
    "cComponentName, fRate, fUnits, fValue, cFrequency, cCostCode, cJobCode, cClassification, dStartTime, dEndTime, "
    "dStartDate, dEndDate, cAwardCategory, fPercent, %d from _estblTimesheetCost where (iTimesheetRowID = %d) and "
    "(iCostingType = %d) and ((cComponentType = 'Penalty' and (cComponentName in (%s) or (1 = %d))) or "
    "(cComponentType in ('Percent Allowance','Amount Allowance') and (cComponentName in (%s) or (1 = %d)))) ";

// A list of names in comma text as the SQL list of its items, each an SQL
// string literal; an empty list becomes ''. Names are award codes, which
// cannot hold a quote, but quoting doubles any that comes anyway, so the
// text never leaves its literal.
std::string SqlNameList(const std::string& names) {
  TStringList items;
  items.SetCommaText(names);
  if (items.Empty()) return "''";
  std::string out;
  for (int i = 0; i < items.Count(); ++i) {
    if (i > 0) out += ",";
    out += SqlQuote(items[i]);
  }
  return out;
}

int AllFlag(const std::string& names) { return names == kAllNames ? 1 : 0; }

bool MatchesAddition(const TAdditionHistory& entry, const std::string& employee_code,
                     const std::string& add_ded_code, TDateTime from_day, bool for_costing) {
  return entry.EmployeeCode() == employee_code && entry.AdditionCode() == add_ded_code &&
         entry.ForCosting() == for_costing && (from_day == 0 || entry.DayWorked() >= from_day);
}

int32_t PeriodDays(TaiPeriodType period_type) {
  switch (period_type) {
    case TaiPeriodType::aipt1Week: return 7;
    case TaiPeriodType::aipt2Week: return 14;
    case TaiPeriodType::aipt4Week: return 28;
    default: return 0;
  }
}

}  // namespace

bool TTimesheetManager::AdditionExists(const std::string& employee_code, const std::string& add_ded_code,
                                       TDateTime day_worked, bool for_costing) const {
  for (int i = 0; i < FAdditionList.Count(); ++i) {
    if (MatchesAddition(*FAdditionList.Items(i), employee_code, add_ded_code, day_worked, for_costing)) return true;
  }
  return false;
}

double TTimesheetManager::GetAdditionTotal(const std::string& employee_code, const std::string& add_ded_code,
                                           TDateTime from_day_worked, bool for_costing) const {
  double total = 0;
  for (int i = 0; i < FAdditionList.Count(); ++i) {
    const TAdditionHistory& entry = *FAdditionList.Items(i);
    if (MatchesAddition(entry, employee_code, add_ded_code, from_day_worked, for_costing)) total += entry.Value();
  }
  return total;
}

double TTimesheetManager::GetHoursTotal(const TTimesheetShift& shift, THoursTypeSet hours_types,
                                        const std::string& leave_reasons, TaiPeriodType period_type,
                                        TDateTime cycle_start_date, const std::string& rate_code,
                                        double /*deduct_penalty_minimum_rate*/) {
  LoadHoursHistory(shift.EmployeeCode(), PeriodDays(period_type), cycle_start_date, FTimesheet->StartDate(),
                   FTimesheet->EndDate(), FHoursList);
  TStringList reasons;
  reasons.SetCommaText(leave_reasons);
  double total = 0;
  for (int i = 0; i < FHoursList.Count(); ++i) {
    const THoursWorkedHistory& entry = *FHoursList.Items(i);
    if (entry.EmployeeCode() != shift.EmployeeCode()) continue;
    if (hours_types.Contains(entry.HoursType()) && (rate_code.empty() || entry.RateCode() == rate_code)) {
      total += entry.Hours();
    }
    if (entry.HoursType() != THoursType::htLeave) continue;
    for (int r = 0; r < reasons.Count(); ++r) {
      if (entry.LeaveReason() == reasons[r]) total += entry.Hours();
    }
  }
  return total;
}

TLeaveRate* TTimesheetManager::GetLeaveRate(const std::string& leave_reason_code) const {
  return FLeaveRateList.FindByCode(leave_reason_code);
}

double TTimesheetManager::GetLeaveReasonRate(const std::string& leave_reason, const TTimesheetShift& shift) const {
  const TLeaveRate* rate = GetLeaveRate(leave_reason);
  if (!rate) return shift.EmployeeNormalRate();
  if (rate->IsUnpaid()) return 0;
  return rate->UseNormalRate() ? shift.EmployeeNormalRate() : rate->Value();
}

double TTimesheetManager::GetAverageHourlyRate(int32_t timesheet_row_id, int32_t costing_type,
                                               THoursTypeSet /*hours_types*/, const std::string& allowances,
                                               const std::string& penalties) {
  const std::string sql = Format(kAverageHourlyRate, timesheet_row_id, costing_type, SqlNameList(penalties),
                                 AllFlag(penalties), SqlNameList(allowances), AllFlag(allowances));
  return MainConnection().QueryValue(sql).AsFloat();
}

void TTimesheetManager::ApplyCompareLoading(int32_t timesheet_row_id, int32_t al_link, int32_t costing_type,
                                            const std::string& allowances, const std::string& penalties) {
  MainConnection().Execute(Format(kCompareLoading, costing_type, al_link, timesheet_row_id, 1, SqlNameList(penalties),
                                  AllFlag(penalties), SqlNameList(allowances), AllFlag(allowances)));
}

int TTimesheetManager::NumberofShiftsOnRow(int32_t timesheet_row_id) const {
  int count = timesheet_row_id == 0 ? FShiftsOffTimesheet : 0;
  for (int i = 0; i < FTimesheet->Count(); ++i) {
    if (FTimesheet->GetTimesheetShift(i)->ID() == timesheet_row_id) ++count;
  }
  return count;
}

std::string TTimesheetManager::GetFieldValueDef(const TDBRow& row, const std::string& field_name,
                                                const std::string& default_value) {
  if (const TDBValue* value = row.FindField(field_name)) return value->AsString();
  Debug(0, "No value was supplied for \"" + field_name + "\"");
  return default_value;
}

void TTimesheetManager::DBSaveUserFeedback(int32_t user_id, const std::string& guid) {
  if (!FUserFeedback) return;
  TDBConnection& db = MainConnection();
  // The run log is stored whole or not at all: a reader of the stored log
  // must not take part of it for all of it (the job then keeps it in a file).
  TDBTransaction transaction(db);
  FUserFeedback->ForEachMessage([&](const TUserFeedback::Entry& message) {
    if (message.Info.Severity != TMessageSeverity::ms_Error && !FUserFeedback->DebugEnabled()) return;
    db.ExecProc("_esspAddTimesheetMessage", {{"iSeverity", static_cast<int>(message.Info.Severity)},
                                             {"cMessage", message.Text},
                                             {"idTimesheet", message.Info.TimesheetID},
                                             {"idUser", user_id},
                                             {"cGUID", guid}});
  });
  transaction.Commit();
}

}  // namespace qora
