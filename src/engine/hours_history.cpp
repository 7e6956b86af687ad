#include "engine/hours_history.h"

#include "foundation/class_builder.h"

namespace qora {

const EnumInfo& TaiCostingOutputTypeInfo() {
  static const EnumInfo info{"TaiCostingOutputType", {"cot_None", "cot_Publish", "cot_Approve", "cot_Adhoc"}};
  return info;
}

const ClassInfo& THoursWorkedHistory::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<THoursWorkedHistory>("THoursWorkedHistory")
                                     .Field("EmployeeCode", &THoursWorkedHistory::FEmployeeCode)
                                     .Field("Hours", &THoursWorkedHistory::FHours)
                                     .Field("RateCode", &THoursWorkedHistory::FRateCode)
                                     .DateField("DayWorked", &THoursWorkedHistory::FDayWorked)
                                     .Enum("HoursType", &THoursWorkedHistory::FHoursType, HoursTypeInfo())
                                     .Field("FromCosting", &THoursWorkedHistory::FFromCosting)
                                     .Field("LeaveClass", &THoursWorkedHistory::FLeaveClass)
                                     .Field("LeaveReason", &THoursWorkedHistory::FLeaveReason)
                                     .Field("LeaveType", &THoursWorkedHistory::FLeaveType)
                                     .Field("AmtPercent", &THoursWorkedHistory::FAmtPercent)
                                     .Field("Rate", &THoursWorkedHistory::FRate)
                                     .Build();
  return info;
}

const ClassInfo& THoursHistoryList::StaticClassInfo() {
  static const ClassInfo& info =
      ClassBuilder<THoursHistoryList>("THoursHistoryList")
          .DateField("ToDate", &THoursHistoryList::FToDate)
          .DateField("FromDate", &THoursHistoryList::FFromDate)
          .Field("EmployeeCode", &THoursHistoryList::FEmployeeCode)
          .Field("CycleDays", &THoursHistoryList::FCycleDays)
          .Enum("CostingOutputType", &THoursHistoryList::FCostingOutputType, TaiCostingOutputTypeInfo())
          .Build();
  return info;
}

void THoursHistoryList::DeleteCostingHours() {
  FFromDate = 0;
  for (int i = Count() - 1; i >= 0; --i) Delete(i);
}

const ClassInfo& TAdditionHistory::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TAdditionHistory>("TAdditionHistory")
                                     .Field("EmployeeCode", &TAdditionHistory::FEmployeeCode)
                                     .Field("AdditionCode", &TAdditionHistory::FAdditionCode)
                                     .DateField("DayWorked", &TAdditionHistory::FDayWorked)
                                     .Field("Value", &TAdditionHistory::FValue)
                                     .Field("ForCosting", &TAdditionHistory::FForCosting)
                                     .Build();
  return info;
}

const ClassInfo& TAdditionHistoryList::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TAdditionHistoryList>("TAdditionHistoryList").Build();
  return info;
}

}  // namespace qora
