// Where a database connection goes, and the one rule that turns the payroll
// product's (Server, Database, UserName, Password) quadruple into it.
//
// The rule (ConnectionParamsFor), tried in this order:
//  1. Server "sqlite" (any case): an SQLite database; Database is its file
//     path, ":memory:", or an SQLite "file:" URI (file:name?mode=memory&cache=shared
//     shares one in-memory database between the connections of a process).
//  2. Server "sqlite:PATH": an SQLite database at PATH (Database is ignored).
//  3. Server "postgresql://...", "postgres://..." or "sqlserver://...": read
//     with ParseConnectionUri; a non-empty Database replaces the URI's
//     database, a non-empty UserName/Password the URI's credentials.
//  4. Server "pg:HOST[:PORT]": PostgreSQL on HOST (port 5432 by default) with
//     Database, UserName and Password as given.
//  5. Anything else: Microsoft SQL Server through ODBC, Server being the host
//     ("host,port" or "host:port" give a port), with the ODBC driver named by
//     the environment variable QORA_ODBC_DRIVER, "FreeTDS" when it is unset.
//     An empty UserName asks for a trusted (integrated) login.
// SQLite is chosen only when the server says so: a server name that merely
// looks like a file, or a database named like one, still goes to SQL
// Server, so that a host naming a server reaches that server or fails to
// connect - it never gets a new, empty local file instead.
#pragma once

#include <string>
#include <string_view>

namespace qora {

enum class TDBBackend { SQLite, PostgreSQL, SqlServer };

// The name used in messages and URIs: "sqlite", "postgresql", "sqlserver".
std::string BackendName(TDBBackend backend);

struct TDBConnectionParams {
  TDBBackend Backend = TDBBackend::SQLite;
  // SQLite: the file path, ":memory:" or a "file:" URI.
  std::string Path;
  // PostgreSQL and SQL Server.
  std::string Host;
  std::string Port;
  std::string Database;
  std::string UserName;
  std::string Password;
  // PostgreSQL: the schema the connection works in (set as its search_path
  // right after connecting); empty keeps the server's default ("public").
  std::string Schema;
  // SQL Server: the ODBC driver name. PostgreSQL: set together with ViaOdbc.
  std::string OdbcDriver;
  // PostgreSQL reached through the ODBC driver OdbcDriver (psqlODBC) instead
  // of libpq: the same SQL, the driver manager's transport. SQL Server is
  // always reached through ODBC.
  bool ViaOdbc = false;
  // Further driver options: libpq "key=value" pairs separated by blanks, or
  // ODBC "KEY=value;" attributes. Appended to the connect string unchanged.
  std::string Options;

  // The database a connection with these parameters opens by default: the
  // SQLite path, otherwise Database. The payroll connection is reused when
  // this equals the registry's cDatabase.
  const std::string& DefaultDatabase() const;
  // True when the connection goes through the ODBC driver manager.
  bool UsesOdbc() const { return Backend == TDBBackend::SqlServer || ViaOdbc; }
  // The driver's connect string (libpq keywords, ODBC attributes, SQLite "db=").
  std::string ConnectString() const;
  // A URI that ParseConnectionUri reads back to the same parameters, with
  // the password left out when `withPassword` is false (for messages).
  std::string ToUri(bool withPassword = true) const;
};

// The connection rule described above. Throws nothing: every input names
// some backend; a bad address shows when the connection is opened.
TDBConnectionParams ConnectionParamsFor(std::string_view server, std::string_view database,
                                        std::string_view userName, std::string_view password);

// Reads a target URI as the qora tool takes it:
//   sqlite:PATH                      (PATH may be ":memory:" or a "file:" URI)
//   postgresql://[USER[:PASSWORD]@]HOST[:PORT][/DATABASE][?schema=S&odbc=DRIVER&key=value...]
//   sqlserver://[USER[:PASSWORD]@]HOST[:PORT][/DATABASE][?driver=NAME]
// "postgres://" is accepted for "postgresql://". Percent escapes (%20) are
// decoded in user, password, database and option values. Query keys other
// than "schema", "odbc" (PostgreSQL through that ODBC driver) and "driver"
// (SQL Server's ODBC driver) pass to the driver as options.
// Throws EDatabaseError "Unsupported database URI \"...\"" for any other
// form, and for an empty SQLite path.
TDBConnectionParams ParseConnectionUri(std::string_view uri);

}  // namespace qora
