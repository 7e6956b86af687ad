// What SQLite lacks and the engine supplies on every SQLite connection: the
// scalar function _esfnTimesheetCycleFromDate and the payroll databases'
// stored procedures, which run the same statements as the PostgreSQL and
// SQL Server procedures of the schema scripts.
#pragma once

#include <string_view>

#include "db/connection.h"

namespace soci {
class session;
}

namespace qora {

// Registers the scalar functions on an open SQLite session:
//   _esfnTimesheetCycleFromDate(days, cycleStart, date): the first day of the
//   cycle of `days` days, counted from cycleStart, that contains `date`
//   (cycleStart itself when days < 1); null when a date does not read.
void RegisterSqliteFunctions(soci::session& session);

// Runs the engine-supplied procedure `name` (any case) on `connection` and
// returns its output parameters. False when there is no such procedure.
// Each call runs in a transaction level of its own: a failing statement
// leaves nothing of the call behind.
bool RunSqliteProcedure(TDBConnection& connection, std::string_view name, const TDBParams& params,
                        TDBRow& outputs);

// The first day of the cycle containing `date` (see above), as a day number.
TDateTime TimesheetCycleFromDate(int days, TDateTime cycleStart, TDateTime date);

}  // namespace qora
