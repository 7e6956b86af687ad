// Generates the pay lines of a whole timesheet, as a costing file (CSV) or
// as a payroll transaction import file (YIF).
#pragma once

#include <string>
#include <utility>

#include "common/string_list.h"
#include "output/costing_run.h"
#include "output/field_writer.h"
#include "output/yif_records.h"

namespace qora {

class TTimesheet;
class TTimesheetShift;

// The first line of every costing file.
inline constexpr const char* kCSVCostingHeader =
    "EmployeeCode,DayWorked,ComponentType,ComponentName,Units,Rate,Value,Frequency,CostCode,JobCode,"
    "Classification,FromTime,ToTime,ShiftID,TimesheetID,AwardCategory,EndDate,LeaveClass,LeaveReason,Percent,ALLink";

// What every generator holds: the timesheet, the run's services, the
// payroll connection and the content built so far (one item per line or
// group of lines).
class TnxBaseGenerator {
 public:
  TnxBaseGenerator(TTimesheet& pTimesheet, ICostingRun& pRun);
  virtual ~TnxBaseGenerator() = default;
  TnxBaseGenerator(const TnxBaseGenerator&) = delete;
  TnxBaseGenerator& operator=(const TnxBaseGenerator&) = delete;

  // Builds the content for the layout.
  virtual void Generate(TnxTransactionFormat pFormat) = 0;
  const TStringList& Content() const { return FContent; }
  const std::string& FileName() const { return FFileName; }
  void SetFileName(const std::string& v) { FFileName = v; }

 protected:
  std::string FFileName;
  TStringList FContent;
  TTimesheet& FTimesheet;
  ICostingRun& FRun;
  TDBConnection* FConnection;  // the payroll connection; may be null or closed
};

// Rejected shifts (those the run could not cost, or that the award's
// conditions rejected) produce no lines in either layout.
class TnxYIFGenerator : public TnxBaseGenerator {
 public:
  using TnxBaseGenerator::TnxBaseGenerator;

  // Generates the timesheet's lines for the layout and replaces the lines
  // of pStringList with them. A layout other than YIF or CSV throws
  // eNotImplementException "Unsupported Output Format in
  // YIFGenerator.Generate."; the leave-type and duplicate-transaction errors
  // of the records end the generation (pStringList is then unchanged).
  static void Execute(TStringList& pStringList, TTimesheet& pTimesheet, ICostingRun& pRun,
                      TnxTransactionFormat pFormat);

  // Generates the timesheet's costing lines, as Execute would for the
  // costing layout, but hands each line to pSink instead of writing text.
  // Throws as Execute.
  static void ExecuteCosting(TTimesheet& pTimesheet, ICostingRun& pRun, ITnxCostingSink& pSink);

  void Generate(TnxTransactionFormat pFormat) override;

  // Generate in steps, for a run that writes each shift's lines as soon as
  // the shift is costed: Begin sets the layout's formats and empties the
  // content (a costing file's starts with its header), AddShift adds one
  // shift's lines as Generate would, and Finish puts a payroll import
  // file's header first. A CSV caller may take the content away between
  // shifts (TakeContent); a YIF caller must not, since an employee's later
  // shifts go under the header of the first.
  void Begin(TnxTransactionFormat pFormat);
  void AddShift(TTimesheetShift& pShift);
  void Finish();
  TStringList TakeContent() { return std::exchange(FContent, TStringList()); }

 private:
  // "PeriodEnd" of the first unprocessed pay period in the payroll
  // database; the empty date without a connection, a row or a value.
  TDateTime PeriodEndDate() const;

  TnxYIFEmployeeHeader FEmployeeHeader;
  TnxTransactionFormat FFormat = TnxTransactionFormat::tfCSV;
  ITnxCostingSink* FSink = nullptr;
};

}  // namespace qora
