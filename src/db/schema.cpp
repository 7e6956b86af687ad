#include "db/schema.h"

#include <atomic>
#include <optional>

#include "common/text.h"
#include "db/schema/schema_sources.h"
#include "common/exceptions.h"

namespace qora {

namespace {

// PostgreSQL identity columns keep their own counters: after rows with
// explicit IDs, each is moved past the highest ID in use.
void ResetIdentityCounters(TDBConnection& connection) {
  const TDBResult columns = connection.Query(
      "select table_name, column_name from information_schema.columns "
      "where table_schema = current_schema() and is_identity = 'YES'");
  for (const TDBRow& row : columns) {
    const std::string table = row["table_name"].AsString();
    const std::string column = row["column_name"].AsString();
    connection.QueryValue("select setval(pg_get_serial_sequence(:TableName, :ColumnName), "
                          "coalesce((select max(" + column + ") from " + table + "), 0) + 1, false)",
                          {{"TableName", table}, {"ColumnName", column}});
  }
}

}  // namespace

std::string SchemaScript(TDBBackend backend, TDatabaseKind kind) {
  if (kind == TDatabaseKind::Common) {
    switch (backend) {
      case TDBBackend::SQLite: return std::string(schema::kCommonSqlite);
      case TDBBackend::PostgreSQL: return std::string(schema::kCommonPostgreSQL);
      case TDBBackend::SqlServer: return std::string(schema::kCommonSqlServer);
    }
    return {};
  }
  // Tables, then the shared views (each its own batch on SQL Server), then
  // the routines, some of which read the views.
  std::string_view tables = schema::kPayrollSqliteTables;
  std::string_view routines;
  if (backend == TDBBackend::PostgreSQL) {
    tables = schema::kPayrollPostgreSQLTables;
    routines = schema::kPayrollPostgreSQLRoutines;
  } else if (backend == TDBBackend::SqlServer) {
    tables = schema::kPayrollSqlServerTables;
    routines = schema::kPayrollSqlServerRoutines;
  }
  const char* terminator = backend == TDBBackend::SqlServer ? ";\nGO\n" : ";\n";
  std::string script(tables);
  for (std::string_view view : schema::kPayrollViews) script.append(view).append(terminator);
  return script.append(routines);
}

void CreateDatabaseObjects(TDBConnection& connection, TDatabaseKind kind) {
  connection.ExecuteScript(SchemaScript(connection.Params().Backend, kind));
}

TPayrollLocation PayrollLocationFor(const TDBConnectionParams& params) {
  switch (params.Backend) {
    case TDBBackend::SQLite:
      return {"sqlite", params.Path};
    case TDBBackend::PostgreSQL: {
      TDBConnectionParams server = params;
      server.Password.clear();
      server.Database.clear();
      return {server.ToUri(false), params.Database};
    }
    case TDBBackend::SqlServer:
      return {params.Port.empty() ? params.Host : params.Host + "," + params.Port, params.Database};
  }
  return {};
}

void InsertSampleData(TDBConnection& common, TDBConnection& payroll, const TPayrollLocation& location) {
  const bool sqlServer = common.Params().Backend == TDBBackend::SqlServer;
  common.Execute(
      "insert into _hrtblPayrollDatabase (idPayrollDatabase, cPayrollLinkToken, cDescription, cServer, cDatabase) "
      "values (1, :Token, :Description, :Server, :Database)",
      {{"Token", std::string(kSamplePayrollToken)},
       {"Description", "Sample payroll database"},
       {"Server", location.Server},
       {"Database", location.Database}});
  // SQL Server reads 'YYYY-MM-DD hh:mm:ss' by the login's language unless told.
  const std::string prefix = sqlServer ? "SET DATEFORMAT ymd;\n" : "";
  common.ExecuteScript(prefix + std::string(schema::kSampleCommon));
  payroll.ExecuteScript(prefix + std::string(schema::kSamplePayroll));
  if (common.Params().Backend == TDBBackend::PostgreSQL) ResetIdentityCounters(common);
  if (payroll.Params().Backend == TDBBackend::PostgreSQL && &payroll != &common) ResetIdentityCounters(payroll);
}

void CreateDatabases(TDBConnection& common, TDBConnection& payroll, bool withSample) {
  // A failure half-way must not leave a half-made database behind, which
  // the next attempt would then trip over.
  TDBTransaction common_work(common);
  std::optional<TDBTransaction> payroll_work;
  if (&payroll != &common) payroll_work.emplace(payroll);
  CreateDatabaseObjects(common, TDatabaseKind::Common);
  CreateDatabaseObjects(payroll, TDatabaseKind::Payroll);
  if (withSample) InsertSampleData(common, payroll, PayrollLocationFor(payroll.Params()));
  if (payroll_work) payroll_work->Commit();
  common_work.Commit();
}

void InitDatabase(TDBConnection& connection, bool withSample) { CreateDatabases(connection, connection, withSample); }

std::unique_ptr<TDBConnection> OpenSampleDatabase() {
  static std::atomic<int> counter{0};
  TDBConnectionParams params;
  params.Backend = TDBBackend::SQLite;
  params.Path = "file:qora_sample_" + std::to_string(++counter) + "?mode=memory&cache=shared";
  auto connection = CreateConnection(params);
  connection->Open();
  InitDatabase(*connection, true);
  return connection;
}

const TSchemaObjects& SchemaObjects(TDatabaseKind kind) {
  static const TSchemaObjects kCommon = {
      {"_hrtblPayrollDatabase", "_hrtblPerson", "_estblUsers", "_estblJobCode", "_estblTimesheet",
       "_estblTimesheetRow", "_estblTimesheetRowPlan", "_estblTimesheetRowHours", "_estblLeaveApplications",
       "_estblTimesheetLeave", "_estblTimesheetRDO", "_estblTimesheetAllowance", "_estblTimesheetCost",
       "_estblTimesheetMessages", "_iptblImportData"},
      {},
      {"_esfnTimesheetCycleFromDate"},
      {"_esspAddTimesheetMessage", "_qivAddTimesheetCost", "_ipspAddImportData"}};
  static const TSchemaObjects kPayroll = {
      {"_iptblPayFrequencies", "_iptblCostAccounts", "_iptblEmployee", "_iptblEmployeeRates_TD",
       "_iptblEmployeeLeave", "_iptblAwards", "_iptblAwards_TD", "_iptblPayClasses", "_iptblPayClasses_TD",
       "_iptblAwardCategories", "_iptblAwardCategoryLinks", "_iptblAwardConditionGroup", "_iptblAwardJobs",
       "_iptblAwardConditions", "_iptblEmployeeAwards_TD", "_iptblAdditionsDeductions",
       "_iptblEmployeeAddsDeds_TD", "PRPeriod", "_iptblEmployeeTrans", "_iptblRateTypes", "_iptblRateTypes_TD",
       "_iptblLeaveReasons", "_iptblUserDefinedLeave", "_iptblWorkPatterns", "_iptblWorkPatternDays",
       "_iptblEmployeeWorkPatterns_TD", "_iptblPublicHolidays"},
      {"_ipvPayClasses_TD", "_ipvAwardCategoryLinks", "_ipvAwardJobs", "_ipvEmployeeAwards",
       "_ipvAdditionsDeductions", "_ipvEmployeeAddsDeds", "_ipvEmployeeTrans"},
      {"_ipfnGetAwards", "_ipfnGetEmployeeWorkPatternDays", "_efnGetFreqPeriodData"},
      {"_ipspUpdateEmployeeAward_TD"}};
  return kind == TDatabaseKind::Common ? kCommon : kPayroll;
}

}  // namespace qora
