// The payroll connection of a costing call. It starts empty and is pointed
// at the payroll database that an employee's link token names, possibly a
// different one for a later employee; everything that holds the connection
// keeps the same object meanwhile.
#pragma once

#include <chrono>
#include <memory>
#include <optional>

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
  bool WorkPatternDays(int64_t employee, TDateTime from, TDateTime to, std::vector<TWorkPatternDay>& days) override;
  // Empty parameters (an SQLite back end with no path) while it points nowhere.
  const TDBConnectionParams& Params() const override;
  const TSqlDialect& Dialect() const override;
  void ExecuteScript(std::string_view script) override;

  // While reads are held, the reads of an SQLite payroll database share one
  // read transaction, begun by the first read. On its own every read is a
  // transaction: it takes and drops the file's read lock and, after any
  // commit by another connection, reads its pages again, which made a stored
  // run's payroll look-ups cost more than the queries. Writing, opening a
  // transaction, closing or re-pointing the connection ends the shared read
  // first, so a write never meets a stale snapshot. Other back ends read as
  // before. Holding twice is holding once.
  void HoldReads() { FHoldReads = true; }
  // Ends the shared read and the hold; nothing to do when none is open.
  // Throws what the commit of the read transaction throws.
  void EndHeldReads();

 protected:
  // The transaction is the target database's.
  void BeginWork() override {
    EndSharedRead();
    Target().StartTransaction();
  }
  void CommitWork() override { Target().Commit(); }
  void RollbackWork() override { Target().Rollback(); }

 private:
  TDBConnection& Target() const;
  // Target(), having begun the shared read when reads are held.
  TDBConnection& ReadTarget();

  void EndSharedRead();

  std::unique_ptr<TDBConnection> FInner;
  bool FHoldReads = false;
  bool FSharedRead = false;
};

// Holds the reads of `connection` for its lifetime when it is a payroll
// connection (TPayrollConnection::HoldReads); a null or any other
// connection is left alone. The destructor ends the hold and swallows a
// failure to, as it runs while an error unwinds.
class TPayrollReadHold {
 public:
  explicit TPayrollReadHold(TDBConnection* connection);
  ~TPayrollReadHold();
  TPayrollReadHold(const TPayrollReadHold&) = delete;
  TPayrollReadHold& operator=(const TPayrollReadHold&) = delete;

  // Ends the hold early; throws as EndHeldReads does.
  void End();

 private:
  TPayrollConnection* FConnection;
};

// Holds a run's payroll reads a while at a time. Renew(), called between
// employees, ends the held read and starts another once `period` has passed
// since the held one began. Each employee is still costed from one state of
// the database; an edit made during the run shows from the next renewal on,
// and a write-ahead log can be emptied at least once a period. A read per
// employee took the file's lock and a snapshot for every one of them.
// Renew throws what ending the held read throws; the destructor ends the
// hold as TPayrollReadHold's does.
class TPayrollReadHolds {
 public:
  using TClock = std::chrono::steady_clock;
  TPayrollReadHolds(TDBConnection* connection, TClock::duration period)
      : FConnection(connection), FPeriod(period) {}

  void Renew() {
    const TClock::time_point now = TClock::now();
    if (FHold) {
      if (now - FBegan < FPeriod) return;
      FHold->End();
    }
    FHold.emplace(FConnection);
    FBegan = now;
  }
  // Ends the hold; the next Renew starts another.
  void End() { FHold.reset(); }

 private:
  TDBConnection* FConnection;
  TClock::duration FPeriod;
  TClock::time_point FBegan;
  std::optional<TPayrollReadHold> FHold;
};

}  // namespace qora
