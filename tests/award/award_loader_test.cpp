// Guards the award loader and the preparation of a shift's award against statements a back end rejects (dbo., the award function), stored values landing in the wrong field or list, the wrong version or rates for a date, stored components that must be skipped, wrong messages, a missing pay class going unreported, and award files being read again or not found again.
#include <gtest/gtest.h>

#include "award/award.h"
#include "award/award_db_loader.h"
#include "award/award_list.h"
#include "award/award_provider.h"
#include "award/award_rules.h"
#include "common/exceptions.h"
#include "db/db_test_support.h"
#include "db/schema.h"
#include "foundation/user_feedback.h"
#include "timesheet/timesheet_shift.h"
#include "timesheet/timesheet_shift_award.h"

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
    const std::tuple<int, int, int, std::string> rows[] = {  // id, module, type, XML
        {21, 1, 11, minHours},                    // an overtime module row lands in overtime whatever its type
        {22, 6, 11, minHours},                    // module 6 is not a component list
        {23, 2, 11, minHours},                    // module 2: the penalty list, whatever the type
        {24, 4, 11, "<TObjAwardRuleMinHours>"},  // XML that does not load
        {25, 4, 99, minHours},                    // a type without a class
        {26, 4, 11, renamed.SaveToXML()},
    };
    for (const auto& [id, module, type, xml] : rows) {
      Db().Execute("insert into _iptblAwardConditions (idAwardCondition, iAwardTDID, iConditionModule, "
                   "iConditionType, cDescription, nConditionsXML) values (:Id, 11, :Module, :Type, '', :Xml)",
                   {{"Id", id}, {"Module", module}, {"Type", type}, {"Xml", xml}});
    }
  }
};

TEST_P(AwardLoaderTest, VersionsByDateAndStoredComponents) {
  // The version of TWO in force on each date; 0: none.
  const std::pair<TDateTime, int> cases[] = {{EncodeDate(2023, 6, 30), 10}, {EncodeDate(2023, 7, 1), 11},
                                             {EncodeDate(2040, 1, 1), 11}, {EncodeDate(2022, 12, 31), 0}};
  for (const auto& [date, tdid] : cases) {
    TObjListAwards awards;
    LoadAwardsForDate(Db(), date, awards, nullptr);
    const TObjAward* award = awards.GetAward("two", date);
    EXPECT_EQ(award != nullptr ? award->AwardTDID() : 0, tdid) << FormatIsoDate(date);
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

TEST(AwardProviderTest, PreparesTheShiftFromTheAwardOfItsDate) {
  auto db = OpenSampleDatabase();
  TObjListAwards awards;
  TUserFeedback log;
  TAwardProvider provider(awards, &log, [&db] { return db.get(); });
  // Award, classification, error, the shift's BaseRate afterwards (it starts at 11.5).
  const std::tuple<std::string, std::string, std::string, double> cases[] = {
      {" ", "HOSP02", "Employee \"EMP001\" is not an award employee", 11.5},
      {"NOPE", "HOSP02", "Could not load award code \"NOPE\" for Employee \"EMP001\"", 11.5},
      {"hosp", "HOSP02", "", 24.97},
      {"HOSP", "HOSP09", "", 11.5},
  };
  for (const auto& [code, classification, error, baseRate] : cases) {
    SCOPED_TRACE(code + "/" + classification);
    TTimesheetShift shift;
    shift.SetEmployeeCode("EMP001");
    shift.SetEmployeeClassification(classification);
    shift.SetShiftStartDate(EncodeDate(2025, 4, 15));
    shift.SetTimesheetID(5);
    shift.SetBaseRate(11.5);
    try {
      EXPECT_EQ(provider.PrepareShiftAward(shift, code).AwardCode(), "HOSP");
      EXPECT_EQ(error, "");
      EXPECT_DOUBLE_EQ(shift.StandardRate(), 24.10);
      EXPECT_EQ(shift.StandardWeeklyHours(), 38);
      EXPECT_DOUBLE_EQ(shift.WeeklySalary(), 24.10 * 38);
    } catch (const std::exception& e) {
      EXPECT_EQ(e.what(), error);
    }
    EXPECT_EQ(shift.BaseRate(), baseRate);
  }
  ASSERT_EQ(log.Count(), 1);
  EXPECT_EQ(log.Messages()[0].Text,
            "Employee \"EMP001\": classification \"HOSP09\" is not a pay class of award \"HOSP\"; the shift keeps its "
            "base rate of 11.50.");
  EXPECT_EQ(log.Messages()[0].Info.Severity, TMessageSeverity::ms_Warning);
  EXPECT_EQ(log.Messages()[0].Info.TimesheetID, 5);

  TTimesheetShift earlier;  // the version to 30 June 2024 is not loaded yet
  earlier.SetEmployeeAward("HOSP");
  earlier.SetShiftStartDate(EncodeDate(2024, 6, 30));
  EXPECT_EQ(provider.FindShiftAward(earlier), nullptr);
  earlier.SetShiftStartDate(EncodeDate(2024, 7, 1));
  const IShiftAward* view = provider.FindShiftAward(earlier);
  ASSERT_NE(view, nullptr);
  EXPECT_DOUBLE_EQ(view->ClassHourlyRate("HOSP02"), 24.97);
}

TEST(AwardProviderTest, WithoutADatabaseTheCodeNamesAnAwardFile) {
  TObjListAwards awards;
  TAwardProvider provider(awards, nullptr, [] { return nullptr; });
  TTimesheetShift shift;
  shift.SetEmployeeAward(std::string(QORA_SAMPLES_DIR) + "/awards/HOSP");
  shift.SetEmployeeClassification("HOSP03");
  EXPECT_EQ(provider.FindShiftAward(shift), nullptr);
  IAwardConditions& first = provider.PrepareShiftAward(shift, shift.EmployeeAward());
  EXPECT_EQ(&provider.PrepareShiftAward(shift, shift.EmployeeAward() + ".xml"), &first) << "read once";
  EXPECT_EQ(awards.Count(), 1);
  EXPECT_DOUBLE_EQ(shift.BaseRate(), 26.08);
  EXPECT_DOUBLE_EQ(shift.StandardRate(), 24.10) << "from the pay class marked as the standard rate";
  ASSERT_NE(provider.FindShiftAward(shift), nullptr);

  EXPECT_THROW(provider.PrepareShiftAward(shift, "no/such/award"), eaiPRocessorException);
  EXPECT_EQ(awards.Count(), 1) << "a file that fails to load adds nothing";
}

}  // namespace
}  // namespace qora
