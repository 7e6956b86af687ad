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

// Opens `target_uri` (a database URI as the qora tool takes it, see
// ParseConnectionUri), loads the stored timesheet with a payroll connection
// of its own that uses the URI's credentials, and returns TimesheetToJson of
// it with "TimesheetID" and "CostingType" (cot_... name) added. Throws as
// LoadStoredTimesheetForShow does, and EDatabaseError for a URI that
// cannot be read or opened.
nlohmann::ordered_json ShowStoredTimesheet(const std::string& target_uri, int32_t timesheet_id,
                                           TaiCostingOutputType costing_type = TaiCostingOutputType::cot_Approve);

}  // namespace qora
