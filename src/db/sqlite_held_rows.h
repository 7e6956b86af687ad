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

// Rows held by their owner, read a value at a time. A value handed out
// must stay as it is until the same column is read again or the statement
// that reads it ends: SQLite stores a row before it reads the next.
class IHeldRows {
 public:
  virtual ~IHeldRows() = default;
  virtual int RowCount() const = 0;
  // Columns c0 .. c(Width - 1); the table's other columns read as null.
  virtual int Width() const = 0;
  virtual const TDBValue& Value(int row, int column) const = 0;
};

// The most values a held row may have: columns c0 to c31.
inline constexpr int kHeldRowsColumns = 32;

// The type name under which held rows are bound as a pointer; SQLite hands
// the pointer only to a reader that asks for the same name.
inline constexpr const char* kHeldRowsPointer = "qora_held_rows";

// Makes the table "_qora_held_rows" available on an open connection: its
// one argument is a pointer to an IHeldRows bound under kHeldRowsPointer;
// without one it has no rows. Values read as they would bind: dates as their
// stored text. Throws EDatabaseError when SQLite refuses it.
void RegisterSqliteHeldRows(sqlite_api::sqlite3* db);

}  // namespace qora
