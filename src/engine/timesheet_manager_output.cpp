// The costing steps of the run: the breakdown of each shift, and the
// timesheet's pay lines written as a costing file, a payroll import file,
// stored costing lines or a payroll import batch.
#include <ostream>
#include <string_view>

#include "common/format.h"
#include "common/exceptions.h"
#include "common/text.h"
#include "db/connection.h"
#include "engine/timesheet_manager.h"
#include "output/costing_store.h"
#include "output/yif_generator.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_shift.h"

namespace qora {
namespace {

double SecondsSince(TDateTime start) { return (Now() - start) * 86400.0; }

// Appends the text's lines, each ended by CR LF whatever break it had (CR
// LF, LF or CR), as a whole generation's text split into lines and saved
// would be.
void AppendCRLFLines(std::string& out, std::string_view text) {
  for (size_t start = 0; start < text.size();) {
    const size_t end = FindLineBreak(text, start);
    out.append(text.substr(start, end - start)).append("\r\n");
    if (end == text.size()) break;
    start = AfterLineBreak(text, end);
  }
}

// Drops the additions history entries recorded after it was made, however
// the generation ends.
class TAdditionsRollback {
 public:
  explicit TAdditionsRollback(TAdditionHistoryList& list) : FList(list), FCount(list.Count()) {}
  ~TAdditionsRollback() {
    while (FList.Count() > FCount) FList.Delete(FList.Count() - 1);
  }
  TAdditionsRollback(const TAdditionsRollback&) = delete;
  TAdditionsRollback& operator=(const TAdditionsRollback&) = delete;

 private:
  TAdditionHistoryList& FList;
  int FCount;
};

}  // namespace

void TTimesheetManager::BreakDownComponents() {
  TTimesheetShift* shift = CurrentShift();
  if (!shift) return;
  shift->AdjustAllWorkCodes();
  shift->AdjustAllClassifications();
  shift->AdjustAllCostCodes();
  shift->AdjustPenaltyCostCodes();
}

TStringList TTimesheetManager::GenerateOutputLines(TnxTransactionFormat format) {
  // Within one generation the additions paid on earlier shifts count (a
  // weekly allowance is paid once a week); a second generation of the same
  // timesheet must see the history as the first one did.
  TAdditionsRollback rollback(FAdditionList);
  TStringList lines;
  TnxYIFGenerator::Execute(lines, *FTimesheet, *this, format);
  return lines;
}

void TTimesheetManager::StartShiftOutput(std::optional<TnxTransactionFormat> format, std::ostream* csv_lines) {
  auto output = std::make_unique<TShiftOutput>();
  output->AdditionsCount = FAdditionList.Count();
  if (format) {
    output->Generator = std::make_unique<TnxYIFGenerator>(*FTimesheet, *this);
    output->Generator->Begin(*format);
    if (*format == TnxTransactionFormat::tfCSV) output->CSVLines = csv_lines;
  }
  FShiftOutput = std::move(output);
  ShiftCosted(-1);  // the CSV header
}

void TTimesheetManager::ShiftCosted(int index) {
  if (!FShiftOutput) return;
  TShiftOutput& output = *FShiftOutput;
  TTimesheetShift* shift = index >= 0 && index < FTimesheet->Count() ? FTimesheet->GetTimesheetShift(index) : nullptr;
  if (shift && output.Generator && !output.Error) {
    try {
      output.Generator->AddShift(*shift);
    } catch (...) {
      output.Error = std::current_exception();
    }
  }
  if (output.CSVLines && !output.Error) {
    // One write per shift: the stream's per-call work costs more than
    // the copy into the kept buffer.
    const TStringList content = output.Generator->TakeContent();
    output.Pending.clear();
    for (const std::string& item : content.Items()) AppendCRLFLines(output.Pending, item);
    output.CSVLines->write(output.Pending.data(), static_cast<std::streamsize>(output.Pending.size()));
  }
  if (index >= 1 && index <= FTimesheet->Count()) FTimesheet->GetTimesheetShift(index - 1)->ReleaseWorkingData();
}

TStringList TTimesheetManager::EndShiftOutput() {
  if (!FShiftOutput) return {};
  const std::unique_ptr<TShiftOutput> output = std::move(FShiftOutput);
  while (FAdditionList.Count() > output->AdditionsCount) FAdditionList.Delete(FAdditionList.Count() - 1);
  if (output->Error) std::rethrow_exception(output->Error);
  if (!output->Generator) return {};
  output->Generator->Finish();
  TStringList lines;
  lines.SetText(output->Generator->TakeContent().Text());
  return lines;
}

std::string TTimesheetManager::CSVCostingAsString() {
  const TDateTime start = Now();
  Debug(0, "Saving Costing stream");
  std::string text = GenerateOutputLines(TnxTransactionFormat::tfCSV).Text();
  Debug(0, Format("Saved Costing stream in %f.1 seconds", SecondsSince(start)));
  return text;
}

void TTimesheetManager::SaveCSVCostingToStream(std::ostream& stream) { stream << CSVCostingAsString(); }

void TTimesheetManager::SavingFile(const std::string& file_name, const std::function<void()>& write) {
  const TDateTime start = Now();
  Debug(0, Format("Saving file \"%s\"", file_name));
  write();
  Debug(0, Format("Saved file \"%s\" in %f.1 seconds", file_name, SecondsSince(start)));
}

void TTimesheetManager::SaveCSVCostingFile(const std::string& file_name) {
  SavingFile(file_name, [&] { AppendCostingFile(file_name, GenerateOutputLines(TnxTransactionFormat::tfCSV)); });
}

void TTimesheetManager::DBSaveCSV(const std::string& description) {
  const TDateTime start = Now();
  Debug(0, Format("Saving CSV to database \"%s\"", description));
  GenerateOutputLines(TnxTransactionFormat::tfCSV);
  Debug(0, Format("Saved import \"%s\" in %f.1 seconds", description, SecondsSince(start)));
  throw eNotImplementException("DBSaveCSV not implemented");
}

void TTimesheetManager::SaveYIFFile(const std::string& file_name) {
  SavingFile(file_name, [&] { WriteTextFile(file_name, GenerateOutputLines(TnxTransactionFormat::tfYIF).Text()); });
}

void TTimesheetManager::SaveYIFToStream(std::ostream& stream) {
  const TDateTime start = Now();
  Debug(0, "Saving YIF to stream");
  stream << GenerateOutputLines(TnxTransactionFormat::tfYIF).Text();
  Debug(0, Format("Saved YIF to stream in %f.1 seconds", SecondsSince(start)));
}

void TTimesheetManager::DBSaveYIF(const std::string& description) {
  const TDateTime start = Now();
  Debug(0, Format("Saving YIF to database \"%s\"", description));
  const std::string text = GenerateOutputLines(TnxTransactionFormat::tfYIF).Text();
  StoreYIFImport(MainConnection(), *FTimesheet, text);
  Debug(0, Format("Saved import \"%s\" in %f.1 seconds", description, SecondsSince(start)));
}

void TTimesheetManager::DBDeleteCosting(const std::string& timesheet_ids) {
  if (timesheet_ids.empty()) return;
  DeleteStoredCosting(MainConnection(), timesheet_ids, FCostingOutputType);
}

void TTimesheetManager::DBSaveCosting() {
  const TDateTime start = Now();
  Debug(0, "Saving Costing to database");
  // Lines are stored as they are generated, so a generation that fails
  // half-way must take the lines stored before it along.
  TDBConnection& connection = MainConnection();
  TDBTransaction transaction(connection);
  {
    TAdditionsRollback rollback(FAdditionList);
    TCostingStore store(connection, FCostingOutputType);
    TnxYIFGenerator::ExecuteCosting(*FTimesheet, *this, store);
    store.Flush();
  }
  transaction.Commit();
  Debug(0, Format("Saved costing in %f.1 seconds", SecondsSince(start)));
}

}  // namespace qora
