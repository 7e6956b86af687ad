#include "engine/payroll_connection.h"

#include <exception>

#include "common/exceptions.h"

namespace qora {

void TPayrollConnection::SetParams(const TDBConnectionParams& params) {
  EndSharedRead();
  if (FInner) FInner->Close();
  ResetTransactions();
  FInner = CreateConnection(params);
}

TDBConnection& TPayrollConnection::Target() const {
  if (!FInner) throw eDatabaseException("The payroll database connection is not set up.");
  return *FInner;
}

void TPayrollConnection::Open() { Target().Open(); }
void TPayrollConnection::Close() {
  EndSharedRead();
  if (FInner) FInner->Close();
  ResetTransactions();
}
bool TPayrollConnection::Connected() const { return FInner && FInner->Connected(); }
TDBConnection& TPayrollConnection::ReadTarget() {
  TDBConnection& target = Target();
  if (FHoldReads && !FSharedRead && TransactionDepth() == 0 && target.Connected() &&
      target.Params().Backend == TDBBackend::SQLite && target.TransactionDepth() == 0) {
    target.StartTransaction();
    FSharedRead = true;
  }
  return target;
}

TDBResult TPayrollConnection::Query(std::string_view sql, const TDBParams& params) {
  return ReadTarget().Query(sql, params);
}

bool TPayrollConnection::WorkPatternDays(int64_t employee, TDateTime from, TDateTime to,
                                         std::vector<TWorkPatternDay>& days) {
  return ReadTarget().WorkPatternDays(employee, from, to, days);
}
void TPayrollConnection::Execute(std::string_view sql, const TDBParams& params) {
  EndSharedRead();
  Target().Execute(sql, params);
}
TDBRow TPayrollConnection::ExecProc(std::string_view name, const TDBParams& params) {
  EndSharedRead();
  return Target().ExecProc(name, params);
}
void TPayrollConnection::EndHeldReads() {
  FHoldReads = false;
  EndSharedRead();
}
void TPayrollConnection::EndSharedRead() {
  if (!FSharedRead) return;
  FSharedRead = false;
  if (FInner && FInner->Connected() && FInner->TransactionDepth() > 0) FInner->Commit();
}
TPayrollReadHold::TPayrollReadHold(TDBConnection* connection)
    : FConnection(dynamic_cast<TPayrollConnection*>(connection)) {
  if (FConnection) FConnection->HoldReads();
}
TPayrollReadHold::~TPayrollReadHold() {
  try {
    End();
  } catch (const std::exception&) {
    // The connection reports the failure on its next use.
  }
}
void TPayrollReadHold::End() {
  if (FConnection) FConnection->EndHeldReads();
}

const TDBConnectionParams& TPayrollConnection::Params() const {
  static const TDBConnectionParams kNowhere;
  return FInner ? FInner->Params() : kNowhere;
}
const TSqlDialect& TPayrollConnection::Dialect() const { return Target().Dialect(); }
void TPayrollConnection::ExecuteScript(std::string_view script) { Target().ExecuteScript(script); }

}  // namespace qora
