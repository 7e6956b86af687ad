// _ipfnGetEmployeeWorkPatternDays on SQLite: a table-valued function, so
// that "select ... from _ipfnGetEmployeeWorkPatternDays(:EmployeeID,
// :FromDate,:ToDate,0)" runs as the engine writes it.
//
// _ipfnGetEmployeeWorkPatternDays(employeeID, fromDate, toDate, workDaysOnly):
// one row per day from fromDate to toDate (dDate, fHours, cPublicHoliday):
// the hours of the day in the work pattern the employee has on that day (the
// pattern's cycle of iCycleDays days starts at dCycleStartDate; day 1 is its
// first day; 0 hours when the employee has no pattern), and the public
// holiday's description ("" when the day is none; the least of two on one
// day). Of the employee's pattern versions in effect on a day whose pattern
// has a row for that day, the latest effective date wins (of two with one
// effective date, the first stored). An end date that is null or before
// 1900-01-04 is no end date. Dates count by day, as SQLite's date() reads
// them. workDaysOnly <> 0 keeps only days with hours or a public holiday.
//
// The function reads the employee's versions, their patterns' days and the
// holidays in range with one small query each and builds the days itself:
// the same as one statement with a sub-query per day, at a fraction of the
// cost, which is paid once per employee of a costing run.
#pragma once

#include <soci/sqlite3/soci-sqlite3.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "common/datetime.h"
#include "db/work_pattern_day.h"

namespace qora {

struct TWorkPatternStatements;

// Makes the function available on an open SQLite connection. Throws
// EDatabaseError when SQLite refuses it. The payroll tables are looked up
// when the function is first used, so a connection without them fails only
// then, with SQLite's "no such table" error.
void RegisterSqliteWorkPatternDays(sqlite_api::sqlite3* db);

// The function's days read without a statement around them: a costing run
// asks for every employee's, and the rows, their columns and their texts
// cost more than the days themselves. Keeps its statements prepared until it
// is destroyed, which must happen before the connection closes.
class TSqliteWorkPatternReader {
 public:
  // db must stay open while the reader lives.
  explicit TSqliteWorkPatternReader(sqlite_api::sqlite3* db);
  ~TSqliteWorkPatternReader();
  TSqliteWorkPatternReader(const TSqliteWorkPatternReader&) = delete;
  TSqliteWorkPatternReader& operator=(const TSqliteWorkPatternReader&) = delete;

  // What "select dDate, fHours, cPublicHoliday from
  // _ipfnGetEmployeeWorkPatternDays(employee, from, to, 0)" reads, with the
  // dates bound as the engine binds dates. False, with `days` untouched,
  // when a stored value is of a kind whose reading through the query this
  // does not reproduce (hours stored as text, say): the caller then runs
  // the query. Throws EDatabaseError when SQLite fails.
  bool Days(int64_t employee, TDateTime from, TDateTime to, std::vector<TWorkPatternDay>& days);

 private:
  std::unique_ptr<TWorkPatternStatements> FStatements;
};

}  // namespace qora
