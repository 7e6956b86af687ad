#include "timesheet/csv_memory_table.h"

#include <cmath>
#include <stdexcept>

#include <fmt/format.h>

#include "common/format.h"
#include "common/text.h"

namespace qora {

void TMemoryTable::AddFieldDef(TFieldDef def) {
  RequireClosed();
  if (FindField(def.Name) >= 0) {
    throw std::invalid_argument("Duplicate field name '" + def.Name + "'");
  }
  FFields.push_back(std::move(def));
}

void TMemoryTable::AddField(std::string name, TFieldType type, int size, bool required) {
  TFieldDef def;
  def.DisplayName = name;
  def.DisplayLabel = name;
  def.Name = std::move(name);
  def.DataType = type;
  def.Size = size;
  def.DisplayWidth = size;
  def.Required = required;
  AddFieldDef(std::move(def));
}

int TMemoryTable::FindField(std::string_view name) const {
  // Names of another length are passed over without a call: a shift's
  // rows look their columns up by name many times over.
  for (size_t i = 0; i < FFields.size(); ++i) {
    const std::string& field = FFields[i].Name;
    if (field.size() == name.size() && SameText(field, name)) return static_cast<int>(i);
  }
  return -1;
}

int TMemoryTable::FieldIndex(std::string_view name) const {
  int index = FindField(name);
  if (index < 0) throw std::invalid_argument("Field '" + std::string(name) + "' not found");
  return index;
}

void TMemoryTable::ClearFields() {
  RequireClosed();
  FFields.clear();
  FIndexDefs.clear();
  FFieldsCreated = false;
}

void TMemoryTable::CreateTable() {
  FRows.clear();
  FRecNo = 0;
  FActive = true;
  FFieldsCreated = true;
}

void TMemoryTable::Close() {
  FRows.clear();
  FRecNo = 0;
  FActive = false;
}

void TMemoryTable::Append() {
  RequireOpen();
  FRows.emplace_back(FFields.size());
  FRecNo = RecordCount() - 1;
}

void TMemoryTable::EmptyTable() {
  RequireOpen();
  FRows.clear();
  FRecNo = 0;
}

void TMemoryTable::SetRecNo(int index) {
  if (index < 0 || index > RecordCount()) throw std::out_of_range("Record index out of range");
  FRecNo = index;
}

const std::string& TMemoryTable::GetText(int field) const {
  return CurrentRow().at(static_cast<size_t>(field));
}

void TMemoryTable::SetText(int field, std::string value) {
  CurrentRow().at(static_cast<size_t>(field)) = std::move(value);
}

double TMemoryTable::AsFloat(std::string_view field) const {
  return StrToFloatDef(AsString(field), 0.0);
}

int64_t TMemoryTable::AsInteger(std::string_view field) const {
  return StrToIntDef(AsString(field), 0);
}

bool TMemoryTable::AsBoolean(std::string_view field) const {
  return StrToBoolDef(AsString(field), false);
}

TDateTime TMemoryTable::AsDateTime(std::string_view field) const {
  TDateTime value = 0;
  return TryParseCsvDateTime(Trim(AsString(field)), value) ? value : 0.0;
}

void TMemoryTable::SetFloat(std::string_view field, double value) {
  SetString(field, FloatToStr(value));
}

void TMemoryTable::SetInteger(std::string_view field, int64_t value) {
  SetString(field, std::to_string(value));
}

void TMemoryTable::SetBoolean(std::string_view field, bool value) {
  SetString(field, BoolToStr(value));
}

void TMemoryTable::SetDateTime(std::string_view field, TDateTime value) {
  int index = FieldIndex(field);
  switch (FFields[static_cast<size_t>(index)].DataType) {
    case TFieldType::ftDate:
      SetText(index, FormatCsvDate(value));
      break;
    case TFieldType::ftTime:
      SetText(index, FormatCsvTime(value));
      break;
    default:
      SetText(index, FormatCsvDateTime(value));
      break;
  }
}

void TMemoryTable::RequireOpen() const {
  if (!FActive) throw std::logic_error("Table " + FName + " is not open");
}

void TMemoryTable::RequireClosed() const {
  if (FActive) throw std::logic_error("Cannot change the fields of open table " + FName);
}

std::vector<std::string>& TMemoryTable::CurrentRow() {
  RequireOpen();
  if (Eof()) throw std::out_of_range("No current record in table " + FName);
  return FRows[static_cast<size_t>(FRecNo)];
}

const std::vector<std::string>& TMemoryTable::CurrentRow() const {
  RequireOpen();
  if (Eof()) throw std::out_of_range("No current record in table " + FName);
  return FRows[static_cast<size_t>(FRecNo)];
}

// --- Dialect dates -------------------------------------------------------

std::string FormatCsvDate(TDateTime value) {
  int y = 0, m = 0, d = 0;
  DecodeDate(value, y, m, d);
  return fmt::format("{:02}/{:02}/{:04}", d, m, y);
}

std::string FormatCsvTime(TDateTime value) {
  int h = 0, n = 0, s = 0, ms = 0;
  DecodeTime(value, h, n, s, ms);
  return fmt::format("{:02}:{:02}:{:02}", h, n, s);
}

std::string FormatCsvDateTime(TDateTime value) { return FormatCsvDate(value) + " " + FormatCsvTime(value); }

namespace {

// Reads a run of 1..max_digits digits at `pos`; false when there is none.
bool ReadNumber(std::string_view text, size_t& pos, size_t max_digits, int& out) {
  size_t start = pos;
  out = 0;
  while (pos < text.size() && pos - start < max_digits && text[pos] >= '0' && text[pos] <= '9') {
    out = out * 10 + (text[pos] - '0');
    ++pos;
  }
  return pos > start;
}

bool Expect(std::string_view text, size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

// "HH:nn" with optional ":ss"; the text must end there.
bool ParseTimePart(std::string_view text, size_t pos, TDateTime& out) {
  int h = 0, n = 0, s = 0;
  if (!ReadNumber(text, pos, 2, h) || !Expect(text, pos, ':') || !ReadNumber(text, pos, 2, n)) return false;
  if (pos < text.size() && (!Expect(text, pos, ':') || !ReadNumber(text, pos, 2, s))) return false;
  if (pos != text.size() || h > 23 || n > 59 || s > 59) return false;
  out = EncodeTime(h, n, s);
  return true;
}

}  // namespace

bool TryParseCsvDateTime(std::string_view text, TDateTime& out) {
  size_t pos = 0;
  int d = 0, m = 0, y = 0;
  if (text.find('/') == std::string_view::npos) return ParseTimePart(text, 0, out);
  if (!ReadNumber(text, pos, 2, d) || !Expect(text, pos, '/') || !ReadNumber(text, pos, 2, m) ||
      !Expect(text, pos, '/') || !ReadNumber(text, pos, 4, y)) {
    return false;
  }
  TDateTime date = 0;
  if (!TryEncodeDate(y, m, d, date)) return false;
  if (pos == text.size()) {
    out = date;
    return true;
  }
  TDateTime time = 0;
  if (!Expect(text, pos, ' ') || !ParseTimePart(text, pos, time)) return false;
  out = date < 0 ? date - time : date + time;
  return true;
}

}  // namespace qora
