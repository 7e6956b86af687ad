// The schema scripts of the two payroll databases, one per back end, and the
// sample data set. The scripts are kept in this folder's .cpp files as raw
// strings so that the tool and the tests carry them without data files.
//
// Conventions shared by every back end:
//  - Dates are stored without a time zone: SQLite TEXT "YYYY-MM-DD HH:NN:SS"
//    (".zzz" with milliseconds), PostgreSQL "timestamp without time zone",
//    SQL Server datetime. An open-ended record's end date is day 0
//    (1899-12-30), the payroll product's empty date, so that both of its
//    tests, "ISNULL(dEndDate,0) < 5" and "dEndDate <= 5", find it; readers
//    treat NULL the same.
//  - Booleans (b columns) are small integers 0/1 everywhere, so that the
//    payroll statements' "bPlanAllowance = 1" reads the same on every back end.
//  - Identity columns (id...) are generated but accept explicit values.
//  - iFrequency of _iptblPayFrequencies holds the pay period ordinal:
//    0 one week, 1 two weeks, 2 fortnightly, 3 four weeks, 4 bi-monthly, 5 monthly.
//  - iChangeType of effective-dated records: 0 none, 1 added, 2 edited,
//    3 deleted; the employee award view leaves deleted records out.
//  - Employee codes (cEmpCode, cEmployeeCode) compare without regard to
//    case, as the engine looks employees up: SQLite declares them COLLATE
//    NOCASE, PostgreSQL gives them a case-insensitive ICU collation
//    (qora_nocase), and SQL Server's usual collations are case-insensitive
//    already. A collation on the column, not a function around it, keeps
//    the comparison able to use the column's index.
#pragma once

#include <array>
#include <string_view>

namespace qora::schema {

extern const std::string_view kCommonSqlite;
// Payroll tables per back end; PostgreSQL and SQL Server add routines that
// are created after the shared views.
extern const std::string_view kPayrollSqliteTables;
extern const std::string_view kCommonPostgreSQL;
extern const std::string_view kPayrollPostgreSQLTables;
extern const std::string_view kPayrollPostgreSQLRoutines;
extern const std::string_view kCommonSqlServer;
extern const std::string_view kPayrollSqlServerTables;
extern const std::string_view kPayrollSqlServerRoutines;
// The payroll views, one statement each without its terminator.
extern const std::array<std::string_view, 7> kPayrollViews;

// Sample data, portable SQL (no back-end specific forms): the common and the
// payroll database's rows. The registry row of the payroll database is
// written by InsertSampleData, which knows where the payroll database is.
extern const std::string_view kSampleCommon;
extern const std::string_view kSamplePayroll;
// The sample employees' assignments to the full sample award, applied to
// the payroll database once that award has been imported (it names pay
// classes only the award file has).
extern const std::string_view kSampleAwardAssignments;

}  // namespace qora::schema
