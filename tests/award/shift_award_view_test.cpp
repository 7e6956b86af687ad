// Guards the shift's view of its award against codes the award lacks giving
// anything but the "not found" values, next-rate percentages being missed,
// and addition switches or the standard rate being lost.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "award/award.h"
#include "award/award_allowance_kinds.h"
#include "award/award_overtime_kinds.h"
#include "award/award_penalty_kinds.h"
#include "award/shift_award_view.h"

namespace qora {
namespace {

TEST(ShiftAwardView, AnswersAndNotFoundValues) {
  TObjAward award;
  auto overtime = std::make_unique<TObjAwardOvertimeStd>();
  overtime->SetRateCode("OT15");
  overtime->SetPercentage(150);
  overtime->SetRate2Code("OT20");
  overtime->SetOv2RatePerc(200);
  award.ObjLstOvertime().Add(std::move(overtime));
  TObjAwardClassRate& level1 = award.AddNewClassRate(1);
  level1.SetHourlyRate(25.5);
  level1.SetIsStandardRate(true);
  TObjAwardJob* job = award.ObjLstJobs().AddNew();
  job->SetJobTitle("Chef");
  job->SetClassificationCode(level1.Code());
  job->SetCostAccount("KITCHEN");
  auto allowance = std::make_unique<TObjAwardAllowanceStd>();
  allowance->SetPayUnitType(TaiAllowancePayUnit::aiapu_Shift);
  allowance->SetPayIfLeaveOnly(true);
  allowance->SetAddDedCode("MEAL");
  allowance->SetAddDedType(TADType::adt_Unit);
  allowance->SetAddDedAmountPerc(12.5);
  allowance->SetAddDedCostCode("CC1");
  award.ObjLstAllowances().Add(std::move(allowance));
  const TShiftAwardView view(award);

  EXPECT_EQ(view.OvertimePercentage("OT20"), 200) << "a next rate has its own percentage";
  EXPECT_EQ(view.OvertimePercentage("ot15"), 100) << "rate codes compare exactly";
  EXPECT_EQ(view.OvertimeRate2Code("OT15"), "OT20");
  EXPECT_EQ(view.OvertimeRate2Code("OT20"), "") << "a next rate has no next rate of its own";
  std::string classification = "keep", account = "keep";
  EXPECT_FALSE(view.FindJob("Cook", classification, account));
  EXPECT_EQ(classification + account, "keepkeep");
  EXPECT_TRUE(view.FindJob("Chef", classification, account));
  EXPECT_EQ(classification + "/" + account, "01/KITCHEN");
  EXPECT_EQ(view.ClassHourlyRate("02"), 0);
  EXPECT_EQ(view.CategoryPercentage("CAS"), 0);
  EXPECT_EQ(view.StandardHourlyRate(), 25.5) << "an award file has no StdHourlyRate: the marked class gives it";
  award.SetStdHourlyRate(26);
  EXPECT_EQ(view.StandardHourlyRate(), 26);

  TShiftAwardAddition addition;
  EXPECT_FALSE(view.FindPenalty("MEAL", addition)) << "an allowance is not a penalty";
  ASSERT_TRUE(view.FindAllowance("MEAL", addition));
  EXPECT_EQ(addition.AddDedTypeOrdinal, 3);
  EXPECT_EQ(addition.AmountPerc, 12.5);
  EXPECT_EQ(addition.CostCode, "CC1");
  EXPECT_EQ(addition.PayUnitType, TaiAllowancePayUnit::aiapu_Shift);
  EXPECT_TRUE(addition.IsStandardAllowance && addition.PayIfLeaveOnly && !addition.PayIfAllowanceOnly);
  EXPECT_EQ(view.PenaltyCostCode("MEAL"), "");

  // Switches kept on a capped allowance do not make it a standard one; a
  // penalty reports its own pay unit.
  auto capped = std::make_unique<TObjAwardAllowanceCapped>();
  capped->SetPayIfLeaveOnly(true);
  award.ObjLstAllowances().Add(std::move(capped));
  award.ObjLstPenalties().Add(std::make_unique<TObjAwardPenaltyHoursInShift>());
  ASSERT_TRUE(view.FindAllowance("", addition));
  EXPECT_TRUE(!addition.IsStandardAllowance && addition.PayIfLeaveOnly);
  ASSERT_TRUE(view.FindPenalty("", addition));
  EXPECT_EQ(addition.PayUnitType, TaiAllowancePayUnit::aiapu_Hour);
}

}  // namespace
}  // namespace qora
