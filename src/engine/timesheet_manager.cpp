#include "engine/timesheet_manager.h"

#include <algorithm>
#include <istream>
#include <limits>
#include <sstream>
#include <string_view>

#include "award/award_provider.h"
#include "award/employee_award_cache.h"
#include "common/format.h"
#include "db/connection.h"
#include "common/exceptions.h"
#include "foundation/user_feedback.h"
#include "foundation/class_builder.h"
#include "formula/parser.h"
#include "rules/domain_vocabulary.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_file_loader.h"
#include "timesheet/timecard_reader.h"
#include "timesheet/timesheet_shift.h"

namespace qora {
namespace {

// A timesheet ID is a run of decimal digits naming a positive 32-bit
// integer; anything else reads as 0, so no other text can reach the SQL
// that lists IDs.
int64_t TimesheetIDOf(std::string_view name) {
  if (name.empty() || name.size() > 10) return 0;
  int64_t value = 0;
  for (char c : name) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value <= std::numeric_limits<int32_t>::max() ? value : 0;
}

// The costing type of an item: the single character after the first "=".
int CostingTypeOf(std::string_view item) {
  size_t eq = item.find('=');
  if (eq == std::string_view::npos || eq + 1 >= item.size()) return 0;
  char c = item[eq + 1];
  return (c >= '0' && c <= '9') ? c - '0' : 0;
}

}  // namespace

const ClassInfo& TTimesheetManager::StaticClassInfo() {
  static const ClassInfo& info =
      ClassBuilder<TTimesheetManager>("TTimesheetManager")
          .Field("DBSQLUserName", &TTimesheetManager::FSQLUserName)
          .Field("CurrentShiftIndex", &TTimesheetManager::FCurrentShiftIndex, true)
          .Field("PayrollLinkToken", &TTimesheetManager::FPayrollLinkToken, true)
          .Build();
  return info;
}

TTimesheetManager::TTimesheetManager() : FTimesheet(std::make_unique<TTimesheet>()) {
  FTimesheet->SetTimesheetManager(this);
}

TTimesheetManager::~TTimesheetManager() = default;

bool TTimesheetManager::DBConnected() const { return FConnection != nullptr && FConnection->Connected(); }

void TTimesheetManager::SetCurrentShiftIndex(int index) {
  FCurrentShiftIndex = index;
  if (DBConnected()) {
    if (TTimesheetShift* shift = CurrentShift()) DBLoadEmployeeDetails(*shift);
  }
}

TTimesheetShift* TTimesheetManager::CurrentShift() const {
  if (FCurrentShiftIndex < 0 || FCurrentShiftIndex >= FTimesheet->Count()) return nullptr;
  return FTimesheet->GetTimesheetShift(FCurrentShiftIndex);
}

const IShiftAward* TTimesheetManager::FindShiftAward(const TTimesheetShift& shift) {
  return FAwardProvider != nullptr ? FAwardProvider->FindShiftAward(shift) : nullptr;
}

TDBConnection& TTimesheetManager::MainConnection() const {
  if (!DBConnected()) throw eDatabaseException("The main database connection is not open.");
  return *FConnection;
}

TDBConnection& TTimesheetManager::PayrollDB() const {
  if (!FPayrollConnection) throw eDatabaseException("No payroll database connection is set.");
  return *FPayrollConnection;
}

void TTimesheetManager::Debug(int32_t timesheet_id, const std::string& message) const {
  if (FUserFeedback) FUserFeedback->AddDebugMessage(message, timesheet_id, TMessageSeverity::ms_Information);
}

bool TTimesheetManager::DebugOn() const { return FUserFeedback != nullptr && FUserFeedback->DebugEnabled(); }

TEmployeeAwardCache& TTimesheetManager::Employees() {
  if (FEmployeeCache) return *FEmployeeCache;
  if (!FOwnEmployeeCache) FOwnEmployeeCache = std::make_unique<TEmployeeAwardCache>();
  return *FOwnEmployeeCache;
}

void TTimesheetManager::ClearAll() {
  FPayrollLinkToken.clear();
  FTimesheet->ClearAll();
  FHoursList.DeleteCostingHours();
  FAdditionList.Clear();
  FLeaveRateList.Clear();
  FLast = {};
  FShiftsOffTimesheet = 0;
}

void TTimesheetManager::LoadTimesheetFromFile(const std::string& file_name) {
  qora::LoadTimesheetFromFile(file_name, *FTimesheet, FUserFeedback);
}

void TTimesheetManager::LoadTimesheetFromStream(std::istream* stream, int import_type) {
  if (!stream) throw eLoadFromStreamException("Blank or Invalid Timesheet.");
  stream->clear();
  stream->seekg(0, std::ios::end);
  const std::streamoff size = stream->tellg();
  if (size <= 0) throw eLoadFromStreamException("Blank or Invalid Timesheet.");
  stream->seekg(0, std::ios::beg);
  if (import_type == 1) {
    LoadXMLTimesheetFromStream(*FTimesheet, *stream, FUserFeedback);
  } else if (import_type == 2) {
    throw eNotImplementException(
        "Loading CSV timesheets from the database is not supported. Use XML format instead.");
  }
  FTimesheet->FillInShiftDetails();
  FTimesheet->SortTimesheet();
}

void TTimesheetManager::XMLLoadFromDatabase(int32_t timesheet_id) {
  const TDBResult result = MainConnection().Query(Format(
      "select T.*, (select COUNT(*) from _estblTimesheetRow where iTimesheetID = T.idTimesheet) as iRowCount "
      "from _estblTimesheet T  where T.idTimesheet = %d",
      timesheet_id));
  // A missing timesheet is named rather than read as an empty document, so
  // that the caller sees which ID was wrong.
  if (result.Empty()) throw eRecordNotFoundException(Format("Timesheet %d was not found.", timesheet_id));
  const TDBRow& row = result[0];
  const int import_type = row["iImportType"].AsInteger();
  if (import_type == 2) {
    throw eNotImplementException(
        "Loading CSV timesheets from the database is not supported. Use XML format instead.");
  }
  if (import_type == 1) {
    std::istringstream data(row["nData"].AsString());
    LoadTimesheetFromStream(&data, import_type);
    return;
  }
  FTimesheet->FillInShiftDetails();
  FTimesheet->SortTimesheet();
}

std::string TTimesheetManager::GetTimesheetIDString(TaiCostingOutputType output_type) const {
  std::string ids;
  for (int i = 0; i < FTimesheetIDList.Count(); ++i) {
    const int64_t id = TimesheetIDOf(FTimesheetIDList.Names(i));
    if (id <= 0) continue;  // only before PopulateTimesheetIDList has checked the list
    if (output_type != TaiCostingOutputType::cot_None &&
        CostingTypeOf(FTimesheetIDList[i]) != static_cast<int>(output_type)) {
      continue;
    }
    if (!ids.empty()) ids += ',';
    ids += std::to_string(id);
  }
  return ids;
}

void TTimesheetManager::PopulateTimesheetIDList(const std::string& id_list) {
  FTimesheetIDList.SetCommaText(id_list);
  for (int i = 0; i < FTimesheetIDList.Count(); ++i) {
    if (TimesheetIDOf(FTimesheetIDList.Names(i)) <= 0) {
      throw eaiPRocessorException(Format("\"%s\" is not a valid timesheet ID.", FTimesheetIDList[i]));
    }
  }
  if (!FConnection) throw eDatabaseException("No database connection to look up approved costing.");
  // The IDs formatted into the statement are digits only (GetTimesheetIDString).
  // A list that selects nothing leaves the parentheses empty: every back end
  // rejects that statement, so a job given no usable ID fails with the
  // database's message instead of reporting success for no work.
  const std::string ids = GetTimesheetIDString(TaiCostingOutputType::cot_None);
  const TDBResult approved = FConnection->Query(Format(
      "select distinct iTimesheetID from _estblTimesheetCost where iCostingType = 2 and iTimesheetID in (%s)",
      ids));
  for (const TDBRow& row : approved) {
    const int64_t id = row["iTimesheetID"].AsLargeInt();
    for (int i = FTimesheetIDList.Count() - 1; i >= 0; --i) {
      if (TimesheetIDOf(FTimesheetIDList.Names(i)) == id) FTimesheetIDList.Delete(i);
    }
  }
}

void TTimesheetManager::SetDefaultHours(TTimesheetShift& shift) {
  // Copy the list first: pricing a block may not add blocks, but the walk
  // must not depend on that.
  std::vector<THoursGroup*> ordinary;
  for (int i = 0; i < shift.HoursGroupList().Count(); ++i) {
    THoursGroup* group = shift.HoursGroupList().Items(i);
    if (group->HoursType() == THoursType::htOrdinary) ordinary.push_back(group);
  }
  for (THoursGroup* group : ordinary) {
    shift.SetComponentDetails(group);
    shift.CreateClassificationGroup(group);
    shift.CreateWorkCodeGroup(group);
  }
}

void TTimesheetManager::CreateCustomVariables(TQelParser* parser) {
  if (!parser) return;
  if (TTimesheetShift* shift = CurrentShift()) CreateColumnVariables(*parser, *shift);
  RegisterDomainFunctions(parser->Functions());
}

void TTimesheetManager::SetCustomVariableValue(TQelParser* parser, const std::string& variable, bool& handled) {
  TTimesheetShift* shift = CurrentShift();
  if (!parser || !shift) return;
  handled = StoreIntoColumn(*parser, *shift, variable);
}

void TTimesheetManager::CreateColumnVariable(TQelParser* parser, TTimesheetColumn* column) {
  if (parser && column) qora::CreateColumnVariable(*parser, *column);
}

void TTimesheetManager::LogDebugMessages(TQelParser*, TnxBaseObject*, const std::string& message) {
  if (FUserFeedback) FUserFeedback->AddDebugMessage(message, 0, TMessageSeverity::ms_Information);
}

}  // namespace qora
