#include "output/costing_line.h"

#include <utility>

#include "common/format.h"

namespace qora {

std::string TnxCostingLine::Text() const {
  std::string text;
  text.reserve(192);  // a whole line in one allocation
  AppendText(text);
  return text;
}

void TnxCostingLine::AppendText(std::string& pOut) const {
  TnxRecordWriter w(std::move(pOut));
  w.Text(EmployeeCode).Date(DayWorked).Text(ComponentType).Text(ComponentName);
  w.Number(Units).Number(Rate).Number(Value);
  w.Text(Frequency).Text(CostCode).Text(JobCode).Text(Classification);
  w.Number(FromTime).Number(ToTime).Integer(ShiftID).Integer(TimesheetID);
  w.Text(AwardCategory).Date(EndDate);
  if (FieldCount >= 20) w.Text(LeaveClass).Text(LeaveReason).Number(Percent);
  if (FieldCount >= 21) w.Integer(ALLink);
  pOut = w.TakeRecord();
}

double CostingFileNumber(double pValue) { return TnxRecordWriter::NumberAsWritten(pValue); }

}  // namespace qora
