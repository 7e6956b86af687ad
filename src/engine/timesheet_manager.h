// The state of one costing run: the timesheet being costed, the database
// connections, the caches, the hours and additions history, the leave rates
// and the list of stored timesheets to cost.
//
// The class is implemented over several files: timesheet_manager.cpp (run
// state, file and stream loading), timesheet_manager_shifts.cpp (stored
// timesheets), timesheet_manager_employee.cpp (employee details, payroll
// connection, work pattern, leave rates), timesheet_manager_history.cpp
// (hours and additions history) and timesheet_manager_services.cpp (queries
// the shift operations use, and storing the run log).
//
// Statements go to two connections: the main one (common database) and the
// payroll one, which follows the payroll link token of the employee being
// loaded. Values are bound as parameters; only integers and validated ID
// lists are formatted into statement text.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "common/datetime.h"
#include "common/string_list.h"
#include "db/connection_params.h"
#include "db/result.h"
#include "db/work_pattern_day.h"
#include "foundation/enums.h"
#include "engine/hours_history.h"
#include "engine/leave_rate.h"
#include "foundation/base_object.h"
#include "output/costing_run.h"
#include "output/field_writer.h"
#include "output/yif_generator.h"
#include "timesheet/timesheet_manager_intf.h"

namespace qora {

class TAwardProvider;
class TDBConnection;
class TDBRow;
struct TStoredRowColumns;
class TEmployeeAwardCache;
class TEmployeeAwardObj;
class TTimesheetColumn;
class TObjListAwards;
class TQelParser;
class TTimesheet;
class TTimesheetShift;
class TUserFeedback;

class TTimesheetManager : public TnxBaseObject, public ITimesheetManager, public ICostingRun {
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
  // The view of the award the award provider has loaded for the shift's
  // award code and date; null when there is no provider or no such award
  // is loaded (the hours then take default rates). Loads nothing.
  const IShiftAward* FindShiftAward(const TTimesheetShift& shift) override;
  // The hours of the shift's employee over a period, from the hours history
  // (loading stored costing of the period first, see LoadHoursHistory): the
  // entries of the employee whose hours type is in hours_types (and whose
  // rate code equals rate_code when that is not empty), plus the leave hours
  // of every reason named in the comma text leave_reasons. A period type of
  // one, two or four weeks loads 7, 14 or 28 days of stored costing; any
  // other loads none. deduct_penalty_minimum_rate does not change the result.
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
  void SetAwardProvider(TAwardProvider* provider) { FAwardProvider = provider; }
  TAwardProvider* AwardProvider() const { return FAwardProvider; }
  void SetDBConnection(TDBConnection* connection) {
    FConnection = connection;
    FLast = {};
    FLeaveRatesRead = {};
  }
  TDBConnection* DBConnection() const override { return FConnection; }
  void SetPayrollConnection(TDBConnection* connection) {
    FPayrollConnection = connection;
    FLast = {};
    FLeaveRatesRead = {};
  }
  TDBConnection* PayrollConnection() const override { return FPayrollConnection; }
  // True when the main connection exists and is open.
  bool DBConnected() const;

  const std::string& DBSQLUserName() const { return FSQLUserName; }
  void SetDBSQLUserName(std::string v) { FSQLUserName = std::move(v); }
  const std::string& DBSQLPassword() const { return FSQLPassword; }
  void SetDBSQLPassword(std::string v) { FSQLPassword = std::move(v); }
  TaiCostingOutputType CostingOutputType() const override { return FCostingOutputType; }
  void SetCostingOutputType(TaiCostingOutputType t) { FCostingOutputType = t; }
  const std::string& PayrollLinkToken() const { return FPayrollLinkToken; }

  // Resets the per-timesheet state: the payroll link token, the
  // timesheet's shifts, the hours and additions history and the leave
  // rates. The connections, the caches and the ID list stay.
  void ClearAll();

  // Reads a timesheet file: ".xml" (any case) as XML time cards, anything
  // else as CSV; then fills in breaks and period dates and sorts the shifts.
  // Load failures propagate to the caller.
  virtual void LoadTimesheetFromFile(const std::string& file_name);
  // Reads a stored timesheet document. A null or empty stream throws
  // eLoadFromStreamException "Blank or Invalid Timesheet."; import type 1
  // reads XML time cards from the start of the stream; import type 2 throws
  // eNotImplementException "Loading CSV timesheets from the database is not
  // supported. Use XML format instead."; any other type reads nothing. Then
  // fills in and sorts as LoadTimesheetFromFile does.
  void LoadTimesheetFromStream(std::istream* stream, int import_type);
  // Loads the document of stored timesheet `timesheet_id` (its nData, by
  // its iImportType) as LoadTimesheetFromStream does. A timesheet that does
  // not exist throws eRecordNotFoundException "Timesheet %d was not found.".
  void XMLLoadFromDatabase(int32_t timesheet_id);

  // Sets the ID list from "ID=Type,..." comma text, then drops every
  // timesheet that already has approved costing (needs the main connection).
  // An item whose ID is not a timesheet ID (an integer from 1 to
  // 2147483647) throws eaiPRocessorException "\"<item>\" is not a valid
  // timesheet ID." before anything is looked up, so that no item of a
  // host's list is ever dropped without a word. A list that selects nothing
  // fails at the look-up with the server's syntax error, on every back end.
  virtual void PopulateTimesheetIDList(const std::string& id_list);
  // The comma-joined IDs of the list items whose type (the single character
  // after "=") equals output_type; every ID for cot_None. "" when none is
  // selected.
  std::string GetTimesheetIDString(TaiCostingOutputType output_type) const;
  TStringList& TimesheetIDList() { return FTimesheetIDList; }

  // Prices the shift's ordinary blocks and copies them into the breakdowns.
  virtual void SetDefaultHours(TTimesheetShift& shift);

  // ---- Stored timesheets (timesheet_manager_shifts.cpp) ---------------------
  // Replaces the timesheet's shifts with the rows of the stored timesheets
  // in the comma-separated ID list (validated as integers; anything else
  // throws the data-access layer's EDatabaseError "Invalid ID list ...",
  // which ends a costing job with -2), as CostingOutputType selects them: rostered
  // rows for cot_Publish, rows with actual hours, leave, RDO, an empty
  // actual plan or an unplanned allowance otherwise. Every shift gets its
  // employee details (DBLoadEmployeeDetails), leave (not for cot_Publish),
  // allowances and RDO days; then breaks are filled in and shifts sorted.
  // Database and employee failures propagate (they end the load).
  virtual void DBLoadTimesheetShifts(const std::string& timesheet_ids);
  // The leave, RDO and allowance rows of a stored shift. A null shift logs
  // the error "No shift specified in DBAdd... for Timesheet ID <id>" (the
  // timesheet's first shift's TimesheetID, 0 without shifts) and returns.
  void DBAddTimesheetLeave(TTimesheetShift* shift);
  void DBAddTimesheetRDO(TTimesheetShift* shift);
  void DBAddTimesheetAllowances(TTimesheetShift* shift);

  // ---- Employee (timesheet_manager_employee.cpp) ---------------------------
  // Finds the employee's payroll database, connects it, takes the employee's
  // award assignment for the shift's start date from the employee cache or
  // loads it from the payroll database (and caches it), copies it into the
  // shift, loads the work pattern and, when the payroll link token changed,
  // the leave rates. Failures propagate and fail the shift.
  virtual void DBLoadEmployeeDetails(TTimesheetShift& shift);
  // Points the payroll connection at the database of the shift's payroll
  // link token (see the .cpp for when nothing needs to be done). Throws
  // ePayrollException "The payroll database was not found" or "There are
  // multiple payroll databases linked to the same payroll token!".
  void ConnectPayrollDatabase(TTimesheetShift& shift);
  // Reloads the shift's work-pattern days for the timesheet's period unless
  // they were loaded for the same stored timesheet already.
  void DBLoadWorkplan(TTimesheetShift& shift);
  // Replaces the leave rates with those in force on the shift's start date.
  void DBLoadLeaveRates(TTimesheetShift& shift);

  // ---- Hours and additions history (timesheet_manager_history.cpp) --------
  // Records the current shift in the hours history: its ordinary hours,
  // each overtime block, each leave entry and each penalty not paid as an
  // amount. Does nothing when there is no current shift.
  virtual void SaveHoursHistory();
  // For a run that costs the shifts in timesheet order a few at a time:
  // drops the hours history, the additions recorded by the run's output and
  // the cached employee details of the employees whose code sorts before
  // employee_code (as SortTimesheet orders codes), which no later shift can
  // reach. Looking an employee up in the cache walks it in order, so a run
  // over many employees would otherwise slow down with every employee done.
  void ForgetEmployeesBefore(const std::string& employee_code);
  // For a run that costs stored timesheets one after another: drops the
  // cached employee details that no shift has used since the last call.
  // Timesheets follow each other in no order of employee, so what a run
  // keeps is the employees of the timesheet just costed; without this the
  // cache, walked in order for every shift, would hold every employee of
  // the run.
  void ForgetEmployeesUnused();
  // Appends one entry (FromCosting false) to the hours history.
  void AddHoursToHistory(const std::string& employee_code, const std::string& rate_code, TDateTime date_worked,
                         double hours, THoursType hours_type, const std::string& leave_type,
                         const std::string& leave_reason, const std::string& leave_class, double rate,
                         double amt_percent);
  // Appends one entry to the additions history.
  void AddAdditionToHistory(const std::string& employee_code, const std::string& add_ded_code,
                            TDateTime day_worked, double value, bool for_costing) override;
  // The latest day of a matching additions-history entry; when there is
  // none, the latest transaction date of that addition in the payroll
  // database (when a payroll connection is set and open), else 0.
  TDateTime GetLastAdditionTransactionDate(const std::string& employee_code, const std::string& add_ded_code,
                                           bool for_costing) override;
  // Loads into `hours_list` the stored costing of the employee's earlier
  // timesheets in the cycle of `days` days (the highest-priority costing
  // type per timesheet: approved, then ad hoc, then published), unless the
  // list was loaded for the same arguments already (then the database is not
  // touched). `days` of 0 or less empties the list and loads nothing.
  void LoadHoursHistory(const std::string& employee_code, int32_t days, TDateTime cycle_start_date,
                        TDateTime timesheet_start_date, TDateTime timesheet_end_date, THoursHistoryList& hours_list);

  // ---- Query services (timesheet_manager_services.cpp) --------------------
  // True when the additions history has an entry of that employee, code and
  // ForCosting on or after day_worked (any day when day_worked is 0).
  bool AdditionExists(const std::string& employee_code, const std::string& add_ded_code, TDateTime day_worked,
                      bool for_costing) const override;
  // The sum of Value over the same entries (from_day_worked 0: all); 0 when none.
  double GetAdditionTotal(const std::string& employee_code, const std::string& add_ded_code,
                          TDateTime from_day_worked, bool for_costing) const override;
  // The first leave rate whose trimmed Code equals the trimmed code; null when none.
  TLeaveRate* GetLeaveRate(const std::string& leave_reason_code) const override;
  // The rate to pay a leave reason at: 0 when unpaid, the shift's
  // EmployeeNormalRate when the rate says so or no rate matches, else the
  // rate's Value.
  double GetLeaveReasonRate(const std::string& leave_reason, const TTimesheetShift& shift) const override;
  // Value per ordinary and overtime hour of a stored row's costing, counting
  // the named penalties and allowances ("<All>" for all); 0 when the row has
  // no such hours or no costing.
  double GetAverageHourlyRate(int32_t timesheet_row_id, int32_t costing_type, THoursTypeSet hours_types,
                              const std::string& allowances, const std::string& penalties) override;
  // Copies the named penalty and allowance costing lines of type 1 of a
  // stored row under costing_type with the given iALLink.
  void ApplyCompareLoading(int32_t timesheet_row_id, int32_t al_link, int32_t costing_type,
                           const std::string& allowances, const std::string& penalties) override;
  // The number of the timesheet's shifts whose ID equals the row ID; row 0
  // also counts the shifts of the run that are not on the timesheet now.
  int NumberofShiftsOnRow(int32_t timesheet_row_id) const override;
  // The shifts of a run fed a few at a time (read from a file, so all of
  // row 0) that are not on the timesheet now.
  void SetShiftsOffTimesheet(int count) { FShiftsOffTimesheet = count; }
  // The row's field as text; when the row has no such field, the debug
  // message "No value was supplied for "<name>"" and `default_value`.
  std::string GetFieldValueDef(const TDBRow& row, const std::string& field_name, const std::string& default_value);

  // Stores the run log through "_esspAddTimesheetMessage" on the main
  // connection: every error, and every other message too when debug is on,
  // all in one transaction. A failing call throws the database error and
  // leaves none of the messages stored.
  virtual void DBSaveUserFeedback(int32_t user_id, const std::string& guid);

  // ---- Costing output (timesheet_manager_output.cpp) ------------------------
  // Every output is generated from the whole timesheet. Additions that a
  // generation records are forgotten when it ends, so that each output of
  // the timesheet carries the same lines however many are written.

  // Breaks the current shift down for costing: work codes,
  // classifications, cost codes, then the penalties' cost codes. Nothing
  // happens without a current shift.
  virtual void BreakDownComponents();
  // Deletes the stored costing of CostingOutputType of the timesheets in
  // the comma list of IDs (digits only, else EDatabaseError); "" does nothing.
  virtual void DBDeleteCosting(const std::string& timesheet_ids);
  // Stores the timesheet's costing lines of stored rows through
  // "_qivAddTimesheetCost", all or none (in a transaction level of its
  // own). Database errors propagate: the caller's transaction keeps the
  // previous costing (see costing_jobs.cpp).
  virtual void DBSaveCosting();
  // Appends the costing lines to the file (created with its header when
  // new; an existing file keeps its one header).
  virtual void SaveCSVCostingFile(const std::string& file_name);
  // Writes the costing text (header first) to the stream.
  void SaveCSVCostingToStream(std::ostream& stream);
  // The costing text: one line per pay line, each ended by CR LF, header first.
  std::string CSVCostingAsString();
  // Logs its progress, generates the costing text, then throws
  // eNotImplementException "DBSaveCSV not implemented": the common database
  // has no place for costing files.
  void DBSaveCSV(const std::string& description);
  // Writes the payroll import file, replacing an existing one.
  virtual void SaveYIFFile(const std::string& file_name);
  // Writes the payroll import text to the stream.
  void SaveYIFToStream(std::ostream& stream);
  // Hands the payroll import text to the payroll system through
  // "_ipspAddImportData" on the main connection; the description only
  // labels the run log's messages.
  virtual void DBSaveYIF(const std::string& description);
  // ---- Pay lines as the shifts are costed (timesheet_manager_output.cpp) --
  // For a run that costs a long timesheet once: from StartShiftOutput on,
  // ShiftCosted (which the run driver calls after every shift, costed or
  // rejected) generates the shift's lines in the layout and frees the
  // working data of the shift before it (the one the shift after may look
  // back at). CSV lines go to `csv_lines` as they come, header first; YIF
  // lines stay until EndShiftOutput returns them with the file header
  // first. Without a layout the shifts' data is only freed. The lines and
  // the additions history are those a generation of the whole timesheet
  // would give: EndShiftOutput forgets the additions recorded meanwhile and
  // throws the first generation error, if any (later shifts are then not
  // generated, as a whole generation would stop there).
  void StartShiftOutput(std::optional<TnxTransactionFormat> format, std::ostream* csv_lines);
  void ShiftCosted(int index);
  TStringList EndShiftOutput();
  // Runs `write`, which finishes the output file of such a run, between the
  // run log's "Saving file" and "Saved file" debug messages, as
  // SaveCSVCostingFile and SaveYIFFile write them. Errors of `write` propagate.
  void SavingFile(const std::string& file_name, const std::function<void()>& write);
  // The lines of the whole timesheet in the layout (see the note above).
  // Generation errors (unknown leave type, duplicate hours line) propagate.
  TStringList GenerateOutputLines(TnxTransactionFormat format);

  // Rule-engine handlers registered by the run driver.
  // The current shift's column variables (columns in order, each asking
  // for one), then the domain functions; nothing without a parser.
  virtual void CreateCustomVariables(TQelParser* parser);
  // Stores the parser's current expression into the current shift's column
  // named `variable` (exactly) and sets `handled`; leaves it false when there
  // is no such column or its type takes no assigned value (the engine then
  // assigns the shift property). Throws the parser's type errors.
  virtual void SetCustomVariableValue(TQelParser* parser, const std::string& variable, bool& handled);
  // Creates the expression variable of a column added while conditions run
  // (every shift's OnCreateVariable is bound to it while the run driver
  // runs its conditions); nothing when a variable of that name exists.
  virtual void CreateColumnVariable(TQelParser* parser, TTimesheetColumn* column);

  // The histories and leave rates of the run (owned).
  THoursHistoryList& HoursList() { return FHoursList; }
  TAdditionHistoryList& AdditionList() { return FAdditionList; }
  TLeaveRateList& LeaveRateList() { return FLeaveRateList; }
  // Adds the text to the run log as a debug message (timesheet ID 0, information).
  void LogDebugMessages(TQelParser* parser, TnxBaseObject* item, const std::string& message);

 private:
  // The main connection, open; throws eDatabaseException otherwise.
  TDBConnection& MainConnection() const;
  // The payroll connection, opened by ConnectPayrollDatabase; throws
  // eDatabaseException when there is none.
  TDBConnection& PayrollDB() const;
  void Debug(int32_t timesheet_id, const std::string& message) const;
  // True when debug messages reach the run log; the per-shift messages are
  // only formatted then, as a normal run would throw them away.
  bool DebugOn() const;
  TEmployeeAwardCache& Employees();
  TEmployeeAwardObj& LoadEmployeeFromDatabase(const TTimesheetShift& shift);
  void ReadPayrollDatabase(TTimesheetShift& shift);
  std::unique_ptr<TTimesheetShift> ShiftFromRow(const TDBRow& row, const TStoredRowColumns& at);
  void AddActualHours(TTimesheetShift& shift);
  int32_t FirstShiftTimesheetID() const;
  void LogNoShift(const char* step);

  std::unique_ptr<TTimesheet> FTimesheet;
  TDBConnection* FConnection = nullptr;
  TDBConnection* FPayrollConnection = nullptr;
  std::string FSQLUserName;
  std::string FSQLPassword;
  int FCurrentShiftIndex = 0;
  int FShiftsOffTimesheet = 0;
  TUserFeedback* FUserFeedback = nullptr;
  TEmployeeAwardCache* FEmployeeCache = nullptr;
  TObjListAwards* FAwardCache = nullptr;
  TAwardProvider* FAwardProvider = nullptr;
  TStringList FTimesheetIDList;
  TaiCostingOutputType FCostingOutputType = TaiCostingOutputType::cot_None;
  std::string FPayrollLinkToken;
  TAdditionHistoryList FAdditionList;
  TLeaveRateList FLeaveRateList;
  THoursHistoryList FHoursList;
  // Used when no process-wide employee cache is linked (a manager working
  // on its own, as the tool's stored-timesheet view does).
  std::unique_ptr<TEmployeeAwardCache> FOwnEmployeeCache;
  // The last answers of the look-ups that every shift of one employee
  // repeats: the employee's registry row (by code, or by user for stored
  // shifts that have no code), the payroll database of a token
  // and the employee's work pattern days for the period. The registry and
  // the work patterns do not change while a job runs; a timesheet's shifts
  // come sorted by employee, so one answer of each is all it takes. The
  // pattern days are kept already read out of their rows, since every shift
  // of the employee gets its own copy of them.
  // Forgotten by ClearAll and when a connection is set.
  struct TLastLookups {
    std::string PersonCode;
    TDBResult Person;
    int32_t UserID = 0;
    TDBResult User;
    std::string Token;
    TDBResult Database;
    // The payroll connection's parameters for Database and the login below.
    std::optional<TDBConnectionParams> Wanted;
    std::string WantedUser;
    std::string WantedPassword;
    struct TPatternKey {
      std::string Token;
      int32_t EmployeeID = 0;
      double From = 0;
      double To = 0;
      bool operator==(const TPatternKey&) const = default;
    };
    TPatternKey PatternKey;
    bool PatternLoaded = false;
    std::vector<TWorkPatternDay> PatternDays;
  };
  TLastLookups FLast;
  // The payroll's leave rates as last read, for the date they were read
  // for, out of their rows. Every stored timesheet starts by clearing the
  // leave rates (ClearAll), and those of one period start on the same day;
  // the rates do not change while a job runs. Kept across ClearAll,
  // forgotten when the payroll connection is pointed elsewhere or a
  // connection is set (every job sets its connections).
  struct TLeaveRatesRead {
    struct TRow {
      int32_t ReasonID = 0;
      double Value = 0;
      int32_t RateType = 0;
      int32_t Grouping = 0;
      std::string Reason;
      std::string Code;
      bool Unpaid = false;
      std::string CostCode;
    };
    bool Loaded = false;
    TDateTime Date = 0;
    std::vector<TRow> Rows;
  };
  TLeaveRatesRead FLeaveRatesRead;
  // The cached employee records DBLoadEmployeeDetails has handed out since
  // the last ForgetEmployeesUnused; only compared, never followed.
  std::unordered_set<const TEmployeeAwardObj*> FEmployeesUsed;
  // The state between StartShiftOutput and EndShiftOutput.
  struct TShiftOutput {
    std::unique_ptr<TnxYIFGenerator> Generator;  // null without a layout
    std::ostream* CSVLines = nullptr;
    std::string Pending;  // a shift's costing lines on their way to CSVLines
    int AdditionsCount = 0;
    std::exception_ptr Error;
  };
  std::unique_ptr<TShiftOutput> FShiftOutput;
};

}  // namespace qora
