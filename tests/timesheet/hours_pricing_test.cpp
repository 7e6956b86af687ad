// Guards against hours priced at the wrong rate, classification or cost account (higher and lower duties,
// casual loading, unknown codes), silent lower duties rates, and job codes taken from the wrong block.
#include "hours_fakes.h"

namespace qora::testing {
namespace {

FakeAward PayAward() {
  FakeAward award;
  award.overtime_percent = {{"OT15", 150}, {"Normal", 100}};
  award.category_percent = {{"FT", 100}, {"CAS", 125}};
  award.class_rate = {{"C1", 30}, {"C2", 40}, {"C0", 20}};
  award.jobs = {{"Supervisor", {"C2", "CC-SUP"}}, {"Junior", {"C0", "CC-JUN"}}, {"Unrated", {"C9", "CC-UNR"}}};
  return award;
}

TEST(HoursPricing, RatesFromTheAward) {
  FakeAward award = PayAward();
  // Category, type, component, job title; the classification, cost account, percentage and rate priced.
  using S = std::string;
  const std::vector<std::tuple<const char*, S, THoursType, S, S, S, S, double, double>> cases = {
      {"ordinary at the employee's rate", "FT", kOrd, "Normal", "", "C1", "", 100, 32},
      {"overtime", "FT", kOT, "OT15", "", "C1", "", 150, 45},
      {"casual loading on overtime", "CAS", kOT, "OT15", "", "C1", "", 150, 56.25},
      {"a better-paid job", "FT", kOrd, "Normal", "Supervisor", "C2", "CC-SUP", 100, 40},
      {"a lower-paid job", "FT", kOrd, "Normal", "Junior", "C1", "CC-JUN", 100, 32},
      {"a job without a class rate", "FT", kOrd, "Normal", "Unrated", "C1", "CC-UNR", 100, 32},
      {"a job the award does not have", "FT", kOrd, "Normal", "Astronaut", "C1", "", 100, 32},
      {"a category the award does not have", "PT", kOT, "OT15", "", "C1", "", 150, 0},
      {"an overtime code the award does not know", "FT", kOT, "OTX", "", "C1", "", 100, 30},
  };
  for (const auto& [name, category, type, component, job_title, classification, cost_account, percentage, rate] :
       cases) {
    FakeManager manager(&award);
    ShiftInRun run(&manager);
    run.shift->SetEmployeeClassification("C1");
    run.shift->SetEmployeeCategory(category);
    run.shift->SetEmployeeNormalRate(32);
    run.shift->_AddHours(9, 17, component, "", type, job_title, "", "");
    ASSERT_EQ(run.shift->HoursGroupList().Count(), 1) << name;
    const THoursGroup* g = run.shift->HoursGroupList().Items(0);
    EXPECT_EQ(std::tuple(g->RateCode(), g->Classification(), g->CostAccount(), g->Category()),
              std::tuple(component, classification, cost_account, category))
        << name;
    EXPECT_DOUBLE_EQ(g->Percentage(), percentage) << name;
    EXPECT_DOUBLE_EQ(g->Rate(), rate) << name;
  }
}

TEST(HoursPricing, DefaultsWithoutAnAward) {
  FakeManager no_award;
  const std::vector<std::pair<const char*, FakeManager*>> cases = {{"no award loaded", &no_award},
                                                                   {"not part of a run", nullptr}};
  for (const auto& [name, manager] : cases) {
    ShiftInRun run(manager);
    run.shift->SetEmployeeClassification("C1");
    run.shift->SetEmployeeNormalRate(32);
    TTimesheetColumn* column = run.shift->AddColumn(std::make_unique<TTimesheetColumn>());
    column->SetFieldName("OT15");
    column->SetPercentage(150);
    run.shift->_AddHours(17, 19, "OT15", "", kOT, "Supervisor", "", "");
    const THoursGroup* g = run.shift->HoursGroupList().Items(0);
    EXPECT_EQ(std::tuple(g->RateCode(), g->Percentage(), g->Rate(), g->Classification()),
              std::tuple("OT15", 100.0, 0.0, ""))
        << name;
  }
}

TEST(HoursPricing, LowerHigherDutiesRateIsLogged) {
  FakeAward award = PayAward();
  FakeManager manager(&award);
  manager.log.SetDebugEnabled(false);
  ShiftInRun run(&manager);
  run.shift->SetTimesheetID(7);
  run.shift->SetEmployeeClassification("C1");
  run.shift->SetEmployeeCategory("FT");
  run.shift->_AddHours(9, 12, "Normal", "", kOrd, "Supervisor", "", "");
  EXPECT_EQ(manager.log.Count(), 0);
  run.shift->_AddHours(12, 17, "Normal", "", kOrd, "Junior", "", "");
  ASSERT_EQ(manager.log.Count(), 1);
  const TUserFeedback::Entry& entry = manager.log.Messages()[0];
  EXPECT_EQ(std::tuple(entry.Text, entry.Info.TimesheetID, entry.Info.IsDebugMessage),
            std::tuple("Higher Duties Rate \"C0\" was lower than Employee default, used the Employee rate instead", 7,
                       false));
}

TEST(HoursPricing, NonOrdinaryTimeTakesTheJobCodeOfTheOrdinaryBlockItStartsIn) {
  FakeAward award = PayAward();
  FakeManager manager(&award);
  // Type, window, its own job code; the job code it ends with.
  const std::vector<std::tuple<const char*, THoursType, double, double, std::string, std::string>> cases = {
      {"overtime inside the first job", kOT, 11, 12, "", "J1"},
      {"break at the start of the second job", kBrk, 13, 13.5, "", "J2"},
      {"make-up after both", kMakeUp, 17, 18, "", ""},
      {"its own job code stays", kOT, 11, 12, "J9", "J9"},
      {"ordinary time keeps none", kOrd, 11, 12, "", ""},
  };
  for (const auto& [name, type, from, to, own_job_code, expected] : cases) {
    ShiftInRun run(&manager);
    run.shift->_AddHours(9, 13, "Normal", "", kOrd, "", "J1", "");
    run.shift->_AddHours(13, 17, "Normal", "", kOrd, "", "J2", "");
    run.shift->_AddHours(from, to, "OT15", "", type, "", own_job_code, "");
    std::string job_code = "?";
    for (const THoursGroup* g : run.shift->HoursGroupList().Groups()) {
      if (g->ComponentName() == "OT15") job_code = g->JobCode();
    }
    EXPECT_EQ(job_code, expected) << name;
  }
}

}  // namespace
}  // namespace qora::testing
