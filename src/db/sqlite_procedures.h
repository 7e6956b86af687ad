// What SQLite lacks and the engine supplies on every SQLite connection: the
// scalar function _esfnTimesheetCycleFromDate and the payroll databases'
// stored procedures, which run the same statements as the PostgreSQL and
// SQL Server procedures of the schema scripts.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/connection.h"

namespace soci {
class session;
}

namespace qora {

class TSociConnection;

// Registers the scalar functions on an open SQLite session:
//   _esfnTimesheetCycleFromDate(days, cycleStart, date): the first day of the
//   cycle of `days` days, counted from cycleStart, that contains `date`
//   (cycleStart itself when days < 1); null when a date does not read;
// the table-valued function _ipfnGetEmployeeWorkPatternDays
// (sqlite_work_pattern.h) and the held-rows table (sqlite_held_rows.h).
void RegisterSqliteFunctions(soci::session& session);

// Runs the engine-supplied procedure `name` (any case) on `connection` and
// returns its output parameters. False when there is no such procedure.
// Each call runs in a transaction level of its own: a failing statement
// leaves nothing of the call behind.
bool RunSqliteProcedure(TDBConnection& connection, std::string_view name, const TDBParams& params,
                        TDBRow& outputs);

// The engine-supplied procedure `name` prepared on `connection` for calls
// with the input parameters `names`, by position: its statement is prepared
// once and each call binds its values straight to it, or, for the costing
// lines' insert, is held and stored with others from the held rows (Flush
// stores the rest; the caller flushes before it commits). Null when there is
// no such procedure or it is not a single statement (the caller then calls
// it by name). Throws EDatabaseError when SQLite rejects the statement.
std::unique_ptr<TDBProcCall> PrepareSqliteProcedure(TSociConnection& connection, std::string_view name,
                                                    const std::vector<std::string>& names);

// The first day of the cycle containing `date` (see above), as a day number.
TDateTime TimesheetCycleFromDate(int days, TDateTime cycleStart, TDateTime date);

}  // namespace qora
