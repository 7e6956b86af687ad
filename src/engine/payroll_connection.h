// The payroll connection of a costing call. It starts empty and is pointed
// at the payroll database that an employee's link token names, possibly a
// different one for a later employee; everything that holds the connection
// keeps the same object meanwhile.
#pragma once

#include <memory>

#include "db/connection.h"

namespace qora {

class TPayrollConnection : public TDBConnection {
 public:
  TPayrollConnection() = default;

  // Closes the current database (if any) and points the connection at
  // `params`, not opened yet.
  void SetParams(const TDBConnectionParams& params);
  // True once SetParams has been called.
  bool HasTarget() const { return FInner != nullptr; }

  // Opening or querying a connection that points nowhere throws
  // eDatabaseException "The payroll database connection is not set up.".
  void Open() override;
  void Close() override;
  bool Connected() const override;
  TDBResult Query(std::string_view sql, const TDBParams& params = {}) override;
  void Execute(std::string_view sql, const TDBParams& params = {}) override;
  TDBRow ExecProc(std::string_view name, const TDBParams& params) override;
  // Empty parameters (an SQLite back end with no path) while it points nowhere.
  const TDBConnectionParams& Params() const override;
  const TSqlDialect& Dialect() const override;
  void ExecuteScript(std::string_view script) override;

 protected:
  // The transaction is the target database's.
  void BeginWork() override { Target().StartTransaction(); }
  void CommitWork() override { Target().Commit(); }
  void RollbackWork() override { Target().Rollback(); }

 private:
  TDBConnection& Target() const;

  std::unique_ptr<TDBConnection> FInner;
};

}  // namespace qora
