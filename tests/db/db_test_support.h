// Guards against tests sharing a database: a fresh database per test on each back end (SQLite in memory, a new PostgreSQL schema dropped afterwards, the same reached through ODBC), with the schema and the sample data.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/connection.h"

namespace qora::testing {

enum class TTestBackend { SQLite, PostgreSQL, PostgreSQLOdbc };

// The PostgreSQL URI of QORA_TEST_PG, or "" when unset.
std::string PostgresTestUri();

// A database of the back end for one test: created in the constructor,
// removed in the destructor.
class TTestDatabase {
 public:
  // withSchema: create the objects of both databases; withSample: add the
  // sample data too. Throws when the back end cannot be reached.
  // The schema is created through libpq also for the ODBC back end.
  TTestDatabase(TTestBackend backend, bool withSchema, bool withSample);
  ~TTestDatabase();

  TDBConnection& Connection() { return *FConnection; }
  // Opens a second connection to the same database.
  std::unique_ptr<TDBConnection> OpenAnother() const;

 private:
  TDBConnectionParams FParams;
  std::unique_ptr<TDBConnection> FConnection;
  std::string FSchema;
};

std::string BackendParamName(const ::testing::TestParamInfo<TTestBackend>& info);
// Every back end a test runs on.
::testing::internal::ValueArray<TTestBackend, TTestBackend, TTestBackend> AllTestBackends();
// For tests of engine logic, where the back ends do not differ.
inline auto SqliteOnly() { return ::testing::Values(TTestBackend::SQLite); }

// The message of the E that `statement` throws; a test failure when it throws none.
template <class E, class F>
std::string ErrorOf(F statement) {
  try {
    statement();
  } catch (const E& e) {
    return e.what();
  }
  ADD_FAILURE() << "no exception thrown";
  return "";
}

// Fixture for tests run on every back end; skips PostgreSQL when it is not
// configured or not reachable.
class DbBackendTest : public ::testing::TestWithParam<TTestBackend> {
 protected:
  TDBBackend Backend() const {
    return GetParam() == TTestBackend::SQLite ? TDBBackend::SQLite : TDBBackend::PostgreSQL;
  }
  void OpenDatabase(bool withSchema, bool withSample);
  TDBConnection& Db() { return FDatabase->Connection(); }
  TTestDatabase& Database() { return *FDatabase; }

 private:
  std::unique_ptr<TTestDatabase> FDatabase;
};

}  // namespace qora::testing
