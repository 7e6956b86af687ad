// A small in-memory table: named, typed fields, rows of values, and a
// current-row cursor. It holds the rows of CSV files while they are read and
// the costing lines while they are written.
//
// Values are kept as the text the CSV dialect writes ("." decimal
// separator, "True"/"False", dates "dd/mm/yyyy HH:nn:ss"), so a table loaded
// from a file writes back exactly what it read. An empty text is a null.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/datetime.h"
#include "timesheet/csv_field_type.h"

namespace qora {

// The description of one field.
struct TFieldDef {
  std::string Name;
  TFieldType DataType = TFieldType::ftString;
  int Size = 0;  // characters for text fields; descriptive only, values are never cut
  std::string DisplayName;
  std::string DisplayLabel;
  int DisplayWidth = 0;
  bool Required = false;
  bool ReadOnly = false;
  bool Visible = true;
  TFieldKind FieldKind = TFieldKind::fkData;
  std::string EditMask;
};

// The description of one index. The table keeps index definitions so that
// they survive a save and load; it does not maintain the indexes.
struct TIndexDef {
  std::string Name;
  std::string Fields;  // field names separated by ";"
  bool Descending = false;
  bool CaseInsensitive = false;
  bool NonMaintained = false;
  bool Unique = false;
};

class TMemoryTable {
 public:
  explicit TMemoryTable(std::string name = "") : FName(std::move(name)) {}

  const std::string& Name() const { return FName; }

  // --- Definitions. Changing fields is allowed only while the table is
  // closed; the calls throw std::logic_error on an open table.
  int FieldCount() const { return static_cast<int>(FFields.size()); }
  const TFieldDef& FieldDef(int index) const { return FFields.at(static_cast<size_t>(index)); }
  // Appends a field definition. Throws std::invalid_argument when a field of
  // that name (compared without regard to case) exists.
  void AddFieldDef(TFieldDef def);
  // Shorthand for a data field of a type and size; `required` marks it REQ.
  void AddField(std::string name, TFieldType type, int size = 0, bool required = false);
  // Index of the field of that name (case-insensitive); -1 when none.
  int FindField(std::string_view name) const;
  // As FindField; throws std::invalid_argument "Field '<name>' not found" when none.
  int FieldIndex(std::string_view name) const;
  void ClearFields();

  std::vector<TIndexDef>& IndexDefs() { return FIndexDefs; }
  const std::vector<TIndexDef>& IndexDefs() const { return FIndexDefs; }

  // --- State. CreateTable makes the table's fields from its definitions
  // and opens it empty; Close drops the rows and keeps definitions and
  // fields. A table whose fields exist must not take definitions from a
  // file header any more (see LoadFieldDef).
  void CreateTable();
  void Close();
  bool Active() const { return FActive; }
  bool FieldsCreated() const { return FFieldsCreated; }

  // --- Rows. Every call below requires an open table (std::logic_error).
  int RecordCount() const { return static_cast<int>(FRows.size()); }
  // Appends an empty (all-null) row and makes it the current row.
  void Append();
  // Removes every row.
  void EmptyTable();
  void First() { FRecNo = 0; }
  void Next() { if (FRecNo < RecordCount()) ++FRecNo; }
  // True when the cursor is past the last row (always, for an empty table).
  bool Eof() const { return FRecNo >= RecordCount(); }
  // Zero-based index of the current row.
  int RecNo() const { return FRecNo; }
  void SetRecNo(int index);

  // --- Values of the current row. Field arguments are indexes or names;
  // a name that is not a field throws std::invalid_argument, and reading
  // with no current row throws std::out_of_range.
  const std::string& GetText(int field) const;
  // Stores the text as it stands (the CSV form of the value).
  void SetText(int field, std::string value);
  bool IsNull(int field) const { return GetText(field).empty(); }
  void SetNull(int field) { SetText(field, std::string()); }

  // Valid until the row or the table changes.
  const std::string& AsString(std::string_view field) const { return GetText(FieldIndex(field)); }
  // The value as a number; 0 when null or not a number.
  double AsFloat(std::string_view field) const;
  // The value as a whole number; 0 when null or not an integer.
  int64_t AsInteger(std::string_view field) const;
  // The value's Boolean meaning; false when null or meaningless.
  bool AsBoolean(std::string_view field) const;
  // The value read as "dd/mm/yyyy", "dd/mm/yyyy HH:nn:ss" or "HH:nn:ss";
  // 0 when null or not a date.
  TDateTime AsDateTime(std::string_view field) const;

  void SetString(std::string_view field, std::string value) { SetText(FieldIndex(field), std::move(value)); }
  void SetFloat(std::string_view field, double value);
  void SetInteger(std::string_view field, int64_t value);
  void SetBoolean(std::string_view field, bool value);
  // Written as the field's type asks: date, time or date and time.
  void SetDateTime(std::string_view field, TDateTime value);

  // The whole row `index` (texts in field order).
  const std::vector<std::string>& Row(int index) const { return FRows.at(static_cast<size_t>(index)); }

 private:
  void RequireOpen() const;
  void RequireClosed() const;
  std::vector<std::string>& CurrentRow();
  const std::vector<std::string>& CurrentRow() const;

  std::string FName;
  std::vector<TFieldDef> FFields;
  std::vector<TIndexDef> FIndexDefs;
  std::vector<std::vector<std::string>> FRows;
  int FRecNo = 0;
  bool FActive = false;
  bool FFieldsCreated = false;
};

// The fixed date and time texts of the CSV dialect.
// "dd/mm/yyyy", "HH:nn:ss", or both separated by a blank.
std::string FormatCsvDate(TDateTime value);
std::string FormatCsvTime(TDateTime value);
std::string FormatCsvDateTime(TDateTime value);
// Reads any of the three forms above; false for anything else.
bool TryParseCsvDateTime(std::string_view text, TDateTime& out);

}  // namespace qora
