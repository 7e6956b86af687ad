// One pay line of the costing: the values a costing-file line carries and a
// stored costing line keeps, taken from a transaction record. Both outputs
// are written from it, so that they cannot disagree.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/datetime.h"
#include "output/field_writer.h"

namespace qora {

// The texts are views of the record the line was taken from: a line is
// used while its record lives and is not kept.
struct TnxCostingLine {
  std::string_view EmployeeCode;
  TDateTime DayWorked = kEmptyDate;
  std::string_view ComponentType;
  std::string_view ComponentName;
  double Units = 0;
  double Rate = 0;
  double Value = 0;
  std::string_view Frequency;
  std::string_view CostCode;
  std::string_view JobCode;
  std::string_view Classification;
  double FromTime = 0;  // hours since midnight
  double ToTime = 0;
  int32_t ShiftID = 0;
  int32_t TimesheetID = 0;
  std::string_view AwardCategory;
  TDateTime EndDate = kEmptyDate;
  // An RDO line has the 17 fields above only; hours, allowance and leave
  // lines add the next three, and annual leave the link number as the 21st.
  int FieldCount = 17;
  std::string_view LeaveClass;
  std::string_view LeaveReason;
  double Percent = 0;
  int32_t ALLink = 0;

  // The costing-file line, in the current record formats.
  std::string Text() const;
  // The same line appended to pOut.
  void AppendText(std::string& pOut) const;
};

// A number as the costing file writes it, read back: what a reader of the
// file sees, to the file's 13 decimals.
double CostingFileNumber(double pValue);

// Where a generator that stores its costing hands each line.
class ITnxCostingSink {
 public:
  virtual ~ITnxCostingSink() = default;
  // The line's texts are valid only during the call.
  virtual void Add(const TnxCostingLine& pLine) = 0;

 protected:
  ITnxCostingSink() = default;
  ITnxCostingSink(const ITnxCostingSink&) = default;
  ITnxCostingSink& operator=(const ITnxCostingSink&) = default;
};

}  // namespace qora
