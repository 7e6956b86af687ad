// The state of one costing run: the timesheet being costed, the database
// connections, the caches and the list of stored timesheets to cost.
#pragma once

#include <memory>
#include <string>

#include "common/string_list.h"
#include "engine/enums.h"
#include "foundation/base_object.h"
#include "timesheet/timesheet_manager_intf.h"

namespace qora {

class TDBConnection;
class TEmployeeAwardCache;
class TObjListAwards;
class TQelParser;
class TTimesheet;
class TTimesheetShift;
class TUserFeedback;

class TTimesheetManager : public TnxBaseObject, public ITimesheetManager {
  QORA_CLASS(TTimesheetManager, TnxBaseObject)

 public:
  TTimesheetManager();
  ~TTimesheetManager() override;

  // The timesheet being costed; owned, linked back to this manager.
  TTimesheet& Timesheet() const { return *FTimesheet; }

  // ITimesheetManager
  TUserFeedback* UserFeedback() override { return FUserFeedback; }
  TObjListAwards* AwardCache() override { return FAwardCache; }
  int CurrentShiftIndex() const override { return FCurrentShiftIndex; }
  // No award is loaded until the award model is part of the engine, so the
  // hours of every shift take default rates: always null for now.
  const IShiftAward* FindShiftAward(const TTimesheetShift& shift) override;
  // Hours from the run's hours history; the run keeps no history yet, so
  // every period total is 0.
  double GetHoursTotal(const TTimesheetShift& shift, THoursTypeSet hours_types, const std::string& leave_reasons,
                       TaiPeriodType period_type, TDateTime cycle_start_date, const std::string& rate_code,
                       double deduct_penalty_minimum_rate) override;

  // Stores the index; with an open main connection this also loads the
  // employee's details for that shift.
  void SetCurrentShiftIndex(int index);
  // The timesheet's shift at CurrentShiftIndex; null when out of range.
  TTimesheetShift* CurrentShift() const;

  // Links (not owned).
  void SetUserFeedback(TUserFeedback* log) { FUserFeedback = log; }
  void SetEmployeeCache(TEmployeeAwardCache* cache) { FEmployeeCache = cache; }
  TEmployeeAwardCache* EmployeeCache() const { return FEmployeeCache; }
  void SetAwardCache(TObjListAwards* cache) { FAwardCache = cache; }
  void SetDBConnection(TDBConnection* connection) { FConnection = connection; }
  TDBConnection* DBConnection() const { return FConnection; }
  void SetPayrollConnection(TDBConnection* connection) { FPayrollConnection = connection; }
  TDBConnection* PayrollConnection() const { return FPayrollConnection; }
  // True when the main connection exists and is open.
  bool DBConnected() const;

  const std::string& DBSQLUserName() const { return FSQLUserName; }
  void SetDBSQLUserName(std::string v) { FSQLUserName = std::move(v); }
  const std::string& DBSQLPassword() const { return FSQLPassword; }
  void SetDBSQLPassword(std::string v) { FSQLPassword = std::move(v); }
  TaiCostingOutputType CostingOutputType() const { return FCostingOutputType; }
  void SetCostingOutputType(TaiCostingOutputType t) { FCostingOutputType = t; }
  const std::string& PayrollLinkToken() const { return FPayrollLinkToken; }

  // Resets the per-timesheet state: the payroll link token and the
  // timesheet's shifts. The connections, the caches and the ID list stay.
  void ClearAll();

  // Reads a timesheet file: ".xml" (any case) as XML time cards, anything
  // else as CSV; then fills in breaks and period dates and sorts the shifts.
  // Load failures propagate to the caller.
  virtual void LoadTimesheetFromFile(const std::string& file_name);

  // Sets the ID list from "ID=Type,..." comma text, then drops every
  // timesheet that already has approved costing (needs the main connection).
  virtual void PopulateTimesheetIDList(const std::string& id_list);
  // The comma-joined IDs of the list items whose ID is a positive integer and
  // whose type (the single character after "=") equals output_type; every
  // positive ID for cot_None. "" when none is selected.
  std::string GetTimesheetIDString(TaiCostingOutputType output_type) const;
  TStringList& TimesheetIDList() { return FTimesheetIDList; }

  // Prices the shift's ordinary blocks and copies them into the breakdowns.
  virtual void SetDefaultHours(TTimesheetShift& shift);

  // Steps that later parts of the engine fill in. Each throws
  // eNotImplementException until then, so that a run reports what it could
  // not do instead of producing partial costing silently. The steps are
  // virtual so that the run driver can be exercised with test doubles.
  virtual void DBLoadEmployeeDetails(TTimesheetShift& shift);
  virtual void SaveHoursHistory();
  virtual void BreakDownComponents();
  virtual void DBLoadTimesheetShifts(const std::string& timesheet_ids);
  virtual void DBDeleteCosting(const std::string& timesheet_ids);
  virtual void DBSaveCosting();
  virtual void SaveCSVCostingFile(const std::string& file_name);
  virtual void SaveYIFFile(const std::string& file_name);
  virtual void DBSaveYIF(const std::string& file_name);
  virtual void DBSaveUserFeedback(int32_t user_id, const std::string& guid);

  // Rule-engine handlers registered by the run driver.
  virtual void CreateCustomVariables(TQelParser* parser);
  virtual void SetCustomVariableValue(TQelParser* parser, const std::string& variable, bool& handled);
  // Adds the text to the run log as a debug message (timesheet ID 0, information).
  void LogDebugMessages(TQelParser* parser, TnxBaseObject* item, const std::string& message);

 private:
  std::unique_ptr<TTimesheet> FTimesheet;
  TDBConnection* FConnection = nullptr;
  TDBConnection* FPayrollConnection = nullptr;
  std::string FSQLUserName;
  std::string FSQLPassword;
  int FCurrentShiftIndex = 0;
  TUserFeedback* FUserFeedback = nullptr;
  TEmployeeAwardCache* FEmployeeCache = nullptr;
  TObjListAwards* FAwardCache = nullptr;
  TStringList FTimesheetIDList;
  TaiCostingOutputType FCostingOutputType = TaiCostingOutputType::cot_None;
  std::string FPayrollLinkToken;
};

}  // namespace qora
