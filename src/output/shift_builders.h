// The six builders that turn one costed shift into pay lines: hours, RDO,
// allowances, penalties, leave accrual and leave, always in that order.
// Each returns its records joined by CR LF, or "" when the shift has none of
// its kind; a line without value is left out with a warning in the run log.
#pragma once

#include <string>
#include <vector>

#include "output/field_writer.h"
#include "output/costing_run.h"

namespace qora {

class ITnxCostingSink;
class TTimesheetShift;
class TnxYIFTransaction;

struct TnxBuildContext {
  ICostingRun& Run;
  TnxTransactionFormat Format;
  // When set (costing layout only), the lines go to it instead of being
  // written as text, and the builders return "".
  ITnxCostingSink* Sink = nullptr;
  // Additions are tracked apart for the costing file and the payroll import.
  bool ForCosting() const { return Format == TnxTransactionFormat::tfCSV; }
};

std::string BuildHoursTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift);
std::string BuildRDOTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift);
std::string BuildAllowanceTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift);
std::string BuildPenaltyTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift);
std::string BuildLeaveAccrualTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift);
std::string BuildLeaveTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift);

// The texts of the six builders that produced any, in builder order, and
// whether the RDO builder was one of them.
struct TnxShiftTransactions {
  std::vector<std::string> Items;
  bool HasRDO = false;
};
TnxShiftTransactions BuildShiftTransactions(TnxBuildContext& pContext, TTimesheetShift& pShift);

// ---- Shared by the builders ---------------------------------------------------
// The shift's identity, employee and dates on a new line.
void FillFromShift(TnxYIFTransaction& pTransaction, const TTimesheetShift& pShift);
// The value of the shift's "cCostAccount" column; "" when it has none.
std::string ShiftCostAccount(TTimesheetShift& pShift);
// A warning of the shift in the run log.
void LogShiftWarning(TnxBuildContext& pContext, const TTimesheetShift& pShift, const std::string& pMessage);
// The line's text appended to pRecords in the context's layout, after a
// CR LF when pRecords has text already; or the line handed to the context's
// sink.
void AddRecord(TnxBuildContext& pContext, TnxYIFTransaction& pLine, std::string& pRecords);

}  // namespace qora
