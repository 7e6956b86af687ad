#include "output/yif_generator.h"

#include "common/exceptions.h"
#include "common/text.h"
#include "db/connection.h"
#include "output/shift_builders.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

TnxBaseGenerator::TnxBaseGenerator(TTimesheet& pTimesheet, ICostingRun& pRun)
    : FTimesheet(pTimesheet), FRun(pRun), FConnection(pRun.PayrollConnection()) {}

void TnxYIFGenerator::Execute(TStringList& pStringList, TTimesheet& pTimesheet, ICostingRun& pRun,
                              TnxTransactionFormat pFormat) {
  TnxYIFGenerator generator(pTimesheet, pRun);
  generator.Generate(pFormat);
  pStringList.SetText(generator.Content().Text());
}

void TnxYIFGenerator::ExecuteCosting(TTimesheet& pTimesheet, ICostingRun& pRun, ITnxCostingSink& pSink) {
  TnxYIFGenerator generator(pTimesheet, pRun);
  generator.FSink = &pSink;
  generator.Generate(TnxTransactionFormat::tfCSV);
}

void TnxYIFGenerator::Generate(TnxTransactionFormat pFormat) {
  Begin(pFormat);
  for (int i = 0; i < FTimesheet.Count(); ++i) AddShift(*FTimesheet.GetTimesheetShift(i));
  Finish();
}

void TnxYIFGenerator::Begin(TnxTransactionFormat pFormat) {
  if (pFormat != TnxTransactionFormat::tfCSV && pFormat != TnxTransactionFormat::tfYIF) {
    throw eNotImplementException("Unsupported Output Format in YIFGenerator.Generate.");
  }
  FFormat = pFormat;
  FContent.Clear();
  if (FFormat == TnxTransactionFormat::tfCSV) {
    RecordFormats().SetForCSV();
    FContent.Add(kCSVCostingHeader);
  } else {
    RecordFormats().SetForYIF();
  }
}

void TnxYIFGenerator::AddShift(TTimesheetShift& pShift) {
  if (pShift.Rejected()) return;
  TnxBuildContext context{FRun, FFormat, FSink};
  if (FFormat == TnxTransactionFormat::tfCSV) {
    for (std::string& item : BuildShiftTransactions(context, pShift).Items) FContent.Add(std::move(item));
    return;
  }
  if (pShift.EmployeeCode().empty()) return;
  const std::string plain = FEmployeeHeader.GetEmployeeHeader(pShift.EmployeeCode());
  const std::string with_rdo = FEmployeeHeader.GetEmployeeHeader(pShift.EmployeeCode(), true, std::string());
  TnxShiftTransactions lines = BuildShiftTransactions(context, pShift);
  if (lines.Items.empty()) return;
  int found = -1;
  for (int k = 0; k < FContent.Count() && found < 0; ++k) {
    if (SameText(FContent[k], plain) || SameText(FContent[k], with_rdo)) found = k;
  }
  if (found < 0) {
    FContent.Add(lines.HasRDO ? with_rdo : plain);
    for (std::string& item : lines.Items) FContent.Add(std::move(item));
    return;
  }
  // The employee's later shifts go straight under the header, so they
  // come before the lines of the employee's earlier shifts.
  if (lines.HasRDO) FContent[found] = with_rdo;
  for (size_t k = 0; k < lines.Items.size(); ++k) {
    FContent.Insert(found + 1 + static_cast<int>(k), std::move(lines.Items[k]));
  }
}

TDateTime TnxYIFGenerator::PeriodEndDate() const {
  if (!FConnection || !FConnection->Connected()) return kEmptyDate;
  const TDBValue value = FConnection->QueryValue("select top 1 PeriodEnd from PRPeriod where isProcessed = 0");
  return value.IsNull() ? kEmptyDate : value.AsDateTime();
}

// The file header is made last: the payroll connection that names the
// period is the one the shifts left open.
void TnxYIFGenerator::Finish() {
  if (FFormat != TnxTransactionFormat::tfYIF) return;
  TnxYIFFileHeader header;
  const TDateTime now = Now();
  header.FSourceDate = DateOf(now);
  header.FPeriodEndDate = PeriodEndDate();
  header.FCreateTime = now;
  FContent.Insert(0, header.Generate(TnxTransactionFormat::tfYIF));
}

}  // namespace qora
