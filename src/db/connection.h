// The database connection as the engine sees it: statements in, rows out.
//
// Statements are written as the payroll product writes them for SQL Server,
// with named parameters ":Name" (matched ignoring case; a name may appear more
// than once). Each connection rewrites them for its back end through its
// dialect (sql_dialect.h): ISNULL, TOP n, dbo. prefixes, getdate(), date
// columns compared with day numbers, and the payroll functions. Values are
// always bound as parameters; only integers and validated ID lists
// (ValidateIdList, sql_text.h) may be formatted into the text.
//
// Stored procedures are called by name with "@" parameters (ExecProc). SQL
// Server runs EXEC, PostgreSQL CALLs the procedure of the same name, and for
// SQLite, which has none, the engine supplies them (sqlite_procedures.h).
//
// Statements run in autocommit unless a transaction is open (see
// StartTransaction); a failing statement throws EDatabaseError with the
// server's message; nothing is retried.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/connection_params.h"
#include "db/result.h"
#include "db/value.h"
#include "db/work_pattern_day.h"

namespace qora {

class TSqlDialect;

// A named parameter. The name is written without its ":" or "@". An output
// parameter of a procedure is passed with IsOutput set; its value is the
// input (usually null) and ExecProc returns what the procedure set.
struct TDBParam {
  std::string Name;
  TDBValue Value;
  bool IsOutput = false;
};
using TDBParams = std::vector<TDBParam>;

// A stored procedure made ready for many calls that pass the same input
// parameters in the same order, as when a timesheet's costing is stored
// line by line. Owned by the caller; it must not outlive its connection,
// nor be used after the connection was closed or reopened.
class TDBProcCall {
 public:
  virtual ~TDBProcCall() = default;
  TDBProcCall(const TDBProcCall&) = delete;
  TDBProcCall& operator=(const TDBProcCall&) = delete;

  // Calls the procedure with values[i] for the i-th name given when it was
  // prepared (a shorter list passes null for the rest). Throws as ExecProc.
  virtual void Run(const std::vector<TDBValue>& values) = 0;
  // As Run, free to move what it keeps out of `values`, which the caller
  // then fills anew: a costing passes several texts a line.
  virtual void RunConsuming(std::vector<TDBValue>& values) { Run(values); }
  // Makes the calls that Run held back. Run may hold calls to make several
  // at once (SQLite inserts a costing's rows several to a statement); a
  // held call fails when it is made, in a later Run or here. Calls still
  // held when the object is destroyed are dropped, as the transaction of a
  // store that failed drops what it stored. Nothing held: does nothing.
  virtual void Flush() {}

 protected:
  TDBProcCall() = default;
};

class TDBConnection {
 public:
  virtual ~TDBConnection() = default;
  TDBConnection(const TDBConnection&) = delete;
  TDBConnection& operator=(const TDBConnection&) = delete;

  // Opens the connection (reopens when already open). Throws
  // EDatabaseError with the driver's message when it cannot connect.
  virtual void Open() = 0;
  // Closes it; closing a closed connection does nothing.
  virtual void Close() = 0;
  virtual bool Connected() const = 0;

  // Runs a statement and reads all its rows. A statement without a result
  // set gives an empty result. Throws EDatabaseError when not connected,
  // when a parameter of the statement is missing from `params`, or when the
  // server rejects the statement.
  virtual TDBResult Query(std::string_view sql, const TDBParams& params = {}) = 0;
  // Runs a statement whose rows (if any) are not wanted.
  virtual void Execute(std::string_view sql, const TDBParams& params = {}) = 0;
  // Runs a stored procedure. Parameters not passed take the procedure's
  // defaults (null). Returns the output parameters by name (without "@"), an
  // empty row when there are none. An unknown procedure throws
  // EDatabaseError: on SQLite "Could not find stored procedure 'name'.",
  // elsewhere with the server's message.
  virtual TDBRow ExecProc(std::string_view name, const TDBParams& params) = 0;
  // The procedure `name` ready to be called with the input parameters
  // `names` (without "@"), by position; no outputs are read. This one calls
  // ExecProc for each run; a back end may do the per-call work once here
  // instead. An unknown procedure throws on the first run or here.
  virtual std::unique_ptr<TDBProcCall> PrepareProc(std::string_view name, std::vector<std::string> names);
  // The days "_ipfnGetEmployeeWorkPatternDays(employee, from, to, 0)" gives
  // (dDate, fHours, cPublicHoliday), read in process where the back end can
  // read them exactly as the query would: a costing run asks for every
  // employee's. False, with `days` untouched, where it cannot; the caller
  // then runs the query. This one always answers false. Throws
  // EDatabaseError where the query would fail.
  virtual bool WorkPatternDays(int64_t employee, TDateTime from, TDateTime to, std::vector<TWorkPatternDay>& days);

  // Transactions nest: the outermost StartTransaction begins a transaction,
  // each inner one a savepoint, so that a routine that must be atomic can
  // open its own whether or not its caller has one. Commit and Rollback end
  // the innermost level; Rollback of an inner level undoes only that level.
  // Throws EDatabaseError when not connected; Commit or Rollback without an
  // open level throws std::logic_error.
  void StartTransaction();
  void Commit();
  void Rollback();
  // Open levels; 0 in autocommit.
  int TransactionDepth() const { return FTransactionDepth; }
  // Whether a statement that fails inside an inner level leaves the levels
  // below it as they were, once that level is rolled back: true on SQLite
  // and on PostgreSQL through its own client. Through ODBC a failure may end
  // the whole transaction (psqlODBC is told to, see the connect string; SQL
  // Server dooms a transaction on some errors), so work that must not be
  // lost with another's failure is committed at its own level there.
  bool LevelsOutliveFailures() const { return !Params().UsesOdbc(); }

  // Where this connection goes.
  virtual const TDBConnectionParams& Params() const = 0;
  // The SQL forms of this connection's back end.
  virtual const TSqlDialect& Dialect() const = 0;

  // The first column of the first row; null when the query returns no row.
  TDBValue QueryValue(std::string_view sql, const TDBParams& params = {});
  // Runs a script of several statements as written, without parameters and
  // without rewriting (schema scripts are written per back end). SQL Server
  // scripts are split at "GO" lines. Stops at the first failing statement.
  virtual void ExecuteScript(std::string_view script) = 0;

 protected:
  TDBConnection() = default;
  // The back end's statements for the outermost level (begin, commit,
  // rollback); the savepoint statements are written from the dialect.
  virtual void BeginWork() = 0;
  virtual void CommitWork() = 0;
  virtual void RollbackWork() = 0;
  // Closing a connection abandons its transaction.
  void ResetTransactions() { FTransactionDepth = 0; }

 private:
  int FTransactionDepth = 0;
};

// Opens a transaction level on construction and rolls it back on
// destruction unless Commit was called: an exception between the two leaves
// the database as it was.
class TDBTransaction {
 public:
  explicit TDBTransaction(TDBConnection& connection) : FConnection(connection) { FConnection.StartTransaction(); }
  ~TDBTransaction() {
    if (!FDone) {
      try {
        FConnection.Rollback();
      } catch (...) {
        // A rollback that fails (the connection is gone) has nothing left to undo.
      }
    }
  }
  TDBTransaction(const TDBTransaction&) = delete;
  TDBTransaction& operator=(const TDBTransaction&) = delete;
  void Commit() {
    FConnection.Commit();
    FDone = true;
  }

 private:
  TDBConnection& FConnection;
  bool FDone = false;
};

// A connection for `params`, not opened yet.
std::unique_ptr<TDBConnection> CreateConnection(const TDBConnectionParams& params);

// Connects through the rule of connection_params.h and opens the connection.
std::unique_ptr<TDBConnection> OpenConnection(std::string_view server, std::string_view database,
                                              std::string_view userName, std::string_view password);

}  // namespace qora
