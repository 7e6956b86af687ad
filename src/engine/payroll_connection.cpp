#include "engine/payroll_connection.h"

#include "common/exceptions.h"

namespace qora {

void TPayrollConnection::SetParams(const TDBConnectionParams& params) {
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
  if (FInner) FInner->Close();
  ResetTransactions();
}
bool TPayrollConnection::Connected() const { return FInner && FInner->Connected(); }
TDBResult TPayrollConnection::Query(std::string_view sql, const TDBParams& params) {
  return Target().Query(sql, params);
}
void TPayrollConnection::Execute(std::string_view sql, const TDBParams& params) { Target().Execute(sql, params); }
TDBRow TPayrollConnection::ExecProc(std::string_view name, const TDBParams& params) {
  return Target().ExecProc(name, params);
}
const TDBConnectionParams& TPayrollConnection::Params() const {
  static const TDBConnectionParams kNowhere;
  return FInner ? FInner->Params() : kNowhere;
}
const TSqlDialect& TPayrollConnection::Dialect() const { return Target().Dialect(); }
void TPayrollConnection::ExecuteScript(std::string_view script) { Target().ExecuteScript(script); }

}  // namespace qora
