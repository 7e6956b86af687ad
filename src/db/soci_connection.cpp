#include "db/soci_connection.h"
#include "db/soci_native.h"

#include <soci/postgresql/soci-postgresql.h>
#include <soci/soci.h>
#include <soci/sqlite3/soci-sqlite3.h>
#include <soci/odbc/soci-odbc.h>

#include <cmath>
#include <ctime>
#include <deque>

#include "common/text.h"
#include "db/sql_dialect.h"
#include "db/sql_text.h"
#include "db/sqlite_procedures.h"
#include "db/db_error.h"

namespace qora {

namespace {

const soci::backend_factory& FactoryFor(const TDBConnectionParams& params) {
  if (params.UsesOdbc()) return *soci::factory_odbc();
  return params.Backend == TDBBackend::SQLite ? *soci::factory_sqlite3() : *soci::factory_postgresql();
}

// The statement rewritten for the back end, its parameters marked ":p1",
// ":p2", ... in binding order.
TMarkedStatement MarkForBackend(const TSqlDialect& dialect, std::string_view sql) {
  return MarkParameters(dialect.Rewrite(sql), [](int k) { return ":p" + std::to_string(k); });
}

// Holds the bound values at stable addresses while a statement runs.
class TBindings {
 public:
  // SQL Server gets dates as ODBC timestamps, which it reads whatever the
  // login's language; the other back ends get the stored text form.
  explicit TBindings(bool datesAsTimestamps) : FDatesAsTimestamps(datesAsTimestamps) {}

  void Bind(soci::statement& st, const TDBValue& value) {
    if (FDatesAsTimestamps && value.GetKind() == TDBValue::Kind::DateTime) {
      FDates.push_back(ToTm(value.AsDateTime()));
      st.exchange(soci::use(FDates.back()));
      return;
    }
    switch (value.GetKind()) {
      case TDBValue::Kind::Integer:
        FIntegers.push_back(static_cast<long long>(value.AsLargeInt()));
        st.exchange(soci::use(FIntegers.back()));
        return;
      case TDBValue::Kind::Float:
        FFloats.push_back(value.AsFloat());
        st.exchange(soci::use(FFloats.back()));
        return;
      case TDBValue::Kind::Null:
        FTexts.emplace_back();
        FIndicators.push_back(soci::i_null);
        st.exchange(soci::use(FTexts.back(), FIndicators.back()));
        return;
      case TDBValue::Kind::Text:
      case TDBValue::Kind::DateTime:
        FTexts.push_back(value.AsString());
        st.exchange(soci::use(FTexts.back()));
        return;
    }
  }

 private:
  std::deque<long long> FIntegers;
  std::deque<double> FFloats;
  std::deque<std::string> FTexts;
  std::deque<soci::indicator> FIndicators;
  std::deque<std::tm> FDates;
  bool FDatesAsTimestamps;

  static std::tm ToTm(TDateTime value) {
    std::tm tm{};
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
    // Take the value to whole seconds first, so that 23:59:59.9 is the next day.
    const TDateTime rounded = std::round(value * 86400.0) / 86400.0;
    DecodeDate(rounded, year, month, day);
    DecodeTime(rounded, hour, minute, second, ms);
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    return tm;
  }
};

TDBValue ReadField(const soci::row& row, std::size_t i) {
  if (row.get_indicator(i) == soci::i_null) return TDBValue();
  switch (row.get_properties(i).get_data_type()) {
    case soci::dt_string:
    case soci::dt_xml:
      return TDBValue(row.get<std::string>(i));
    case soci::dt_double:
      return TDBValue(row.get<double>(i));
    case soci::dt_integer:
      return TDBValue(static_cast<int64_t>(row.get<int>(i)));
    case soci::dt_long_long:
      return TDBValue(static_cast<int64_t>(row.get<long long>(i)));
    case soci::dt_unsigned_long_long:
      return TDBValue(static_cast<int64_t>(row.get<unsigned long long>(i)));
    case soci::dt_date: {
      const std::tm tm = row.get<std::tm>(i);
      return TDBValue::DateTime(
          EncodeDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec));
    }
    case soci::dt_blob:
      break;
  }
  throw EDatabaseError("Field '" + row.get_properties(i).get_name() + "' has a type that cannot be read");
}

std::shared_ptr<const TDBColumns> ReadColumns(const soci::row& row) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < row.size(); ++i) names.push_back(row.get_properties(i).get_name());
  return std::make_shared<const TDBColumns>(std::move(names));
}

std::string QuoteIdentifier(std::string_view name) { return "\"" + StringReplaceAll(name, "\"", "\"\"") + "\""; }

}  // namespace

TSociConnection::TSociConnection(TDBConnectionParams params)
    : FParams(std::move(params)), FDialect(&DialectFor(FParams.Backend)) {}

// A prepared statement must be finalized before its connection closes, or
// SQLite keeps the connection open.
TSociConnection::~TSociConnection() { DropStatements(); }

void TSociConnection::DropStatements() {
  FStatementIndex.clear();
  FStatements.clear();
  FKeptStatements.clear();
  FWorkPatterns.reset();
}

bool TSociConnection::WorkPatternDays(int64_t employee, TDateTime from, TDateTime to,
                                      std::vector<TWorkPatternDay>& days) {
  if (FParams.Backend != TDBBackend::SQLite || FParams.UsesOdbc()) return false;
  if (!FWorkPatterns) FWorkPatterns = std::make_unique<TSqliteWorkPatternReader>(SqliteHandle(Session()));
  return FWorkPatterns->Days(employee, from, to, days);
}

namespace {

void UseWriteAheadLog(sqlite_api::sqlite3* db) {
  bool wal = false;
  const auto mode = [](void* out, int, char** values, char**) {
    *static_cast<bool*>(out) = values[0] != nullptr && std::string_view(values[0]) == "wal";
    return 0;
  };
  // A new, empty file is made with 16 KB pages: a stored run writes each page
  // it fills to the log and again into the file, a system call a page, and
  // four times fewer pages cost less. A file with content keeps its size,
  // as SQLite does once a file is in write-ahead mode.
  sqlite_api::sqlite3_exec(db, "PRAGMA page_size = 16384", nullptr, nullptr, nullptr);
  sqlite_api::sqlite3_exec(db, "PRAGMA journal_mode = WAL", mode, &wal, nullptr);
  if (wal) sqlite_api::sqlite3_exec(db, "PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
}

// SQLite counts the memory it holds under a process-wide lock, taken and
// released on every allocation: 3.5 % of a stored run's instructions. The
// counts serve only sqlite3_memory_used and a soft heap limit, which
// nothing here uses. The setting can only be made before SQLite starts in
// the process; when a host started it first, it stays as the host has it.
void SkipSqliteMemoryStatistics() {
  static const int once = sqlite_api::sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  (void)once;
}

}  // namespace

void TSociConnection::Open() {
  Close();
  if (FParams.Backend == TDBBackend::SQLite) SkipSqliteMemoryStatistics();
  try {
    auto session = std::make_unique<soci::session>(FactoryFor(FParams), FParams.ConnectString());
    if (FParams.Backend == TDBBackend::SQLite) {
      RegisterSqliteFunctions(*session);
      // A costing run commits once per timesheet. With a write-ahead log and
      // NORMAL syncing a commit costs no disk sync (the log is synced at
      // checkpoints), and a transaction is still kept whole or not at all
      // through a crash or power cut; only the last commits before a power
      // cut may be undone. A database that cannot switch (read-only, in
      // memory) keeps its mode and its full syncing: nothing else depends on it.
      UseWriteAheadLog(SqliteHandle(*session));
      // Each shift of a stored timesheet is a savepoint, whose undo record
      // SQLite writes to a temporary file once it outgrows a small buffer:
      // a costing run then wrote more to temporary files than to the
      // database. Kept in memory, it lasts only until the timesheet commits.
      sqlite_api::sqlite3_exec(SqliteHandle(*session), "PRAGMA temp_store = MEMORY", nullptr, nullptr, nullptr);
    }
    if (FParams.Backend == TDBBackend::PostgreSQL) {
      *session << "SET client_min_messages TO warning";
      if (!FParams.Schema.empty()) *session << "SET search_path TO " + QuoteIdentifier(FParams.Schema);
    }
    FSession = std::move(session);
  } catch (const soci::soci_error& e) {
    throw EDatabaseError(e.what());
  }
}

void TSociConnection::Close() {
  DropStatements();
  FSession.reset();
  ResetTransactions();
}

void TSociConnection::BeginWork() {
  try {
    Session().begin();
  } catch (const soci::soci_error& e) {
    throw EDatabaseError(e.what());
  }
}

void TSociConnection::CommitWork() {
  try {
    Session().commit();
  } catch (const soci::soci_error& e) {
    throw EDatabaseError(e.what());
  }
}

void TSociConnection::RollbackWork() {
  try {
    Session().rollback();
  } catch (const soci::soci_error& e) {
    throw EDatabaseError(e.what());
  }
}

bool TSociConnection::Connected() const { return FSession != nullptr; }

soci::session& TSociConnection::Session() {
  if (!FSession) throw EDatabaseError("Connection is not open: " + FParams.ToUri(false));
  return *FSession;
}

TSociConnection::TCachedStatement& TSociConnection::Cached(std::string_view sql) {
  if (const auto found = FStatementIndex.find(sql); found != FStatementIndex.end()) {
    FStatements.splice(FStatements.begin(), FStatements, found->second);
    return *found->second;
  }
  TMarkedStatement marked = MarkForBackend(*FDialect, sql);
  FStatements.push_front({std::string(sql), std::move(marked), nullptr});
  FStatementIndex.emplace(FStatements.front().Text, FStatements.begin());
  if (FStatements.size() > kCachedStatements) {
    FStatementIndex.erase(FStatements.back().Text);
    FStatements.pop_back();
  }
  return FStatements.front();
}

TDBResult TSociConnection::Run(std::string_view sql, const TDBParams& params, bool readRows) {
  soci::session& session = Session();
  TCachedStatement& statement = Cached(sql);
  const std::vector<TDBValue> values = ParameterValues(statement.Marked.Names, params);
  if (FParams.Backend == TDBBackend::SQLite && !FParams.UsesOdbc()) {
    if (!statement.Prepared) {
      statement.Prepared = std::make_unique<TSqliteStatement>(SqliteHandle(session), statement.Marked.Sql);
    }
    return statement.Prepared->Run(values, readRows);
  }
  try {
    soci::statement st(session);
    soci::row row;
    if (readRows) st.exchange(soci::into(row));
    TBindings bindings(FParams.Backend == TDBBackend::SqlServer);
    for (const TDBValue& value : values) bindings.Bind(st, value);
    st.alloc();
    st.prepare(statement.Marked.Sql);
    st.define_and_bind();
    if (!readRows) {
      st.execute(true);
      return {};
    }
    std::shared_ptr<const TDBColumns> columns;
    std::vector<TDBRow> rows;
    for (bool got = st.execute(true); got; got = st.fetch()) {
      if (!columns) columns = ReadColumns(row);
      std::vector<TDBValue> values;
      values.reserve(row.size());
      for (std::size_t i = 0; i < row.size(); ++i) values.push_back(ReadField(row, i));
      rows.emplace_back(columns, std::move(values));
    }
    return TDBResult(columns, std::move(rows));
  } catch (const soci::soci_error& e) {
    throw EDatabaseError(e.what());
  }
}

TDBResult TSociConnection::Query(std::string_view sql, const TDBParams& params) {
  return Run(sql, params, true);
}

void TSociConnection::Execute(std::string_view sql, const TDBParams& params) { Run(sql, params, false); }

TDBRow TSociConnection::ExecProc(std::string_view name, const TDBParams& params) {
  Session();
  if (FParams.Backend == TDBBackend::SQLite) {
    TDBRow outputs;
    if (!RunSqliteProcedure(*this, name, params, outputs)) {
      throw EDatabaseError("Could not find stored procedure '" + std::string(name) + "'.");
    }
    return outputs;
  }
  std::vector<std::string> outputNames;
  for (const TDBParam& p : params) {
    if (p.IsOutput) outputNames.push_back(p.Name);
  }
  const std::string call = FDialect->ProcedureCall(name, params);
  if (outputNames.empty()) {
    Execute(call, params);
    return {};
  }
  const TDBResult result = Query(call, params);
  std::vector<TDBValue> values;
  for (const std::string& output : outputNames) {
    const TDBValue* value = result.Empty() ? nullptr : result[0].FindField(FDialect->OutputColumn(output));
    values.push_back(value ? *value : TDBValue());
  }
  return TDBRow(std::make_shared<const TDBColumns>(outputNames), std::move(values));
}

std::unique_ptr<TDBProcCall> TSociConnection::PrepareProc(std::string_view name, std::vector<std::string> names) {
  Session();
  if (FParams.Backend == TDBBackend::SQLite && !FParams.UsesOdbc()) {
    if (auto call = PrepareSqliteProcedure(*this, name, names)) return call;
  }
  return TDBConnection::PrepareProc(name, std::move(names));
}

TSqliteStatement& TSociConnection::PrepareSqlite(std::string_view sql, const std::vector<std::string>*& names) {
  soci::session& session = Session();
  auto found = FKeptStatements.find(sql);
  if (found == FKeptStatements.end()) {
    TMarkedStatement marked = MarkForBackend(*FDialect, sql);
    auto statement = std::make_unique<TSqliteStatement>(SqliteHandle(session), marked.Sql);
    found = FKeptStatements.emplace(std::string(sql), TKeptStatement{std::move(statement), std::move(marked.Names)}).first;
  }
  names = &found->second.Names;
  return *found->second.Statement;
}

void TSociConnection::ExecuteScript(std::string_view script) {
  soci::session& session = Session();
  const std::string text(script);
  if (FParams.UsesOdbc()) {
    try {
      for (const std::string& batch : SplitGoBatches(text)) session << batch;
    } catch (const soci::soci_error& e) {
      throw EDatabaseError(e.what());
    }
    return;
  }
  switch (FParams.Backend) {
    case TDBBackend::SQLite: {
      char* error = nullptr;
      if (sqlite_api::sqlite3_exec(SqliteHandle(session), text.c_str(), nullptr, nullptr, &error) !=
          SQLITE_OK) {
        const std::string message = error ? error : "SQLite script failed";
        sqlite_api::sqlite3_free(error);
        throw EDatabaseError(message);
      }
      return;
    }
    case TDBBackend::PostgreSQL: {
      PGresult* result = PQexec(PostgresHandle(session), text.c_str());
      const ExecStatusType status = PQresultStatus(result);
      const std::string message = PQresultErrorMessage(result);
      PQclear(result);
      if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) throw EDatabaseError(message);
      return;
    }
    case TDBBackend::SqlServer:
      return;
  }
}

std::unique_ptr<TDBConnection> CreateConnection(const TDBConnectionParams& params) {
  return std::make_unique<TSociConnection>(params);
}

std::unique_ptr<TDBConnection> OpenConnection(std::string_view server, std::string_view database,
                                              std::string_view userName, std::string_view password) {
  auto connection = CreateConnection(ConnectionParamsFor(server, database, userName, password));
  connection->Open();
  return connection;
}

}  // namespace qora
