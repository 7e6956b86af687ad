// Guards the preparation of a shift's award against wrong messages, the wrong version or rates on the shift, a missing pay class going unreported, and award files being read again or not found again.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "award/award.h"
#include "award/award_list.h"
#include "award/award_provider.h"
#include "common/datetime.h"
#include "common/exceptions.h"
#include "db/connection.h"
#include "db/schema.h"
#include "foundation/user_feedback.h"
#include "timesheet/timesheet_shift.h"
#include "timesheet/timesheet_shift_award.h"

namespace qora {
namespace {

TEST(AwardProviderTest, PreparesTheShiftFromTheAwardOfItsDate) {
  auto db = OpenSampleDatabase();
  TObjListAwards awards;
  TUserFeedback log;
  TAwardProvider provider(awards, &log, [&db] { return db.get(); });
  const struct {
    std::string award, classification, error;
    double baseRate;  // the shift's BaseRate afterwards (it starts at 11.5)
  } cases[] = {
      {" ", "HOSP02", "Employee \"EMP001\" is not an award employee", 11.5},
      {"NOPE", "HOSP02", "Could not load award code \"NOPE\" for Employee \"EMP001\"", 11.5},
      {"hosp", "HOSP02", "", 24.97},
      {"HOSP", "HOSP09", "", 11.5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.award + "/" + c.classification);
    TTimesheetShift shift;
    shift.SetEmployeeCode("EMP001");
    shift.SetEmployeeClassification(c.classification);
    shift.SetShiftStartDate(EncodeDate(2025, 4, 15));
    shift.SetTimesheetID(5);
    shift.SetBaseRate(11.5);
    try {
      EXPECT_EQ(provider.PrepareShiftAward(shift, c.award).AwardCode(), "HOSP");
      EXPECT_EQ(c.error, "");
      EXPECT_DOUBLE_EQ(shift.StandardRate(), 24.10);
      EXPECT_EQ(shift.StandardWeeklyHours(), 38);
      EXPECT_DOUBLE_EQ(shift.WeeklySalary(), 24.10 * 38);
    } catch (const std::exception& e) {
      EXPECT_EQ(e.what(), c.error);
    }
    EXPECT_EQ(shift.BaseRate(), c.baseRate);
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
