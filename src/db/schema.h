// Creating the payroll product's two databases and filling them with the
// sample data set.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/connection.h"

namespace qora {

enum class TDatabaseKind { Common, Payroll };

// The token under which the sample data registers its payroll database.
inline constexpr std::string_view kSamplePayrollToken = "QORA_SAMPLE";

// The schema script of one database for one back end (schema/schema_sources.h).
std::string SchemaScript(TDBBackend backend, TDatabaseKind kind);

// Creates every table, view, function and procedure of the database on an
// open connection. Objects that already exist make it fail (EDatabaseError).
void CreateDatabaseObjects(TDBConnection& connection, TDatabaseKind kind);

// The values to store in _hrtblPayrollDatabase (cServer, cDatabase) so that
// ConnectionParamsFor(cServer, cDatabase, user, password) reaches the
// database `params` describes. No password is stored: the engine connects
// with its own credentials (a PostgreSQL user name in cServer is used when
// the engine has none). A PostgreSQL schema is kept in cServer
// ("postgresql://user@host:port?schema=name").
struct TPayrollLocation {
  std::string Server;
  std::string Database;
};
TPayrollLocation PayrollLocationFor(const TDBConnectionParams& params);

// Inserts the sample data set (schema/sample_data.cpp) into the two
// databases, which may be one and the same connection, and registers the
// payroll database under kSamplePayrollToken at `location`. Identity columns
// continue after the sample's explicit IDs.
void InsertSampleData(TDBConnection& common, TDBConnection& payroll, const TPayrollLocation& location);

// Creates the common database's objects on `common` and the payroll
// database's on `payroll` (which may be the same connection) and, when
// `withSample`, the sample data, with the payroll database registered where
// `payroll` points. Each database is created in one transaction: when
// anything fails, the error propagates and neither database keeps any of
// it (unless the common one's commit itself fails after the payroll one's).
void CreateDatabases(TDBConnection& common, TDBConnection& payroll, bool withSample);
// CreateDatabases with one connection for both databases.
void InitDatabase(TDBConnection& connection, bool withSample);

// A fresh in-memory SQLite database (shared-cache, uniquely named) with both
// schemas and the sample data. The registry's payroll entry names the same
// in-memory database, so a payroll connection opened through the connection
// rule sees the same data while this connection stays open. Owned by the caller.
std::unique_ptr<TDBConnection> OpenSampleDatabase();

// The tables, views, functions and procedures of a database, by name.
struct TSchemaObjects {
  std::vector<std::string> Tables;
  std::vector<std::string> Views;
  std::vector<std::string> Functions;
  std::vector<std::string> Procedures;
};
const TSchemaObjects& SchemaObjects(TDatabaseKind kind);

}  // namespace qora
