// The database connections a costing call creates, as the engine core sees
// them: created from the caller's server, database and credentials, opened
// inside the protected section, asked whether they are open at the end.
#pragma once

#include <memory>
#include <string>

namespace qora {

class TDBConnection;

struct ConnectionParams {
  std::string server;
  std::string database;
  std::string user_name;
  std::string password;
};

// A main (common database) connection for the parameters, not opened yet.
// The parameters name the back end by the database layer's connection rule
// (db/connection_params.h). Throws eDatabaseException "Could not connect to the QIV Common
// database:"<server>\<database>"" when the connection object cannot be set up.
std::unique_ptr<TDBConnection> NewMainConnection(const ConnectionParams& params);
// An empty payroll connection; the timesheet manager points it at the
// payroll database an employee's link token names (TPayrollConnection).
std::unique_ptr<TDBConnection> NewPayrollConnection();

}  // namespace qora
