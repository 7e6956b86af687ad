// Shared helpers of the timesheet tests: building hours groups and shifts,
// and a timesheet manager that only holds what a shift asks of it.
#pragma once

#include <memory>
#include <string>

#include "foundation/user_feedback.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_manager_intf.h"

namespace qora::testing {

inline std::unique_ptr<THoursGroup> MakeGroup(THoursType type, double from, double to,
                                              const std::string& component = "", const std::string& work_code = "") {
  auto g = std::make_unique<THoursGroup>();
  g->SetHoursType(type);
  g->SetFromTime(from);
  g->SetToTime(to);
  g->SetComponentName(component);
  g->SetWorkCode(work_code);
  return g;
}

// Adds an ordinary group directly to the shift's hours (no overlap rules).
inline THoursGroup* AddOrdinary(TTimesheetShift& shift, double from, double to) {
  return shift.HoursGroupList().Add(MakeGroup(THoursType::htOrdinary, from, to));
}

class FakeTimesheetManager : public ITimesheetManager {
 public:
  TUserFeedback* UserFeedback() override { return &feedback; }
  TObjListAwards* AwardCache() override { return nullptr; }
  int CurrentShiftIndex() const override { return current_index; }
  const IShiftAward* FindShiftAward(const TTimesheetShift&) override { return nullptr; }
  double GetHoursTotal(const TTimesheetShift&, THoursTypeSet, const std::string&, TaiPeriodType, TDateTime,
                       const std::string&, double) override {
    return 0;
  }
  TaiCostingOutputType CostingOutputType() const override { return TaiCostingOutputType::cot_None; }
  int NumberofShiftsOnRow(int32_t) const override { return 0; }
  double GetAverageHourlyRate(int32_t, int32_t, THoursTypeSet, const std::string&, const std::string&) override {
    return 0;
  }
  void ApplyCompareLoading(int32_t, int32_t, int32_t, const std::string&, const std::string&) override {}

  TUserFeedback feedback;
  int current_index = -1;
};

}  // namespace qora::testing
