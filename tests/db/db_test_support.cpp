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

std::string NewSqlitePath() {
  static std::atomic<int> counter{0};
  return "file:qora_test_" + std::to_string(getpid()) + "_" + std::to_string(++counter) +
         "?mode=memory&cache=shared";
}

std::string NewSchemaName() {
  static std::atomic<int> counter{0};
  return "qora_test_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
}

}  // namespace

TTestDatabase::TTestDatabase(TDBBackend backend, bool withSchema, bool withSample) {
  if (backend == TDBBackend::PostgreSQL) {
    FParams = ParseConnectionUri(PostgresTestUri());
    FSchema = NewSchemaName();
    auto admin = CreateConnection(FParams);
    admin->Open();
    admin->ExecuteScript("CREATE SCHEMA " + FSchema);
    FParams.Schema = FSchema;
  } else {
    FParams.Backend = TDBBackend::SQLite;
    FParams.Path = NewSqlitePath();
  }
  FConnection = CreateConnection(FParams);
  FConnection->Open();
  if (withSchema) InitDatabase(*FConnection, withSample);
}

TTestDatabase::~TTestDatabase() {
  FConnection.reset();
  if (FSchema.empty()) return;
  try {
    TDBConnectionParams adminParams = FParams;
    adminParams.Schema.clear();
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

std::string BackendParamName(const ::testing::TestParamInfo<TDBBackend>& info) {
  return BackendName(info.param);
}

void DbBackendTest::OpenDatabase(bool withSchema, bool withSample) {
  if (GetParam() == TDBBackend::PostgreSQL) {
    if (PostgresTestUri().empty()) GTEST_SKIP() << "QORA_TEST_PG is not set";
    try {
      CreateConnection(ParseConnectionUri(PostgresTestUri()))->Open();
    } catch (const std::exception& e) {
      GTEST_SKIP() << "PostgreSQL not reachable: " << e.what();
    }
  }
  FDatabase = std::make_unique<TTestDatabase>(GetParam(), withSchema, withSample);
}

}  // namespace qora::testing
