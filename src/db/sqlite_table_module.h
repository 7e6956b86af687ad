// What the engine's SQLite tables read by name share: SQLite's table and
// cursor records made and freed as TTable and TCursor, the module of an
// eponymous table (one that is only read by name, never created), and its
// registration on a connection.
#pragma once

#include <soci/sqlite3/soci-sqlite3.h>

#include <memory>
#include <string>

#include "db/db_error.h"

namespace qora::sqlite_table {

// The callbacks that differ from table to table.
struct TCallbacks {
  int (*Connect)(sqlite_api::sqlite3*, void*, int, const char* const*, sqlite_api::sqlite3_vtab**, char**);
  int (*BestIndex)(sqlite_api::sqlite3_vtab*, sqlite_api::sqlite3_index_info*);
  int (*Filter)(sqlite_api::sqlite3_vtab_cursor*, int, const char*, int, sqlite_api::sqlite3_value**);
  int (*Next)(sqlite_api::sqlite3_vtab_cursor*);
  int (*Eof)(sqlite_api::sqlite3_vtab_cursor*);
  int (*Column)(sqlite_api::sqlite3_vtab_cursor*, sqlite_api::sqlite3_context*, int);
  int (*RowId)(sqlite_api::sqlite3_vtab_cursor*, sqlite_api::sqlite_int64*);
};

// TTable derives from sqlite3_vtab and is made by the table's Connect with
// std::make_unique (value-initialized: SQLite's part starts zeroed); TCursor
// derives from sqlite3_vtab_cursor.
template <class TTable, class TCursor>
sqlite_api::sqlite3_module EponymousModule(const TCallbacks& c) {
  sqlite_api::sqlite3_module m{};
  m.iVersion = 0;
  m.xCreate = nullptr;  // eponymous only: called by name, never created
  m.xConnect = c.Connect;
  m.xBestIndex = c.BestIndex;
  m.xDisconnect = [](sqlite_api::sqlite3_vtab* base) {
    // Made by Connect; SQLite hands it back exactly once.
    const std::unique_ptr<TTable> table(static_cast<TTable*>(base));
    sqlite_api::sqlite3_free(table->zErrMsg);
    return SQLITE_OK;
  };
  m.xDestroy = m.xDisconnect;
  m.xOpen = [](sqlite_api::sqlite3_vtab*, sqlite_api::sqlite3_vtab_cursor** out) {
    *out = std::make_unique<TCursor>().release();  // value-initialized, as the table
    return SQLITE_OK;
  };
  m.xClose = [](sqlite_api::sqlite3_vtab_cursor* base) {
    const std::unique_ptr<TCursor> cursor(static_cast<TCursor*>(base));  // made by xOpen
    return SQLITE_OK;
  };
  m.xFilter = c.Filter;
  m.xNext = c.Next;
  m.xEof = c.Eof;
  m.xColumn = c.Column;
  m.xRowid = c.RowId;
  return m;
}

// Makes the table `name` of `module` (which must outlive the connection)
// available on an open connection. Throws EDatabaseError when SQLite
// refuses it.
inline void Register(sqlite_api::sqlite3* db, const char* name, const sqlite_api::sqlite3_module& module) {
  if (sqlite_api::sqlite3_create_module_v2(db, name, &module, nullptr, nullptr) != SQLITE_OK) {
    throw EDatabaseError(std::string("Could not register ") + name + ": " + sqlite_api::sqlite3_errmsg(db));
  }
}

}  // namespace qora::sqlite_table
