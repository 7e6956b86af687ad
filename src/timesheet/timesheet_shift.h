// One row of a timesheet: one employee on one day. A shift carries its
// input (employee, roster, actual times, leave, work pattern, extra
// columns), the working state that the rule engine's actions build (hours
// groups, allowances, penalties), and values derived from the hours groups
// on every read, so that no cached total can go stale.
//
// The shift's items (as an object list) are its TTimesheetColumns, owned.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/datetime.h"
#include "foundation/object_list.h"
#include "timesheet/timesheet_column.h"
#include "timesheet/timesheet_objects.h"

namespace qora {

class TTimesheet;
class ITimesheetManager;
class TUserFeedback;
class TObjListAwards;
class TQelParser;
struct TShiftAwardAddition;

// Called when a component column is added while conditions run, so that the
// rule engine can create an expression variable for it in `sender`.
using TCreateVariableEvent = std::function<void(TQelParser* sender, TTimesheetColumn* column)>;

class TTimesheetShift : public TypedObjectList<TTimesheetColumn> {
  QORA_CLASS(TTimesheetShift, TypedObjectList<TTimesheetColumn>)

 public:
  // ShiftStart of a shift without hours.
  static constexpr double kNoStart = 99;

  // Every column added to the shift, however it is added, gets this shift
  // as its TimesheetShift.
  TTimesheetShift();
  ~TTimesheetShift() override;

  // ---- Owned lists ---------------------------------------------------------
  THoursGroupList& HoursGroupList() { return FHoursGroupList; }
  const THoursGroupList& HoursGroupList() const { return FHoursGroupList; }
  THoursGroupList& WorkCodeGroupList() { return FWorkCodeGroupList; }
  const THoursGroupList& WorkCodeGroupList() const { return FWorkCodeGroupList; }
  THoursGroupList& ClassificationGroupList() { return FClassificationGroupList; }
  const THoursGroupList& ClassificationGroupList() const { return FClassificationGroupList; }
  THoursGroupList& JobCodeGroupList() { return FJobCodeGroupList; }
  const THoursGroupList& JobCodeGroupList() const { return FJobCodeGroupList; }
  THoursGroupList& CostCodeGroupList() { return FCostCodeGroupList; }
  const THoursGroupList& CostCodeGroupList() const { return FCostCodeGroupList; }
  TAllowanceList& AllowanceList() { return FAllowanceList; }
  const TAllowanceList& AllowanceList() const { return FAllowanceList; }
  TPenaltyList& PenaltyList() { return FPenaltyList; }
  const TPenaltyList& PenaltyList() const { return FPenaltyList; }
  TWorkPatternList& WorkPatternList() { return FWorkPatternList; }
  const TWorkPatternList& WorkPatternList() const { return FWorkPatternList; }
  TLeaveDateList& LeaveDatesList() { return FLeaveDates; }
  const TLeaveDateList& LeaveDatesList() const { return FLeaveDates; }
  TLeaveDateList& RDODatesList() { return FRDODates; }
  const TLeaveDateList& RDODatesList() const { return FRDODates; }

  // ---- Owner and run services ----------------------------------------------
  // The owning timesheet (not owned); null until the shift is put on one.
  TTimesheet* Timesheet() const { return FTimesheet; }
  void SetTimesheet(TTimesheet* v) { FTimesheet = v; }
  // The run's timesheet manager through the owning timesheet. Throws
  // eaiPRocessorException "Timesheet not assigned to shift!" without a
  // timesheet and "Timesheet manager not assigned to Timesheet!" when the
  // timesheet has no manager.
  ITimesheetManager& TimesheetManager() const;
  // The run log and the award cache, reached as TimesheetManager() is.
  TUserFeedback* UserFeedback() const;
  TObjListAwards* AwardCache() const;

  const TCreateVariableEvent& OnCreateVariable() const { return FOnCreateVariable; }
  void SetOnCreateVariable(TCreateVariableEvent v) { FOnCreateVariable = std::move(v); }

  // ---- Input fields --------------------------------------------------------
  double AnnualSalary() const { return FAnnualSalary; }
  void SetAnnualSalary(double v) { FAnnualSalary = v; }
  double WeeklySalary() const { return FWeeklySalary; }
  void SetWeeklySalary(double v) { FWeeklySalary = v; }
  const std::string& CostAccountCode() const { return FCostAccountCode; }
  void SetCostAccountCode(const std::string& v) { FCostAccountCode = v; }
  bool Rejected() const { return FRejected; }
  void SetRejected(bool v) { FRejected = v; }
  const std::string& RejectReason() const { return FRejectReason; }
  void SetRejectReason(const std::string& v) { FRejectReason = v; }
  int32_t EmployeeID() const { return FEmployeeID; }
  void SetEmployeeID(int32_t v) { FEmployeeID = v; }
  const std::string& CustomMessage() const { return FCustomMessage; }
  // Stores the text and writes it to the run log as an information message
  // of log type mlt_WorkFlow (so it throws as UserFeedback() does).
  void SetCustomMessage(const std::string& v);
  int32_t UserID() const { return FUserID; }
  void SetUserID(int32_t v) { FUserID = v; }
  TDateTime LastImportDate() const { return FLastImportDate; }
  void SetLastImportDate(TDateTime v) { FLastImportDate = v; }
  double ShiftCost() const { return FShiftCost; }
  void SetShiftCost(double v) { FShiftCost = v; }
  double BaseRate() const { return FBaseRate; }
  void SetBaseRate(double v) { FBaseRate = v; }
  double RosteredHoursStart() const { return FRosteredHoursStart; }
  void SetRosteredHoursStart(double v) { FRosteredHoursStart = v; }
  double RosteredHoursEnd() const { return FRosteredHoursEnd; }
  void SetRosteredHoursEnd(double v) { FRosteredHoursEnd = v; }
  double RosteredBreakHours() const { return FRosteredBreakHours; }
  void SetRosteredBreakHours(double v) { FRosteredBreakHours = v; }
  TDateTime ShiftEndDate() const { return FShiftEndDate; }
  void SetShiftEndDate(TDateTime v) { FShiftEndDate = v; }
  TDateTime ShiftStartDate() const { return FShiftStartDate; }
  void SetShiftStartDate(TDateTime v) { FShiftStartDate = v; }
  const std::string& EmployeeCode() const { return FEmployeeCode; }
  void SetEmployeeCode(const std::string& v) { FEmployeeCode = v; }
  const std::string& EmploymentType() const { return FEmploymentType; }
  void SetEmploymentType(const std::string& v) { FEmploymentType = v; }
  TDateTime EmployeeDOB() const { return FEmployeeDOB; }
  void SetEmployeeDOB(TDateTime v) { FEmployeeDOB = v; }
  const std::string& PayrollLinkToken() const { return FPayrollLinkToken; }
  // Stores the token and, when the shift is on a timesheet, sets the
  // timesheet's token too.
  void SetPayrollLinkToken(const std::string& v);
  const std::string& EmployeeAward() const { return FEmployeeAward; }
  void SetEmployeeAward(const std::string& v) { FEmployeeAward = v; }
  const std::string& ConditionGroup() const { return FConditionGroup; }
  void SetConditionGroup(const std::string& v) { FConditionGroup = v; }
  const std::string& EmployeeCategory() const { return FEmployeeCategory; }
  void SetEmployeeCategory(const std::string& v) { FEmployeeCategory = v; }
  const std::string& EmployeeClassification() const { return FEmployeeClassification; }
  void SetEmployeeClassification(const std::string& v) { FEmployeeClassification = v; }
  double StandardRate() const { return FStandardRate; }
  void SetStandardRate(double v) { FStandardRate = v; }
  // When empty, first set to the Classification of the first
  // ClassificationGroupList group whose classification differs from
  // EmployeeClassification (stays empty when there is none).
  const std::string& HigherDutyCode();
  void SetHigherDutyCode(const std::string& v) { FHigherDutyCode = v; }
  double BaseWeeklyHours() const { return FBaseWeeklyHours; }
  void SetBaseWeeklyHours(double v) { FBaseWeeklyHours = v; }
  double StandardWeeklyHours() const { return FStandardWeeklyHours; }
  void SetStandardWeeklyHours(double v) { FStandardWeeklyHours = v; }
  double TimesheetTotalHours() const { return FTimesheetTotalHours; }
  void SetTimesheetTotalHours(double v) { FTimesheetTotalHours = v; }
  const std::string& LeaveReason() const { return FLeaveReason; }
  void SetLeaveReason(const std::string& v) { FLeaveReason = v; }
  const std::string& LeaveType() const { return FLeaveType; }
  void SetLeaveType(const std::string& v) { FLeaveType = v; }
  double EmployeeNormalHours() const { return FEmployeeNormalHours; }
  void SetEmployeeNormalHours(double v) { FEmployeeNormalHours = v; }
  double EmployeeNormalRate() const { return FEmployeeNormalRate; }
  void SetEmployeeNormalRate(double v) { FEmployeeNormalRate = v; }
  // The identity of the timesheet row in the database; 0 for file input.
  int32_t TimesheetID() const { return FTimesheetID; }
  void SetTimesheetID(int32_t v) { FTimesheetID = v; }
  double EmployeeWorkPatternHours() const { return FEmployeeWorkPatternHours; }
  void SetEmployeeWorkPatternHours(double v) { FEmployeeWorkPatternHours = v; }
  bool IsOffDay() const { return FIsOffDay; }
  void SetIsOffDay(bool v) { FIsOffDay = v; }
  // A placeholder for a day with leave, RDO or public-holiday data but no
  // worked shift; hours are never added to it.
  bool IsDummyShift() const { return FIsDummyShift; }
  void SetIsDummyShift(bool v) { FIsDummyShift = v; }
  int32_t TimesheetRowPlanID() const { return FTimesheetRowPlanID; }
  void SetTimesheetRowPlanID(int32_t v) { FTimesheetRowPlanID = v; }
  int32_t LeaveLoadingClassID() const { return FLeaveLoadingClassID; }
  void SetLeaveLoadingClassID(int32_t v) { FLeaveLoadingClassID = v; }
  TDateTime TimesheetEndDate() const { return FTimesheetEndDate; }
  void SetTimesheetEndDate(TDateTime v) { FTimesheetEndDate = v; }
  TDateTime TimesheetStartDate() const { return FTimesheetStartDate; }
  void SetTimesheetStartDate(TDateTime v) { FTimesheetStartDate = v; }

  // ---- Derived values (recomputed from the hours groups on each read) -----
  // Least FromTime of all groups; 99 when there are none.
  double ShiftStart() const;
  // Greatest ToTime of all groups; 0 when there are none.
  double ShiftEnd() const;
  // ShiftEnd > 24.
  bool ShiftCrossesMidnight() const;
  // Least FromTime / greatest ToTime of the ordinary groups (99 / 0 when none).
  double OrdinaryHoursStart() const;
  double OrdinaryHoursEnd() const;
  double BreakHours() const;
  double OrdinaryHoursTotal() const;
  // Ordinary, overtime and make-up hours.
  double WorkedHoursTotal() const;
  // RosteredHoursEnd - RosteredHoursStart - RosteredBreakHours, never negative.
  double RosteredHoursTotal() const;
  // WorkedHoursTotal - RosteredHoursTotal, never negative.
  double OvertimeHoursTotal() const;
  // Day of the week (1 = Sunday ... 7 = Saturday) on which overtime starts.
  int32_t OvertimeStartDay() const;
  // The shift-relative time at which overtime starts.
  double OvertimeStartTime() const;
  // The end of the same employee's previous shift (the one just before the
  // manager's current shift index), as a TDateTime; 0 when there is none.
  // Reaches the manager, so throws as TimesheetManager() does.
  TDateTime LastShiftEndDate() const;
  // Hours of ClassificationGroupList groups under another classification
  // than the employee's; the first such group sets an empty HigherDutyCode
  // to its JobTitle.
  double HigherDutiesHoursTotal();
  // What reading HigherDutiesHoursTotal and then HigherDutyCode does to an
  // empty HigherDutyCode, without adding up hours or copying the code: the
  // first group under another classification gives its JobTitle, or its
  // Classification when it has no job title. A run calls it whenever the
  // shift may have changed, so that the code is filled in at the moment it
  // would be by reading every property before every row.
  void SettleHigherDutyCode();
  // Always false / 0: a broken shift is not recognised.
  bool ShiftIsBroken() const { return false; }
  double HoursafterBreak() const { return 0; }
  // Equals ShiftStart.
  double BreakStart() const { return ShiftStart(); }

  // ---- Operations -----------------------------------------------------------
  // Returns the shift to its empty state for reuse: resets the employee,
  // roster and date fields, frees the groups of the five hours-group lists,
  // empties the leave, allowance, penalty and column lists. The work pattern
  // and RDO entries are kept.
  void ClearAll();
  // Frees what only the costing of the shift needs (the five hours-group
  // lists, the allowance, penalty, work-pattern, leave and RDO entries and
  // the columns) once its pay lines are out, so that a long timesheet does
  // not hold every shift's working data to the end. The identity, employee
  // and date fields stay.
  void ReleaseWorkingData();
  // The column at pIndex (throws std::out_of_range when out of range).
  TTimesheetColumn* GetTimesheetColumn(int pIndex) const;
  // Appends the column (owned), making this shift its TimesheetShift.
  TTimesheetColumn* AddColumn(std::unique_ptr<TTimesheetColumn> pColumn);
  // The first column whose FieldName equals the name exactly; null when none.
  TTimesheetColumn* FindColumnByName(std::string_view pColumnName) const;
  // The first column whose AddDedCode equals the code exactly; null when none.
  TTimesheetColumn* FindColumnByAddDedCode(const std::string& pAddDedCode) const;
  // Hours of the HoursGroupList groups paid under that component (exact).
  double GetHoursForComponent(const std::string& pComponent) const;
  // Hours of the WorkCodeGroupList groups with that work code (exact).
  double HoursForWorkCode(const std::string& pWorkCode) const;
  // True when an allowance held on the employee has that code (exact).
  bool EmployeeHasAddition(const std::string& pAddDedCode) const;
  // True when a WorkCodeGroupList group has that work code, compared in
  // upper case (work codes arrive as typed on timesheets).
  bool WorkCodeExists(const std::string& pValue) const;
  // True when the work pattern has a described (holiday) entry on that day.
  bool IsPublicHoliday(TDateTime pDate) const;
  // True when a leave entry's LeaveReason matches, trimmed and ignoring case.
  bool LeaveReasonExists(const std::string& pValue) const;
  // Adds a break group over every gap between consecutive groups (ordered
  // by FromTime); no break before the first group.
  void FillInBreaks();

  // ---- Hours operations (timesheet_shift_hours.cpp) -------------------------
  // The primitive that every hours-producing action ends in: adds a typed
  // block of time. Does nothing on a dummy shift or when the block is empty.
  void _AddHours(double pStartTime, double pEndTime, const std::string& pComponentName,
                 const std::string& pWorkCode, THoursType pHoursType, const std::string& pJobTitle,
                 const std::string& pJobCode, const std::string& pCostAccount);
  // _AddHours of an htBreak block with every text empty.
  void _AddBreak(double pStartTime, double pEndTime);
  // Adds the rostered hours under component "Normal".
  void AddHoursFromRoster(const std::string& pWorkCode, THoursType pHoursType, const std::string& pJobTitle,
                          const std::string& pJobCode, const std::string& pCostCode);
  // Fills the rate fields of a group from the employee's award.
  void SetComponentDetails(THoursGroup* pHoursGroup);
  // Copy a group into the costing breakdown lists.
  void CreateWorkCodeGroup(const THoursGroup* pHoursGroup);
  void CreateClassificationGroup(const THoursGroup* pHoursGroup);
  void CreateJobCodeGroup(const THoursGroup* pHoursGroup);
  void CreateCostCodeGroup(const THoursGroup* pHoursGroup);

  // ---- Actions called by the rule engine by name ---------------------------
  // Each reads its parameters by position from pParams (see the actions'
  // definitions); pParser is the running condition's parser (may be null).
  void AddHours(TQelParser* pParser, const TActionParams& pParams);
  void AddBreak(TQelParser* pParser, const TActionParams& pParams);
  void AddOvertimeHours(TQelParser* pParser, const TActionParams& pParams);
  void AddMinOvertime(TQelParser* pParser, const TActionParams& pParams);
  void AddUnworkedPublicHolidayHours(TQelParser* pParser, const TActionParams& pParams);
  void AddTimeOfDayOvertimeHours(TQelParser* pParser, const TActionParams& pParams);
  void AddHoursWorkedOvertimeHours(TQelParser* pParser, const TActionParams& pParams);
  void ApplyOvertimeToWorkCode(TQelParser* pParser, const TActionParams& pParams);
  void AddOvertimeHoursLimit(TQelParser* pParser, const TActionParams& pParams);
  void ShowMessage(TQelParser* pParser, const TActionParams& pParams);
  void AddComponent(TQelParser* pParser, const TActionParams& pParams);
  void AddAllowance(TQelParser* pParser, const TActionParams& pParams);
  void AddProportionalAllowance(TQelParser* pParser, const TActionParams& pParams);
  void AddCappedAllowance(TQelParser* pParser, const TActionParams& pParams);
  void AddPenalty(TQelParser* pParser, const TActionParams& pParams);
  void AddShiftBreakPenalty(TQelParser* pParser, const TActionParams& pParams);
  void AddMealBreakPenalty(TQelParser* pParser, const TActionParams& pParams);
  void ApplyHigherDuty(TQelParser* pParser, const TActionParams& pParams);
  void ApplyLeaveReason(TQelParser* pParser, const TActionParams& pParams);
  // Its accrue type and accrue-all switch are read strictly (a text that is
  // not an integer, or not a Boolean, throws the conversion error).
  void ApplyLeaveAccrual(TQelParser* pParser, const TActionParams& pParams);
  void ApplyPlannedHoursLeave(TQelParser* pParser, const TActionParams& pParams);
  void ApplyCompareLeaveLoading(TQelParser* pParser, const TActionParams& pParams);

  // ---- Period and work-code overtime (timesheet_shift_overtime.cpp) --------
  // Overtime by hours worked in a period beyond a threshold (normal hours,
  // work-pattern hours or pHours), paid at pCode and, beyond pNextHours, at
  // pNextCode. Periods other than a single shift with fixed hours reach the
  // manager's hours history (so they throw as TimesheetManager() does).
  void _AddHoursWorkedOvertimeHours(TaiOvertimeTotalType pExceedBasedOn, TaiPeriodType pPeriodType,
                                    const std::string& pCode, const std::string& pNextCode, double pHours,
                                    double pNextHours, const std::string& pLeaveReasons,
                                    TDateTime pCycleStartDate);
  // Turns the hours entered under pWorkCode into overtime at pRateCode, and
  // those beyond pNextOverTimeHours at pNextRateCode.
  void _ApplyOvertimeToWorkCode(const std::string& pWorkCode, const std::string& pRateCode,
                                double pNextOverTimeHours, const std::string& pNextRateCode);

  // ---- Allowances (timesheet_shift_allowances.cpp) --------------------------
  // Sets the allowance with addition code pAllowanceCode (creating and
  // appending one when the shift has none) to pValue units of the award
  // allowance pAllowanceCode, and completes it from the award
  // (SetAllowanceDetails). Returns the allowance, owned by AllowanceList.
  // Throws eaiPRocessorException "Allowance "<code>" not found." when the
  // employee's award has no such allowance; the allowance then stays in the
  // list with its units and code.
  TAllowance* _AddAllowance(double pValue, const std::string& pAllowanceCode);
  // As _AddAllowance, the allowance being proportioned by pProportionType.
  TAllowance* _AddProportionalAllowance(double pValue, const std::string& pAllowanceCode,
                                        TaiProportionedOpt pProportionType);
  // As _AddAllowance, the allowance being capped at pCapValue per pCapUnits
  // as a minimum or maximum (pCapMinMax).
  TAllowance* _AddCappedAllowance(double pValue, const std::string& pAllowanceCode, double pCapValue,
                                  TaiAllowancePayUnit pCapUnits, TaiCondMinMax pCapMinMax);
  // Completes an allowance whose Description holds the award allowance's
  // code: addition type and code, amount, costing destination (from the
  // shift's column carrying that addition, else the award), pay unit, pay
  // option and rate. A standard allowance paid per shift or day on a shift
  // without worked hours is zeroed unless its award pays it on leave alone
  // (and the shift has leave on its date) or alongside a unit allowance.
  // Without an award nothing is changed. Throws as _AddAllowance does.
  void SetAllowanceDetails(TAllowance* pAllowance);
  // Sets the Rate of an allowance or penalty by its PayOption from the
  // award (see the .cpp); aicpo_None and a missing award leave it as it is.
  void SetAdditionRate(TAllowance* pAddition) const;

  // ---- Penalties and higher duties (timesheet_shift_penalties.cpp) --------
  // Adds the penalty pCode at pPercent over the window pStartTime ..
  // pEndTime, one penalty per classification the window's hours are paid
  // under, each with the ordinary hours of its part as units (0 when no
  // ordinary hours lie there). Returns the first, owned by PenaltyList;
  // null when the window is empty or inverted (nothing is added). Without
  // an award the penalty is added bare. Throws eaiPRocessorException
  // "Penalty "<code>" not found." when the award has no such penalty; the
  // penalty then stays with its window, percent and code.
  TPenalty* _AddPenalty(double pStartTime, double pEndTime, double pPercent, const std::string& pCode);
  // Pays for too short a rest since the employee's previous shift (less
  // than pHours): a penalty over the whole shift, or, when pPayFullShift
  // and the rostered shift would pay more, the rostered shift instead of
  // the hours worked. Returns the penalty; null when none is added. Reaches
  // the manager (throws as TimesheetManager() does).
  TPenalty* _AddShiftBreakPenalty(const std::string& pCode, double pPercentage, double pHours,
                                  bool pPayFullShift);
  // Penalises the time worked beyond pDueHours without a meal break of at
  // least pMinBreakMinutes: the first pFirstHours at pFirstPercent, the
  // rest at pNextPercent (see the .cpp for the windows).
  void _AddMealBreakPenalty(double pDueHours, double pFirstPercent, double pFirstHours, double pNextPercent,
                            const std::string& pCode, const std::string& pPaidBreakWorkCode, int64_t pMinBreakMinutes);
  // Moves the hours between pFromTime and pToTime to the job pJobTitle when
  // its classification pays more than the hours' own; otherwise, and when
  // the award or the job is missing, nothing changes.
  void _ApplyHigherDuty(double pFromTime, double pToTime, const std::string& pJobTitle);

  // ---- Leave (timesheet_shift_leave.cpp) -------------------------------------
  // Prices every leave entry of reason pLeaveReason (exact) at pPercent of
  // EmployeeNormalRate, under rate code pRateCode.
  void _ApplyLeaveReason(const std::string& pLeaveReason, const std::string& pRateCode, double pPercent);
  // Turns overtime into leave accrual pAddDedCode: all overtime when
  // pAccrueAll, or, when the shift has work code pWorkCode, the overtime
  // blocks of type pHoursType. The blocks keep their place and times.
  void _ApplyLeaveAccrualToWorkCode(const std::string& pAddDedCode, const std::string& pWorkCode,
                                    THoursType pHoursType, TaiAccrueHoursOpt pAccrueType, bool pAccrueAll);
  // Pays a full day of leave (one entry covering the rostered hours, the
  // row's only shift) of one of the reasons in the comma text pLeaveReasons
  // ("<All>" for any) at the average hourly rate of the row's planned
  // costing with the named allowances and penalties. Reaches the manager.
  void _ApplyPlannedHoursLeave(const std::string& pLeaveReasons, const std::string& pAllowances,
                               const std::string& pPenalties);
  // For a full day of annual leave of an employee with a leave-loading
  // class: records the planned penalties and allowances to compare the
  // loading with, has the manager store them for the day, and drops the
  // employee's standing allowances (the loading replaces them). Reaches the
  // manager.
  void _ApplyCompareLeaveLoading(const std::string& pAllowances, const std::string& pPenalties);

  // ---- Costing adjustments (timesheet_shift_costing.cpp) -------------------
  // Called once the conditions have run: each rebuilds a list so that every
  // block (or penalty) takes its costing destination from the breakdown
  // list that covers its start, cut where that breakdown group ends.
  void AdjustAllWorkCodes();
  void AdjustAllClassifications();
  void AdjustAllCostCodes();
  void AdjustPenaltyCostCodes();

 private:
  // Describes the published properties (timesheet_shift_registry.cpp).
  friend struct TTimesheetShiftRegistry;

  void FreeOwnedLists();
  // The first ClassificationGroupList group under another classification
  // than the employee's: the one an empty HigherDutyCode is filled from;
  // null when there is none.
  const THoursGroup* FirstHigherDutyGroup() const;
  double GroupTotal(THoursTypeSet pTypes) const { return FHoursGroupList.TotalHours(pTypes); }
  // The allowance with that code, found or appended, with its units and
  // award code set (what every allowance action starts with).
  TAllowance* PrepareAllowance(double pValue, const std::string& pAllowanceCode);
  // False when a standard per-shift or per-day allowance has nothing on
  // this shift to be paid for.
  bool PaysStandardAllowance(const TShiftAwardAddition& pAward) const;
  // True when the shift carries a single leave entry and is the only shift
  // of its row: the day is a whole day of leave to be priced or loaded.
  bool IsSingleLeaveDay() const;
  // True when the leave entry covers the rostered hours (to the cent).
  bool CoversRosteredHours(const TDateGroup& pLeave) const;

  THoursGroupList FHoursGroupList;
  THoursGroupList FWorkCodeGroupList;
  THoursGroupList FClassificationGroupList;
  THoursGroupList FJobCodeGroupList;
  THoursGroupList FCostCodeGroupList;
  TAllowanceList FAllowanceList;
  TPenaltyList FPenaltyList;
  TWorkPatternList FWorkPatternList;
  double FAnnualSalary = 0;
  double FWeeklySalary = 0;
  std::string FCostAccountCode;
  bool FRejected = false;
  std::string FRejectReason;
  int32_t FEmployeeID = 0;
  std::string FCustomMessage;
  TTimesheet* FTimesheet = nullptr;
  int32_t FUserID = 0;
  TDateTime FLastImportDate = 0;
  TCreateVariableEvent FOnCreateVariable;
  double FShiftCost = 0;
  double FBaseRate = 0;
  double FRosteredHoursStart = 0;
  double FRosteredHoursEnd = 0;
  double FRosteredBreakHours = 0;
  TDateTime FShiftEndDate = 0;
  TDateTime FShiftStartDate = 0;
  std::string FEmployeeCode;
  std::string FEmploymentType;
  TDateTime FEmployeeDOB = 0;
  std::string FPayrollLinkToken;
  std::string FEmployeeAward;
  std::string FConditionGroup;
  std::string FEmployeeCategory;
  std::string FEmployeeClassification;
  double FStandardRate = 0;
  std::string FHigherDutyCode;
  double FBaseWeeklyHours = 0;
  double FStandardWeeklyHours = 0;
  double FTimesheetTotalHours = 0;
  std::string FLeaveReason;
  std::string FLeaveType;
  TLeaveDateList FLeaveDates;
  double FEmployeeNormalHours = 0;
  double FEmployeeNormalRate = 0;
  int32_t FTimesheetID = 0;
  double FEmployeeWorkPatternHours = 0;
  bool FIsOffDay = false;
  bool FIsDummyShift = false;
  int32_t FTimesheetRowPlanID = 0;
  int32_t FLeaveLoadingClassID = 0;
  TLeaveDateList FRDODates;
  TDateTime FTimesheetEndDate = 0;
  TDateTime FTimesheetStartDate = 0;
};

}  // namespace qora
