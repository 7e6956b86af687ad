// Guards against blocks not cut where their work code, classification or cost account group ends, costs taken
// from overtime, and penalties not re-measured or given the wrong cost code when cut.
#include "common/format.h"
#include "hours_fakes.h"

namespace qora::testing {
namespace {

// The blocks of a list, ordered by start, each with the value asked for in place of its component.
template <class F>
std::vector<Block> Pieces(const THoursGroupList& list, F value) {
  std::vector<Block> out;
  for (const THoursGroup* g : list.Groups()) out.push_back({g->HoursType(), g->FromTime(), g->ToTime(), value(*g)});
  return ByStart(out);
}

TEST(HoursCosting, BlocksAreCutWhereTheirBreakdownGroupEnds) {
  ShiftInRun run;
  TTimesheetShift& s = *run.shift;
  s._AddHours(9, 17, "Normal", "", kOrd, "", "", "");
  s.CreateWorkCodeGroup(MakeGroup(kOrd, 9, 12, "", "A").get());
  s.CreateWorkCodeGroup(MakeGroup(kOrd, 12, 15, "", "B").get());
  s.AdjustAllWorkCodes();
  EXPECT_EQ(Pieces(s.HoursGroupList(), [](const THoursGroup& g) { return g.WorkCode(); }),
            (std::vector<Block>{{kOrd, 9, 12, "A"}, {kOrd, 12, 15, "B"}, {kOrd, 15, 17, ""}}));

  // Cost accounts come from ordinary time only.
  ShiftInRun costed;
  TTimesheetShift& c = *costed.shift;
  c._AddHours(9, 14, "Normal", "", kOrd, "", "", "");
  auto cc1 = MakeGroup(kOrd, 9, 12);
  cc1->SetCostAccount("CC1");
  c.CreateCostCodeGroup(cc1.get());
  auto cc2 = MakeGroup(kOT, 12, 14);
  cc2->SetCostAccount("CC2");
  c.CreateCostCodeGroup(cc2.get());
  c.AdjustAllCostCodes();
  EXPECT_EQ(Pieces(c.HoursGroupList(), [](const THoursGroup& g) { return g.CostAccount(); }),
            (std::vector<Block>{{kOrd, 9, 12, "CC1"}, {kOrd, 12, 14, ""}}));
}

TEST(HoursCosting, ClassificationsCarryJobCostAndRate) {
  ShiftInRun run;
  TTimesheetShift& s = *run.shift;
  s._AddHours(9, 12, "Normal", "", kOrd, "", "", "");
  s._AddHours(12, 14, "OT15", "", kOT, "", "", "");
  s.HoursGroupList().Items(1)->SetPercentage(150);
  // Overtime taken as leave: its line applies the percentage itself.
  s._AddHours(14, 15, "ALACC", "", THoursType::htLeaveAccrual, "", "", "");
  s.HoursGroupList().Items(2)->SetPercentage(150);
  auto sup = MakeGroup(kOrd, 9, 13);
  sup->SetJobTitle("Supervisor");
  sup->SetCostAccount("CC1");
  sup->SetClassification("C2");
  sup->SetRate(40);
  s.CreateClassificationGroup(sup.get());
  auto later = MakeGroup(kOrd, 14, 15);
  later->SetRate(40);
  s.CreateClassificationGroup(later.get());
  s.AdjustAllClassifications();
  std::vector<std::string> seen;
  for (const THoursGroup* g : s.HoursGroupList().Groups()) {
    seen.push_back(FloatToStr(g->FromTime()) + "-" + FloatToStr(g->ToTime()) + " " + g->JobTitle() + " " +
                   g->CostAccount() + " " + g->Classification() + " " + FloatToStr(g->Rate()));
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, (std::vector<std::string>{"12-13 Supervisor CC1 C2 60", "13-14    0", "14-15    40",
                                      "9-12 Supervisor CC1 C2 40"}));
}

TEST(HoursCosting, PenaltiesTakeCostCodesAndAreRemeasuredWhenCut) {
  FakeAward award;
  award.penalty_cost_code = {{"NIGHT", "PCC"}};
  FakeManager manager(&award);
  ShiftInRun run(&manager);
  TTimesheetShift& s = *run.shift;
  s._AddHours(9, 12, "Normal", "", kOrd, "", "", "CC1");
  s._AddHours(12, 17, "Normal", "", kOrd, "", "", "CC2");
  // 13-15 is kept whole: its units stand; 18-19 is outside every group: the award's cost code.
  using Window = std::tuple<double, double, double>;  // from, to, units
  for (const auto& [from, to, units] : std::vector<Window>{{11, 14, 3}, {13, 15, 5}, {18, 19, 1}}) {
    TPenalty* p = s.PenaltyList().AddNew();
    p->SetFromTime(from);
    p->SetToTime(to);
    p->SetUnits(units);
    p->SetDescription("NIGHT");
    p->SetAmountPerc(15);
  }
  s.AdjustPenaltyCostCodes();
  std::vector<std::string> seen;
  for (int i = 0; i < s.PenaltyList().Count(); ++i) {
    const TPenalty* p = s.PenaltyList().Items(i);
    seen.push_back(FloatToStr(p->FromTime()) + "-" + FloatToStr(p->ToTime()) + " " + p->AddDedCostCode() + " " +
                   FloatToStr(p->Units()) + " " + FloatToStr(p->AmountPerc()) + " " + p->Description());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"11-12 CC1 1 15 NIGHT", "12-14 CC2 2 15 NIGHT", "13-15 CC2 5 15 NIGHT",
                                            "18-19 PCC 0 15 NIGHT"}));
}

}  // namespace
}  // namespace qora::testing
