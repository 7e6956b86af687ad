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
  struct Case {
    const char* name;
    std::string category;
    THoursType type;
    std::string component, job_title, cost_account;
    std::string classification, expected_cost_account;
    double percentage, rate;
  };
  const std::vector<Case> cases = {
      {"ordinary at the employee's rate", "FT", kOrd, "Normal", "", "", "C1", "", 100, 32},
      {"overtime", "FT", kOT, "OT15", "", "", "C1", "", 150, 45},
      {"casual loading on overtime", "CAS", kOT, "OT15", "", "", "C1", "", 150, 56.25},
      {"a better-paid job", "FT", kOrd, "Normal", "Supervisor", "", "C2", "CC-SUP", 100, 40},
      {"a lower-paid job", "FT", kOrd, "Normal", "Junior", "", "C1", "CC-JUN", 100, 32},
      {"a job without a class rate", "FT", kOrd, "Normal", "Unrated", "", "C1", "CC-UNR", 100, 32},
      {"a job the award does not have", "FT", kOrd, "Normal", "Astronaut", "", "C1", "", 100, 32},
      {"a category the award does not have", "PT", kOT, "OT15", "", "", "C1", "", 150, 0},
      {"an overtime code the award does not know", "FT", kOT, "OTX", "", "", "C1", "", 100, 30},
  };
  for (const Case& c : cases) {
    FakeManager manager;
    manager.award = &award;
    ShiftInRun run(&manager);
    run.shift->SetEmployeeClassification("C1");
    run.shift->SetEmployeeCategory(c.category);
    run.shift->SetEmployeeNormalRate(32);
    run.shift->_AddHours(9, 17, c.component, "", c.type, c.job_title, "", c.cost_account);
    ASSERT_EQ(run.shift->HoursGroupList().Count(), 1) << c.name;
    const THoursGroup* g = run.shift->HoursGroupList().Items(0);
    EXPECT_EQ(g->RateCode(), c.component) << c.name;
    EXPECT_EQ(g->Classification(), c.classification) << c.name;
    EXPECT_EQ(g->CostAccount(), c.expected_cost_account) << c.name;
    EXPECT_EQ(g->Category(), c.category) << c.name;
    EXPECT_DOUBLE_EQ(g->Percentage(), c.percentage) << c.name;
    EXPECT_DOUBLE_EQ(g->Rate(), c.rate) << c.name;
  }
}

TEST(HoursPricing, DefaultsWithoutAnAward) {
  struct Case {
    const char* name;
    FakeManager* manager;
  };
  FakeManager no_award;
  const std::vector<Case> cases = {{"no award loaded", &no_award}, {"not part of a run", nullptr}};
  for (const Case& c : cases) {
    ShiftInRun run(c.manager);
    run.shift->SetEmployeeClassification("C1");
    run.shift->SetEmployeeNormalRate(32);
    TTimesheetColumn* column = run.shift->AddColumn(std::make_unique<TTimesheetColumn>());
    column->SetFieldName("OT15");
    column->SetPercentage(150);
    run.shift->_AddHours(17, 19, "OT15", "", kOT, "Supervisor", "", "");
    const THoursGroup* g = run.shift->HoursGroupList().Items(0);
    EXPECT_EQ(g->RateCode(), "OT15") << c.name;
    EXPECT_EQ(g->Percentage(), 100) << c.name;
    EXPECT_EQ(g->Rate(), 0) << c.name;
    EXPECT_EQ(g->Classification(), "") << c.name;
  }
}

TEST(HoursPricing, LowerHigherDutiesRateIsLogged) {
  FakeAward award = PayAward();
  FakeManager manager;
  manager.award = &award;
  manager.log.SetDebugEnabled(false);
  ShiftInRun run(&manager);
  run.shift->SetTimesheetID(7);
  run.shift->SetEmployeeClassification("C1");
  run.shift->SetEmployeeCategory("FT");
  run.shift->_AddHours(9, 12, "Normal", "", kOrd, "Supervisor", "", "");
  EXPECT_EQ(manager.log.Count(), 0);
  run.shift->_AddHours(12, 17, "Normal", "", kOrd, "Junior", "", "");
  ASSERT_EQ(manager.log.Count(), 1);
  EXPECT_EQ(manager.log.Messages()[0].Text,
            "Higher Duties Rate \"C0\" was lower than Employee default, used the Employee rate instead");
  EXPECT_EQ(manager.log.Messages()[0].Info.TimesheetID, 7);
  EXPECT_FALSE(manager.log.Messages()[0].Info.IsDebugMessage);
}

TEST(HoursPricing, NonOrdinaryTimeTakesTheJobCodeOfTheOrdinaryBlockItStartsIn) {
  FakeAward award = PayAward();
  FakeManager manager;
  manager.award = &award;
  struct Case {
    const char* name;
    THoursType type;
    double from, to;
    std::string job_code, expected;
  };
  const std::vector<Case> cases = {
      {"overtime inside the first job", kOT, 11, 12, "", "J1"},
      {"break at the start of the second job", kBrk, 13, 13.5, "", "J2"},
      {"make-up after both", kMakeUp, 17, 18, "", ""},
      {"its own job code stays", kOT, 11, 12, "J9", "J9"},
      {"ordinary time keeps none", kOrd, 11, 12, "", ""},
  };
  for (const Case& c : cases) {
    ShiftInRun run(&manager);
    run.shift->_AddHours(9, 13, "Normal", "", kOrd, "", "J1", "");
    run.shift->_AddHours(13, 17, "Normal", "", kOrd, "", "J2", "");
    run.shift->_AddHours(c.from, c.to, "OT15", "", c.type, "", c.job_code, "");
    std::string job_code = "?";
    for (const THoursGroup* g : run.shift->HoursGroupList().Groups()) {
      if (g->ComponentName() == "OT15") job_code = g->JobCode();
    }
    EXPECT_EQ(job_code, c.expected) << c.name;
  }
}

}  // namespace
}  // namespace qora::testing
