// Guards against tests sharing a database or leaving schemas behind: see db_test_support.h.
#include "db_test_support.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>

#include "db/schema.h"

namespace qora::testing {

std::string PostgresTestUri() {
  const char* uri = std::getenv("QORA_TEST_PG");
  return uri ? std::string(uri) : std::string();
}

namespace {

// Unique within the run: SQLite files in memory and PostgreSQL schemas.
std::string NewName() {
  static std::atomic<int> counter{0};
  return "qora_test_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
}

// The PostgreSQL parameters of a back end: through ODBC or libpq.
TDBConnectionParams PostgresParams(TTestBackend backend) {
  TDBConnectionParams params = ParseConnectionUri(PostgresTestUri());
  if (backend == TTestBackend::PostgreSQLOdbc) {
    const char* driver = std::getenv("QORA_TEST_PG_ODBC_DRIVER");
    params.ViaOdbc = true;
    params.OdbcDriver = driver && *driver ? std::string(driver) : std::string("PostgreSQL Unicode");
  }
  return params;
}

}  // namespace

TTestDatabase::TTestDatabase(TTestBackend backend, bool withSchema, bool withSample) {
  if (backend == TTestBackend::SQLite) {
    FParams.Backend = TDBBackend::SQLite;
    FParams.Path = "file:" + NewName() + "?mode=memory&cache=shared";
    FConnection = CreateConnection(FParams);
    FConnection->Open();
    if (withSchema) InitDatabase(*FConnection, withSample);
    return;
  }
  FParams = PostgresParams(TTestBackend::PostgreSQL);
  FSchema = NewName();
  auto admin = CreateConnection(FParams);
  admin->Open();
  admin->ExecuteScript("CREATE SCHEMA " + FSchema);
  FParams.Schema = FSchema;
  admin = CreateConnection(FParams);
  admin->Open();
  if (withSchema) InitDatabase(*admin, withSample);
  const TDBConnectionParams odbc = PostgresParams(backend);
  FParams.ViaOdbc = odbc.ViaOdbc;
  FParams.OdbcDriver = odbc.OdbcDriver;
  FConnection = CreateConnection(FParams);
  FConnection->Open();
}

TTestDatabase::~TTestDatabase() {
  FConnection.reset();
  if (FSchema.empty()) return;
  try {
    TDBConnectionParams adminParams = FParams;
    adminParams.Schema.clear();
    adminParams.ViaOdbc = false;
    auto admin = CreateConnection(adminParams);
    admin->Open();
    admin->ExecuteScript("DROP SCHEMA " + FSchema + " CASCADE");
  } catch (const std::exception& e) {
    ADD_FAILURE() << "could not drop test schema " << FSchema << ": " << e.what();
  }
}

std::unique_ptr<TDBConnection> TTestDatabase::OpenAnother() const {
  auto connection = CreateConnection(FParams);
  connection->Open();
  return connection;
}

std::string BackendParamName(const ::testing::TestParamInfo<TTestBackend>& info) {
  static const char* const names[] = {"sqlite", "postgresql", "postgresql_odbc"};
  return names[static_cast<int>(info.param)];
}

::testing::internal::ValueArray<TTestBackend, TTestBackend, TTestBackend> AllTestBackends() {
  return ::testing::Values(TTestBackend::SQLite, TTestBackend::PostgreSQL, TTestBackend::PostgreSQLOdbc);
}

void DbBackendTest::OpenDatabase(bool withSchema, bool withSample) {
  if (GetParam() != TTestBackend::SQLite) {
    if (PostgresTestUri().empty()) GTEST_SKIP() << "QORA_TEST_PG is not set";
    const TDBConnectionParams params = PostgresParams(GetParam());
    try {
      CreateConnection(params)->Open();
    } catch (const std::exception& e) {
      GTEST_SKIP() << "PostgreSQL not reachable" << (params.ViaOdbc ? " through ODBC: " : ": ") << e.what();
    }
  }
  FDatabase = std::make_unique<TTestDatabase>(GetParam(), withSchema, withSample);
}

}  // namespace qora::testing

// The psqlODBC driver does not free the error record of a statement the
// server rejected (320 bytes per failure, inside the driver). The tests make
// statements fail on purpose, so LeakSanitizer is told to ignore the
// driver's own allocations; leaks anywhere else still fail the run.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
  return "leak:psqlodbcw.so\nleak:psqlodbca.so\n";
}
