// Committing stored timesheets' costing in groups.
//
// Each stored timesheet is costed in a transaction of its own, so that a
// failure part-way leaves its previous costing as it was. Committing every
// one of them made the commit the larger part of a database run's cost: each
// commit writes the same half-filled pages of the costing table and its
// indexes to the log again. A group keeps one transaction open across
// timesheets for a short span, each timesheet a savepoint inside it, and
// commits when the span has passed.
#pragma once

#include <chrono>
#include <memory>

#include "db/connection.h"

namespace qora {

class TCostingCommitGroup {
 public:
  // How long a group stays open: short enough that others waiting to write
  // to the database wait no longer than a moment, long enough to take the
  // commits out of a run's cost.
  static constexpr std::chrono::milliseconds kDefaultSpan{200};

  // `connection` may be null (nothing is grouped); it must outlive the group.
  explicit TCostingCommitGroup(TDBConnection* connection, std::chrono::milliseconds span = kDefaultSpan);
  // Commits what the group holds, as each timesheet committed on its own
  // would have kept it; a commit that fails then is not reported (the
  // exception that ends the run is), and the group's timesheets keep their
  // previous costing.
  ~TCostingCommitGroup();
  TCostingCommitGroup(const TCostingCommitGroup&) = delete;
  TCostingCommitGroup& operator=(const TCostingCommitGroup&) = delete;

  // Opens the group's transaction unless one is open, or the connection's
  // levels do not outlive a failure (each timesheet then commits on its
  // own). Called before a timesheet's first write: a read before it would
  // make the transaction one that may not be allowed to write later on
  // SQLite.
  void Open();
  // Commits once the group has been open for its span; nothing when closed.
  void CommitIfDue();
  // Commits an open group; nothing when closed. Throws EDatabaseError.
  void Commit();

 private:
  TDBConnection* FConnection;
  std::chrono::milliseconds FSpan;
  std::unique_ptr<TDBTransaction> FOpen;
  std::chrono::steady_clock::time_point FOpened;
};

}  // namespace qora
