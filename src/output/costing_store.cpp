#include "output/costing_store.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <utility>

#include "common/format.h"
#include "common/exceptions.h"
#include "db/connection.h"
#include "db/sql_text.h"
#include "output/yif_generator.h"
#include "timesheet/csv_memory_table.h"
#include "timesheet/csv_stream_format.h"
#include "timesheet/timesheet.h"

namespace qora {
namespace {

std::ofstream OpenForWriting(const std::string& path, std::ios::openmode mode) {
  std::ofstream out(path, std::ios::binary | mode);
  if (!out) throw eaiPRocessorException(Format("Cannot write file \"%s\".", path));
  return out;
}

// The costing text read back as a table of its header's columns, every
// value kept as the text the costing file holds.
void LoadCostingTable(TMemoryTable& table, const std::string& text) {
  TStringList names;
  names.SetCommaText(kCSVCostingHeader);
  for (int i = 0; i < names.Count(); ++i) table.AddField(names[i], TFieldType::ftString, 255);
  CreateCSVStreamFormat()->LoadFromString(table, text);
}

// A costing file date ("DD/MM/YYYY") as a date parameter; null when empty.
// Dates are bound as dates rather than passed as text, so that no server's
// date-order setting can read 05/03 as the third of May.
TDBValue DateParam(const TMemoryTable& table, const char* field) {
  if (table.IsNull(table.FieldIndex(field))) return TDBValue();
  return TDBValue::DateTime(table.AsDateTime(field));
}

TDBParams CostingParams(const TMemoryTable& t, TaiCostingOutputType type) {
  return {{"iCostingType", static_cast<int>(type)},
          {"iTimesheetRowID", static_cast<int>(t.AsInteger("ShiftID"))},
          {"cComponentType", t.AsString("ComponentType")},
          {"cComponentName", t.AsString("ComponentName")},
          {"fRate", RoundCosting(t.AsFloat("Rate"), 4)},
          {"fPercent", t.AsFloat("Percent")},
          {"fUnits", RoundCosting(t.AsFloat("Units"), 2)},
          {"fValue", RoundCosting(t.AsFloat("Value"), 2)},
          {"cFrequency", t.AsString("Frequency")},
          {"cCostCode", t.AsString("CostCode")},
          {"cJobCode", t.AsString("JobCode")},
          {"cAwardCategory", t.AsString("AwardCategory")},
          {"cLeaveReason", t.AsString("LeaveReason")},
          {"dStartDate", DateParam(t, "DayWorked")},
          {"dEndDate", DateParam(t, "EndDate")},
          {"cLeaveClass", t.AsString("LeaveClass")},
          {"cClassification", t.AsString("Classification")},
          {"dStartTime", t.AsFloat("FromTime") / 24},
          {"dEndTime", t.AsFloat("ToTime") / 24},
          {"iALLink", static_cast<int>(t.AsInteger("ALLink"))}};
}

}  // namespace

void AppendCostingFile(const std::string& pFileName, const TStringList& pLines) {
  std::error_code ec;
  // An empty file has no header yet either.
  const bool has_header = std::filesystem::exists(pFileName, ec) && std::filesystem::file_size(pFileName, ec) > 0;
  std::ofstream out = OpenForWriting(pFileName, std::ios::app);
  for (int i = has_header ? 1 : 0; i < pLines.Count(); ++i) out << pLines[i] << "\r\n";
  if (!out.flush()) throw eaiPRocessorException(Format("Cannot write file \"%s\".", pFileName));
}

TCostingFileWriter::TCostingFileWriter(std::string pFileName)
    : FFileName(std::move(pFileName)),
      FPartName(FFileName + ".part"),
      FPart(FPartName, std::ios::binary | std::ios::trunc) {}

TCostingFileWriter::~TCostingFileWriter() {
  FPart.close();
  std::error_code ec;
  std::filesystem::remove(FPartName, ec);
}

void TCostingFileWriter::Commit() {
  // A part file that could not be written fails as the costing file would.
  if (!FPart.flush()) throw eaiPRocessorException(Format("Cannot write file \"%s\".", FFileName));
  FPart.close();
  std::error_code ec;
  const bool has_header = std::filesystem::exists(FFileName, ec) && std::filesystem::file_size(FFileName, ec) > 0;
  std::ifstream part(FPartName, std::ios::binary);
  if (has_header) part.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  std::ofstream out = OpenForWriting(FFileName, std::ios::app);
  // Streaming an empty rest would mark the output as failed.
  if (part.peek() != std::ifstream::traits_type::eof()) out << part.rdbuf();
  if (!out.flush()) throw eaiPRocessorException(Format("Cannot write file \"%s\".", FFileName));
}

void WriteTextFile(const std::string& pFileName, const std::string& pText) {
  std::ofstream out = OpenForWriting(pFileName, std::ios::trunc);
  out << pText;
  if (!out.flush()) throw eaiPRocessorException(Format("Cannot write file \"%s\".", pFileName));
}

void DeleteStoredCosting(TDBConnection& pConnection, const std::string& pTimesheetIds,
                         TaiCostingOutputType pCostingType) {
  const std::string ids = ValidateIdList(pTimesheetIds);
  if (ids.empty()) return;
  pConnection.Execute(
      Format("delete from _estblTimesheetCost where iTimesheetID in (%s) and iCostingType = :CostingType", ids),
      {{"CostingType", static_cast<int>(pCostingType)}});
}

int StoreCosting(TDBConnection& pConnection, const std::string& pCostingText, TaiCostingOutputType pCostingType) {
  TMemoryTable table("tblCosting");
  LoadCostingTable(table, pCostingText);
  int stored = 0;
  for (table.First(); !table.Eof(); table.Next()) {
    if (table.AsInteger("ShiftID") <= 0) continue;
    pConnection.ExecProc("_qivAddTimesheetCost", CostingParams(table, pCostingType));
    ++stored;
  }
  return stored;
}

void StoreYIFImport(TDBConnection& pConnection, TTimesheet& pTimesheet, const std::string& pYIFText) {
  if (pTimesheet.Description().empty()) pTimesheet.SetDescription("Timesheet Import-" + FormatIsoDateTime(Now()));
  // The import batch covers the timesheet's first day: the payroll system
  // dates the batch by it at both ends.
  pConnection.ExecProc("_ipspAddImportData", {{"Description", pTimesheet.Description()},
                                              {"ImportSource", "QORA"},
                                              {"PayrollLinkToken", pTimesheet.PayrollLinkToken()},
                                              {"EffectiveDate", TDBValue::DateTime(pTimesheet.StartDate())},
                                              {"EndDate", TDBValue::DateTime(pTimesheet.StartDate())},
                                              {"YIFData", pYIFText},
                                              {"ImportFormat", 2},
                                              {"ReturnID", static_cast<int>(pTimesheet.ID())}});
}

}  // namespace qora
