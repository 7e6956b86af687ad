// The payroll transactions built from costed shifts. One record class per
// kind of pay line; each writes itself either as a costing-file line or as a
// line of the payroll import file, so both outputs always carry the same
// numbers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/datetime.h"
#include "output/costing_line.h"
#include "output/field_writer.h"

namespace qora {

class TnxYIFCustomRecord {
 public:
  virtual ~TnxYIFCustomRecord() = default;

  // The record's line in the given layout; the base writes nothing. Throws
  // eNotImplementException for a layout it does not know.
  virtual std::string Generate(TnxTransactionFormat pFormat);
  // Back to the values of a new record.
  virtual void Clear() {}
  // The record ID written first on a payroll import line.
  virtual std::string GetID() const { return std::string(); }
  virtual std::string GenerateCosting() { return std::string(); }
  virtual std::string GenerateYIF() { return std::string(); }
};

// The fields every pay line has.
class TnxYIFTransaction : public TnxYIFCustomRecord {
 public:
  TnxYIFTransaction() { TnxYIFTransaction::Clear(); }

  std::string Generate(TnxTransactionFormat pFormat) override;
  void Clear() override;
  std::string GetID() const override { return FID; }
  // The costing line: the 17 fields every line has; a subclass adds its own.
  // Its texts are views of this record's fields.
  virtual TnxCostingLine CostingLine() const;
  std::string GenerateCosting() override { return CostingLine().Text(); }
  // Generate's line appended to pOut; a costing line is written straight
  // into it.
  void AppendTo(TnxTransactionFormat pFormat, std::string& pOut);

  std::string FAccount;
  std::string FID;
  std::string FJobCode;
  TDateTime FEndDate = kEmptyDate;
  std::string FEmployeeCode;
  double FRate = 0;
  TDateTime FDateWorked = kEmptyDate;
  double FValue = 0;
  std::string FComponentName;
  std::string FFrequency;
  double FToTime = 0;
  std::string FComponentType;
  double FFromTime = 0;
  double FUnits = 0;
  std::string FPayClass;
  std::string FAwardCategory;
  int32_t FShiftID = 0;
  int32_t FTimesheetID = 0;

 protected:
  // A payroll import line starts with the separator and the record ID.
  TnxRecordWriter YIFLine() const;
};

// Hours paid at a rate ("TA").
class TnxYIFAdditionalRate : public TnxYIFTransaction {
 public:
  TnxYIFAdditionalRate() { TnxYIFAdditionalRate::Clear(); }
  void Clear() override;
  // "TA", or "TA,<pay class>" when the line has a pay class.
  std::string GetID() const override;
  TnxCostingLine CostingLine() const override;
  std::string GenerateYIF() override;

  std::string FRateCode;
  double FMinutes = 0;  // holds hours
  double FPenaltyFactor = 0;
};

// Allowances, penalties and leave accrual ("TN").
class TnxYIFAllowances : public TnxYIFTransaction {
 public:
  TnxYIFAllowances() { TnxYIFAllowances::Clear(); }
  void Clear() override;
  // "TN", or "TN,0,<pay class>" when the line has a pay class.
  std::string GetID() const override;
  TnxCostingLine CostingLine() const override;
  std::string GenerateYIF() override;

  double FPercent = 0;
  double FMinutes = 0;
  double FUnitRate = 0;
  std::string FCode;
  std::string FType;
};

// Leave taken; the record ID follows the leave type.
class TnxYIFLeave : public TnxYIFTransaction {
 public:
  TnxYIFLeave() { TnxYIFLeave::Clear(); }
  void Clear() override;
  // "TS" sick, "TL" annual, "TV" long service, "TU,<class>" user-defined
  // leave (types compared ignoring case). Throws eGeneratorException
  // "Employee "<code>": Unknown Leave Transaction Type "<type>"" for any
  // other type, and "Employee "<code>": "Leave Class" was not supplied for a
  // User Defined Leave Transaction" for user-defined leave without class.
  std::string GetID() const override;
  // 20 fields; 21 for annual leave, whose last field is the link number.
  TnxCostingLine CostingLine() const override;
  std::string GenerateYIF() override;

  std::string FReason;
  TDateTime FStartDate = kEmptyDate;
  TDateTime FRecommenceDate = kEmptyDate;
  double FHours = 0;
  std::string FUDLeaveClass;
  std::string FLeaveType;
  int32_t FALLink = 0;

 private:
  bool IsAnnualLeave() const;
};

// A rostered day off ("TR").
class TnxYIFRDO : public TnxYIFTransaction {
 public:
  TnxYIFRDO() { TnxYIFRDO::Clear(); }
  void Clear() override;
  std::string GetID() const override { return "TR"; }
  // The costing line has the 17 common fields only.
  std::string GenerateYIF() override;

  double FPayAmount = 0;
  double FPayMinutes = 0;
  std::string FOperation = "P";
};

// The hours lines of one shift. Hours of the same rate, day, rate code, pay
// class, job code and account add up on one line.
class TnxYIFAdditionalRateList {
 public:
  // The line with those keys; null when none. Hours without an account
  // (a minimum-engagement top-up, say) match a line with one, and the other
  // way round: they are the same pay, and the import refuses two lines that
  // differ only in the account.
  TnxYIFAdditionalRate* Find(double pRate, TDateTime pDateWorked, const std::string& pRateCode,
                             const std::string& pPayClass, const std::string& pJobCode,
                             const std::string& pAccount) const;
  // Appends the line (owned). Throws eGeneratorException ""<rate code>":
  // This type of transaction already exists in the transaction list" when a
  // line differing only in its account is there already.
  TnxYIFAdditionalRate* Add(std::unique_ptr<TnxYIFAdditionalRate> pItem);
  int Count() const { return static_cast<int>(FItems.size()); }
  TnxYIFAdditionalRate* Items(int pIndex) const { return FItems.at(static_cast<size_t>(pIndex)).get(); }

 private:
  std::vector<std::unique_ptr<TnxYIFAdditionalRate>> FItems;
};

// The first line of a payroll import file.
class TnxYIFFileHeader : public TnxYIFCustomRecord {
 public:
  std::string Generate(TnxTransactionFormat pFormat) override;

  std::string FVersion = "YIFV02.00";
  std::string FSource = "DODO";
  TDateTime FSourceDate = kEmptyDate;
  TDateTime FPeriodEndDate = kEmptyDate;
  TDateTime FCreateDate = kEmptyDate;
  TDateTime FCreateTime = kEmptyDate;
  std::string FHoursFormat = "D";
};

// The line that opens an employee's transactions in a payroll import file.
class TnxYIFEmployeeHeader : public TnxYIFCustomRecord {
 public:
  TnxYIFEmployeeHeader() { TnxYIFEmployeeHeader::Clear(); }
  void Clear() override;
  std::string Generate(TnxTransactionFormat pFormat) override;

  // Clears the header, fills it and returns its line; the RDO flag is "P"
  // when pWithRDO. The pay point and payroll tax codes stay empty: the
  // engine knows neither.
  std::string GetEmployeeHeader(const std::string& pEmployeeCode);
  std::string GetEmployeeHeader(const std::string& pEmployeeCode, bool pWithRDO,
                                const std::string& pPayrollTaxCode);

  std::string FEmployeeCode;
  std::string FLocationCode;  // not written
  std::string FPayPointCode;
  std::string FAutoPayFlag = "N";
  std::string FPayPeriods;
  std::string FRDOFlag;
  TDateTime FRecommenceDate = kEmptyDate;
  std::string FPayrollTaxCode;
};

}  // namespace qora
