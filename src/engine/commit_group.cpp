#include "engine/commit_group.h"

namespace qora {

TCostingCommitGroup::TCostingCommitGroup(TDBConnection* connection, std::chrono::milliseconds span)
    : FConnection(connection), FSpan(span) {}

TCostingCommitGroup::~TCostingCommitGroup() {
  try {
    Commit();
  } catch (...) {
    // The run is ending on another error; the transaction's own destructor
    // rolls back what could not be committed.
  }
}

void TCostingCommitGroup::Open() {
  // Where a failed timesheet could take the group's others with it, each
  // commits on its own.
  if (!FConnection || FOpen || !FConnection->LevelsOutliveFailures()) return;
  FOpen = std::make_unique<TDBTransaction>(*FConnection);
  FOpened = std::chrono::steady_clock::now();
}

void TCostingCommitGroup::CommitIfDue() {
  if (FOpen && std::chrono::steady_clock::now() - FOpened >= FSpan) Commit();
}

void TCostingCommitGroup::Commit() {
  if (!FOpen) return;
  // Closed first: a commit that throws leaves the transaction to its own
  // destructor, which rolls it back.
  const std::unique_ptr<TDBTransaction> open = std::move(FOpen);
  open->Commit();
}

}  // namespace qora
