// The shift's hours operations: the primitive that adds a block of time and
// the actions that the rule engine calls by name.
//
// This first version adds blocks without resolving overlaps or pricing them
// from the award; the operations that need the award are not available yet
// and say so.
#include <string>
#include <vector>

#include "common/delphi_format.h"
#include "engine/exceptions.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

namespace {

// Parameter pIndex as text; "" when the condition passed fewer parameters.
const std::string& Param(const std::vector<std::string>& pParams, size_t pIndex) {
  static const std::string kEmpty;
  return pIndex < pParams.size() ? pParams[pIndex] : kEmpty;
}

double FloatParam(const std::vector<std::string>& pParams, size_t pIndex) {
  return StrToFloatDef(Param(pParams, pIndex), 0);
}

[[noreturn]] void NotAvailable(const char* pName) {
  throw eNotImplementException(std::string(pName) + " is not available yet");
}

}  // namespace

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
  group->SetRateCode(pComponentName);
  FHoursGroupList.Add(std::move(group));
}

void TTimesheetShift::_AddBreak(double pStartTime, double pEndTime) {
  _AddHours(pStartTime, pEndTime, "", "", THoursType::htBreak, "", "", "");
}

void TTimesheetShift::AddHoursFromRoster(const std::string&, THoursType, const std::string&, const std::string&,
                                         const std::string&) {
  NotAvailable("AddHoursFromRoster");
}

void TTimesheetShift::SetComponentDetails(THoursGroup*) { NotAvailable("SetComponentDetails"); }
void TTimesheetShift::CreateWorkCodeGroup(const THoursGroup*) { NotAvailable("CreateWorkCodeGroup"); }
void TTimesheetShift::CreateClassificationGroup(const THoursGroup*) { NotAvailable("CreateClassificationGroup"); }
void TTimesheetShift::CreateJobCodeGroup(const THoursGroup*) { NotAvailable("CreateJobCodeGroup"); }
void TTimesheetShift::CreateCostCodeGroup(const THoursGroup*) { NotAvailable("CreateCostCodeGroup"); }

double TTimesheetShift::OvertimeStartTime() const {
  if (RosteredHoursTotal() <= 0) return ShiftStart();
  const double end = ShiftEnd();
  const double overtime = OvertimeHoursTotal();
  double total = overtime;
  double previous_break = -1;
  for (int guard = 0; guard < 100; ++guard) {
    const double breaks = FHoursGroupList.GetHoursBetween(end - total, end, {THoursType::htBreak});
    total = overtime + breaks;
    if (breaks == previous_break || ShiftStart() >= end) break;
    previous_break = breaks;
  }
  double result = end - total;
  if (result < 0) result += 24;
  return result;
}

// 0 start, 1 end, 2 component, 3 work code, 4 hours type (default ordinary), 5 job title.
void TTimesheetShift::AddHours(TQelParser*, const std::vector<std::string>& pParams) {
  const int64_t type = StrToIntDef(Param(pParams, 4), 1);
  _AddHours(FloatParam(pParams, 0), FloatParam(pParams, 1), Param(pParams, 2), Param(pParams, 3),
            static_cast<THoursType>(type), Param(pParams, 5), "", "");
}

// 0 start, 1 end.
void TTimesheetShift::AddBreak(TQelParser*, const std::vector<std::string>& pParams) {
  _AddBreak(FloatParam(pParams, 0), FloatParam(pParams, 1));
}

void TTimesheetShift::AddOvertimeHours(TQelParser*, const std::vector<std::string>&) {
  NotAvailable("AddOvertimeHours");
}
void TTimesheetShift::AddMinOvertime(TQelParser*, const std::vector<std::string>&) {
  NotAvailable("AddMinOvertime");
}
void TTimesheetShift::AddUnworkedPublicHolidayHours(TQelParser*, const std::vector<std::string>&) {
  NotAvailable("AddUnworkedPublicHolidayHours");
}
void TTimesheetShift::AddTimeOfDayOvertimeHours(TQelParser*, const std::vector<std::string>&) {
  NotAvailable("AddTimeOfDayOvertimeHours");
}
void TTimesheetShift::AddHoursWorkedOvertimeHours(TQelParser*, const std::vector<std::string>&) {
  NotAvailable("AddHoursWorkedOvertimeHours");
}
void TTimesheetShift::ApplyOvertimeToWorkCode(TQelParser*, const std::vector<std::string>&) {
  NotAvailable("ApplyOvertimeToWorkCode");
}

// Kept so that awards which still generate these actions run: they do nothing.
void TTimesheetShift::AddOvertimeHoursLimit(TQelParser*, const std::vector<std::string>&) {}
void TTimesheetShift::ShowMessage(TQelParser*, const std::vector<std::string>&) {}

// 0 field name, 1 column name, 2 percentage. A component column's value is
// always the shift's hours of that component.
void TTimesheetShift::AddComponent(TQelParser* pParser, const std::vector<std::string>& pParams) {
  const std::string& field_name = Param(pParams, 0);
  if (FindColumnByName(field_name)) return;
  auto column = std::make_unique<TTimesheetColumn>();
  column->SetID(0);
  column->SetTemplateFieldID(0);
  column->SetColumnName(Param(pParams, 1));
  column->SetEditable(true);
  column->SetLength(0);
  column->SetOrder(0);
  column->SetFieldType(TFieldType::ftFloat);
  column->SetVisible(false);
  column->SetFieldName(field_name);
  column->SetPercentage(FloatParam(pParams, 2));
  column->SetNeedVariable(true);
  column->SetIsComponent(true);
  TTimesheetColumn* added = AddColumn(std::move(column));
  if (FOnCreateVariable) FOnCreateVariable(pParser, added);
}

}  // namespace qora
