#include "timesheet/csv_timesheet_table.h"

#include <cctype>
#include <string_view>

#include "common/format.h"
#include "common/exceptions.h"
#include "timesheet/csv_stream_format.h"
#include "timesheet/timesheet_text.h"

namespace qora {

namespace {
constexpr int kMaxHeaderColumns = 100;
constexpr int kHeaderCellSize = 50;
constexpr int kExtraTextSize = 200;
}  // namespace

std::unique_ptr<TMemoryTable> CreateTimesheetTable() {
  auto table = std::make_unique<TMemoryTable>("tblTimesheet");
  table->AddField("cEmployeeCode", TFieldType::ftString, 20, true);
  table->AddField("dDayWorked", TFieldType::ftString, 12);
  table->AddField("dStart", TFieldType::ftString, 8);
  table->AddField("dRosterStart", TFieldType::ftString, 8);
  table->AddField("dEnd", TFieldType::ftString, 8);
  table->AddField("dRosterEnd", TFieldType::ftString, 8);
  table->AddField("iRosterBreak", TFieldType::ftInteger);
  table->AddField("cWorkCode", TFieldType::ftString, 200);
  table->AddField("cJobTitle", TFieldType::ftString, 200);
  return table;
}

TFieldDef ExtraColumnDef(const std::string& name) {
  TFieldDef def;
  def.Name = name;
  def.DisplayName = name;
  def.DisplayLabel = name;
  if (name.size() >= 2 && name[0] == 'f') {
    def.DataType = TFieldType::ftFloat;
  } else {
    def.DataType = TFieldType::ftString;
    def.Size = kExtraTextSize;
    def.DisplayWidth = kExtraTextSize;
  }
  return def;
}

namespace {
// The text up to the first line break outside quotes that follows a
// visible character; the whole text when there is none.
std::string_view HeaderLine(std::string_view text, char quote) {
  bool quoted = false;
  bool seen = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch == quote) quoted = !quoted;
    if (!quoted && seen && (ch == '\r' || ch == '\n')) {
      const size_t end = ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? i + 2 : i + 1;
      return text.substr(0, end);
    }
    if (!std::isspace(static_cast<unsigned char>(ch))) seen = true;
  }
  return text;
}
}  // namespace

void LoadFieldDef(TMemoryTable& table, const std::string& file_name) {
  LoadFieldDefFromText(table, ReadTextFileAsUtf8(file_name, nullptr), file_name);
}

void LoadFieldDefFromText(TMemoryTable& table, std::string_view text, const std::string& file_name) {
  if (table.Active()) {
    throw eLoadFromFileException("Error in LoadFieldDef: Cannot create custom fields - the table is already open.");
  }
  if (table.FieldsCreated()) {
    throw eLoadFromFileException(
        "Error in LoadFieldDef: Cannot create custom fields - there are already fields defined.");
  }

  // The header line becomes the first row of a scratch table of plain text
  // columns, so that any names at all can be read.
  TMemoryTable scratch("tblHeader");
  for (int i = 1; i <= kMaxHeaderColumns; ++i) {
    scratch.AddField("fld" + std::to_string(i), TFieldType::ftString, kHeaderCellSize);
  }
  auto format = CreateCSVStreamFormat();
  format->NoHeader = true;
  format->LoadOptions.TableDef = false;
  format->LoadOptions.IndexDef = false;
  // The header is all that is read: parsing a long timesheet whole into a
  // hundred columns would cost kilobytes a row. Should the first line not
  // make a record, the whole text is parsed after all.
  const std::string_view header = HeaderLine(text, format->QuoteChar);
  format->LoadFromString(scratch, header);
  if (scratch.RecordCount() == 0 && header.size() < text.size()) format->LoadFromString(scratch, text);
  if (scratch.RecordCount() == 0) {
    throw eLoadFromFileException(Format("Error in LoadFieldDef: No fields defined, or file %s is blank", file_name));
  }
  scratch.First();
  for (int i = 0; i < scratch.FieldCount(); ++i) {
    const std::string& name = scratch.GetText(i);
    if (name.empty()) break;
    if (table.FindField(name) < 0) table.AddFieldDef(ExtraColumnDef(name));
  }
}

}  // namespace qora
