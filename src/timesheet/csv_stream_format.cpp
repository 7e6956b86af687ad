#include "timesheet/csv_stream_format.h"
#include "timesheet/timesheet_text.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "common/format.h"
#include "common/text.h"
#include "common/exceptions.h"

namespace qora {

namespace {

constexpr const char* kFileVersionMarker = "@@FILE VERSION@@";
constexpr const char* kTableDefStart = "@@TABLEDEF START@@";
constexpr const char* kTableDefEnd = "@@TABLEDEF END@@";
constexpr const char* kIndexDefStart = "@@INDEXDEF START@@";
constexpr const char* kIndexDefEnd = "@@INDEXDEF END@@";
constexpr const char* kLineEnd = "\r\n";

struct CsvValue {
  std::string text;
  bool quoted = false;
};

// Splits text into records of values. A line break outside quotes ends a
// record (CR LF, LF or CR); inside quotes it belongs to the value.
class CsvRecordReader {
 public:
  // `file_start`: the text begins a file, so a UTF-8 byte-order mark there
  // is skipped; a piece from further on has none.
  CsvRecordReader(std::string_view text, char separator, char quote, bool file_start = true)
      : text_(text), sep_(separator), quote_(quote) {
    if (file_start && text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
  }

  // Where the next record starts, in bytes from the start of the text.
  size_t Position() const { return pos_; }
  // Whether the record Next returned last ended with a line break, rather
  // than with the end of the text.
  bool EndedByBreak() const { return ended_by_break_; }

  // The next non-blank record; false at the end of the text. A trailing
  // record delimiter (a final unquoted empty value after a separator) is
  // dropped.
  bool Next(std::vector<CsvValue>& out) {
    while (pos_ < text_.size()) {
      out.clear();
      bool ended_by_separator = ReadRecord(out);
      if (ended_by_separator && out.size() > 1 && !out.back().quoted && out.back().text.empty()) {
        out.pop_back();
      }
      if (out.size() == 1 && !out[0].quoted && out[0].text.empty()) continue;  // blank line
      return true;
    }
    return false;
  }

  // As Next, keeping nothing of the record: finding where records end
  // needs only the quotes and the line breaks.
  bool NextEnd() {
    while (pos_ < text_.size()) {
      if (SkipRecord()) return true;
    }
    return false;
  }

 private:
  // Passes over one record as ReadRecord reads it; false when it was blank
  // (nothing at all before its line break).
  bool SkipRecord() {
    bool in_quotes = false;
    bool started = false;  // the value has a character or its opening quote
    bool any = false;
    ended_by_break_ = false;
    while (pos_ < text_.size()) {
      if (in_quotes) {
        const size_t quote = text_.find(quote_, pos_);
        if (quote == std::string_view::npos) {
          pos_ = text_.size();
          break;
        }
        pos_ = quote + 1;
        if (pos_ < text_.size() && text_[pos_] == quote_) {
          ++pos_;
        } else {
          in_quotes = false;
        }
        continue;
      }
      const char c = text_[pos_++];
      if (c == '\r' || c == '\n') {
        if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        ended_by_break_ = true;
        break;
      }
      any = true;
      if (c == sep_) {
        started = false;
      } else {
        in_quotes = c == quote_ && !started;
        started = true;
      }
    }
    return any;
  }

  // Reads one record; returns true when its last value was empty and
  // followed a separator (the line ended with a separator).
  bool ReadRecord(std::vector<CsvValue>& out) {
    CsvValue value;
    bool in_quotes = false;
    bool after_separator = false;
    ended_by_break_ = false;
    while (pos_ < text_.size()) {
      if (in_quotes) {
        // Up to the next quote in one step: quoted values are the dialect's
        // usual form, and a long file is mostly their text.
        const size_t quote = std::min(text_.find(quote_, pos_), text_.size());
        value.text.append(text_, pos_, quote - pos_);
        if (quote == text_.size()) {
          pos_ = quote;
          break;
        }
        pos_ = quote + 1;
        if (pos_ < text_.size() && text_[pos_] == quote_) {
          value.text += quote_;
          ++pos_;
        } else {
          in_quotes = false;
        }
        continue;
      }
      char c = text_[pos_++];
      if (c == '\r' || c == '\n') {
        if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        ended_by_break_ = true;
        break;
      }
      if (c == sep_) {
        out.push_back(std::move(value));
        value = CsvValue{};
        after_separator = true;
        continue;
      }
      if (c == quote_ && value.text.empty() && !value.quoted) {
        value.quoted = true;
        in_quotes = true;
        after_separator = false;
        continue;
      }
      value.text += c;
      after_separator = false;
    }
    bool trailing = after_separator && value.text.empty() && !value.quoted;
    out.push_back(std::move(value));
    return trailing;
  }

  std::string_view text_;
  char sep_;
  char quote_;
  size_t pos_ = 0;
  bool ended_by_break_ = false;
};

[[noreturn]] void FailDefinition(std::string_view type, std::string_view line) {
  throw eLoadFromStreamException(Format("Unknown field type (%s) in CSV file. (%s)", std::string(type),
                                        std::string(line)));
}

int ToInt(std::string_view text, std::string_view line) {
  int64_t v = 0;
  if (!TryStrToInt(Trim(text), v)) {
    throw eLoadFromStreamException(Format("Invalid field definition in CSV file. (%s)", std::string(line)));
  }
  return static_cast<int>(v);
}

bool IsBlobType(TFieldType t) { return t == TFieldType::ftMemo || t == TFieldType::ftBlob; }

bool IsTextType(TFieldType t) {
  return t == TFieldType::ftString || t == TFieldType::ftWideString || t == TFieldType::ftMemo;
}

}  // namespace

// --- Values ---------------------------------------------------------------

std::string TCSVStreamFormat::EncodeValue(std::string_view value, bool quote_it) const {
  std::string out;
  out.reserve(value.size() + 2);
  if (quote_it) out += QuoteChar;
  for (char c : value) {
    if (c == '\0') {
      out += EscapeChar;
      out += '0';
    } else if (c == '\r') {
      out += EscapeChar;
      out += 'c';
    } else if (c == '\n') {
      out += EscapeChar;
      out += 'n';
    } else if (c == EscapeChar) {
      out += EscapeChar;
      out += EscapeChar;
    } else if (c == QuoteChar && quote_it) {
      out += QuoteChar;
      out += QuoteChar;
    } else {
      out += c;
    }
  }
  if (quote_it) out += QuoteChar;
  return out;
}

std::string TCSVStreamFormat::UnescapeValue(std::string_view value) const {
  std::string out;
  out.reserve(value.size());
  for (size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c != EscapeChar || i + 1 >= value.size()) {
      out += c;
      continue;
    }
    char next = value[i + 1];
    if (next == '0') {
      out += '\0';
    } else if (next == 'c') {
      out += '\r';
    } else if (next == 'n') {
      out += '\n';
    } else if (next == EscapeChar) {
      out += EscapeChar;
    } else {
      // Not an escape pair: the percent sign stands for itself.
      out += c;
      continue;
    }
    ++i;
  }
  return out;
}

// --- Saving ---------------------------------------------------------------

bool TCSVStreamFormat::IsWritten(const TFieldDef& def) const {
  if (def.FieldKind == TFieldKind::fkCalculated || def.FieldKind == TFieldKind::fkInternalCalc) {
    return SaveOptions.Calculated;
  }
  if (def.FieldKind == TFieldKind::fkLookup) return SaveOptions.Lookup;
  if (!def.Visible && !SaveOptions.NonVisible) return false;
  if (IsBlobType(def.DataType) && !SaveOptions.Blobs) return false;
  return true;
}

std::string TCSVStreamFormat::DefinitionLine(const TFieldDef& def) const {
  std::string line = def.Name + "=" + FieldTypeName(def.DataType) + "," + std::to_string(def.Size) + "," +
                     QuotedStr(def.DisplayName, '"') + "," + QuotedStr(def.DisplayLabel, '"') + "," +
                     std::to_string(def.DisplayWidth);
  if (def.Required) line += ",REQ";
  if (def.ReadOnly) line += ",RO";
  if (!def.Visible) line += ",INV";
  line += "," + FieldKindName(def.FieldKind) + "," + QuotedStr(def.EditMask, '"');
  return line;
}

void TCSVStreamFormat::WriteDefinitions(const TMemoryTable& table, std::string& out) const {
  out += EncodeValue(kFileVersionMarker) + FieldSeparator + EncodeValue(std::to_string(kFileVersion)) + kLineEnd;
  out += EncodeValue(kTableDefStart) + kLineEnd;
  for (int i = 0; i < table.FieldCount(); ++i) {
    if (IsWritten(table.FieldDef(i))) out += EncodeValue(DefinitionLine(table.FieldDef(i))) + kLineEnd;
  }
  if (SaveOptions.IndexDef) {
    out += EncodeValue(kIndexDefStart) + kLineEnd;
    for (const TIndexDef& index : table.IndexDefs()) {
      std::string line = index.Name + "=" + index.Fields;
      if (index.Descending) line += ",DESC";
      if (index.CaseInsensitive) line += ",CASE";
      if (index.NonMaintained) line += ",NONMT";
      if (index.Unique) line += ",UNIQ";
      out += EncodeValue(line) + kLineEnd;
    }
    out += EncodeValue(kIndexDefEnd) + kLineEnd;
  }
  out += EncodeValue(kTableDefEnd) + kLineEnd;
}

std::string TCSVStreamFormat::SaveToString(const TMemoryTable& table) const {
  if (SaveOptions.Deltas) throw eaiPRocessorException("Saving deltas is supported only in binary format.");
  std::string out;
  if (SaveOptions.TableDef) WriteDefinitions(table, out);
  if (!SaveOptions.Data) return out;
  std::vector<int> fields;
  for (int i = 0; i < table.FieldCount(); ++i) {
    if (IsWritten(table.FieldDef(i))) fields.push_back(i);
  }
  if (!NoHeader) {
    for (int f : fields) out += EncodeValue(table.FieldDef(f).Name) + FieldSeparator;
    out += kLineEnd;
  }
  if (!table.Active()) return out;
  for (int r = 0; r < table.RecordCount(); ++r) {
    const auto& row = table.Row(r);
    for (int f : fields) {
      bool quote = !QuoteOnlyStrings || IsTextType(table.FieldDef(f).DataType);
      out += EncodeValue(row[static_cast<size_t>(f)], quote) + FieldSeparator;
    }
    out += kLineEnd;
  }
  return out;
}

void TCSVStreamFormat::SaveToStream(const TMemoryTable& table, std::ostream& out) const {
  out << SaveToString(table);
}

void TCSVStreamFormat::SaveToFile(const TMemoryTable& table, const std::string& path) const {
  std::string text = SaveToString(table);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) throw eLoadFromFileException(Format("Cannot create file \"%s\".", path));
  file << text;
  if (!file) throw eLoadFromFileException(Format("Cannot write file \"%s\".", path));
}

// --- Loading --------------------------------------------------------------

namespace {

TFieldDef ParseFieldDefinition(const TCSVStreamFormat& format, const std::string& line) {
  size_t eq = line.find('=');
  if (eq == std::string::npos || eq == 0) {
    throw eLoadFromStreamException(Format("Invalid field definition in CSV file. (%s)", line));
  }
  TFieldDef def;
  def.Name = line.substr(0, eq);
  CsvRecordReader reader(std::string_view(line).substr(eq + 1), format.FieldSeparator, format.QuoteChar);
  std::vector<CsvValue> parts;
  reader.Next(parts);
  if (parts.empty() || !TryFieldTypeFromName(Trim(parts[0].text), def.DataType)) {
    FailDefinition(parts.empty() ? "" : parts[0].text, line);
  }
  if (parts.size() < 7) {
    throw eLoadFromStreamException(Format("Invalid field definition in CSV file. (%s)", line));
  }
  def.Size = ToInt(parts[1].text, line);
  def.DisplayName = parts[2].text;
  def.DisplayLabel = parts[3].text;
  def.DisplayWidth = ToInt(parts[4].text, line);
  for (size_t i = 5; i + 2 < parts.size(); ++i) {
    const std::string flag = Trim(parts[i].text);
    if (flag == "REQ") def.Required = true;
    else if (flag == "RO") def.ReadOnly = true;
    else if (flag == "INV") def.Visible = false;
  }
  if (!TryFieldKindFromName(Trim(parts[parts.size() - 2].text), def.FieldKind)) {
    throw eLoadFromStreamException(Format("Invalid field definition in CSV file. (%s)", line));
  }
  def.EditMask = parts.back().text;
  return def;
}

TIndexDef ParseIndexDefinition(const std::string& line) {
  TIndexDef index;
  size_t eq = line.find('=');
  index.Name = line.substr(0, eq);
  if (eq == std::string::npos) return index;
  std::vector<std::string> parts;
  std::stringstream rest(line.substr(eq + 1));
  for (std::string part; std::getline(rest, part, ',');) parts.push_back(part);
  if (!parts.empty()) index.Fields = parts[0];
  for (size_t i = 1; i < parts.size(); ++i) {
    if (parts[i] == "DESC") index.Descending = true;
    else if (parts[i] == "CASE") index.CaseInsensitive = true;
    else if (parts[i] == "NONMT") index.NonMaintained = true;
    else if (parts[i] == "UNIQ") index.Unique = true;
  }
  return index;
}

bool IsMarker(const std::vector<CsvValue>& record, const char* marker) {
  return !record.empty() && record[0].text == marker;
}

}  // namespace

namespace {

// Reads what comes before the data, `record` holding the first record and
// `have` telling whether there is one: the definition block (whose
// definitions a table without any takes) and the header line, which maps
// file columns to fields (`targets`, -1 for a column the table lacks).
// Leaves `record` on the first data record and returns how many records it
// read.
int ReadPreamble(const TCSVStreamFormat& format, TMemoryTable& table, CsvRecordReader& reader,
                 std::vector<CsvValue>& record, bool& have, std::vector<int>& targets) {
  int read = 0;
  auto next = [&] {
    ++read;
    have = reader.Next(record);
  };
  // The definition block, recognised whether or not it is taken over.
  std::vector<TFieldDef> defs;
  std::vector<TIndexDef> indexes;
  bool has_block = false;
  if (have && IsMarker(record, kFileVersionMarker)) next();
  if (have && IsMarker(record, kTableDefStart)) {
    has_block = true;
    bool in_indexes = false;
    for (next(); have && !IsMarker(record, kTableDefEnd); next()) {
      if (IsMarker(record, kIndexDefStart)) in_indexes = true;
      else if (IsMarker(record, kIndexDefEnd)) in_indexes = false;
      else if (in_indexes) indexes.push_back(ParseIndexDefinition(format.UnescapeValue(record[0].text)));
      else defs.push_back(ParseFieldDefinition(format, format.UnescapeValue(record[0].text)));
    }
    if (have) next();
  }

  if (table.FieldCount() == 0 && !table.Active() && has_block && format.LoadOptions.TableDef) {
    for (auto& def : defs) table.AddFieldDef(std::move(def));
    if (format.LoadOptions.IndexDef) table.IndexDefs() = std::move(indexes);
  }

  targets.clear();
  if (!format.NoHeader && have) {
    bool make_fields = table.FieldCount() == 0 && !table.Active();
    for (const CsvValue& v : record) {
      std::string name = format.UnescapeValue(v.text);
      if (make_fields && !name.empty() && table.FindField(name) < 0) {
        table.AddField(name, TFieldType::ftString, 255);
      }
      targets.push_back(table.FindField(name));
    }
    next();
  } else {
    for (int i = 0; i < table.FieldCount(); ++i) targets.push_back(i);
  }
  return read;
}

// Takes the record's values over; a value without escapes is moved, not
// copied.
void AppendRecord(const TCSVStreamFormat& format, TMemoryTable& table, std::vector<CsvValue>& record,
                  const std::vector<int>& targets) {
  table.Append();
  const size_t n = std::min(record.size(), targets.size());
  for (size_t i = 0; i < n; ++i) {
    if (targets[i] < 0) continue;
    std::string& text = record[i].text;
    table.SetText(targets[i],
                  text.find(format.EscapeChar) == std::string::npos ? std::move(text) : format.UnescapeValue(text));
  }
}

}  // namespace

void TCSVStreamFormat::LoadFromString(TMemoryTable& table, std::string_view text) const {
  CsvRecordReader reader(text, FieldSeparator, QuoteChar);
  std::vector<CsvValue> record;
  bool have = reader.Next(record);
  std::vector<int> targets;
  ReadPreamble(*this, table, reader, record, have, targets);
  if (!table.Active()) table.CreateTable();
  table.EmptyTable();
  if (LoadOptions.Data) {
    for (; have; have = reader.Next(record)) AppendRecord(*this, table, record, targets);
  }
  table.First();
}

int TCSVStreamFormat::LoadHeader(TMemoryTable& table, std::string_view text, std::vector<int>& targets) const {
  CsvRecordReader reader(text, FieldSeparator, QuoteChar);
  std::vector<CsvValue> record;
  bool have = reader.Next(record);
  const int read = ReadPreamble(*this, table, reader, record, have, targets);
  if (!table.Active()) table.CreateTable();
  table.EmptyTable();
  return read;
}

void TCSVStreamFormat::LoadRows(TMemoryTable& table, std::string_view rows, const std::vector<int>& targets) const {
  CsvRecordReader reader(rows, FieldSeparator, QuoteChar, false);
  std::vector<CsvValue> record;
  record.reserve(table.FieldCount());
  table.EmptyTable();
  while (reader.Next(record)) AppendRecord(*this, table, record, targets);
  table.First();
}

std::vector<size_t> TCSVStreamFormat::RecordEnds(std::string_view piece, bool file_start, bool last,
                                                 size_t max_records) const {
  CsvRecordReader reader(piece, FieldSeparator, QuoteChar, file_start);
  std::vector<size_t> ends;
  while (ends.size() < max_records && reader.NextEnd()) {
    if (!last && !reader.EndedByBreak()) break;
    ends.push_back(reader.Position());
  }
  return ends;
}

void TCSVStreamFormat::LoadFromStream(TMemoryTable& table, std::istream& in) const {
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LoadFromString(table, text);
}

void TCSVStreamFormat::LoadFromFile(TMemoryTable& table, const std::string& path) const {
  LoadFromString(table, ReadTextFileAsUtf8(path, nullptr));
}

std::unique_ptr<TCSVStreamFormat> CreateCSVStreamFormat() {
  // The member defaults are the engine's dialect; the factory is the one
  // place that would change them.
  auto format = std::make_unique<TCSVStreamFormat>();
  format->FieldSeparator = ',';
  format->QuoteChar = '"';
  format->EscapeChar = '%';
  format->QuoteOnlyStrings = false;
  format->NoHeader = false;
  return format;
}

}  // namespace qora
