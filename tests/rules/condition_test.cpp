// Guards the condition record: an action kind replaces the parameter list,
// the action expression joins parameter values (empty ones too) or is the
// assigned value, and parameters are found by exact name and added once.
#include <gtest/gtest.h>

#include "rules/condition.h"

namespace qora {
namespace {

TEST(ConditionRecord, ActionParametersAndActionExpression) {
  TaiCondition c;
  c.SetAction(TaiAction::aaAddPenalty);
  c.SetParam("Code", "\"PEN\"");
  c.SetAction(TaiAction::aaAddOvertimeHours);
  EXPECT_EQ(c.ActionVariable(), "AddOvertimeHours");
  ASSERT_EQ(c.Parameters().Count(), 4);
  EXPECT_EQ(c.Parameters()[0].Value, "");  // the old kind's value is gone
  EXPECT_EQ(c.Parameters()[3].name, "WorkCode");

  c.SetParam("Code", "8");
  c.SetParam("NextHours", "1.5");
  EXPECT_EQ(c.ActionExpression(), "8;;1.5;");
  EXPECT_EQ(&c.AddParameter("Code", "9"), c.Parameters().ParamByName("Code"));
  EXPECT_EQ(c.Parameters().ParamByName("Code")->Value, "8");
  EXPECT_EQ(c.Parameters().ParamByName("code"), nullptr);

  c.SetActionType(TaiActionType::aatSet);
  c.SetVariableValue("\"B\"");
  EXPECT_EQ(c.ActionExpression(), "\"B\"");
}

}  // namespace
}  // namespace qora
