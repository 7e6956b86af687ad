#include "db/sqlite_held_rows.h"

#include <memory>
#include <string>

#include "db/sqlite_table_module.h"

namespace qora {
namespace {

namespace sq = ::sqlite_api;

// The hidden argument follows the value columns.
constexpr int kRowsArgument = kHeldRowsColumns;

struct TTable : sq::sqlite3_vtab {};

struct TCursor : sq::sqlite3_vtab_cursor {
  const IHeldRows* Rows = nullptr;
  int RowCount = 0;
  int Width = 0;
  int Row = 0;
  // The text of the date each column read last, kept until the column is
  // read again: by then SQLite has stored the row that used it.
  std::string Dates[kHeldRowsColumns];
};

int Connect(sq::sqlite3* db, void*, int, const char* const*, sq::sqlite3_vtab** out, char**) {
  std::string columns;
  for (int k = 0; k < kHeldRowsColumns; ++k) columns += "c" + std::to_string(k) + ", ";
  const int rc = sq::sqlite3_declare_vtab(db, ("CREATE TABLE x(" + columns + "rows HIDDEN)").c_str());
  if (rc != SQLITE_OK) return rc;
  *out = std::make_unique<TTable>().release();  // value-initialized: SQLite's part starts zeroed
  return SQLITE_OK;
}

// The rows must be given; they are read in order, whatever else is asked.
int BestIndex(sq::sqlite3_vtab*, sq::sqlite3_index_info* info) {
  for (int i = 0; i < info->nConstraint; ++i) {
    const auto& c = info->aConstraint[i];
    if (c.iColumn != kRowsArgument || c.op != SQLITE_INDEX_CONSTRAINT_EQ) continue;
    if (!c.usable) return SQLITE_CONSTRAINT;
    info->aConstraintUsage[i].argvIndex = 1;
    info->aConstraintUsage[i].omit = 1;
    info->estimatedCost = 10;
    return SQLITE_OK;
  }
  return SQLITE_CONSTRAINT;
}

int Filter(sq::sqlite3_vtab_cursor* base, int, const char*, int argc, sq::sqlite3_value** argv) {
  auto& c = *static_cast<TCursor*>(base);
  c.Rows = argc == 1 ? static_cast<const IHeldRows*>(sq::sqlite3_value_pointer(argv[0], kHeldRowsPointer)) : nullptr;
  c.Row = 0;
  c.RowCount = c.Rows ? c.Rows->RowCount() : 0;
  c.Width = c.Rows ? c.Rows->Width() : 0;
  return SQLITE_OK;
}

int Next(sq::sqlite3_vtab_cursor* base) {
  ++static_cast<TCursor*>(base)->Row;
  return SQLITE_OK;
}

int Eof(sq::sqlite3_vtab_cursor* base) {
  const auto& c = *static_cast<TCursor*>(base);
  return c.Row >= c.RowCount ? 1 : 0;
}

int Column(sq::sqlite3_vtab_cursor* base, sq::sqlite3_context* context, int column) {
  auto& c = *static_cast<TCursor*>(base);
  if (column >= c.Width) {
    sq::sqlite3_result_null(context);
    return SQLITE_OK;
  }
  const TDBValue& value = c.Rows->Value(c.Row, column);
  switch (value.GetKind()) {
    case TDBValue::Kind::Null: sq::sqlite3_result_null(context); break;
    case TDBValue::Kind::Integer: sq::sqlite3_result_int64(context, value.AsLargeInt()); break;
    case TDBValue::Kind::Float: sq::sqlite3_result_double(context, value.AsFloat()); break;
    case TDBValue::Kind::Text: {
      // Held unchanged until the statement ends: SQLite may read it in place.
      const std::string& text = *value.StoredText();
      sq::sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), nullptr);
      break;
    }
    case TDBValue::Kind::DateTime: {
      std::string& text = c.Dates[column];
      FormatDBDateTime(value.AsDateTime(), text);
      sq::sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), nullptr);
      break;
    }
  }
  return SQLITE_OK;
}

int RowId(sq::sqlite3_vtab_cursor* base, sq::sqlite_int64* rowid) {
  *rowid = static_cast<TCursor*>(base)->Row;
  return SQLITE_OK;
}

}  // namespace

void RegisterSqliteHeldRows(sq::sqlite3* db) {
  static const sq::sqlite3_module kModule =
      sqlite_table::EponymousModule<TTable, TCursor>({Connect, BestIndex, Filter, Next, Eof, Column, RowId});
  sqlite_table::Register(db, "_qora_held_rows", kModule);
}

}  // namespace qora
