#include "output/yif_generator.h"

#include "common/exceptions.h"
#include "common/text.h"
#include "db/connection.h"
#include "output/shift_builders.h"
#include "timesheet/timesheet.h"

namespace qora {

TnxBaseGenerator::TnxBaseGenerator(TTimesheet& pTimesheet, ICostingRun& pRun)
    : FTimesheet(pTimesheet), FRun(pRun), FConnection(pRun.PayrollConnection()) {}

void TnxYIFGenerator::Execute(TStringList& pStringList, TTimesheet& pTimesheet, ICostingRun& pRun,
                              TnxTransactionFormat pFormat) {
  TnxYIFGenerator generator(pTimesheet, pRun);
  generator.Generate(pFormat);
  pStringList.SetText(generator.Content().Text());
}

void TnxYIFGenerator::Generate(TnxTransactionFormat pFormat) {
  switch (pFormat) {
    case TnxTransactionFormat::tfCSV: return GenerateCSV();
    case TnxTransactionFormat::tfYIF: return GenerateYIF();
  }
  throw eNotImplementException("Unsupported Output Format in YIFGenerator.Generate.");
}

void TnxYIFGenerator::GenerateCSV() {
  RecordFormats().SetForCSV();
  FContent.Clear();
  FContent.Add(kCSVCostingHeader);
  TnxBuildContext context{FRun, TnxTransactionFormat::tfCSV};
  for (int i = 0; i < FTimesheet.Count(); ++i) {
    TTimesheetShift& shift = *FTimesheet.GetTimesheetShift(i);
    if (shift.Rejected()) continue;
    for (std::string& item : BuildShiftTransactions(context, shift).Items) {
      FContent.Add(std::move(item));
    }
  }
}

TDateTime TnxYIFGenerator::PeriodEndDate() const {
  if (!FConnection || !FConnection->Connected()) return kEmptyDate;
  const TDBValue value = FConnection->QueryValue("select top 1 PeriodEnd from PRPeriod where isProcessed = 0");
  return value.IsNull() ? kEmptyDate : value.AsDateTime();
}

void TnxYIFGenerator::GenerateYIF() {
  RecordFormats().SetForYIF();
  FContent.Clear();
  TnxYIFFileHeader header;
  const TDateTime now = Now();
  header.FSourceDate = DateOf(now);
  header.FPeriodEndDate = PeriodEndDate();
  header.FCreateTime = now;
  FContent.Add(header.Generate(TnxTransactionFormat::tfYIF));

  TnxBuildContext context{FRun, TnxTransactionFormat::tfYIF};
  for (int i = 0; i < FTimesheet.Count(); ++i) {
    TTimesheetShift& shift = *FTimesheet.GetTimesheetShift(i);
    if (shift.EmployeeCode().empty() || shift.Rejected()) continue;
    const std::string plain = FEmployeeHeader.GetEmployeeHeader(shift.EmployeeCode());
    const std::string with_rdo = FEmployeeHeader.GetEmployeeHeader(shift.EmployeeCode(), true, std::string());
    TnxShiftTransactions lines = BuildShiftTransactions(context, shift);
    if (lines.Items.empty()) continue;
    int found = -1;
    for (int k = 0; k < FContent.Count() && found < 0; ++k) {
      if (SameText(FContent[k], plain) || SameText(FContent[k], with_rdo)) found = k;
    }
    if (found < 0) {
      FContent.Add(lines.HasRDO ? with_rdo : plain);
      for (std::string& item : lines.Items) FContent.Add(std::move(item));
      continue;
    }
    // The employee's later shifts go straight under the header, so they
    // come before the lines of the employee's earlier shifts.
    if (lines.HasRDO) FContent[found] = with_rdo;
    for (size_t k = 0; k < lines.Items.size(); ++k) {
      FContent.Insert(found + 1 + static_cast<int>(k), std::move(lines.Items[k]));
    }
  }
}

}  // namespace qora
