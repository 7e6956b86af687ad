// What the costing output needs from the run that costed the shifts: the run
// log, the connections, the costing type, the additions already paid and the
// leave rates. The engine's timesheet manager implements it; the output
// never sees the engine itself.
#pragma once

#include <cstdint>
#include <string>

#include "common/datetime.h"
#include "foundation/enums.h"

namespace qora {

class TDBConnection;
class TTimesheetShift;
class TUserFeedback;

// A leave reason's rate as the leave lines need it.
class ICostingLeaveRate {
 public:
  virtual ~ICostingLeaveRate() = default;
  // The cost account that leave of this reason is costed to.
  virtual const std::string& CostCode() const = 0;
  // The payroll database's rate type ordinal (0 is a plain rate).
  virtual int32_t RateType() const = 0;

 protected:
  ICostingLeaveRate() = default;
  ICostingLeaveRate(const ICostingLeaveRate&) = default;
  ICostingLeaveRate& operator=(const ICostingLeaveRate&) = default;
};

class ICostingRun {
 public:
  virtual ~ICostingRun() = default;

  // The run log; null only outside a run (warnings are then dropped).
  virtual TUserFeedback* UserFeedback() = 0;
  // The common database connection (not owned); null when there is none.
  virtual TDBConnection* DBConnection() const = 0;
  // The employee's payroll database connection (not owned); null when none.
  // It may be closed: callers check before querying.
  virtual TDBConnection* PayrollConnection() const = 0;
  // Which stored costing the run produces.
  virtual TaiCostingOutputType CostingOutputType() const = 0;

  // The latest day this addition was paid to the employee: in this run's
  // additions history, else in the payroll database's transactions; 0 when
  // never.
  virtual TDateTime GetLastAdditionTransactionDate(const std::string& pEmployeeCode, const std::string& pAddDedCode,
                                                   bool pForCosting) = 0;
  // Records a payment in the additions history.
  virtual void AddAdditionToHistory(const std::string& pEmployeeCode, const std::string& pAddDedCode,
                                    TDateTime pDayWorked, double pValue, bool pForCosting) = 0;
  // The sum paid of that addition on or after pFromDayWorked (all when 0); 0 when none.
  virtual double GetAdditionTotal(const std::string& pEmployeeCode, const std::string& pAddDedCode,
                                  TDateTime pFromDayWorked, bool pForCosting) const = 0;
  // True when that addition was paid on or after pDayWorked (ever when 0).
  virtual bool AdditionExists(const std::string& pEmployeeCode, const std::string& pAddDedCode, TDateTime pDayWorked,
                              bool pForCosting) const = 0;
  // The leave rate of a reason code (compared trimmed); null when none. The
  // rate stays valid until the run's leave rates are reloaded.
  virtual const ICostingLeaveRate* GetLeaveRate(const std::string& pLeaveReasonCode) const = 0;
  // The hourly rate to pay leave of that reason at for the shift's employee.
  virtual double GetLeaveReasonRate(const std::string& pLeaveReason, const TTimesheetShift& pShift) const = 0;

 protected:
  ICostingRun() = default;
  ICostingRun(const ICostingRun&) = default;
  ICostingRun& operator=(const ICostingRun&) = default;
};

}  // namespace qora
