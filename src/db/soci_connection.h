// TDBConnection on SOCI: SQLite (sqlite3), PostgreSQL (libpq) and SQL Server
// (ODBC) sessions behind the engine's connection interface.
//
// Rows are read as dynamic SOCI rows and every field is converted from the
// type the driver reports (SQLite reports text for dates and for computed
// columns; PostgreSQL reports dates as std::tm, which carries whole seconds)
// into a TDBValue. Each statement text is rewritten and scanned for its
// parameters once per connection; on SQLite it is also prepared once and
// run through SQLite itself (sqlite_statement.h), which reads fields the
// same way.
#pragma once

#include <functional>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "db/connection.h"
#include "db/sql_text.h"
#include "db/sqlite_statement.h"
#include "db/sqlite_work_pattern.h"

namespace soci {
class session;
}

namespace qora {

class TSociConnection : public TDBConnection {
 public:
  explicit TSociConnection(TDBConnectionParams params);
  ~TSociConnection() override;

  void Open() override;
  void Close() override;
  bool Connected() const override;

  TDBResult Query(std::string_view sql, const TDBParams& params = {}) override;
  void Execute(std::string_view sql, const TDBParams& params = {}) override;
  TDBRow ExecProc(std::string_view name, const TDBParams& params) override;
  std::unique_ptr<TDBProcCall> PrepareProc(std::string_view name, std::vector<std::string> names) override;
  // On SQLite (not through ODBC) the days are read in process.
  bool WorkPatternDays(int64_t employee, TDateTime from, TDateTime to, std::vector<TWorkPatternDay>& days) override;
  void ExecuteScript(std::string_view script) override;

  const TDBConnectionParams& Params() const override { return FParams; }
  const TSqlDialect& Dialect() const override { return *FDialect; }

  // The open SOCI session; throws EDatabaseError when not connected.
  soci::session& Session();
  // On an SQLite connection: `sql` rewritten and prepared as Query would,
  // once per connection: the statement is kept (it is not one of the
  // statements dropped when many are in use) until the connection closes,
  // and must not be used after. `names` is set to its parameters in binding
  // order. Throws EDatabaseError when not connected or SQLite rejects it.
  TSqliteStatement& PrepareSqlite(std::string_view sql, const std::vector<std::string>*& names);

 protected:
  void BeginWork() override;
  void CommitWork() override;
  void RollbackWork() override;

 private:
  // A statement by the text the engine wrote: rewritten for the back end
  // with its parameter markers, and on SQLite prepared.
  struct TCachedStatement {
    std::string Text;
    TMarkedStatement Marked;
    std::unique_ptr<TSqliteStatement> Prepared;
  };
  // Statements formatted with IDs would pile up: past this many the least
  // recently used one is dropped.
  static constexpr size_t kCachedStatements = 200;

  TCachedStatement& Cached(std::string_view sql);
  void DropStatements();
  TDBResult Run(std::string_view sql, const TDBParams& params, bool readRows);

  TDBConnectionParams FParams;
  const TSqlDialect* FDialect;
  std::unique_ptr<soci::session> FSession;
  // Most recently used first; the index keys are views of Text.
  std::list<TCachedStatement> FStatements;
  std::unordered_map<std::string_view, std::list<TCachedStatement>::iterator> FStatementIndex;
  // The statements of prepared procedure calls, by text.
  struct TKeptStatement {
    std::unique_ptr<TSqliteStatement> Statement;
    std::vector<std::string> Names;
  };
  // Found by a view of the text, without a copy of it.
  struct TTextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::unordered_map<std::string, TKeptStatement, TTextHash, std::equal_to<>> FKeptStatements;
  // Made on first use on SQLite; dropped with the statements.
  std::unique_ptr<TSqliteWorkPatternReader> FWorkPatterns;
};

}  // namespace qora
