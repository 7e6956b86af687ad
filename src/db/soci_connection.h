// TDBConnection on SOCI: SQLite (sqlite3), PostgreSQL (libpq) and SQL Server
// (ODBC) sessions behind the engine's connection interface.
//
// Rows are read as dynamic SOCI rows and every field is converted from the
// type the driver reports (SQLite reports text for dates and for computed
// columns; PostgreSQL reports dates as std::tm, which carries whole seconds)
// into a TDBValue. Rewritten statements are cached per connection.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "db/connection.h"

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
  void ExecuteScript(std::string_view script) override;

  const TDBConnectionParams& Params() const override { return FParams; }
  const TSqlDialect& Dialect() const override { return *FDialect; }

  // The open SOCI session; throws EDatabaseError when not connected.
  soci::session& Session();

 protected:
  void BeginWork() override;
  void CommitWork() override;
  void RollbackWork() override;

 private:
  const std::string& Rewritten(std::string_view sql);
  TDBResult Run(std::string_view sql, const TDBParams& params, bool readRows);

  TDBConnectionParams FParams;
  const TSqlDialect* FDialect;
  std::unique_ptr<soci::session> FSession;
  std::map<std::string, std::string, std::less<>> FRewriteCache;
};

}  // namespace qora
