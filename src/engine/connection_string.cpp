#include "engine/connection_string.h"

#include "common/format.h"

namespace qora {

std::string BuildConnectionString(const std::string& server, const std::string& database,
                                  const std::string& user_name, const std::string& password) {
  std::string text = Format(
      "Provider=%s;Data Source=%s;Persist Security Info=False;Use Procedure for Prepare=1;Auto Translate=True;"
      "Packet Size=4096;",
      "SQLOLEDB", server);
  if (!user_name.empty()) {
    text += Format("User ID=%s;Password=%s;", user_name, password);
  } else {
    text += "Integrated Security=SSPI;";
  }
  if (!database.empty()) text += Format("Initial Catalog=%s;", database);
  return text;
}

}  // namespace qora
