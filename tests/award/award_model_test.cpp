// Guards the award model against wrong version look-ups (end-date and
// open-ended boundaries, 0 and negative dates), wrong generated class codes,
// jobs lost or moved twice on a code change, messages missing or out of
// order, and award files that lose members or accept foreign items.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "award/award.h"
#include "award/award_conditions.h"
#include "award/award_list.h"
#include "award/award_overtime_kinds.h"
#include "award/component_registry.h"
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

TEST(AwardModel, GetAwardPicksTheVersionCoveringTheDate) {
  TObjListAwards list;
  TObjAward* first = AddVersion(list, "RETAIL", EncodeDate(2023, 1, 1), EncodeDate(2023, 6, 30));
  TObjAward* second = AddVersion(list, "Retail", EncodeDate(2023, 7, 1), 0);
  TObjAward* other = AddVersion(list, "CLERKS", EncodeDate(2020, 1, 1), 4.9);  // below 5: no end
  struct Case {
    const char* code;
    TDateTime date;
    TObjAward* expected;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) EXPECT_EQ(list.GetAward(c.code, c.date), c.expected) << c.code << " " << c.date;
}

TEST(AwardModel, ClassCodesAndDescriptionsByLevel) {
  TObjAward award;
  award.SetDefClassCode("RET");
  award.SetDefClassDesc("Retail Employee");
  struct Case {
    int level;
    const char* stem;
    const char* code;
    const char* desc;
  };
  const Case cases[] = {
      {9, "", "RET09", "Retail Employee Level 09"},
      {10, "", "RET10", "Retail Employee Level 10"},
      {3, "  CLK ", "CLK03", "CLK Level 03"},  // a given stem is trimmed and wins
  };
  for (const Case& c : cases) {
    EXPECT_EQ(award.GenerateDefaultClassCode(c.level, c.stem), c.code);
    EXPECT_EQ(award.GenerateDefaultClassDesc(c.level, c.stem), c.desc);
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

std::vector<std::string> Messages(const TObjListAwardMessages& list) { return list.DisplayTexts(); }

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
      "No apostrophe's allowed in Code.",
      "No Award Name entered.",
      "Base Hours must be greater than Zero.",
      "No apostrophe's allowed in Default Code.",
      "No Default Description entered.",
      "Line 1: No Category selected.",
      "Line 1: No Percentage entered.",
      "Line 1: No \"Next Category\" specified for Category Auto Increment Rule.",
      "Line 1: No \"Hours\" entered for Category Auto Increment Rule.",
      "Line 2: No Percentage entered.",
      "Line 2: ADU - The specified \"Next Category\" is not valid.",
      "Line 2: No \"User Defined Date\" specified for Category Auto Increment Rule.",
      "Line 2: No Condition Group entered.",
      "Line 3: Condition Group \"DAY\" already exists.",
      "Line 4: No apostrophe's allowed in Condition Group.",
      "Line 1: No apostrophe's allowed in Job Title.",
      "Line 1: No Classification selected.",
  };
  EXPECT_EQ(Messages(award.Messages()), expected);

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

}  // namespace
}  // namespace qora
