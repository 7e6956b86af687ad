#include "output/yif_records.h"

#include "common/format.h"
#include "common/exceptions.h"
#include "common/text.h"

namespace qora {
namespace {

constexpr const char* kSickLeave = "Sick Leave";
constexpr const char* kAnnualLeave = "Annual Leave";
constexpr const char* kLongServiceLeave = "Long Service Leave";
constexpr const char* kUserDefinedLeave = "User Defined Leave";

}  // namespace

std::string TnxYIFCustomRecord::Generate(TnxTransactionFormat) { return std::string(); }

// ---- TnxYIFTransaction -------------------------------------------------------

std::string TnxYIFTransaction::Generate(TnxTransactionFormat pFormat) {
  switch (pFormat) {
    case TnxTransactionFormat::tfCSV: return GenerateCosting();
    case TnxTransactionFormat::tfYIF: return GenerateYIF();
  }
  throw eNotImplementException("Unsupported Output Format in YIFGenerator.Generate.");
}

void TnxYIFTransaction::AppendTo(TnxTransactionFormat pFormat, std::string& pOut) {
  if (pFormat == TnxTransactionFormat::tfCSV) {
    CostingLine().AppendText(pOut);
  } else {
    pOut += Generate(pFormat);
  }
}

void TnxYIFTransaction::Clear() { FID.clear(); }

TnxCostingLine TnxYIFTransaction::CostingLine() const {
  TnxCostingLine line;
  line.EmployeeCode = FEmployeeCode;
  line.DayWorked = FDateWorked;
  line.ComponentType = FComponentType;
  line.ComponentName = FComponentName;
  line.Units = FUnits;
  line.Rate = FRate;
  line.Value = FValue;
  line.Frequency = FFrequency;
  line.CostCode = FAccount;
  line.JobCode = FJobCode;
  line.Classification = FPayClass;
  line.FromTime = FFromTime;
  line.ToTime = FToTime;
  line.ShiftID = FShiftID;
  line.TimesheetID = FTimesheetID;
  line.AwardCategory = FAwardCategory;
  line.EndDate = FEndDate;
  return line;
}

TnxRecordWriter TnxYIFTransaction::YIFLine() const {
  TnxRecordWriter w;
  w.Text("").Text(GetID());
  return w;
}

// ---- TnxYIFAdditionalRate -----------------------------------------------------

void TnxYIFAdditionalRate::Clear() {
  TnxYIFTransaction::Clear();
  FID = "TA";
  FRate = FValue = FToTime = FFromTime = FUnits = 0;
  FMinutes = FPenaltyFactor = 0;
  FDateWorked = FEndDate = kEmptyDate;
}

std::string TnxYIFAdditionalRate::GetID() const { return FPayClass.empty() ? FID : FID + "," + FPayClass; }

TnxCostingLine TnxYIFAdditionalRate::CostingLine() const {
  TnxCostingLine line = TnxYIFTransaction::CostingLine();
  line.FieldCount = 20;
  return line;
}

std::string TnxYIFAdditionalRate::GenerateYIF() {
  TnxRecordWriter w = YIFLine();
  w.Number(FRate).Text(FAccount).Text(FRateCode).Number(FMinutes).Date(FDateWorked);
  w.Number(FPenaltyFactor).Text(FJobCode).Date(FEndDate).Text(FAwardCategory);
  return w.TakeRecord();
}

// ---- TnxYIFAllowances ---------------------------------------------------------

void TnxYIFAllowances::Clear() {
  TnxYIFTransaction::Clear();
  FID = "TN";
  FPercent = FMinutes = FUnitRate = 0;
}

std::string TnxYIFAllowances::GetID() const { return FPayClass.empty() ? FID : FID + ",0," + FPayClass; }

TnxCostingLine TnxYIFAllowances::CostingLine() const {
  TnxCostingLine line = TnxYIFTransaction::CostingLine();
  line.FieldCount = 20;
  line.Percent = FPercent;
  return line;
}

std::string TnxYIFAllowances::GenerateYIF() {
  TnxRecordWriter w = YIFLine();
  w.Text(FType).Text(FCode).Number(FRate).Number(FUnitRate).Number(FPercent).Number(FUnits).Number(FMinutes);
  w.Text("").Number(FValue).Text(FAccount).Date(FDateWorked).Text(FJobCode).Date(FEndDate).Text(FAwardCategory);
  return w.TakeRecord();
}

// ---- TnxYIFLeave --------------------------------------------------------------

void TnxYIFLeave::Clear() {
  TnxYIFTransaction::Clear();
  FStartDate = FRecommenceDate = kEmptyDate;
  FHours = 0;
  FALLink = 0;
}

bool TnxYIFLeave::IsAnnualLeave() const { return SameText(FLeaveType, kAnnualLeave); }

std::string TnxYIFLeave::GetID() const {
  if (SameText(FLeaveType, kSickLeave)) return "TS";
  if (IsAnnualLeave()) return "TL";
  if (SameText(FLeaveType, kLongServiceLeave)) return "TV";
  if (SameText(FLeaveType, kUserDefinedLeave)) {
    if (FUDLeaveClass.empty()) {
      throw eGeneratorException(Format(
          "Employee \"%s\": \"Leave Class\" was not supplied for a User Defined Leave Transaction", FEmployeeCode));
    }
    return "TU," + FUDLeaveClass;
  }
  throw eGeneratorException(
      Format("Employee \"%s\": Unknown Leave Transaction Type \"%s\"", FEmployeeCode, FLeaveType));
}

TnxCostingLine TnxYIFLeave::CostingLine() const {
  TnxCostingLine line = TnxYIFTransaction::CostingLine();
  line.FieldCount = IsAnnualLeave() ? 21 : 20;
  line.LeaveClass = FUDLeaveClass;
  line.LeaveReason = FReason;
  line.ALLink = FALLink;
  return line;
}

std::string TnxYIFLeave::GenerateYIF() {
  TnxRecordWriter w = YIFLine();
  w.Number(FRate).Text(FAccount).Number(FHours).Date(FStartDate).Date(FEndDate).Text(FReason);
  // Sick leave has no return-to-work date in the import layout.
  if (!SameText(FLeaveType, kSickLeave)) w.Date(FRecommenceDate);
  w.Text(FJobCode).Text(FAwardCategory);
  if (IsAnnualLeave()) w.Integer(FALLink);
  return w.TakeRecord();
}

// ---- TnxYIFRDO ----------------------------------------------------------------

void TnxYIFRDO::Clear() {
  TnxYIFTransaction::Clear();
  FPayAmount = FPayMinutes = 0;
  FOperation = "P";
}

std::string TnxYIFRDO::GenerateYIF() {
  TnxRecordWriter w = YIFLine();
  w.Text(FOperation).Text(FAccount);
  for (int i = 0; i < 9; ++i) w.Text("");
  w.Number(FPayMinutes).Number(FPayAmount);
  return w.TakeRecord();
}

// ---- TnxYIFAdditionalRateList -------------------------------------------------

TnxYIFAdditionalRate* TnxYIFAdditionalRateList::Find(double pRate, TDateTime pDateWorked,
                                                     const std::string& pRateCode, const std::string& pPayClass,
                                                     const std::string& pJobCode,
                                                     const std::string& pAccount) const {
  for (const auto& item : FItems) {
    if (item->FRate == pRate && item->FDateWorked == pDateWorked && item->FRateCode == pRateCode &&
        item->FPayClass == pPayClass && item->FJobCode == pJobCode &&
        (item->FAccount == pAccount || item->FAccount.empty() || pAccount.empty())) {
      return item.get();
    }
  }
  return nullptr;
}

TnxYIFAdditionalRate* TnxYIFAdditionalRateList::Add(std::unique_ptr<TnxYIFAdditionalRate> pItem) {
  for (const auto& item : FItems) {
    if (item->FRate == pItem->FRate && item->FDateWorked == pItem->FDateWorked &&
        item->FRateCode == pItem->FRateCode && item->FPayClass == pItem->FPayClass &&
        item->FJobCode == pItem->FJobCode) {
      throw eGeneratorException("\"" + pItem->FRateCode +
                                "\": This type of transaction already exists in the transaction list");
    }
  }
  FItems.push_back(std::move(pItem));
  return FItems.back().get();
}

// ---- Headers ------------------------------------------------------------------

std::string TnxYIFFileHeader::Generate(TnxTransactionFormat) {
  TnxRecordWriter w;
  w.Text(FVersion).Text(FSource).Date(FSourceDate).Date(FPeriodEndDate).Date(FCreateDate).Time(FCreateTime);
  w.Text(FHoursFormat);
  return w.TakeRecord();
}

void TnxYIFEmployeeHeader::Clear() {
  FEmployeeCode.clear();
  FLocationCode.clear();
  FPayPointCode.clear();
  FAutoPayFlag = "N";
  FPayPeriods.clear();
  FRDOFlag.clear();
  FRecommenceDate = kEmptyDate;
  FPayrollTaxCode.clear();
}

std::string TnxYIFEmployeeHeader::Generate(TnxTransactionFormat) {
  TnxRecordWriter w;
  w.Text(FEmployeeCode).Text("").Text(FPayPointCode).Text(FAutoPayFlag).Text(FPayPeriods).Text(FRDOFlag);
  w.Date(FRecommenceDate).Text(FPayrollTaxCode);
  return w.TakeRecord();
}

std::string TnxYIFEmployeeHeader::GetEmployeeHeader(const std::string& pEmployeeCode) {
  return GetEmployeeHeader(pEmployeeCode, false, std::string());
}

std::string TnxYIFEmployeeHeader::GetEmployeeHeader(const std::string& pEmployeeCode, bool pWithRDO,
                                                    const std::string& pPayrollTaxCode) {
  Clear();
  FEmployeeCode = pEmployeeCode;
  if (pWithRDO) FRDOFlag = "P";
  FPayrollTaxCode = pPayrollTaxCode;
  return Generate(TnxTransactionFormat::tfYIF);
}

}  // namespace qora
