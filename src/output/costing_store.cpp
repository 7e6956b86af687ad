#include "output/costing_store.h"

#include <filesystem>
#include <fstream>
#include <limits>
#include <utility>
#include <vector>

#include "common/format.h"
#include "common/exceptions.h"
#include "db/connection.h"
#include "db/sql_text.h"
#include "output/yif_generator.h"
#include "timesheet/timesheet.h"

namespace qora {
namespace {

std::ofstream OpenForWriting(const std::string& path, std::ios::openmode mode) {
  std::ofstream out(path, std::ios::binary | mode);
  if (!out) throw eaiPRocessorException(Format("Cannot write file \"%s\".", path));
  return out;
}

// The procedure's parameters in the order CostingValues gives them.
std::vector<std::string> CostingParamNames() {
  return {"iCostingType", "iTimesheetRowID", "cComponentType", "cComponentName", "fRate",
          "fPercent",     "fUnits",          "fValue",         "cFrequency",     "cCostCode",
          "cJobCode",     "cAwardCategory",  "cLeaveReason",   "dStartDate",     "dEndDate",
          "cLeaveClass",  "cClassification", "dStartTime",     "dEndTime",       "iALLink"};
}

// A costing date as the costing file gives it (the day only); null without
// one. Dates are bound as dates rather than passed as text, so that no
// server's date-order setting can read 05/03 as the third of May.
TDBValue DateParam(TDateTime pDate) {
  return pDate > 0 ? TDBValue::DateTime(DateOf(pDate)) : TDBValue();
}

// The values the costing file's line would give, read back: numbers to the
// file's decimals, the fields a line does not have empty.
void CostingValues(const TnxCostingLine& l, TaiCostingOutputType type, std::vector<TDBValue>& v) {
  const bool has_leave_fields = l.FieldCount >= 20;
  v.clear();
  v.reserve(20);  // a vector handed back by the store may be a new one
  v.emplace_back(static_cast<int>(type));
  v.emplace_back(static_cast<int>(l.ShiftID));
  v.emplace_back(l.ComponentType);
  v.emplace_back(l.ComponentName);
  v.emplace_back(RoundCosting(CostingFileNumber(l.Rate), 4));
  v.emplace_back(has_leave_fields ? CostingFileNumber(l.Percent) : 0.0);
  v.emplace_back(RoundCosting(CostingFileNumber(l.Units), 2));
  v.emplace_back(RoundCosting(CostingFileNumber(l.Value), 2));
  v.emplace_back(l.Frequency);
  v.emplace_back(l.CostCode);
  v.emplace_back(l.JobCode);
  v.emplace_back(l.AwardCategory);
  v.emplace_back(has_leave_fields ? l.LeaveReason : std::string_view());
  v.push_back(DateParam(l.DayWorked));
  v.push_back(DateParam(l.EndDate));
  v.emplace_back(has_leave_fields ? l.LeaveClass : std::string_view());
  v.emplace_back(l.Classification);
  v.emplace_back(CostingFileNumber(l.FromTime) / 24);
  v.emplace_back(CostingFileNumber(l.ToTime) / 24);
  v.emplace_back(l.FieldCount >= 21 ? static_cast<int>(l.ALLink) : 0);
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
  // A costing file not there yet becomes the part file itself: linked into
  // place, which fails rather than replace a file made meanwhile, instead
  // of copied (the destructor removes the part's own name). A run's costing
  // is as large as its timesheet several times.
  std::filesystem::create_hard_link(FPartName, FFileName, ec);
  if (!ec) return;
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
  TDBParams params{{"CostingType", static_cast<int>(pCostingType)}};
  const std::string in_list = IdListOrParam(ids, "TimesheetID", params);
  pConnection.Execute(
      Format("delete from _estblTimesheetCost where iTimesheetID in (%s) and iCostingType = :CostingType", in_list),
      params);
}

TCostingStore::TCostingStore(TDBConnection& pConnection, TaiCostingOutputType pCostingType)
    : FCall(pConnection.PrepareProc("_qivAddTimesheetCost", CostingParamNames())), FCostingType(pCostingType) {}

TCostingStore::~TCostingStore() = default;

void TCostingStore::Add(const TnxCostingLine& pLine) {
  if (pLine.ShiftID <= 0) return;
  CostingValues(pLine, FCostingType, FValues);
  FCall->RunConsuming(FValues);
  ++FStored;
}

void TCostingStore::Flush() { FCall->Flush(); }

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
