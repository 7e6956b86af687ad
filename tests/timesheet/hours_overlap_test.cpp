// Guards against overlap resolution that cuts, splits or removes the wrong part (touching ends, same starts,
// spans over two groups), split copies that drop values, and the wrong rebuild order.
#include "hours_fakes.h"
#include "timesheet/timesheet_shift_overlap.h"

namespace qora::testing {
namespace {

THoursGroup* AddGroup(THoursGroupList& list, THoursType type, double from, double to, const std::string& name,
                      double percentage = 100) {
  THoursGroup* g = list.Add(MakeGroup(type, from, to, name));
  g->SetPercentage(percentage);
  return g;
}

TEST(HoursOverlap, EveryCaseOfTheResolution) {
  // The new block's window; what is left of G (9-17) and the other group.
  const std::vector<std::tuple<const char*, double, double, std::vector<Block>>> cases = {
      {"equal", 9, 17, {{kOrd, 1, 2, "other"}}},
      {"covering", 8, 18, {{kOrd, 1, 2, "other"}}},
      {"covering from the same start", 9, 18, {{kOrd, 1, 2, "other"}}},
      {"left part", 8, 12, {{kOrd, 1, 2, "other"}, {kOrd, 12, 17, "G"}}},
      {"left part from the same start", 9, 12, {{kOrd, 1, 2, "other"}, {kOrd, 12, 17, "G"}}},
      {"right part", 15, 18, {{kOrd, 1, 2, "other"}, {kOrd, 9, 15, "G"}}},
      {"right part to the same end", 15, 17, {{kOrd, 1, 2, "other"}, {kOrd, 9, 15, "G"}}},
      {"inside", 12, 12.5, {{kOrd, 1, 2, "other"}, {kOrd, 9, 12, "G"}, {kOrd, 12.5, 17, "G"}}},
      {"touching the end", 17, 19, {{kOrd, 1, 2, "other"}, {kOrd, 9, 17, "G"}}},
      {"touching the start", 5, 9, {{kOrd, 1, 2, "other"}, {kOrd, 9, 17, "G"}}},
      {"over two groups", 1.5, 10, {{kOrd, 1, 1.5, "other"}, {kOrd, 10, 17, "G"}}},
  };
  for (const auto& [name, from, to, expected] : cases) {
    THoursGroupList list;
    AddGroup(list, kOrd, 1, 2, "other");
    AddGroup(list, kOrd, 9, 17, "G");
    ResolveOverlaps(list, from, to);
    EXPECT_EQ(ByStart(Blocks(list)), ByStart(expected)) << name;
  }
}

TEST(HoursOverlap, SplitCopyKeepsEveryValueAndTheExceptedGroupStays) {
  THoursGroupList list;
  THoursGroup* g = AddGroup(list, kOT, 9, 17, "OT15", 150);
  g->SetWorkCode("WC");
  g->SetJobTitle("Driver");
  g->SetRate(33.5);
  ResolveOverlaps(list, 12, 13);
  ASSERT_EQ(list.Count(), 2);
  const THoursGroup* rest = list.Items(1);
  EXPECT_EQ(std::tuple(rest->FromTime(), rest->ToTime(), rest->WorkCode(), rest->JobTitle(), rest->Rate(),
                       rest->Percentage()),
            std::tuple(13.0, 17.0, "WC", "Driver", 33.5, 150.0));

  THoursGroup* self = AddGroup(list, kOrd, 9, 17, "self");
  ResolveOverlaps(list, 9, 17, self);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Items(0), self);
}

TEST(HoursOverlap, RebuildOrderIsTypeThenPercentage) {
  std::vector<std::unique_ptr<THoursGroup>> groups;
  for (const auto& [type, percentage, name] : std::vector<std::tuple<THoursType, double, const char*>>{
           {THoursType::htLeave, 100, "leave"}, {kOT, 200, "ot200"}, {kBrk, 100, "break"}, {kOT, 150, "ot150"},
           {kOT, 150.5, "ot150.5 (equal to 150)"}, {kOrd, 100, "ord"}, {kMakeUp, 100, "makeup"},
           {THoursType::htNone, 100, "none"}}) {
    groups.push_back(MakeGroup(type, 0, 0, name));
    groups.back()->SetPercentage(percentage);
  }
  SortForRebuild(groups);
  std::vector<std::string> names;
  for (const auto& g : groups) names.push_back(g->ComponentName());
  EXPECT_EQ(names, (std::vector<std::string>{"none", "ord", "ot150", "ot150.5 (equal to 150)", "ot200", "break",
                                             "makeup", "leave"}));
}

}  // namespace
}  // namespace qora::testing
