#include "engine/engine_connections.h"

#include "common/format.h"
#include "db/connection.h"
#include "common/exceptions.h"
#include "engine/payroll_connection.h"

namespace qora {

std::unique_ptr<TDBConnection> NewMainConnection(const ConnectionParams& params) {
  try {
    return CreateConnection(ConnectionParamsFor(params.server, params.database, params.user_name, params.password));
  } catch (const std::exception&) {
    throw eDatabaseException(
        Format("Could not connect to the QIV Common database:\"%s\\%s\"", params.server, params.database));
  }
}

std::unique_ptr<TDBConnection> NewPayrollConnection() { return std::make_unique<TPayrollConnection>(); }

}  // namespace qora
