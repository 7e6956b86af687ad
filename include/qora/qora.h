/*
 * qora - award-interpretation engine for payroll: the C interface.
 *
 * Texts are zero-terminated UTF-8 strings; a null pointer is an empty text.
 * The library never keeps or frees the caller's memory. Calls must not
 * overlap: the engine keeps its state in process-wide objects that every
 * costing call resets. No exception or signal of the engine's own escapes
 * these functions.
 *
 * Return codes of the three costing functions:
 *    0  the job ran (single shifts may still have failed; see the run log)
 *    1  a database error ended the job, or the database connection was not
 *       open when the job ended (ProcessTimeSheetFile, ProcessDBTimeSheetList)
 *    2  a record the job needed was not found
 *    3  a syntax error ended the job
 *    4  ProcessTimeSheet only: the database connection was not open at the end
 *   -2  any other error ended the job
 *   -3  the job could not be started or finished cleanly: a failure before
 *       the costing began (for ProcessTimeSheet a missing web.config, for
 *       every call a connection that could not be set up) or while the run
 *       log was written. The log file, when it could be written, holds the
 *       message.
 */
#ifndef QORA_QORA_H
#define QORA_QORA_H

#include <stdint.h>

#if defined(QORA_BUILDING_LIBRARY)
#define QORA_API __attribute__((visibility("default")))
#else
#define QORA_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Output types of ProcessTimeSheetFile. Any other value writes no output
 * file; the run log is written all the same. */
#define QORA_OUTPUT_CSV 1
#define QORA_OUTPUT_YIF 2

/* Failure before or after the protected costing section (see above). */
#define QORA_RESULT_SETUP_FAILED (-3)

/*
 * Which database Server, Database, UserName and Password name (for
 * ProcessTimeSheetFile and ProcessDBTimeSheetList, and for the CS, CDB,
 * CDBUID and CDBPWD keys of web.config), tried in this order:
 *   Server "sqlite"             SQLite; Database is the file's path
 *   Server "sqlite:PATH"        SQLite at PATH (Database is not used)
 *   Server "postgresql://..."   PostgreSQL at that URI (also "postgres://");
 *                               a Database, UserName or Password given
 *                               replaces the URI's
 *   Server "sqlserver://..."    SQL Server at that URI, over ODBC
 *   Server "pg:HOST[:PORT]"     PostgreSQL on HOST, database Database
 *   any other Server            SQL Server on that host ("host,port" gives a
 *                               port) over ODBC, with the driver named by
 *                               the environment variable QORA_ODBC_DRIVER
 *                               ("FreeTDS" when unset); an empty UserName
 *                               asks for a trusted login
 * SQLite is used only when Server says so. A server name that looks like a
 * file, or a Database that names one, still means SQL Server: a server that
 * cannot be reached ends the job with result 1, and no local file is ever
 * created in its place. The payroll databases that the registry of the
 * common database names (cServer, cDatabase) are reached by the same rule.
 */

/*
 * Costs one timesheet file (".xml": XML time cards; anything else: CSV)
 * against the database named by Server, Database, UserName and Password,
 * writes the costing to OutputFile as CSV (OutputType 1) or YIF (2), and
 * the run log beside it with the extension ".log".
 */
QORA_API int32_t ProcessTimeSheetFile(const char* TimesheetFile, const char* OutputFile, int32_t OutputType,
                                      const char* Server, const char* Database, const char* UserName,
                                      const char* Password);

/*
 * Costs one timesheet file for a host whose web.config, in the folder of the
 * running executable, names the database. Writes "timesheet.yif" and
 * "costed_timesheet.csv" beside the timesheet, stores the YIF data in the
 * database, and writes the run log beside the timesheet (".log").
 */
QORA_API int32_t ProcessTimeSheet(const char* TimesheetFile);

/*
 * Costs the stored timesheets of TimesheetIDList ("ID=CostingType,...",
 * costing type 1 published, 2 approved, 3 ad hoc) and stores their costing
 * lines and the run log in the database. A GUID starting with "Test" appends
 * every costing to "TESTQora_Costing.csv" in the current folder; a GUID
 * containing "Debug" stores debug messages too.
 */
QORA_API int32_t ProcessDBTimeSheetList(const char* TimesheetIDList, int32_t UserID, const char* GUID,
                                        const char* Server, const char* Database, const char* UserName,
                                        const char* Password);

/*
 * Copies "Version 8.0 SP4" into Buffer: the whole buffer is zero-filled
 * and at most BufferSize - 1 bytes of the text are copied, so the result is
 * always zero-terminated. Writes nothing when Buffer is null or BufferSize
 * is below 2.
 */
QORA_API void GetVersionString(char* Buffer, int32_t BufferSize);

#ifdef __cplusplus
}
#endif

#endif /* QORA_QORA_H */
