#include "timesheet/csv_timesheet_table.h"

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
  format->LoadFromString(scratch, text);
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
