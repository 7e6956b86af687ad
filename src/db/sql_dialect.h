// The SQL forms of one database back end, kept in one place per back end.
//
// The engine writes its statements as the payroll product always has, for
// Microsoft SQL Server. Rewrite() turns such a statement into the back end's
// own SQL, systematically:
//   - "dbo." and "[dbo]." prefixes are dropped and [bracketed] names unwrapped
//     (SQLite and PostgreSQL keep every object in one schema);
//   - ISNULL(a, b) becomes COALESCE(a, b);
//   - getdate() becomes the back end's local date and time;
//   - "select [distinct] top n ..." becomes "select [distinct] ... LIMIT n"
//     (only a TOP right after the statement's first select is rewritten);
//   - a date column (a name "d" + capital letter: dEndDate, R.dDateWorked)
//     compared with a number, or ISNULL(date column, number) and a number it
//     is compared with, get the number as the date it counts (days since
//     1899-12-30): "ISNULL(dEndDate,0) < 5" reads "no end date, or one before
//     1900-01-04", which is what SQL Server makes of it;
//   - SQLite only: qualified columns of the first select list get an alias of
//     their own name, so that "order by iTimesheetID" names the output column
//     as on the other servers instead of being ambiguous;
//   - SQLite only: SQLite keeps dates as text, and '2024-12-31' sorts
//     before '2024-12-31 00:00:00'; so that a date written by hand or by
//     another tool compares by its value, both sides of every comparison
//     with a date column are read through julianday() (CompareDatesAsValues);
//   - SQLite only: the payroll database's table-valued functions
//     _ipfnGetAwards and _efnGetFreqPeriodData become sub-queries with the
//     call's arguments in place (_ipfnGetEmployeeWorkPatternDays is a
//     table-valued function of the connection, sqlite_work_pattern.h), and a date
//     literal 'YYYY-MM-DD' becomes 'YYYY-MM-DD 00:00:00', the stored form,
//     so that text comparison of dates agrees with date comparison.
// Quoted texts and comments are never rewritten. The SQLite dialect rejects
// an empty "in ()" list, as the other servers do (EDatabaseError
// "Incorrect syntax near ')'.").
#pragma once

#include <string>
#include <string_view>

#include "common/datetime.h"
#include "db/connection.h"
#include "db/connection_params.h"

namespace qora {

class TSqlDialect {
 public:
  virtual ~TSqlDialect() = default;

  virtual TDBBackend Backend() const = 0;
  // The statement in this back end's SQL (see above). Statements that need
  // no change come back unchanged.
  virtual std::string Rewrite(std::string_view sql) const = 0;
  // A date-time literal of this back end for `value`.
  virtual std::string DateTimeLiteral(TDateTime value) const = 0;
  // The expression for the current local date and time.
  virtual std::string CurrentDateTime() const = 0;
  // The statement that runs stored procedure `name` with `params`, their
  // values bound as ":Name" parameters; output parameters are returned as the
  // statement's single result row. Empty for a back end without stored
  // procedures (SQLite), where the engine supplies them.
  virtual std::string ProcedureCall(std::string_view name, const TDBParams& params) const = 0;
  // The name of the output column ProcedureCall returns for output parameter `name`.
  virtual std::string OutputColumn(std::string_view name) const;
};

// The dialect of a back end (a process-wide constant object).
const TSqlDialect& DialectFor(TDBBackend backend);

}  // namespace qora
