// Test databases: a fresh database per test on each back end, with the full
// schema and the sample data. SQLite is an in-memory database; PostgreSQL is
// used when QORA_TEST_PG holds a reachable URI, each test getting a new
// schema that is dropped afterwards.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/connection.h"

namespace qora::testing {

// The PostgreSQL URI of QORA_TEST_PG, or "" when unset.
std::string PostgresTestUri();

// A database of the back end for one test: created in the constructor,
// removed in the destructor.
class TTestDatabase {
 public:
  // withSchema: create the objects of both databases; withSample: add the
  // sample data too. Throws when the back end cannot be reached.
  TTestDatabase(TDBBackend backend, bool withSchema, bool withSample);
  ~TTestDatabase();

  TDBConnection& Connection() { return *FConnection; }
  // Opens a second connection to the same database.
  std::unique_ptr<TDBConnection> OpenAnother() const;

 private:
  TDBConnectionParams FParams;
  std::unique_ptr<TDBConnection> FConnection;
  std::string FSchema;
};

std::string BackendParamName(const ::testing::TestParamInfo<TDBBackend>& info);

// Fixture for tests run on every back end; skips PostgreSQL when it is not
// configured or not reachable.
class DbBackendTest : public ::testing::TestWithParam<TDBBackend> {
 protected:
  void OpenDatabase(bool withSchema, bool withSample);
  TDBConnection& Db() { return FDatabase->Connection(); }
  TTestDatabase& Database() { return *FDatabase; }

 private:
  std::unique_ptr<TTestDatabase> FDatabase;
};

}  // namespace qora::testing
