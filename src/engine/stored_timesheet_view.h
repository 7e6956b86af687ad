// A stored timesheet as the engine loads it for costing, for people and
// scripts that check what a run will see: every shift with its roster or
// actual hours, leave, RDO days, allowance columns and the employee details
// read from the payroll database.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "foundation/enums.h"

namespace qora {

class TAwardProvider;
class TDBConnection;
class TTimesheetManager;

// Loads stored timesheet `timesheet_id` into `manager` as a costing run of
// `costing_type` does (cot_Publish: the rostered plan; any other: actuals),
// with the main connection `main` (open) and a payroll connection the
// manager re-points per employee (the caller sets one; see
// TTimesheetManager::ConnectPayrollDatabase). Throws
// eRecordNotFoundException "Timesheet %d was not found." when there is no
// such timesheet; database and payroll errors propagate. A timesheet without
// rows to cost loads no shifts (not an error).
void LoadStoredTimesheetForShow(TTimesheetManager& manager, int32_t timesheet_id, TaiCostingOutputType costing_type);

// Sets up every shift of the loaded timesheet from its employee's award
// (TAwardProvider::PrepareShiftAward, after pointing the payroll
// connection at the employee's payroll database), as a costing run does
// before it runs the award's conditions. A shift whose award cannot be had
// is left as it was and its error goes to the manager's run log.
void PrepareShiftAwardsForShow(TTimesheetManager& manager, TAwardProvider& provider);

// Opens `target_uri` (a database URI as the qora tool takes it, see
// ParseConnectionUri), loads the stored timesheet with a payroll connection
// of its own that uses the URI's credentials, and returns TimesheetToJson of
// it with "TimesheetID" and "CostingType" (cot_... name) added, every
// shift set up from its award (PrepareShiftAwardsForShow) and, when the run
// log holds warnings or errors, "Messages" listing them. Throws as
// LoadStoredTimesheetForShow does, and EDatabaseError for a URI that
// cannot be read or opened.
nlohmann::ordered_json ShowStoredTimesheet(const std::string& target_uri, int32_t timesheet_id,
                                           TaiCostingOutputType costing_type = TaiCostingOutputType::cot_Approve);

}  // namespace qora
