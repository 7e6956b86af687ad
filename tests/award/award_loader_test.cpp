// Guards the award loader against statements a back end rejects (dbo., the award function), stored values landing in the wrong field or list, the wrong version for a date, and stored components that must be skipped.
#include <gtest/gtest.h>

#include "award/award.h"
#include "award/award_db_loader.h"
#include "award/award_list.h"
#include "award/award_rules.h"
#include "db/db_test_support.h"
#include "foundation/user_feedback.h"

namespace qora {
namespace {

using testing::BackendParamName;
using testing::DbBackendTest;

class AwardLoaderTest : public DbBackendTest {
 protected:
  void SetUp() override {
    OpenDatabase(true, true);
    if (IsSkipped()) return;
    // Award TWO: one version to 30 June 2023, one open-ended from 1 July 2023.
    Db().ExecuteScript(R"sql(
      INSERT INTO _iptblAwards (idAward, cCode, cName, bInactive) VALUES (10, 'TWO', 'Two versions', 0);
      INSERT INTO _iptblAwards_TD (idAwardTD, iAwardID, cDeftClassCode, cDeftClassDesc, fWeeklyBaseHours,
          iStdPayClassTDID, iChangeReasonID, dEffectiveDate, dEndDate) VALUES
        (10, 10, 'T', 'T', 38, 0, 0, '2023-01-01 00:00:00', '2023-06-30 00:00:00'),
        (11, 10, 'T', 'T', 40, 0, 0, '2023-07-01 00:00:00', '1899-12-30 00:00:00');)sql");
    const std::string minHours = TObjAwardRuleMinHours().SaveToXML();
    // Stored before the pay options were renamed: every "aiapo_" reads as "aicpo_".
    TObjAwardRuleMinHours renamed;
    renamed.SetDescription("paid per aiapo_Amount, then aiapo_PercOfStd");
    const struct {
      int id, module, type;
      std::string xml;
    } rows[] = {
        {21, 1, 11, minHours},                    // an overtime module row lands in overtime whatever its type
        {22, 6, 11, minHours},                    // module 6 is not a component list
        {23, 2, 11, minHours},                    // module 2: the penalty list, whatever the type
        {24, 4, 11, "<TObjAwardRuleMinHours>"},  // XML that does not load
        {25, 4, 99, minHours},                    // a type without a class
        {26, 4, 11, renamed.SaveToXML()},
    };
    for (const auto& row : rows) {
      Db().Execute("insert into _iptblAwardConditions (idAwardCondition, iAwardTDID, iConditionModule, "
                   "iConditionType, cDescription, nConditionsXML) values (:Id, 11, :Module, :Type, '', :Xml)",
                   {{"Id", row.id}, {"Module", row.module}, {"Type", row.type}, {"Xml", row.xml}});
    }
  }
};

TEST_P(AwardLoaderTest, VersionsByDateAndStoredComponents) {
  const struct {
    TDateTime date;
    int tdid;  // 0: no version of TWO in force
  } cases[] = {{EncodeDate(2023, 6, 30), 10}, {EncodeDate(2023, 7, 1), 11}, {EncodeDate(2040, 1, 1), 11},
               {EncodeDate(2022, 12, 31), 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(FormatIsoDate(c.date));
    TObjListAwards awards;
    LoadAwardsForDate(Db(), c.date, awards, nullptr);
    const TObjAward* award = awards.GetAward("two", c.date);
    EXPECT_EQ(award != nullptr ? award->AwardTDID() : 0, c.tdid);
  }
  TUserFeedback log;
  log.SetDebugEnabled(true);
  TObjListAwards awards;
  EXPECT_EQ(LoadAwardsForDate(Db(), EncodeDate(2023, 7, 1), awards, &log, 7), 1);  // the sample awards start in 2024
  TObjAward& two = *awards.GetAward("TWO", EncodeDate(2023, 7, 1));
  EXPECT_EQ(two.EndDate(), 0.0);
  EXPECT_EQ(two.WeeklyBaseHours(), 40);
  ASSERT_EQ(two.ObjLstOvertime().Count(), 1);
  EXPECT_EQ(two.ObjLstOvertime().Items(0)->ConditionID(), 21);
  ASSERT_EQ(two.ObjLstPenalties().Count(), 1);
  EXPECT_EQ(two.ObjLstPenalties().Items(0)->ClassName(), "TObjAwardRuleMinHours");
  ASSERT_EQ(two.ObjLstRules().Count(), 1);
  EXPECT_EQ(two.ObjLstRules().Items(0)->ConditionID(), 26);
  EXPECT_EQ(two.ObjLstRules().Items(0)->Description(), "paid per aicpo_Amount, then aicpo_PercOfStd");
  EXPECT_EQ(two.ObjLstAllowances().Count() + two.ObjLstLeave().Count(), 0);
  ASSERT_GE(log.Count(), 4);
  EXPECT_EQ(log.Messages().front().Text, "Loading awards");
  EXPECT_EQ(log.Messages().front().Info.TimesheetID, 7);
  EXPECT_EQ(log.Messages().back().Text.rfind("Loaded 1 award in ", 0), 0u) << log.Messages().back().Text;
  EXPECT_EQ(log.Messages()[1].Text.rfind("Award \"TWO\": component 22 skipped: module 6", 0), 0u);
}

INSTANTIATE_TEST_SUITE_P(Backends, AwardLoaderTest, testing::AllTestBackends(), BackendParamName);

}  // namespace
}  // namespace qora
