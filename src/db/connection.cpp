#include "db/connection.h"

#include <stdexcept>

#include "db/sql_dialect.h"

namespace qora {

namespace {

// Savepoints are named by depth, so an inner level always refers to its own.
std::string SavepointName(int depth) { return "qora_level_" + std::to_string(depth); }

// Every run is an ExecProc with the names given once.
class TNamedProcCall : public TDBProcCall {
 public:
  TNamedProcCall(TDBConnection& connection, std::string_view name, std::vector<std::string> names)
      : FConnection(connection), FName(name) {
    for (std::string& n : names) FParams.push_back({std::move(n), TDBValue()});
  }
  void Run(const std::vector<TDBValue>& values) override {
    for (size_t i = 0; i < FParams.size(); ++i) FParams[i].Value = i < values.size() ? values[i] : TDBValue();
    FConnection.ExecProc(FName, FParams);
  }

 private:
  TDBConnection& FConnection;
  std::string FName;
  TDBParams FParams;
};

}  // namespace

std::unique_ptr<TDBProcCall> TDBConnection::PrepareProc(std::string_view name, std::vector<std::string> names) {
  return std::make_unique<TNamedProcCall>(*this, name, std::move(names));
}

bool TDBConnection::WorkPatternDays(int64_t, TDateTime, TDateTime, std::vector<TWorkPatternDay>&) { return false; }

void TDBConnection::StartTransaction() {
  if (FTransactionDepth == 0) {
    BeginWork();
  } else if (Dialect().Backend() == TDBBackend::SqlServer) {
    Execute("SAVE TRANSACTION " + SavepointName(FTransactionDepth));
  } else {
    Execute("SAVEPOINT " + SavepointName(FTransactionDepth));
  }
  ++FTransactionDepth;
}

void TDBConnection::Commit() {
  if (FTransactionDepth == 0) throw std::logic_error("Commit without an open transaction.");
  --FTransactionDepth;
  if (FTransactionDepth == 0) {
    CommitWork();
  } else if (Dialect().Backend() != TDBBackend::SqlServer) {
    // SQL Server savepoints need no release: the outer commit keeps their work.
    Execute("RELEASE SAVEPOINT " + SavepointName(FTransactionDepth));
  }
}

void TDBConnection::Rollback() {
  if (FTransactionDepth == 0) throw std::logic_error("Rollback without an open transaction.");
  --FTransactionDepth;
  if (FTransactionDepth == 0) {
    RollbackWork();
  } else if (Dialect().Backend() == TDBBackend::SqlServer) {
    Execute("ROLLBACK TRANSACTION " + SavepointName(FTransactionDepth));
  } else {
    Execute("ROLLBACK TO SAVEPOINT " + SavepointName(FTransactionDepth));
    Execute("RELEASE SAVEPOINT " + SavepointName(FTransactionDepth));
  }
}

TDBValue TDBConnection::QueryValue(std::string_view sql, const TDBParams& params) {
  const TDBResult result = Query(sql, params);
  if (result.Empty() || result[0].FieldCount() == 0) return TDBValue();
  return result[0].Field(0);
}

}  // namespace qora
