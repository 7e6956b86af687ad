#include "db/sqlite_statement.h"

#include <soci/sqlite3/soci-sqlite3.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <map>

#include "common/datetime.h"
#include "db/db_error.h"

namespace qora {

namespace {

// Texts up to this length are kept per position; longer ones (a payroll
// import's whole file) are bound in place rather than held by the statement.
constexpr size_t kKeptText = 256;

namespace sq = ::sqlite_api;

// Undoes a run however it ends: a statement left mid-result keeps its read
// lock, and one left done would still count as running for a commit.
class TResetOnExit {
 public:
  explicit TResetOnExit(sq::sqlite3_stmt* stmt) : FStmt(stmt) {}
  ~TResetOnExit() { sq::sqlite3_reset(FStmt); }
  TResetOnExit(const TResetOnExit&) = delete;
  TResetOnExit& operator=(const TResetOnExit&) = delete;

 private:
  sq::sqlite3_stmt* FStmt;
};

// One number of a date or time text: digits up to the next character, which
// is skipped as the separator (a text that ends early has no more parts).
int DatePart(const char*& from, char*& end) {
  const long value = std::strtol(from, &end, 10);
  if (end == from) throw EDatabaseError("Cannot parse date/time field component");
  if (value < 0) throw EDatabaseError("Negative date/time field component");
  if (value > INT_MAX) throw EDatabaseError("Out of range date/time field component");
  from = *end ? end + 1 : end;
  return static_cast<int>(value);
}

// "YYYY-MM-DD HH:NN:SS", "YYYY-MM-DD" or "HH:NN:SS" (on 1900-01-01);
// anything after the seconds (a fraction) is not read. Out-of-range parts
// carry into the next larger one (the 32nd of January is the 1st of
// February), as they always have.
TDateTime ParseDateText(const char* text) {
  const char* from = text;
  char* end = nullptr;
  int year = 1900, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  const int a = DatePart(from, end);
  const char separator = *end;
  const int b = DatePart(from, end);
  const int c = DatePart(from, end);
  if (*end == ' ') {
    year = a, month = b, day = c;
    hour = DatePart(from, end);
    minute = DatePart(from, end);
    second = DatePart(from, end);
  } else if (separator == '-') {
    year = a, month = b, day = c;
  } else {
    hour = a, minute = b, second = c;
  }
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  timegm(&tm);  // carries out-of-range parts
  return EncodeDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

}  // namespace

TSqliteStatement::TSqliteStatement(sq::sqlite3* db, const std::string& sql) : FDb(db), FSql(sql) {
  if (sq::sqlite3_prepare_v3(FDb, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &FStmt,
                             nullptr) != SQLITE_OK) {
    FStmt = nullptr;
    Fail("preparing");
  }
  // Text of blanks or comments only prepares to no statement at all.
  if (!FStmt) throw EDatabaseError("No statement to run in \"" + FSql + "\"");
}

TSqliteStatement::~TSqliteStatement() { sq::sqlite3_finalize(FStmt); }

void TSqliteStatement::Fail(const char* doing) const {
  throw EDatabaseError(std::string(sq::sqlite3_errmsg(FDb)) + " while " + doing + " \"" + FSql + "\"");
}

void TSqliteStatement::Describe() {
  static const std::map<std::string, TRead> kDeclared = {
      {"blob", TRead::Blob},
      {"date", TRead::Date},         {"time", TRead::Date},          {"datetime", TRead::Date},
      {"decimal", TRead::Float},     {"double", TRead::Float},       {"doubleprecision", TRead::Float},
      {"float", TRead::Float},       {"number", TRead::Float},       {"numeric", TRead::Float},
      {"real", TRead::Float},
      {"boolean", TRead::Int32},     {"int", TRead::Int32},          {"integer", TRead::Int32},
      {"int2", TRead::Int32},        {"mediumint", TRead::Int32},    {"smallint", TRead::Int32},
      {"tinyint", TRead::Int32},
      {"bigint", TRead::Int64},      {"int8", TRead::Int64},         {"unsignedbigint", TRead::Int64},
      {"char", TRead::Text},         {"character", TRead::Text},     {"clob", TRead::Text},
      {"nativecharacter", TRead::Text}, {"nchar", TRead::Text},      {"nvarchar", TRead::Text},
      {"text", TRead::Text},         {"varchar", TRead::Text},       {"varyingcharacter", TRead::Text},
  };
  const int count = sq::sqlite3_column_count(FStmt);
  std::vector<std::string> names;
  FDeclared.clear();
  for (int i = 0; i < count; ++i) {
    names.emplace_back(sq::sqlite3_column_name(FStmt, i));
    const char* declared = sq::sqlite3_column_decltype(FStmt, i);
    if (!declared) {
      FDeclared.push_back(TRead::Text);
      continue;
    }
    std::string key;
    for (const char* p = declared; *p; ++p) {
      const auto c = static_cast<unsigned char>(*p);
      if (std::isspace(c)) continue;
      if (!std::isalnum(c)) break;
      key += static_cast<char>(std::tolower(c));
    }
    const auto it = kDeclared.find(key);
    FDeclared.push_back(it == kDeclared.end() ? TRead::ByFirstRow : it->second);
  }
  FByFirstRow = std::find(FDeclared.begin(), FDeclared.end(), TRead::ByFirstRow) != FDeclared.end();
  FColumns = std::make_shared<const TDBColumns>(std::move(names));
  FDescribedAt = sq::sqlite3_stmt_status(FStmt, SQLITE_STMTSTATUS_REPREPARE, 0);
}

// Binds `value` at `position` unless `bound` says it is bound already;
// returns whether SQLite was asked and refused.
bool TSqliteStatement::BindOne(TBound& bound, const TDBValue& value, int position) {
  const TDBValue::Kind kind = value.GetKind();
  const bool same_kind = bound.Known && bound.Kind == kind;
  bound.Known = false;
  bound.Kind = kind;
  int rc = SQLITE_OK;
  switch (kind) {
    case TDBValue::Kind::Null:
      if (!same_kind) rc = sq::sqlite3_bind_null(FStmt, position);
      break;
    case TDBValue::Kind::Integer: {
      const int64_t integer = value.AsLargeInt();
      if (!same_kind || bound.Integer != integer) rc = sq::sqlite3_bind_int64(FStmt, position, integer);
      bound.Integer = integer;
      break;
    }
    case TDBValue::Kind::Float: {
      const double number = value.AsFloat();
      if (!same_kind || std::bit_cast<uint64_t>(bound.Float) != std::bit_cast<uint64_t>(number)) {
        rc = sq::sqlite3_bind_double(FStmt, position, number);
      }
      bound.Float = number;
      break;
    }
    case TDBValue::Kind::Text: {
      const std::string& text = *value.StoredText();
      if (text.size() > kKeptText) {
        bound.Text.clear();
        rc = sq::sqlite3_bind_text(FStmt, position, text.data(), static_cast<int>(text.size()), nullptr);
        return rc != SQLITE_OK;  // not known: the value's storage goes with the run
      }
      if (!same_kind || bound.Text != text) {
        bound.Text = text;
        rc = sq::sqlite3_bind_text(FStmt, position, bound.Text.data(), static_cast<int>(bound.Text.size()), nullptr);
      }
      break;
    }
    case TDBValue::Kind::DateTime: {
      // Dates go as their stored text form (FormatDBDateTime keeps the
      // texts of the days a run binds over and over).
      const TDateTime date = value.AsDateTime();
      if (!same_kind || bound.Date != date) {
        bound.Date = date;
        FormatDBDateTime(date, bound.Text);
        rc = sq::sqlite3_bind_text(FStmt, position, bound.Text.data(), static_cast<int>(bound.Text.size()), nullptr);
      }
      break;
    }
  }
  bound.Known = rc == SQLITE_OK;
  return rc != SQLITE_OK;
}

void TSqliteStatement::Bind(const std::vector<TDBValue>& values) {
  if (FBound.size() != values.size()) FBound.assign(values.size(), TBound{});
  for (size_t k = 0; k < values.size(); ++k) {
    if (BindOne(FBound[k], values[k], static_cast<int>(k + 1))) Fail("binding a parameter of");
  }
}

TDBValue TSqliteStatement::ReadField(int column, TRead read) const {
  // Each sqlite3_column_ call takes the connection's lock: the field is
  // taken once and read as a value, which the column calls do after the
  // lock. A statement is used by one thread at a time, which is all the
  // value calls ask.
  sq::sqlite3_value* field = sq::sqlite3_column_value(FStmt, column);
  if (sq::sqlite3_value_type(field) == SQLITE_NULL) return TDBValue();
  switch (read) {
    case TRead::Int32:
      return TDBValue(static_cast<int64_t>(sq::sqlite3_value_int(field)));
    case TRead::Int64:
      return TDBValue(static_cast<int64_t>(sq::sqlite3_value_int64(field)));
    case TRead::Float:
      return TDBValue(sq::sqlite3_value_double(field));
    case TRead::Text: {
      const auto* text = reinterpret_cast<const char*>(sq::sqlite3_value_text(field));
      return TDBValue(std::string(text ? text : "", static_cast<size_t>(sq::sqlite3_value_bytes(field))));
    }
    case TRead::Date: {
      const auto* text = reinterpret_cast<const char*>(sq::sqlite3_value_text(field));
      try {
        return TDBValue::DateTime(ParseDateText(text ? text : ""));
      } catch (const EDatabaseError& e) {
        throw EDatabaseError(std::string(e.what()) + " while executing \"" + FSql + "\"");
      }
    }
    case TRead::Blob:
    case TRead::ByFirstRow:
      break;
  }
  throw EDatabaseError("Field '" + FColumns->Name(column) + "' has a type that cannot be read");
}

TSqliteStatement::TRead TSqliteStatement::ReadOfStored(int column) const {
  switch (sq::sqlite3_column_type(FStmt, column)) {
    case SQLITE_INTEGER: return TRead::Int32;
    case SQLITE_FLOAT: return TRead::Float;
    default: return TRead::Text;
  }
}

bool TSqliteStatement::Stale() const {
  return !FColumns || sq::sqlite3_stmt_status(FStmt, SQLITE_STMTSTATUS_REPREPARE, 0) != FDescribedAt;
}

void TSqliteStatement::ResolveByFirstRow(bool hasRow) {
  for (size_t i = 0; i < FReads.size(); ++i) {
    if (FReads[i] == TRead::ByFirstRow) FReads[i] = hasRow ? ReadOfStored(static_cast<int>(i)) : TRead::Text;
  }
}

void TSqliteStatement::RunWithPointer(int position, const void* pointer, const char* type) {
  TResetOnExit reset(FStmt);
  FBound.clear();  // what Run bound is not known to be bound any more
  // SQLite only hands the pointer on; what reads it decides what it may do.
  if (sq::sqlite3_bind_pointer(FStmt, position, const_cast<void*>(pointer), type, nullptr) != SQLITE_OK) {
    Fail("binding a parameter of");
  }
  const int rc = sq::sqlite3_step(FStmt);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail("executing");
}

TDBResult TSqliteStatement::Run(const std::vector<TDBValue>& values, bool readRows) {
  TResetOnExit reset(FStmt);
  if (readRows) {
    if (Stale()) Describe();
    FReads = FDeclared;
    // Columns read by their first row have always been typed by a first run
    // with every parameter null, before the values were bound: a query on a
    // key then gives no row, and the column reads as text.
    if (!values.empty() && FByFirstRow) {
      sq::sqlite3_clear_bindings(FStmt);
      FBound.clear();
      const bool hasRow = sq::sqlite3_step(FStmt) == SQLITE_ROW;
      if (Stale()) {
        Describe();
        FReads = FDeclared;
      }
      ResolveByFirstRow(hasRow);
      sq::sqlite3_reset(FStmt);
    }
  }
  Bind(values);
  int rc = sq::sqlite3_step(FStmt);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail("executing");
  if (!readRows || rc == SQLITE_DONE) return {};
  // SQLite prepares a statement again, inside a step, when the schema
  // changed under it; its columns may have changed with it.
  if (Stale()) {
    Describe();
    FReads = FDeclared;
  }
  ResolveByFirstRow(true);
  const int count = FColumns->Count();
  std::vector<TDBRow> rows;
  for (; rc == SQLITE_ROW; rc = sq::sqlite3_step(FStmt)) {
    std::vector<TDBValue> fields;
    fields.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) fields.push_back(ReadField(i, FReads[static_cast<size_t>(i)]));
    rows.emplace_back(FColumns, std::move(fields));
  }
  if (rc != SQLITE_DONE) Fail("executing");
  return TDBResult(FColumns, std::move(rows));
}

}  // namespace qora
