// The connection text a costing call builds from the caller's server,
// database and credentials.
#pragma once

#include <string>

namespace qora {

// "Provider=SQLOLEDB;Data Source=<Server>;Persist Security Info=False;Use
// Procedure for Prepare=1;Auto Translate=True;Packet Size=4096;" followed by
// "User ID=<UserName>;Password=<Password>;" when a user name is given (else
// "Integrated Security=SSPI;") and "Initial Catalog=<Database>;" when a
// database is given. The database layer reads the same keys back.
std::string BuildConnectionString(const std::string& server, const std::string& database,
                                  const std::string& user_name, const std::string& password);

}  // namespace qora
