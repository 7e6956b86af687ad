// Guards against no fault itself: test doubles for the run a shift belongs to (a manager with a run log, a
// hand-made award) and builders of hours groups, shared by the timesheet tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "foundation/user_feedback.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_manager_intf.h"
#include "timesheet/timesheet_shift_award.h"

namespace qora::testing {

constexpr THoursType kOrd = THoursType::htOrdinary;
constexpr THoursType kOT = THoursType::htOvertime;
constexpr THoursType kBrk = THoursType::htBreak;
constexpr THoursType kMakeUp = THoursType::htMakeUp;

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
  return shift.HoursGroupList().Add(MakeGroup(kOrd, from, to));
}

// An award given as plain maps; codes it lacks give the stated defaults.
class FakeAward : public IShiftAward {
 public:
  std::map<std::string, double> overtime_percent;  // unknown code: 100
  std::map<std::string, std::string> rate2;
  std::map<std::string, std::pair<std::string, std::string>> jobs;  // title -> (class, cost account)
  std::map<std::string, double> category_percent;
  std::map<std::string, double> class_rate;
  std::map<std::string, std::string> penalty_cost_code;

  double OvertimePercentage(const std::string& code) const override { return Find(overtime_percent, code, 100.0); }
  std::string OvertimeRate2Code(const std::string& code) const override { return Find(rate2, code, std::string()); }
  bool FindJob(const std::string& title, std::string& cls, std::string& cost) const override {
    auto it = jobs.find(title);
    if (it == jobs.end()) return false;
    std::tie(cls, cost) = it->second;
    return true;
  }
  double CategoryPercentage(const std::string& c) const override { return Find(category_percent, c, 0.0); }
  double ClassHourlyRate(const std::string& c) const override { return Find(class_rate, c, 0.0); }
  std::string PenaltyCostCode(const std::string& c) const override { return Find(penalty_cost_code, c, std::string()); }
  std::map<std::string, TShiftAwardAddition> allowances, penalties;
  double standard_rate = 0;
  bool FindAllowance(const std::string& c, TShiftAwardAddition& out) const override { return Lookup(allowances, c, out); }
  bool FindPenalty(const std::string& c, TShiftAwardAddition& out) const override { return Lookup(penalties, c, out); }
  double StandardHourlyRate() const override { return standard_rate; }

 private:
  template <class V>
  static bool Lookup(const std::map<std::string, V>& m, const std::string& key, V& out) {
    auto it = m.find(key);
    if (it != m.end()) out = it->second;
    return it != m.end();
  }
  template <class V>
  static V Find(const std::map<std::string, V>& m, const std::string& key, V fallback) {
    Lookup(m, key, fallback);
    return fallback;
  }
};

struct HoursTotalCall {
  uint8_t types;
  std::string leave_reasons;
  TaiPeriodType period;
  TDateTime cycle_start;
  std::string rate_code;
  double rate;
  bool operator==(const HoursTotalCall&) const = default;
};

class FakeManager : public ITimesheetManager {
 public:
  TUserFeedback log;
  const IShiftAward* award = nullptr;
  std::map<std::pair<uint8_t, std::string>, double> hours_totals;  // (type byte, rate code) -> hours
  std::vector<HoursTotalCall> calls;
  int current_index = 0;
  int shifts_on_row = 1;
  double average_rate = 0;
  // Each compare-loading call as "row,ALLink,costing type,allowances,penalties".
  std::vector<std::string> loadings;

  explicit FakeManager(const IShiftAward* a = nullptr) : award(a) { log.SetDebugEnabled(true); }
  TUserFeedback* UserFeedback() override { return &log; }
  TObjListAwards* AwardCache() override { return nullptr; }
  int CurrentShiftIndex() const override { return current_index; }
  TaiCostingOutputType CostingOutputType() const override { return TaiCostingOutputType::cot_Approve; }
  int NumberofShiftsOnRow(int32_t) const override { return shifts_on_row; }
  double GetAverageHourlyRate(int32_t, int32_t type, THoursTypeSet, const std::string&, const std::string&) override {
    return type == 1 ? average_rate : -1;  // only the planned costing holds the day's rate
  }
  void ApplyCompareLoading(int32_t row, int32_t link, int32_t type, const std::string& allowances,
                           const std::string& penalties) override {
    loadings.push_back(std::to_string(row) + "," + std::to_string(link) + "," + std::to_string(type) + "," +
                       allowances + "," + penalties);
  }
  const IShiftAward* FindShiftAward(const TTimesheetShift&) override { return award; }
  double GetHoursTotal(const TTimesheetShift&, THoursTypeSet types, const std::string& reasons, TaiPeriodType period,
                       TDateTime cycle, const std::string& rate_code, double rate) override {
    calls.push_back({types.Byte(), reasons, period, cycle, rate_code, rate});
    auto it = hours_totals.find({types.Byte(), rate_code});
    return it == hours_totals.end() ? 0.0 : it->second;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& m : log.Messages()) out.push_back(m.Text);
    return out;
  }
};

// A timesheet with one shift that belongs to a run (when a manager is given).
struct ShiftInRun {
  TTimesheet timesheet;
  TTimesheetShift* shift;
  explicit ShiftInRun(FakeManager* manager = nullptr) {
    timesheet.SetTimesheetManager(manager);
    shift = timesheet.AddShift(std::make_unique<TTimesheetShift>());
    shift->SetShiftStartDate(EncodeDate(2024, 3, 5));  // a Tuesday
    shift->SetShiftEndDate(EncodeDate(2024, 3, 5));
  }
};

// A block as (type, from, to, component) for comparing hours lists.
struct Block {
  THoursType type;
  double from;
  double to;
  std::string component;
  bool operator==(const Block& o) const {
    return type == o.type && std::abs(from - o.from) < 1e-4 && std::abs(to - o.to) < 1e-4 && component == o.component;
  }
};

inline std::vector<Block> Blocks(const THoursGroupList& list) {
  std::vector<Block> out;
  for (const THoursGroup* g : list.Groups()) out.push_back({g->HoursType(), g->FromTime(), g->ToTime(), g->ComponentName()});
  return out;
}

inline std::ostream& operator<<(std::ostream& os, const Block& b) {
  return os << "{" << static_cast<int>(b.type) << ", " << b.from << "-" << b.to << ", " << b.component << "}";
}

// The blocks ordered by start (then type), for comparisons that do not
// depend on the list's internal order.
inline std::vector<Block> ByStart(std::vector<Block> blocks) {
  std::stable_sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) {
    return a.from != b.from ? a.from < b.from : a.type < b.type;
  });
  return blocks;
}

// The blocks of a list other than ordinary time (overtime, breaks, ...), ordered by start.
inline std::vector<Block> ExtraBlocks(const THoursGroupList& list) {
  std::vector<Block> out;
  for (const Block& b : Blocks(list)) {
    if (b.type != kOrd) out.push_back(b);
  }
  return ByStart(out);
}

// Calls an action by its published name, as the rule engine does.
inline void Call(TTimesheetShift& shift, const char* name, const std::vector<std::string>& texts) {
  const OperationInfo* op = shift.GetClassInfo().FindOperation(name);
  ASSERT_NE(op, nullptr) << name;
  std::vector<TActionParam> owned;
  for (const std::string& text : texts) owned.emplace_back(text);
  TActionParams params;
  for (const TActionParam& param : owned) params.Add(param);
  op->call(shift, nullptr, params);
}

}  // namespace qora::testing
