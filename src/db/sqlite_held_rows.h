// Rows held in memory, read by SQLite as a table. An insert of many rows
// through bound parameters binds every value (each bind takes the
// connection's lock and copies the value into the statement) and its
// program grows with every row; "insert ... select c0, c1, ... from
// _qora_held_rows(:Rows)" stores any number of rows with one short program
// that reads each value where it is held.
#pragma once

#include <soci/sqlite3/soci-sqlite3.h>

#include "db/value.h"

namespace qora {

// Rows × Width values, row after row, each row's values in column order
// (c0, c1, ...). They must stay as they are while the statement that reads
// them runs.
struct TSqliteHeldRows {
  const TDBValue* Values = nullptr;
  int Width = 0;
  int Rows = 0;
};

// The most values a held row may have: columns c0 to c31.
inline constexpr int kHeldRowsColumns = 32;

// The type name under which held rows are bound as a pointer; SQLite hands
// the pointer only to a reader that asks for the same name.
inline constexpr const char* kHeldRowsPointer = "qora_held_rows";

// Makes the table "_qora_held_rows" available on an open connection: its
// one argument is a pointer to TSqliteHeldRows bound under kHeldRowsPointer;
// without one it has no rows. Values read as they would bind: dates as their
// stored text. Throws EDatabaseError when SQLite refuses it.
void RegisterSqliteHeldRows(sqlite_api::sqlite3* db);

}  // namespace qora
