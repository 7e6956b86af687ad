// One costing line stored on SQLite through the connection: the same
// statement text every call (prepared once, then reused) against a text seen
// for the first time each call (rewritten, scanned and prepared every time),
// in the same run.
#include <benchmark/benchmark.h>

#include <string>

#include "db/connection.h"
#include "db/connection_params.h"

namespace {

using namespace qora;

std::unique_ptr<TDBConnection> CostingTable() {
  TDBConnectionParams params;
  params.Backend = TDBBackend::SQLite;
  params.Path = ":memory:";
  auto db = CreateConnection(params);
  db->Open();
  db->ExecuteScript("create table t (iRow integer, cName varchar(50), fUnits real, dStart timestamp)");
  return db;
}

void Run(benchmark::State& state, bool sameText) {
  auto db = CostingTable();
  const TDBParams params = {{"Row", 7}, {"Name", "Ordinary Hours"}, {"Units", 7.5},
                            {"Start", TDBValue::DateTime(45000.25)}};
  int64_t n = 0;
  db->StartTransaction();
  for (auto _ : state) {
    const std::string tag = sameText ? std::string() : " /* " + std::to_string(n) + " */";
    db->Execute("insert into t (iRow, cName, fUnits, dStart) select :Row, ISNULL(:Name, ''), :Units, :Start "
                "where :Row > 0" + tag, params);
    ++n;
  }
  db->Rollback();
  state.SetItemsProcessed(state.iterations());
}

void BM_StatementReused(benchmark::State& state) { Run(state, true); }
void BM_StatementNewEachCall(benchmark::State& state) { Run(state, false); }

BENCHMARK(BM_StatementReused);
BENCHMARK(BM_StatementNewEachCall);

}  // namespace
