// Guards component validation against missing, extra or out-of-order
// messages: common fields first, then each branch and kind in turn.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "award/award_allowance_kinds.h"
#include "award/award_leave_kinds.h"
#include "award/award_overtime_kinds.h"
#include "award/award_penalty_kinds.h"
#include "award/award_rules.h"

namespace qora {
namespace {

using Strings = std::vector<std::string>;

// A component whose common and rate fields are all valid.
template <class T>
std::unique_ptr<TObjAwardConditionBase> Valid(const std::function<void(T&)>& edit) {
  auto item = std::make_unique<T>();
  item->SetDescription("Overtime");
  item->ConditionGroupLst().Add("Day");
  if constexpr (std::is_base_of_v<TObjAwardRateBase, T>) {
    item->SetRateCode("OT15");
    item->SetRateDescription("Time and a half");
    item->SetPercentage(150);
  }
  if constexpr (std::is_base_of_v<TObjAwardAddDedBase, T>) {
    item->SetAddDedCode("C");
    item->SetAddDedDescription("Loading");
    item->SetAddDedAmountPerc(50);
  }
  edit(*item);
  return item;
}

TEST(ComponentValidation, MessagesInOrder) {
  const std::string chars =
      " can only contain alpha/numberic values or $ or % signs.\r\n(No spaces, \"-\", \",\" or apostrophe's are allowed)";
  struct Case {
    const char* name;
    std::unique_ptr<TObjAwardConditionBase> item;
    Strings expected;
  };
  Case cases[] = {
      {"blank standard overtime", std::make_unique<TObjAwardOvertimeStd>(),
       {"No Description entered.", "No Condition Group selected.", "No Rate Code has been entered.",
        "No Rate Description has been entered.", "No Percentage entered."}},
      {"bad texts", Valid<TObjAwardOvertimeStd>([](auto& o) {
         o.SetDescription("Sat'day");
         o.SetRateCode("OT 15");
         o.SetRateDescription("Time 'n half");
         o.SetPercentage(0.004);
         o.WorkDaysLst().Clear();
       }),
       {"No apostrophe's allowed in Description.", "The Rate Code" + chars,
        "No apostrophe's allowed in Rate Description.", "No Percentage entered.", "No Work Days selected."}},
      {"next rate missing", Valid<TObjAwardOvertimeSpecified>([](auto& o) { o.SetApplyOvertime2(true); }),
       {"No After No. of Hours value entered for Next Overtime Rate to start.",
        "No Rate Code entered for the Next Overtime.", "No Description has been entered for the Next Overtime Rate.",
        "No Timesheet Work Code entered."}},
      {"next rate equal to the rate", Valid<TObjAwardOvertimeTimeOfDay>([](auto& o) {
         o.SetApplyOvertime2(true);
         o.SetOv2FromHour(2);
         o.SetRate2Code("ot15");
         o.SetRate2Description("Double");
       }),
       {"The Next Overtime Rate Code cannot be the same as the Rate Code."}},
      {"next rate with a comma", Valid<TObjAwardOvertimeTimeOfDay>([](auto& o) {
         o.SetApplyOvertime2(true);
         o.SetOv2FromHour(2);
         o.SetRate2Code("OT,20");
         o.SetRate2Description("Double");
       }),
       {"The Next Overtime Rate Code" + chars}},
      {"fixed hours per shift", Valid<TObjAwardOvertimeHoursWorked>([](auto& o) {
         o.SetExceedBasedOn(TaiOvertimeTotalType::aiot_Fixed);
         o.SetFromHour(-1);
         o.WorkDaysLst().Clear();
         o.SetIncludeLeave(true);
       }),
       {"Negative Hours value entered for Overtime to start.", "No Work Days selected.", "No Leave Reasons selected."}},
      {"normal hours need no days", Valid<TObjAwardOvertimeHoursWorked>([](auto& o) { o.WorkDaysLst().Clear(); }), {}},
      {"group change between", Valid<TObjAwardRuleConditionGroupChange>([](auto& r) {
         r.WorkDaysLst().Clear();
         r.SetTimeOpt(TaiConditionTimeOpt::aicto_Between);
       }),
       {"No Work Days selected.", "From Time has not been entered.", "To Time has not been entered.",
        "No Change Status has been entered."}},
      {"group change before midnight", Valid<TObjAwardRuleConditionGroupChange>([](auto&) {}),
       {"Time has not been entered.", "No Change Status has been entered."}},
      {"minimum hours", Valid<TObjAwardRuleMinHours>([](auto& r) { r.SetIfEnterOnTimesheet(true); }),
       {"No Minimum Hours have been entered.", "No Timesheet Work Code entered."}},
      {"minimum overtime", Valid<TObjAwardRuleMinOvertime>([](auto&) {}),
       {"No Minimum Overtime Hours have been entered.", "No Overtime Rate selected."}},
      {"higher duty", Valid<TObjAwardRuleHigherDuty>([](auto&) {}), {"No Hours have been entered."}},
      {"unworked public holiday", Valid<TObjAwardRuleUnworkedPubHoliday>([](auto& r) { r.WorkDaysLst().Clear(); }),
       {"No Work Days selected."}},
      {"blank penalty", std::make_unique<TObjAwardPenaltyDaysWorked>(),
       {"No Description entered.", "No Condition Group selected.", "No Addition Code entered.",
        "No Addition Description entered.", "No Penalty Percentage entered."}},
      {"penalty amount", Valid<TObjAwardPenaltyDaysWorked>([](auto& p) {
         p.SetAddDedCode("PEN-1");
         p.SetAddDedDescription("Sat'day");
         p.SetPayOption(TaiConditionPayOpt::aicpo_Amount);
         p.SetAddDedAmountPerc(0);
         p.WorkDaysLst().Clear();
       }),
       {"The Addition Code" + chars, "No apostrophe's allowed in Addition Description.", "No Work Days selected.",
        "No Penalty Amount entered."}},
      {"window between",
       Valid<TObjAwardPenaltyEntireShift>([](auto& p) { p.SetTimeOpt(TaiConditionTimeOpt::aicto_Between); }),
       {"From Time has not been entered.", "To Time has not been entered."}},
      {"meal break next rate, rounds to 0",
       Valid<TObjAwardPenaltyMealBreak>([](auto& p) { p.SetAfterNextNoOfHours(1); p.SetNextAmountPerc(0.004); }),
       {"No Next Rate entered."}},
      {"rest", Valid<TObjAwardPenaltyShiftBreak>([](auto&) {}), {"No Hours entered for Break Between Shifts."}},
      {"allowance per unit", Valid<TObjAwardAllowanceStd>([](auto& a) {
         a.SetApplyOption(TaiAllowanceApplyOpt::aiaao_OnTimesheet);
         a.SetPayUnitType(TaiAllowancePayUnit::aiapu_Unit);
         a.SetPayOption(TaiConditionPayOpt::aicpo_PercOfStd);
         a.SetAddDedAmountPerc(0);
       }),
       {"No Unit Description entered.", "No Percentage entered."}},
      {"allowance on timesheet, amount 0", Valid<TObjAwardAllowancePropHrs>([](auto& a) {
         a.SetApplyOption(TaiAllowanceApplyOpt::aiaao_OnTimesheet);
         a.SetAddDedAmountPerc(0);
       }),
       {"No Timesheet Work Code entered."}},
      {"capped", Valid<TObjAwardAllowanceCapped>([](auto&) {}), {"No Amount/Percentage has been entered."}},
      {"blank accrual", Valid<TObjAwardLeaveAccrual>([](auto&) {}),
       {"No Timesheet Work Code entered.", "No Leave Class selected", "No Addition Code entered.",
        "No Addition Description entered."}},
      {"accrual of all overtime", Valid<TObjAwardLeaveAccrual>([](auto& l) {
         l.SetAccrueAllOvertime(true);
         l.SetAddDedCode("TO IL");
         l.SetAddDedDescription("Time'off");
       }),
       {"No Leave Class selected", "The Addition Code" + chars, "No apostrophe's allowed in Addition Description."}},
      {"blank leave payment", Valid<TObjAwardLeavePayment>([](auto&) {}),
       {"No Leave Reason Code has been entered.", "No Leave Reason Description has been entered.",
        "No Leave Rate Code has been entered.", "No Leave Rate Description has been entered.",
        "No Percentage has been entered."}},
      {"leave payment texts", Valid<TObjAwardLeavePayment>([](auto& l) {
         l.SetLeaveReasonCode("A,L");
         l.SetLeaveReasonDesc("Annual'");
         l.SetRateCode("L'V");
         l.SetRateDescription("'");
         l.SetPercentage(150);
       }),
       {"The Leave Reason Code" + chars, "No apostrophe's allowed in Leave Reason Description.",
        "The Leave Rate Code" + chars, "No apostrophe's allowed in Leave Rate Description."}},
      {"loading", Valid<TObjAwardLeaveLoading>([](auto& l) {
         l.SetPenaltyLstIndicator(0);
         l.SetAllowanceLstIndicator(0);
       }),
       {"No Penalty or Allowance Addition has been selected."}},
      {"planned hours", Valid<TObjAwardLeavePaymPlannedHours>([](auto& l) {
         l.SetLeaveReasonLstIndicator(0);
         l.SetPenaltyLstIndicator(0);
         l.SetAllowanceLstIndicator(0);
       }),
       {"No Leave Reasons selected.", "No Penalty or Allowance Addition has been selected."}},
      {"planned hours, allowances only",
       Valid<TObjAwardLeavePaymPlannedHours>([](auto& l) { l.SetPenaltyLstIndicator(0); }), {}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.item->ValidateAllFields(), c.expected.empty());
    EXPECT_EQ(c.item->Messages().Texts(), c.expected);
  }
}

}  // namespace
}  // namespace qora
