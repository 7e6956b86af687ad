// Guards the shift's additions against wrong penalty splits and windows, rest and meal-break arithmetic at its edges, allowances paid without cause, wrong pay rates, leave priced or loaded wrongly, and inexact messages.
#include "common/format.h"
#include "hours_fakes.h"

namespace qora::testing {
namespace {

using Params = std::vector<std::string>;

// Employee on C1 (30 an hour) under an award with a better-paid Supervisor
// (C2, 40) and a lower-paid Junior (C0, 20), a penalty PEN and a per-shift
// allowance MEAL of 12.50.
struct AdditionsRun {
  FakeAward award;
  FakeManager manager;
  TTimesheet timesheet;
  TTimesheetShift* s;
  AdditionsRun() {
    manager.award = &award;
    award.class_rate = {{"C1", 30}, {"C2", 40}, {"C0", 20}};
    award.category_percent = {{"FT", 100}, {"CAS", 125}};
    award.overtime_percent = {{"OT15", 150}};
    award.jobs = {{"Supervisor", {"C2", "CC-SUP"}}, {"Junior", {"C0", "CC-JUN"}}};
    award.standard_rate = 20;
    TShiftAwardAddition& pen = award.penalties["PEN"];
    std::tie(pen.AddDedCode, pen.AddDedTypeOrdinal, pen.PayOption) =
        std::tuple("PEN", 2, TaiConditionPayOpt::aicpo_PercOfBase);
    TShiftAwardAddition& meal = award.allowances["MEAL"];
    std::tie(meal.AddDedCode, meal.AmountPerc, meal.PayUnitType, meal.PayOption, meal.IsStandardAllowance) =
        std::tuple("MEAL", 12.5, TaiAllowancePayUnit::aiapu_Shift, TaiConditionPayOpt::aicpo_Amount, true);
    timesheet.SetTimesheetManager(&manager);
    s = Add(1);
  }
  TTimesheetShift* Add(int employee) {
    TTimesheetShift* shift = timesheet.AddShift(std::make_unique<TTimesheetShift>());
    shift->SetEmployeeID(employee);
    shift->SetShiftStartDate(EncodeDate(2024, 3, 5) + (timesheet.Count() - 1));  // a Tuesday, then the next day
    shift->SetShiftEndDate(shift->ShiftStartDate());
    shift->SetEmployeeClassification("C1");
    shift->SetEmployeeCategory("FT");
    shift->SetEmployeeNormalRate(30);
    shift->SetBaseRate(30);
    return shift;
  }
  void Hours(double from, double to, THoursType type = kOrd, const std::string& work_code = "") {
    s->_AddHours(from, to, type == kOT ? "OT15" : "Normal", work_code, type, "", "", "");
  }
  void Call(const std::string& action, const Params& params) { testing::Call(*s, action.c_str(), params); }
};

std::string N(double v) { return FloatToStr(std::round(v * 1e6) / 1e6); }

// The shift's blocks ("O9-13 C1@30": type, window, classification, rate) and
// penalties ("9-13 50% 4u@30 C1"), each in time order.
std::string Text(const TTimesheetShift& s) {
  std::vector<std::pair<double, std::string>> blocks, penalties;
  for (const THoursGroup* g : s.HoursGroupList().Groups()) {
    blocks.push_back({g->FromTime(), "NOTBMAL"[static_cast<int>(g->HoursType())] + N(g->FromTime()) + "-" +
                                         N(g->ToTime()) + " " + g->Classification() + "@" + N(g->Rate())});
  }
  for (int i = 0; i < s.PenaltyList().Count(); ++i) {
    const TPenalty* p = s.PenaltyList().Items(i);
    penalties.push_back({p->FromTime(), N(p->FromTime()) + "-" + N(p->ToTime()) + " " + N(p->AmountPerc()) + "% " +
                                            N(p->Units()) + "u@" + N(p->Rate()) + " " + p->Classification()});
  }
  std::string out;
  for (auto* list : {&blocks, &penalties}) {
    std::stable_sort(list->begin(), list->end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& item : *list) out += item.second + "; ";
    out += "| ";
  }
  return out;
}

TEST(ShiftAdditions, PenaltyWindowsAndHigherDuties) {
  const std::string moved = "O9-13 C1@30; O13-15 C2@40; O15-17 C1@30; | ";
  const std::vector<std::tuple<std::string, Params, std::string>> cases = {
      {"Supervisor", {"9", "17", "50", "PEN"}, moved + "9-13 50% 4u@30 C1; 13-15 50% 2u@40 C2; 15-17 50% 2u@30 C1; | "},
      {"Supervisor", {"6", "14", "50", "PEN"}, moved + "6-13 50% 4u@30 C1; 13-14 50% 1u@40 C2; | "},
      {"Supervisor", {"22", "17", "50", "PEN"}, moved + "| "},
      {"Supervisor", {"17", "17", "50", "PEN"}, moved + "| "},
      {"Junior", {"9", "17", "50", "PEN"}, "O9-17 C1@30; | 9-17 50% 8u@30 C1; | "},
      {"Astronaut", {"18", "20", "50", "PEN"}, "O9-17 C1@30; | 18-20 50% 0u@30 C1; | "},
  };
  for (const auto& [job, window, expected] : cases) {
    AdditionsRun r;
    r.Hours(9, 17);
    r.Call("ApplyHigherDuty", {"13", "15", job});
    r.Call("AddPenalty", window);
    EXPECT_EQ(Text(*r.s), expected) << job << " " << window[0] << "-" << window[1];
  }
}

TEST(ShiftAdditions, RestBetweenShifts) {
  const std::string worked = "O7-15 C1@30; | ";
  const std::vector<std::tuple<double, double, std::string, int, std::string>> cases = {
      // previous shift's end, worked to, pay full shift, previous employee, result
      {23, 15, "0", 1, worked + "7-15 50% 8u@30 C1; | "},         // 8 hours' rest
      {23, 9, "-1", 1, "O7-11 C1@30; B11-11.5 C1@30; O11.5-15.5 C1@30; | | "},  // the roster pays more
      {23, 15, "-1", 1, worked + "7-15 50% 8u@30 C1; | "},        // the hours worked pay more
      {21, 15, "0", 1, worked + "| "},                            // exactly the minimum
      {20, 15, "0", 1, worked + "| "},                            // 11 hours' rest
      {23, 15, "0", 2, worked + "| "},                            // another employee
  };
  for (const auto& [previous_end, worked_to, pay_full, employee, expected] : cases) {
    AdditionsRun r;
    r.Hours(15, previous_end);
    r.s = r.Add(employee == 1 ? 1 : 2);
    r.manager.current_index = 1;
    r.s->SetRosteredHoursStart(7);
    r.s->SetRosteredHoursEnd(15.5);
    r.s->SetRosteredBreakHours(0.5);
    r.Hours(7, worked_to);
    r.Call("AddShiftBreakPenalty", {"PEN", "50", "10", pay_full});
    EXPECT_EQ(Text(*r.s), expected) << previous_end << " " << worked_to << " " << pay_full;
  }
}

TEST(ShiftAdditions, MealBreakPenaltyLoadsEachMinuteOnce) {
  // Due after 5 hours, a meal break being 30 minutes or more; 50 % for the
  // first hours, then 100 %. Blocks are (from, to, type, work code).
  using Blocks = std::vector<std::tuple<double, double, THoursType, std::string>>;
  const std::vector<std::tuple<const char*, std::string, Blocks, std::string>> cases = {
      {"change inside a block", "1.5", {{8, 17, kOrd, ""}}, "13-14.5 50% 1.5u@30 C1; 14.5-17 100% 2.5u@30 C1; | "},
      {"change after a short break", "1.5", {{8, 14, kOrd, ""}, {14, 14.25, kBrk, ""}, {14.25, 17, kOrd, ""}},
       "13-14 50% 1u@30 C1; 14.25-14.5 50% 0.25u@30 C1; 14.5-17 100% 2.5u@30 C1; | "},
      {"change at a block's edge", "1.5", {{8, 14.5, kOrd, ""}, {14.5, 17, kOrd, "X"}},
       "13-14.5 50% 1.5u@30 C1; 14.5-17 100% 2.5u@30 C1; | "},
      {"no first hours", "0", {{8, 17, kOrd, ""}}, "13-17 50% 4u@30 C1; | "},
      {"exactly the due hours", "1", {{8, 13, kOrd, ""}}, "| "},
      {"meal break taken", "1", {{8, 12, kOrd, ""}, {12, 12.5, kBrk, ""}, {12.5, 17, kOrd, ""}}, "| "},
      {"paid meal break taken", "1", {{8, 12, kOrd, ""}, {12, 12.5, kOrd, "PMB"}, {12.5, 17, kOrd, ""}}, "| "},
  };
  for (const auto& [name, first_hours, blocks, expected] : cases) {
    AdditionsRun r;
    for (const auto& [from, to, type, work_code] : blocks) r.Hours(from, to, type, work_code);
    r.Call("AddMealBreakPenalty", {"5", "50", first_hours, "100", "PEN", "PMB", "30"});
    const std::string text = Text(*r.s);
    EXPECT_EQ(text.substr(text.find('|') + 2), expected) << name;
  }
}

TEST(ShiftAdditions, AllowanceUnitsAmountRateAndProportion) {
  // Worked 9-17, leave entered on the day, paid on leave only, category, pay
  // option, action, parameters, "units amount @rate pProportion". Each row
  // first adds 9 units of the allowance: the row's action updates that one.
  using O = TaiConditionPayOpt;
  const Params meal{"1", "MEAL"};
  const std::vector<std::tuple<bool, bool, bool, std::string, O, std::string, Params, std::string>> cases = {
      {true, false, false, "FT", O::aicpo_Amount, "AddAllowance", meal, "1 12.5 @42.5 p0"},  // 30 + the amount
      {false, true, true, "FT", O::aicpo_Amount, "AddAllowance", meal, "1 12.5 @42.5 p0"},
      {false, true, false, "FT", O::aicpo_Amount, "AddAllowance", meal, "0 0 @42.5 p0"},
      {false, false, true, "FT", O::aicpo_Amount, "AddAllowance", meal, "0 0 @42.5 p0"},
      {true, false, false, "CAS", O::aicpo_PercOfStd, "AddAllowance", meal, "1 12.5 @25 p0"},  // 125 % of 20
      {true, false, false, "CAS", O::aicpo_PercOfBase, "AddAllowance", meal, "1 12.5 @30 p0"},
      {true, false, false, "CAS", O::aicpo_PercOfBaseCategory, "AddAllowance", meal, "1 12.5 @37.5 p0"},
      {true, false, false, "CAS", O::aicpo_None, "AddAllowance", meal, "1 12.5 @0 p0"},
      {true, false, false, "FT", O::aicpo_Amount, "AddProportionalAllowance", {"2", "MEAL", ""}, "2 12.5 @42.5 p2"},
      {true, false, false, "FT", O::aicpo_Amount, "AddProportionalAllowance", {"2", "MEAL", "1"}, "2 12.5 @42.5 p1"},
      {true, false, false, "FT", O::aicpo_Amount, "AddProportionalAllowance", {"2", "MEAL", "7"}, "2 12.5 @42.5 p0"},
      {true, false, false, "FT", O::aicpo_Amount, "AddCappedAllowance", {"4", "MEAL", "50", "4", "2"},
       "4 12.5 @42.5 p0 capped at 50 per 4 as 2"},
  };
  for (const auto& [worked, leave, leave_only, category, option, action, params, expected] : cases) {
    AdditionsRun r;
    r.award.allowances["MEAL"].PayIfLeaveOnly = leave_only;
    r.award.allowances["MEAL"].PayOption = option;
    r.s->SetEmployeeCategory(category);
    if (worked) r.Hours(9, 17);
    if (leave) r.s->LeaveDatesList().AddNew()->SetDateFrom(r.s->ShiftStartDate());
    r.s->AddColumn(std::make_unique<TTimesheetColumn>())->SetCostCode("CC-NONE");
    TTimesheetColumn* column = r.s->AddColumn(std::make_unique<TTimesheetColumn>());
    column->SetAddDedCode("MEAL");
    column->SetCostCode("CC-COL");
    r.Call("AddAllowance", {"9", "MEAL"});
    const TAllowance* a = r.s->AllowanceList().Items(0);
    EXPECT_EQ(a->AddDedCostCode() + " " + a->AddDedType(), "CC-COL Amount");  // the column carrying the allowance
    r.Call(action, params);
    EXPECT_EQ(r.s->AllowanceList().Count(), 1);
    std::string result = N(a->Units()) + " " + N(a->AmountPerc()) + " @" + N(a->Rate()) + " p" +
                         std::to_string(static_cast<int>(a->Proportional()));
    if (a->CapAmount() != 0) {
      result += Format(" capped at %s per %d as %d", N(a->CapAmount()), a->CapUnitType(), a->CapMinMax());
    }
    EXPECT_EQ(result, expected) << action << " " << static_cast<int>(option) << " " << worked << leave << leave_only;
  }
}

TEST(ShiftAdditions, FailuresNameWhatWasWrong) {
  // Action, parameters, message, allowances and penalties left on the shift.
  const std::vector<std::tuple<std::string, Params, std::string, int>> cases = {
      {"AddAllowance", {"1", "NOPE"}, "Allowance \"NOPE\" not found.", 1},
      {"AddPenalty", {"9", "17", "50", "NOPE"}, "Penalty \"NOPE\" not found.", 1},
      {"ApplyLeaveAccrual", {"ACC", "WC", "x", "1"}, "'x' is not a valid integer value", 0},
      {"ApplyLeaveAccrual", {"ACC", "WC", "1", "maybe"}, "'maybe' is not a valid boolean value", 0},
  };
  for (const auto& [action, params, message, left] : cases) {
    AdditionsRun r;
    r.Hours(9, 17);
    try {
      r.Call(action, params);
      ADD_FAILURE() << message;
    } catch (const std::exception& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
    EXPECT_EQ(r.s->AllowanceList().Count() + r.s->PenaltyList().Count(), left) << message;
  }
}

TEST(ShiftAdditions, LeavePricedLoadedAndAccrued) {
  // Ordinary 9-17 under work code TOIL, overtime 17-19 at 150 %, rostered
  // 9-17, one leave entry of reason AL, a standing employee allowance. The
  // result: "leave rate, rate code | loadings stored | allowances left,
  // overtime block".
  const std::vector<std::tuple<std::string, Params, std::string, double, int, std::string>> cases = {
      {"ApplyLeaveReason", {"AL", "LR150", "150"}, "Annual Leave", 8, 1, "45 LR150 |  | 1 T150"},
      {"ApplyLeaveReason", {"SL", "LR150", "150"}, "Annual Leave", 8, 1, "0  |  | 1 T150"},
      {"ApplyPlannedHoursLeave", {"SL,AL", "(None)", "<All>"}, "Annual Leave", 8, 1, "33  |  | 1 T150"},
      {"ApplyPlannedHoursLeave", {"<All>", "", ""}, "Annual Leave", 7.98, 1, "0  |  | 1 T150"},
      {"ApplyPlannedHoursLeave", {"<All>", "", ""}, "Annual Leave", 8, 2, "0  |  | 1 T150"},
      // Tuesday, stored under the approved costing the run produces.
      {"ApplyCompareLeaveLoading", {"A1", "<All>"}, "annual leave", 8.004, 1, "0  | 77,3,2,A1,<All> | 0 T150"},
      {"ApplyCompareLeaveLoading", {"A1", "<All>"}, "Sick Leave", 8, 1, "0  |  | 1 T150"},
      {"ApplyLeaveAccrual", {"ACC", "TOIL", "0", "-1"}, "Other", 0, 1, "0  |  | 1 A0 ACC@30"},
      {"ApplyLeaveAccrual", {"ACC", "TOIL", "1", "1"}, "Other", 0, 1, "0  |  | 1 A150 ACC@30"},
      {"ApplyLeaveAccrual", {"ACC", "toil", "2", "0"}, "Other", 0, 1, "0  |  | 1 A100 ACC@30"},
      {"ApplyLeaveAccrual", {"ACC", "OTHER", "2", "0"}, "Other", 0, 1, "0  |  | 1 T150"},
  };
  for (const auto& [action, params, type, hours, shifts_on_row, expected] : cases) {
    AdditionsRun r;
    r.s->SetID(77);
    r.s->SetLeaveLoadingClassID(3);
    r.s->SetRosteredHoursStart(9);
    r.s->SetRosteredHoursEnd(17);
    r.manager.shifts_on_row = shifts_on_row;
    r.manager.average_rate = 33;
    r.Hours(9, 17, kOrd, "TOIL");
    r.Hours(17, 19, kOT);
    r.s->AllowanceList().AddNew()->SetOnEmployee(true);
    TDateGroup* leave = r.s->LeaveDatesList().AddNew();
    leave->SetLeaveReason("AL");
    leave->SetLeaveType(type);
    leave->SetTotalHours(hours);
    r.Call(action, params);
    std::string loadings;
    for (const std::string& l : r.manager.loadings) loadings += l;
    const THoursGroup* ot = r.s->HoursGroupList().Items(1);
    std::string result = N(leave->Rate()) + " " + leave->RateCode() + " | " + loadings + " | " +
                         std::to_string(r.s->AllowanceList().Count()) + " " +
                         "NOTBMAL"[static_cast<int>(ot->HoursType())] + N(ot->Percentage());
    if (!ot->LeaveAccrualCode().empty()) result += " " + ot->LeaveAccrualCode() + "@" + N(ot->Rate());
    EXPECT_EQ(result, expected) << action << " " << params[0];
  }
}

}  // namespace
}  // namespace qora::testing
