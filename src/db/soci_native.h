// The driver handles behind an open SOCI session, for what SOCI does not
// wrap: SQLite user functions and multi-statement scripts.
#pragma once

#include <soci/postgresql/soci-postgresql.h>
#include <soci/soci.h>
#include <soci/sqlite3/soci-sqlite3.h>

namespace qora {

// The caller knows which back end the session was opened with. SOCI's
// libraries do not export the run-time type information of their back-end
// classes, so the undefined-behaviour sanitizer's checked downcast and member
// access cannot be used on them here.

// The SQLite connection of a session opened on the sqlite3 back end.
__attribute__((no_sanitize("vptr"))) inline sqlite_api::sqlite3* SqliteHandle(soci::session& session) {
  return static_cast<soci::sqlite3_session_backend*>(session.get_backend())->conn_;
}

// The libpq connection of a session opened on the postgresql back end.
__attribute__((no_sanitize("vptr"))) inline PGconn* PostgresHandle(soci::session& session) {
  return static_cast<soci::postgresql_session_backend*>(session.get_backend())->conn_;
}

}  // namespace qora
