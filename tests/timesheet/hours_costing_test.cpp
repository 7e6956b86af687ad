// Guards against blocks not cut where their work code, classification or cost account group ends, costs taken
// from overtime, and penalties not re-measured or given the wrong cost code when cut.
#include <gtest/gtest.h>

#include "common/format.h"
#include "hours_fakes.h"

namespace qora::testing {
namespace {

std::unique_ptr<THoursGroup> Group(THoursType type, double from, double to) { return MakeGroup(type, from, to); }

struct Piece {
  double from, to;
  std::string value;
  bool operator==(const Piece& o) const {
    return std::abs(from - o.from) < 1e-9 && std::abs(to - o.to) < 1e-9 && value == o.value;
  }
};
std::ostream& operator<<(std::ostream& os, const Piece& p) { return os << p.from << "-" << p.to << ":" << p.value; }

template <class F>
std::vector<Piece> Pieces(const THoursGroupList& list, F value) {
  std::vector<Piece> out;
  for (const THoursGroup* g : list.Groups()) out.push_back({g->FromTime(), g->ToTime(), value(*g)});
  std::sort(out.begin(), out.end(), [](const Piece& a, const Piece& b) { return a.from < b.from; });
  return out;
}

TEST(HoursCosting, BlocksAreCutWhereTheirBreakdownGroupEnds) {
  ShiftInRun run;
  TTimesheetShift& s = *run.shift;
  s._AddHours(9, 17, "Normal", "", kOrd, "", "", "");
  auto a = Group(kOrd, 9, 12);
  a->SetWorkCode("A");
  s.CreateWorkCodeGroup(a.get());
  auto b = Group(kOrd, 12, 15);
  b->SetWorkCode("B");
  s.CreateWorkCodeGroup(b.get());
  s.AdjustAllWorkCodes();
  EXPECT_EQ(Pieces(s.HoursGroupList(), [](const THoursGroup& g) { return g.WorkCode(); }),
            (std::vector<Piece>{{9, 12, "A"}, {12, 15, "B"}, {15, 17, ""}}));
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
  auto sup = Group(kOrd, 9, 13);
  sup->SetJobTitle("Supervisor");
  sup->SetCostAccount("CC1");
  sup->SetClassification("C2");
  sup->SetRate(40);
  s.CreateClassificationGroup(sup.get());
  auto later = Group(kOrd, 14, 15);
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

TEST(HoursCosting, CostAccountsComeFromOrdinaryTimeOnly) {
  ShiftInRun run;
  TTimesheetShift& s = *run.shift;
  s._AddHours(9, 14, "Normal", "", kOrd, "", "", "");
  auto cc1 = Group(kOrd, 9, 12);
  cc1->SetCostAccount("CC1");
  s.CreateCostCodeGroup(cc1.get());
  auto cc2 = Group(kOT, 12, 14);
  cc2->SetCostAccount("CC2");
  s.CreateCostCodeGroup(cc2.get());
  s.AdjustAllCostCodes();
  EXPECT_EQ(Pieces(s.HoursGroupList(), [](const THoursGroup& g) { return g.CostAccount(); }),
            (std::vector<Piece>{{9, 12, "CC1"}, {12, 14, ""}}));
}

TEST(HoursCosting, PenaltiesTakeCostCodesAndAreRemeasuredWhenCut) {
  FakeAward award;
  award.penalty_cost_code = {{"NIGHT", "PCC"}};
  FakeManager manager;
  manager.award = &award;
  ShiftInRun run(&manager);
  TTimesheetShift& s = *run.shift;
  s._AddHours(9, 12, "Normal", "", kOrd, "", "", "CC1");
  s._AddHours(12, 17, "Normal", "", kOrd, "", "", "CC2");
  auto add_penalty = [&](double from, double to, double units) {
    auto p = std::make_unique<TPenalty>();
    p->SetFromTime(from);
    p->SetToTime(to);
    p->SetUnits(units);
    p->SetDescription("NIGHT");
    p->SetAmountPerc(15);
    s.PenaltyList().Add(std::move(p));
  };
  add_penalty(11, 14, 3);
  add_penalty(13, 15, 5);  // kept whole: its units stand
  add_penalty(18, 19, 1);  // outside every group: the award's cost code
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
