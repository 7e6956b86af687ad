// One statement of an SQLite connection, prepared once and run many times.
//
// A costing run sends the same few statements for every shift; preparing
// them anew each time cost more than running them. The statement is reset
// after every run, so that it holds no read lock between runs (a commit or
// a writer on another connection would otherwise wait for it), and it must
// be destroyed before its connection is closed.
//
// Fields are read as they always have been on SQLite, so that every caller
// sees the same values and kinds as before: the column's declared type
// decides:
//   - declared INT, INTEGER, SMALLINT, TINYINT, MEDIUMINT, INT2, BOOLEAN:
//     a 32-bit integer; BIGINT, INT8, UNSIGNED BIG INT: a 64-bit integer;
//   - REAL, FLOAT, DOUBLE [PRECISION], NUMERIC, DECIMAL, NUMBER: a float;
//   - DATE, TIME, DATETIME: a date read from its text;
//   - TEXT, CHAR, VARCHAR, NCHAR, NVARCHAR, CLOB, ..., and any expression
//     (no declared type): text, whatever SQLite stored;
//   - BLOB: cannot be read;
//   - any other declared type (TIMESTAMP, MONEY, ...): by what the first
//     row holds in that column (an integer, a float, or text when it holds
//     text or null), for every row of the result; for a statement with
//     parameters, the first row it gives with every parameter null.
// Declared types are matched ignoring case and blanks, up to the first
// character that is neither a letter nor a digit ("varchar(20)").
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "db/result.h"
#include "db/value.h"

namespace sqlite_api {
struct sqlite3;
struct sqlite3_stmt;
}  // namespace sqlite_api

namespace qora {

class TSqliteStatement {
 public:
  // Prepares `sql` (its first statement; the rest of the text is ignored).
  // Throws EDatabaseError with SQLite's message when SQLite rejects it.
  TSqliteStatement(sqlite_api::sqlite3* db, const std::string& sql);
  ~TSqliteStatement();
  TSqliteStatement(const TSqliteStatement&) = delete;
  TSqliteStatement& operator=(const TSqliteStatement&) = delete;

  // Binds `values` to the parameters 1..n in order and runs the statement.
  // With readRows, reads every row; without, steps once, as for a statement
  // whose rows are not wanted. A result without rows has no columns.
  // Throws EDatabaseError with SQLite's message.
  TDBResult Run(const std::vector<TDBValue>& values, bool readRows);
  // Binds `pointer` to parameter `position` as SQLite's pointer of type
  // `type` (a name that must outlive the run) and runs the statement once,
  // without reading rows. Throws EDatabaseError with SQLite's message.
  void RunWithPointer(int position, const void* pointer, const char* type);

 private:
  enum class TRead { Int32, Int64, Float, Text, Date, Blob, ByFirstRow };
  void Describe();
  bool Stale() const;
  TRead ReadOfStored(int column) const;
  void ResolveByFirstRow(bool hasRow);
  void Bind(const std::vector<TDBValue>& values);
  TDBValue ReadField(int column, TRead read) const;
  [[noreturn]] void Fail(const char* doing) const;

  sqlite_api::sqlite3* FDb;
  sqlite_api::sqlite3_stmt* FStmt = nullptr;
  std::string FSql;
  // What Describe found, valid while the statement was not prepared again
  // by SQLite (after a schema change) since.
  std::shared_ptr<const TDBColumns> FColumns;
  std::vector<TRead> FDeclared;
  int FDescribedAt = -1;
  bool FByFirstRow = false;
  // The read of each column for the current result (ByFirstRow resolved).
  std::vector<TRead> FReads;
  // What is bound at each position, kept so that a value equal to the last
  // run's is not bound again: a statement run once per costing line binds
  // mostly what it bound for the line before. Text SQLite reads in place
  // is this copy; a long text is bound where its value stores it, and its
  // position counts as unknown for the next run.
  struct TBound {
    bool Known = false;
    TDBValue::Kind Kind = TDBValue::Kind::Null;
    int64_t Integer = 0;
    double Float = 0;  // compared bit for bit: -0 after 0 is bound again
    TDateTime Date = 0;
    std::string Text;  // a text's, or a date's text form
  };
  bool BindOne(TBound& bound, const TDBValue& value, int position);
  std::vector<TBound> FBound;
};

}  // namespace qora
