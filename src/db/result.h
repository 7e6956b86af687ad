// Rows read from a query: field values reached by position or by column name.
//
// Column names are matched ignoring letter case: PostgreSQL folds unquoted
// names to lower case, SQL Server and SQLite keep them as written, and the
// engine asks for them as the payroll database spells them ("idTimesheetRow").
// When a row has two columns of the same name (select T.iUserID, R.* ...),
// the first one wins, as it did for the engine's record sets.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/value.h"

namespace qora {

// The column names of one result, shared by its rows.
class TDBColumns {
 public:
  explicit TDBColumns(std::vector<std::string> names);
  int Count() const { return static_cast<int>(FNames.size()); }
  const std::string& Name(int index) const { return FNames.at(static_cast<size_t>(index)); }
  // Position of the first column named `name` (any case); -1 when none.
  int IndexOf(std::string_view name) const;
  // As IndexOf, but a missing column throws EDatabaseError "Field 'name' not
  // found", as TDBRow::FieldByName does: for reading many rows by position.
  int RequiredIndex(std::string_view name) const;

 private:
  size_t SlotOf(std::string_view name) const;

  std::vector<std::string> FNames;
  // A wide result (a stored timesheet row has some forty columns) finds a
  // name through a small open-addressed table of column + 1 (0: free),
  // made once when the statement is described and used for every row.
  // Empty for a narrow one, which is scanned.
  std::vector<uint16_t> FSlots;
  int FShift = 0;
};

class TDBRow {
 public:
  TDBRow() = default;
  TDBRow(std::shared_ptr<const TDBColumns> columns, std::vector<TDBValue> values);

  int FieldCount() const { return static_cast<int>(FValues.size()); }
  const std::string& FieldName(int index) const;
  // The value at `index` (0-based); throws std::out_of_range beyond the row.
  const TDBValue& Field(int index) const { return FValues.at(static_cast<size_t>(index)); }
  // The value of the column named `name` (any case). A missing column throws
  // EDatabaseError "Field 'name' not found" - asking for a column the
  // statement does not return is a programming error, not a data condition.
  const TDBValue& FieldByName(std::string_view name) const;
  // As FieldByName, but nullptr when the row has no such column.
  const TDBValue* FindField(std::string_view name) const;
  const TDBValue& operator[](std::string_view name) const { return FieldByName(name); }

 private:
  std::shared_ptr<const TDBColumns> FColumns;
  std::vector<TDBValue> FValues;
};

// All rows of one query, in the order the database returned them.
class TDBResult {
 public:
  TDBResult() = default;
  TDBResult(std::shared_ptr<const TDBColumns> columns, std::vector<TDBRow> rows)
      : FColumns(std::move(columns)), FRows(std::move(rows)) {}

  bool Empty() const { return FRows.empty(); }
  int RowCount() const { return static_cast<int>(FRows.size()); }
  // Column names even when there are no rows; nullptr for a statement that
  // returned no result set.
  const TDBColumns* Columns() const { return FColumns.get(); }
  const TDBRow& Row(int index) const { return FRows.at(static_cast<size_t>(index)); }
  const TDBRow& operator[](int index) const { return Row(index); }
  std::vector<TDBRow>::const_iterator begin() const { return FRows.begin(); }
  std::vector<TDBRow>::const_iterator end() const { return FRows.end(); }

 private:
  std::shared_ptr<const TDBColumns> FColumns;
  std::vector<TDBRow> FRows;
};

}  // namespace qora
