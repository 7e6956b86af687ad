// Guards the award model against wrong version look-ups (end-date and
// open-ended boundaries, 0 and negative dates), wrong generated class codes,
// jobs lost or moved twice on a code change, messages missing or out of
// order, award files that lose members or accept foreign items, and the
// shift's view of its award giving anything but the "not found" values for
// codes the award lacks, missing next-rate percentages, or losing addition
// switches or the standard rate.
#include <gtest/gtest.h>

#include <stdexcept>

#include "award/award.h"
#include "award/award_conditions.h"
#include "award/award_list.h"
#include "award/award_overtime_kinds.h"
#include "award/component_registry.h"
#include "award/shift_award_view.h"
#include "common/datetime.h"
#include "common/text.h"

namespace qora {
namespace {

TObjAward* AddVersion(TObjListAwards& list, const char* code, TDateTime from, TDateTime to) {
  TObjAward* award = list.AddNew();
  award->SetCode(code);
  award->SetEffectiveDate(from);
  award->SetEndDate(to);
  return award;
}

using Values = std::initializer_list<std::pair<const char*, const char*>>;

// A component of the stored type with the published values given.
std::unique_ptr<TObjAwardConditionBase> Make(int type, Values values) {
  std::unique_ptr<TObjAwardConditionBase> item = CreateAwardComponent(type);
  for (const auto& [name, value] : values) SetPublishedValue(*item, name, std::string(value));
  return item;
}

TEST(AwardModel, GetAwardPicksTheVersionCoveringTheDate) {
  TObjListAwards list;
  TObjAward* first = AddVersion(list, "RETAIL", EncodeDate(2023, 1, 1), EncodeDate(2023, 6, 30));
  TObjAward* second = AddVersion(list, "Retail", EncodeDate(2023, 7, 1), 0);
  TObjAward* other = AddVersion(list, "CLERKS", EncodeDate(2020, 1, 1), 4.9);  // below 5: no end
  const std::tuple<const char*, TDateTime, TObjAward*> cases[] = {
      {"retail", EncodeDate(2023, 6, 30), first},
      {"RETAIL", EncodeDate(2023, 6, 30) + 0.75, first},  // the whole end day is covered
      {"RETAIL", EncodeDate(2023, 7, 1), second},
      {"RETAIL", EncodeDate(2031, 1, 1), second},  // EndDate 0 is open-ended
      {"RETAIL", EncodeDate(2022, 12, 31), nullptr},
      {"RETAIL", 0, first},  // no date: the first version whatever its dates
      {"RETAIL", -1, nullptr},
      {"CLERKS", EncodeDate(2040, 1, 1), other},
      {"CLERK", EncodeDate(2023, 7, 1), nullptr},
  };
  for (const auto& [code, date, expected] : cases) EXPECT_EQ(list.GetAward(code, date), expected) << code << date;
}

TEST(AwardModel, ClassCodesAndDescriptionsByLevel) {
  TObjAward award;
  award.SetDefClassCode("RET");
  award.SetDefClassDesc("Retail Employee");
  const std::tuple<int, const char*, const char*, const char*> cases[] = {  // level, stem, code, description
      {9, "", "RET09", "Retail Employee Level 09"}, {10, "", "RET10", "Retail Employee Level 10"},
      {3, "  CLK ", "CLK03", "CLK Level 03"},  // a given stem is trimmed and wins
  };
  for (const auto& [level, stem, code, desc] : cases) {
    EXPECT_EQ(award.GenerateDefaultClassCode(level, stem), code);
    EXPECT_EQ(award.GenerateDefaultClassDesc(level, stem), desc);
  }
  award.SetNoOfClassLevels(2);
  award.CreateNewDefaultClassRates();
  EXPECT_EQ(award.AddNewClassRate(0).Code(), "RET03") << "below 1 means the next level";
  EXPECT_FALSE(award.ObjLstClassRates().Items(2)->IsStandardRate());
}

TEST(AwardModel, CopyClassRatesMovesEachJobOnce) {
  TObjAward award;
  award.SetDefClassCode("A");
  award.SetDefClassDesc("Old");
  award.SetNoOfClassLevels(2);
  award.CreateNewDefaultClassRates();  // A01, A02
  // Codes edited by hand so that each class's regenerated code is the
  // other class's old code.
  award.ObjLstClassRates().Items(0)->SetCode("A02");
  award.ObjLstClassRates().Items(1)->SetCode("A01");
  TObjAwardJob* job = award.ObjLstJobs().AddNew();
  job->SetClassificationCode("A02");  // paid at the first class
  award.SetDefClassDescChange(true);
  award.SetDefClassDesc("New");
  award.SetDefClassCodeChange(true);
  award.CopyClassRates();
  EXPECT_EQ(award.ObjLstClassRates().Items(0)->Code(), "A01");
  EXPECT_EQ(award.ObjLstClassRates().Items(1)->Description(), "New Level 02");
  EXPECT_EQ(job->ClassificationCode(), "A01") << "the job follows its class, and only once";
  EXPECT_FALSE(award.DefClassCodeChange() || award.DefClassDescChange());
}

TEST(AwardModel, ValidationMessagesInOrder) {
  TObjAward award;
  award.SetCode("O'B");
  award.SetWeeklyBaseHours(0);
  award.SetDefClassCode("X'");
  TObjAwardCategory* category = award.ObjLstCategories().AddNew();
  category->SetCode("JUN");
  category->SetRuleType(TRuleType::rtHours);
  TObjAwardCategory* dated = award.ObjLstCategories().AddNew();
  dated->SetIDCategory(4);
  dated->SetNextCategoryID(4);
  dated->SetCode("ADU");
  dated->SetPercentage(0.004);  // rounds to 0.00
  dated->SetRuleType(TRuleType::rtDate);
  dated->SetRuleDateType(TDateType::dtUserDefinedDate);
  for (const char* name : {"Day", " ", "DAY", "Night's"}) award.ObjLstConditionGroup().AddNew()->SetConditionGroup(name);
  TObjAwardJob* job = award.ObjLstJobs().AddNew();
  job->SetJobTitle("Chef's mate");

  EXPECT_FALSE(award.ValidateAwardAndMembers());
  const std::vector<std::string> expected = {
      "No apostrophe's allowed in Code.", "No Award Name entered.", "Base Hours must be greater than Zero.",
      "No apostrophe's allowed in Default Code.", "No Default Description entered.",
      "Line 1: No Category selected.", "Line 1: No Percentage entered.",
      "Line 1: No \"Next Category\" specified for Category Auto Increment Rule.",
      "Line 1: No \"Hours\" entered for Category Auto Increment Rule.",
      "Line 2: No Percentage entered.", "Line 2: ADU - The specified \"Next Category\" is not valid.",
      "Line 2: No \"User Defined Date\" specified for Category Auto Increment Rule.",
      "Line 2: No Condition Group entered.", "Line 3: Condition Group \"DAY\" already exists.",
      "Line 4: No apostrophe's allowed in Condition Group.", "Line 1: No apostrophe's allowed in Job Title.",
      "Line 1: No Classification selected.",
  };
  EXPECT_EQ(award.Messages().DisplayTexts(), expected);

  TObjAward blank;
  blank.SetCode(" ");
  EXPECT_FALSE(blank.ValidateAward());
  EXPECT_EQ(blank.Messages().Texts().front(), "No Award Code entered.");
  EXPECT_EQ(blank.Messages().Texts().at(2), "No Default Code entered.");
}

TEST(AwardModel, AJobStoredAmongThePayClassesIsRefused) {
  const std::string foreign =
      "<TObjAward><ObjLstClassRates TYPE=\"TObjListAwardClassRates\"><X TYPE=\"TObjAwardJob\" /></ObjLstClassRates>"
      "</TObjAward>";
  TObjAward bad;
  EXPECT_THROW(bad.LoadFromXML(foreign), std::invalid_argument);
  EXPECT_EQ(bad.ObjLstClassRates().Count(), 0);
}

// Every writable field of every component kind, set away from its default,
// must survive the award file.
TEST(AwardModel, EveryComponentKindRoundTripsThroughTheAwardFile) {
  TObjAward award;
  for (int type = 1; type <= 21; ++type) {
    std::unique_ptr<TObjAwardConditionBase> component = CreateAwardComponent(type);
    ASSERT_NE(component, nullptr) << type;
    for (const PropertyInfo* prop : component->GetClassInfo().Properties()) {
      if (prop->IsObject() || prop->ReadOnly()) continue;
      const PropValue before = prop->get(*component);
      PropValue after;
      switch (prop->kind) {
        case PropKind::Integer: after = std::get<int64_t>(before) + 3; break;
        case PropKind::Double: after = std::get<double>(before) + 2.5; break;
        case PropKind::Date: after = std::get<double>(before) + 45108.25; break;
        case PropKind::Boolean: after = !std::get<bool>(before); break;
        case PropKind::String: after = "V" + prop->name; break;
        case PropKind::Enumeration:
          after = (std::get<int64_t>(before) + 1) % static_cast<int64_t>(prop->enum_info->names.size());
          break;
        default: {
          TStringList list;
          list.SetCommaText("Saturday,\"Long Service\"");
          after = list;
        }
      }
      prop->set(*component, after);
      EXPECT_EQ(PropValueToText(*prop, prop->get(*component)), PropValueToText(*prop, after)) << prop->name;
    }
    FamilyList(award, FindComponentClassDef(type)->Family).Add(std::move(component));
  }
  // The file holds every published value, so a value lost or misread on
  // loading shows as a difference when the loaded award is saved again.
  const std::string xml = award.SaveToXML();
  TObjAward loaded;
  loaded.LoadFromXML(xml);
  EXPECT_EQ(loaded.SaveToXML(), xml);
  EXPECT_EQ(loaded.ObjLstLeave().Count() + loaded.ObjLstPenalties().Count() + loaded.ObjLstAllowances().Count(), 12);
}

TEST(ShiftAwardView, AnswersAndNotFoundValues) {
  TObjAward award;
  award.ObjLstOvertime().Add(
      Make(1, {{"RateCode", "OT15"}, {"Percentage", "150"}, {"Rate2Code", "OT20"}, {"Ov2RatePerc", "200"}}));
  TObjAwardClassRate& level1 = award.AddNewClassRate(1);
  level1.SetHourlyRate(25.5);
  level1.SetIsStandardRate(true);
  TObjAwardJob* job = award.ObjLstJobs().AddNew();
  job->SetJobTitle("Chef");
  job->SetClassificationCode(level1.Code());
  job->SetCostAccount("KITCHEN");
  award.ObjLstAllowances().Add(Make(8, {{"PayUnitType", "aiapu_Shift"}, {"PayIfLeaveOnly", "True"},
                                        {"AddDedCode", "MEAL"}, {"AddDedType", "adt_Unit"},
                                        {"AddDedAmountPerc", "12.5"}, {"AddDedCostCode", "CC1"}}));
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
  award.ObjLstAllowances().Add(Make(9, {{"PayIfLeaveOnly", "True"}}));
  award.ObjLstPenalties().Add(Make(6, {}));
  ASSERT_TRUE(view.FindAllowance("", addition));
  EXPECT_TRUE(!addition.IsStandardAllowance && addition.PayIfLeaveOnly);
  ASSERT_TRUE(view.FindPenalty("", addition));
  EXPECT_EQ(addition.PayUnitType, TaiAllowancePayUnit::aiapu_Hour);
}

}  // namespace
}  // namespace qora
