#include "db/connection_params.h"

#include <cctype>
#include <cstdlib>

#include "common/text.h"
#include "db/db_error.h"

namespace qora {

namespace {

constexpr std::string_view kDefaultOdbcDriver = "FreeTDS";

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecode(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '%' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2]));
      i += 2;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::string PercentEncode(std::string_view s) {
  static const char* kHex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : s) {
    if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

// Splits "host:port" (or "host,port", the SQL Server form).
void SplitHostPort(std::string_view text, std::string& host, std::string& port) {
  const size_t sep = text.find_last_of(":,");
  if (sep == std::string_view::npos || text.find(']') != std::string_view::npos) {
    host = std::string(text);
    port.clear();
    return;
  }
  host = std::string(text.substr(0, sep));
  port = std::string(text.substr(sep + 1));
}

// libpq wants values with blanks or quotes single-quoted, backslash-escaped.
std::string LibpqValue(std::string_view value) {
  if (!value.empty() && value.find_first_of(" '\\") == std::string_view::npos) return std::string(value);
  std::string out = "'";
  for (char c : value) {
    if (c == '\'' || c == '\\') out += '\\';
    out += c;
  }
  return out + "'";
}

// ODBC attribute values with ';' or braces go in braces, '}' doubled.
std::string OdbcValue(std::string_view value) {
  if (value.find_first_of(";{}= ") == std::string_view::npos) return std::string(value);
  return "{" + StringReplaceAll(value, "}", "}}") + "}";
}

std::string OdbcDriverFromEnvironment() {
  const char* driver = std::getenv("QORA_ODBC_DRIVER");
  return driver && *driver ? std::string(driver) : std::string(kDefaultOdbcDriver);
}

std::string OdbcConnectString(const TDBConnectionParams& p) {
  std::string text = "DRIVER={" + (p.OdbcDriver.empty() ? std::string(kDefaultOdbcDriver) : p.OdbcDriver) + "};";
  text += "SERVER=" + OdbcValue(p.Host) + ";";
  if (!p.Port.empty()) text += "PORT=" + OdbcValue(p.Port) + ";";
  if (!p.Database.empty()) text += "DATABASE=" + OdbcValue(p.Database) + ";";
  if (p.UserName.empty() && p.Backend == TDBBackend::SqlServer) {
    text += "Trusted_Connection=Yes;";
  } else if (!p.UserName.empty()) {
    text += "UID=" + OdbcValue(p.UserName) + ";PWD=" + OdbcValue(p.Password) + ";";
  }
  // psqlODBC wraps every statement in a savepoint of its own and releases
  // it afterwards, which releases the engine's own savepoints with it; the
  // engine manages its transaction levels itself, so the driver must not.
  if (p.Backend == TDBBackend::PostgreSQL) text += "Protocol=7.4-1;";
  return text + (p.ViaOdbc ? std::string() : p.Options);
}

[[noreturn]] void ThrowBadUri(std::string_view uri) {
  throw EDatabaseError("Unsupported database URI \"" + std::string(uri) + "\"");
}

// Reads USER[:PASSWORD]@HOST[:PORT][/DATABASE][?query] into `params`.
void ParseNetworkUri(std::string_view rest, TDBConnectionParams& params) {
  std::string_view query;
  if (const size_t q = rest.find('?'); q != std::string_view::npos) {
    query = rest.substr(q + 1);
    rest = rest.substr(0, q);
  }
  if (const size_t slash = rest.find('/'); slash != std::string_view::npos) {
    params.Database = PercentDecode(rest.substr(slash + 1));
    rest = rest.substr(0, slash);
  }
  if (const size_t at = rest.rfind('@'); at != std::string_view::npos) {
    const std::string_view credentials = rest.substr(0, at);
    const size_t colon = credentials.find(':');
    params.UserName = PercentDecode(credentials.substr(0, colon));
    if (colon != std::string_view::npos) params.Password = PercentDecode(credentials.substr(colon + 1));
    rest = rest.substr(at + 1);
  }
  SplitHostPort(rest, params.Host, params.Port);
  while (!query.empty()) {
    const size_t amp = query.find('&');
    const std::string_view item = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    const size_t eq = item.find('=');
    const std::string key = LowerCase(item.substr(0, eq));
    const std::string value = eq == std::string_view::npos ? "" : PercentDecode(item.substr(eq + 1));
    if (key == "schema") {
      params.Schema = value;
    } else if (key == "driver" && params.Backend == TDBBackend::SqlServer) {
      params.OdbcDriver = value;
    } else if (key == "odbc" && params.Backend == TDBBackend::PostgreSQL) {
      params.ViaOdbc = true;
      params.OdbcDriver = value;
    } else if (!key.empty()) {
      if (!params.Options.empty()) params.Options += params.Backend == TDBBackend::SqlServer ? "" : " ";
      params.Options += params.Backend == TDBBackend::SqlServer ? key + "=" + OdbcValue(value) + ";"
                                                                 : key + "=" + LibpqValue(value);
    }
  }
}

}  // namespace

std::string BackendName(TDBBackend backend) {
  switch (backend) {
    case TDBBackend::SQLite: return "sqlite";
    case TDBBackend::PostgreSQL: return "postgresql";
    case TDBBackend::SqlServer: return "sqlserver";
  }
  return "unknown";
}

const std::string& TDBConnectionParams::DefaultDatabase() const {
  return Backend == TDBBackend::SQLite ? Path : Database;
}

std::string TDBConnectionParams::ConnectString() const {
  switch (Backend) {
    case TDBBackend::SQLite:
      // SOCI's SQLite back end reads a value with blanks in double quotes.
      return Path.find(' ') == std::string::npos ? "db=" + Path : "db=\"" + Path + "\"";
    case TDBBackend::PostgreSQL: {
      if (ViaOdbc) return OdbcConnectString(*this);
      std::string text;
      auto add = [&text](const char* key, const std::string& value) {
        if (value.empty()) return;
        if (!text.empty()) text += ' ';
        text += std::string(key) + "=" + LibpqValue(value);
      };
      add("host", Host);
      add("port", Port);
      add("dbname", Database);
      add("user", UserName);
      add("password", Password);
      if (!Options.empty()) text += (text.empty() ? "" : " ") + Options;
      return text;
    }
    case TDBBackend::SqlServer:
      return OdbcConnectString(*this);
  }
  return {};
}

std::string TDBConnectionParams::ToUri(bool withPassword) const {
  if (Backend == TDBBackend::SQLite) return "sqlite:" + Path;
  std::string uri = BackendName(Backend) + "://";
  if (!UserName.empty()) {
    uri += PercentEncode(UserName);
    if (withPassword && !Password.empty()) uri += ":" + PercentEncode(Password);
    uri += "@";
  }
  uri += Host;
  if (!Port.empty()) uri += ":" + Port;
  if (!Database.empty()) uri += "/" + PercentEncode(Database);
  std::string query;
  if (!Schema.empty()) query += "schema=" + PercentEncode(Schema);
  if (Backend == TDBBackend::SqlServer && !OdbcDriver.empty()) {
    query += (query.empty() ? "" : "&") + std::string("driver=") + PercentEncode(OdbcDriver);
  }
  if (Backend == TDBBackend::PostgreSQL && ViaOdbc) {
    query += (query.empty() ? "" : "&") + std::string("odbc=") + PercentEncode(OdbcDriver);
  }
  if (!query.empty()) uri += "?" + query;
  return uri;
}

TDBConnectionParams ParseConnectionUri(std::string_view uri) {
  TDBConnectionParams params;
  if (StartsText("sqlite:", uri)) {
    params.Backend = TDBBackend::SQLite;
    params.Path = std::string(uri.substr(7));
    if (params.Path.empty()) ThrowBadUri(uri);
    return params;
  }
  std::string_view rest;
  if (StartsText("postgresql://", uri)) {
    params.Backend = TDBBackend::PostgreSQL;
    rest = uri.substr(13);
  } else if (StartsText("postgres://", uri)) {
    params.Backend = TDBBackend::PostgreSQL;
    rest = uri.substr(11);
  } else if (StartsText("sqlserver://", uri)) {
    params.Backend = TDBBackend::SqlServer;
    params.OdbcDriver = OdbcDriverFromEnvironment();
    rest = uri.substr(12);
  } else {
    ThrowBadUri(uri);
  }
  ParseNetworkUri(rest, params);
  if (params.Host.empty()) ThrowBadUri(uri);
  return params;
}

TDBConnectionParams ConnectionParamsFor(std::string_view server, std::string_view database,
                                        std::string_view userName, std::string_view password) {
  TDBConnectionParams params;
  if (SameText(server, "sqlite")) {
    params.Path = std::string(database);
    return params;
  }
  if (StartsText("sqlite:", server)) {
    params.Path = std::string(server.substr(7));
    return params;
  }
  if (StartsText("postgresql://", server) || StartsText("postgres://", server) ||
      StartsText("sqlserver://", server)) {
    params = ParseConnectionUri(server);
  } else if (StartsText("pg:", server)) {
    params.Backend = TDBBackend::PostgreSQL;
    SplitHostPort(server.substr(3), params.Host, params.Port);
  } else {
    params.Backend = TDBBackend::SqlServer;
    params.OdbcDriver = OdbcDriverFromEnvironment();
    SplitHostPort(server, params.Host, params.Port);
  }
  if (!database.empty()) params.Database = std::string(database);
  if (!userName.empty()) params.UserName = std::string(userName);
  if (!password.empty()) params.Password = std::string(password);
  return params;
}

}  // namespace qora
