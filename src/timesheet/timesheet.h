// A timesheet: the ordered list of shifts that one run costs. The timesheet
// owns its shifts; readers fill it, then call FillInShiftDetails and
// SortTimesheet, and the run driver walks the shifts in order.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/datetime.h"
#include "foundation/object_list.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

class ITimesheetManager;

class TTimesheet : public TypedObjectList<TTimesheetShift> {
  QORA_CLASS(TTimesheet, TypedObjectList<TTimesheetShift>)

 public:
  // Every shift added to the timesheet, however it is added, gets this
  // timesheet as its Timesheet.
  TTimesheet();

  // The shift at pIndex (throws std::out_of_range when out of range).
  TTimesheetShift* GetTimesheetShift(int pIndex) const;
  // Appends a shift (owned), making this timesheet its Timesheet; returns it.
  TTimesheetShift* AddShift(std::unique_ptr<TTimesheetShift> pShift);
  // The first shift, in list order, of that employee code (exact,
  // case-sensitive) whose ShiftStartDate is on the day of pStartDate; null
  // when none.
  TTimesheetShift* FindShift(const std::string& pEmployeeCode, TDateTime pStartDate) const;
  // Appends a placeholder shift for a day that carries leave, RDO or
  // public-holiday data but no worked shift: EmployeeCode, ShiftStartDate =
  // ShiftEndDate = pStartDate, TimesheetTotalHours 0, IsDummyShift true.
  // Increments ShiftCount. Returns the new shift (owned by the timesheet).
  TTimesheetShift* AddDummyShift(const std::string& pEmployeeCode, TDateTime pStartDate);
  // Called after loading: fills in every shift's breaks and, when they are
  // not set, the period from the least and greatest ShiftStartDate (an
  // EndDate before StartDate is replaced too). Without shifts both become 0.
  void FillInShiftDetails();
  // Stable sort by EmployeeCode (compared under the process's collation
  // locale, LC_COLLATE, which is case-sensitive), then by the day of
  // ShiftStartDate, then by ShiftStart (starts less than 0.01 hour apart
  // compare equal).
  void SortTimesheet();
  // Destroys every shift.
  void ClearAll();

  // ---- Statuses --------------------------------------------------------------
  // The status list is filled by whoever loads the timesheet (for stored
  // timesheets, from the database's status table). Adds one status.
  void AddStatus(const std::string& pName, int32_t pID);
  // The name of the status whose identifier is StatusID; "" when none.
  std::string Status() const;
  // Sets StatusID to the identifier of the named status (names compare
  // ignoring case). Throws eaiPRocessorException
  // "Timesheet status \"<name>\" not found." and leaves StatusID unchanged
  // when there is none.
  void SetStatus(const std::string& pName);
  const std::vector<std::pair<std::string, int32_t>>& Statuses() const { return FStatuses; }

  // ---- Fields ----------------------------------------------------------------
  TDateTime EndDate() const { return FEndDate; }
  void SetEndDate(TDateTime v) { FEndDate = v; }
  TDateTime StartDate() const { return FStartDate; }
  void SetStartDate(TDateTime v) { FStartDate = v; }
  int32_t UserID() const { return FUserID; }
  void SetUserID(int32_t v) { FUserID = v; }
  bool IsMET() const { return FIsMET; }
  void SetIsMET(bool v) { FIsMET = v; }
  int32_t StatusID() const { return FStatusID; }
  void SetStatusID(int32_t v) { FStatusID = v; }
  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& v) { FDescription = v; }
  const std::string& UserName() const { return FUserName; }
  void SetUserName(const std::string& v) { FUserName = v; }
  int32_t ShiftCount() const { return FShiftCount; }
  void SetShiftCount(int32_t v) { FShiftCount = v; }
  int32_t WorkgroupID() const { return FWorkgroupID; }
  void SetWorkgroupID(int32_t v) { FWorkgroupID = v; }
  int32_t TemplateID() const { return FTemplateID; }
  void SetTemplateID(int32_t v) { FTemplateID = v; }
  const std::string& PayrollLinkToken() const { return FPayrollLinkToken; }
  void SetPayrollLinkToken(const std::string& v) { FPayrollLinkToken = v; }
  // The run's timesheet manager (not owned); null until the run sets it.
  ITimesheetManager* TimesheetManager() const { return FTimesheetManager; }
  void SetTimesheetManager(ITimesheetManager* v) { FTimesheetManager = v; }

 private:
  TDateTime FEndDate = 0;
  TDateTime FStartDate = 0;
  int32_t FUserID = 0;
  bool FIsMET = false;
  int32_t FStatusID = 0;
  std::string FDescription;
  std::string FUserName;
  std::vector<std::pair<std::string, int32_t>> FStatuses;
  int32_t FShiftCount = 0;
  int32_t FWorkgroupID = 0;
  int32_t FTemplateID = 0;
  std::string FPayrollLinkToken;
  ITimesheetManager* FTimesheetManager = nullptr;
};

// The order of SortTimesheet on the values it compares: employee code,
// day of the start date, then start time.
bool ShiftOrderLess(const std::string& pCodeA, TDateTime pStartDateA, double pStartA, const std::string& pCodeB,
                    TDateTime pStartDateB, double pStartB);

}  // namespace qora
