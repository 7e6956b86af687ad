// The CSV form of an in-memory table, in the one dialect the engine uses for
// every CSV file it reads or writes:
//  - comma-separated, every value framed in double quotes (inner quotes
//    doubled), each data line ending with the record delimiter (a comma)
//    before CR LF;
//  - inside a value NUL, CR, LF and "%" are written %0, %c, %n and %%;
//  - UTF-8 text, a header line naming the fields;
//  - optionally preceded by a block of table and index definitions:
//      "@@FILE VERSION@@","251"
//      "@@TABLEDEF START@@"
//      "<name>=<type>,<size>,""<display name>"",""<label>"",<width>[,REQ][,RO][,INV],<kind>,""<mask>"""
//      "@@INDEXDEF START@@"  "<name>=<fields>[,DESC][,CASE][,NONMT][,UNIQ]"  "@@INDEXDEF END@@"
//      "@@TABLEDEF END@@"
//
// On input a line may end with CR LF, LF or CR, a line break inside quotes
// belongs to the value, blank lines are skipped, and the trailing record
// delimiter is dropped, so a file written in the dialect reads back
// unchanged.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "timesheet/csv_memory_table.h"

namespace qora {

// What a save writes. Filters, ranges and master-detail links do not exist
// on TMemoryTable, so every row is always written.
struct TCSVSaveOptions {
  bool Data = true;
  bool NonVisible = true;     // also write fields that are not visible
  bool Blobs = true;          // also write memo and blob fields
  bool TableDef = true;       // write the definition block
  bool IndexDef = true;       // write index definitions inside it
  bool Calculated = false;    // write calculated fields
  bool Lookup = false;        // write lookup fields
  bool Deltas = false;        // a change log: not supported in CSV (the save throws)
};

// What a load reads. Loading always starts at the beginning of the stream.
struct TCSVLoadOptions {
  bool Data = true;
  bool TableDef = true;  // take field definitions from the file's definition block
  bool IndexDef = true;  // take index definitions from it
};

class TCSVStreamFormat {
 public:
  // The version text of the format.
  static constexpr const char* kVersion = "3.00";
  // The number written after the file-version marker.
  static constexpr int kFileVersion = 251;

  char FieldSeparator = ',';
  char QuoteChar = '"';
  char EscapeChar = '%';
  // The record delimiter is the field separator itself: each written line
  // ends with one more separator before its CR LF.
  bool QuoteOnlyStrings = false;  // quote every value, not only text values
  bool NoHeader = false;          // the data part starts with a header line
  TCSVSaveOptions SaveOptions;
  TCSVLoadOptions LoadOptions;

  std::string Version() const { return kVersion; }

  // Writes the whole table (every row, whatever the cursor) and leaves the
  // cursor where it was. Throws eaiPRocessorException "Saving deltas is
  // supported only in binary format." when SaveOptions.Deltas is set.
  void SaveToStream(const TMemoryTable& table, std::ostream& out) const;
  std::string SaveToString(const TMemoryTable& table) const;
  // Throws eLoadFromFileException when the file cannot be written.
  void SaveToFile(const TMemoryTable& table, const std::string& path) const;

  // Replaces the table's rows with the rows of the text.
  // - Field definitions come from the file's definition block when the
  //   table has none yet (and LoadOptions.TableDef is set); otherwise the
  //   table's own definitions stand and the block is skipped. A table with
  //   no definitions at all gets one 255-character text field per header name.
  // - With a header, values go to the fields named by the header (names
  //   the table does not have are skipped); without one, by position.
  //   Missing values are null.
  // - The table is opened (CreateTable) when it is closed, and the cursor
  //   is left on the first row.
  // Throws eLoadFromStreamException "Unknown field type (<type>) in CSV
  // file. (<definition>)" for a definition naming an unknown type, and for
  // a definition line that cannot be read.
  void LoadFromStream(TMemoryTable& table, std::istream& in) const;
  void LoadFromString(TMemoryTable& table, std::string_view text) const;
  // A file that is not UTF-8 is read as Windows-1252 (ReadTextFileAsUtf8).
  // Throws eLoadFromFileException "Cannot open file "<path>"." when the
  // file cannot be read.
  void LoadFromFile(TMemoryTable& table, const std::string& path) const;

  // --- A file read a piece at a time, for files too long to hold whole.
  // LoadFromString's first part: reads the definition block and header at
  // the start of `text` as it does, maps the file's columns to fields
  // (`targets`, -1 for a column the table lacks) and opens the table empty.
  // Returns how many records (not lines) it read; 0 for a text without any.
  int LoadHeader(TMemoryTable& table, std::string_view text, std::vector<int>& targets) const;
  // LoadFromString's second part: replaces the table's rows with the
  // records of `rows`, text holding data records only, mapped by the
  // targets of LoadHeader. The cursor is left on the first row.
  void LoadRows(TMemoryTable& table, std::string_view rows, const std::vector<int>& targets) const;
  // Where each non-blank record of `piece` ends (past its line break), in
  // bytes from the piece's start; blank lines count with the record after
  // them. The piece starts at a record boundary; `file_start` when it starts the file
  // (a byte-order mark is skipped). Unless `last`, a record that the end of
  // the piece cuts off is left out. The structure depends on ASCII bytes
  // only, so raw Windows-1252 bytes split as their UTF-8 text does. At
  // most `max_records` ends are found.
  std::vector<size_t> RecordEnds(std::string_view piece, bool file_start, bool last,
                                 size_t max_records = SIZE_MAX) const;

  // One value in the dialect: escaped and (unless quote_it is false) quoted.
  std::string EncodeValue(std::string_view value, bool quote_it = true) const;
  // Reverses the %-escapes of an unquoted value text.
  std::string UnescapeValue(std::string_view value) const;

 private:
  bool IsWritten(const TFieldDef& def) const;
  void WriteDefinitions(const TMemoryTable& table, std::string& out) const;
  std::string DefinitionLine(const TFieldDef& def) const;
};

// The engine's one factory of CSV formats: every CSV file the engine reads
// or writes goes through a format made here.
std::unique_ptr<TCSVStreamFormat> CreateCSVStreamFormat();

}  // namespace qora
