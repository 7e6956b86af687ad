// Guards against hours-type sets with the wrong bits, hours summed outside the window or of other types,
// deletions of the wrong types, clones that drop a value, and hours groups that lose a value in XML.
#include "hours_fakes.h"

namespace qora::testing {
namespace {

TEST(HoursTypeSet, OneByteWithOneBitPerOrdinal) {
  EXPECT_EQ(kWorkedHoursTypes.Byte(), 22);
  EXPECT_TRUE(kWorkedHoursTypes.Contains(THoursType::htMakeUp));
  EXPECT_FALSE(kWorkedHoursTypes.Contains(kBrk));
  THoursTypeSet s{THoursType::htNone, THoursType::htLeave};
  EXPECT_EQ(s.Byte(), 0x41);
  s.Exclude(THoursType::htNone);
  s.Include(THoursType::htLeave);
  EXPECT_EQ(s, THoursTypeSet::FromByte(0x40));
  EXPECT_EQ(HoursTypeInfo().NameOf(5), "htLeaveAccrual");
}

TEST(HoursGroupList, GetHoursBetweenSumsPositiveOverlapsOfTheTypes) {
  THoursGroupList list;
  list.Add(MakeGroup(kOrd, 9, 11));
  list.Add(MakeGroup(kOrd, 11.5, 14));
  list.Add(MakeGroup(kOT, 10, 12));
  struct Case {
    double start, end;
    THoursTypeSet types;
    double expected;
  };
  const std::vector<Case> cases{
      {10, 12, {kOrd}, 1.5},        // 10-11 and 11.5-12
      {10, 12, {kOrd, kOT}, 3.5},   // plus the whole overtime block
      {10, 12, {kBrk}, 0},        // no groups of that type
      {11, 11.5, {kOrd}, 0},        // the gap between the groups
      {0, 48, {kOrd}, 4.5},         // covers everything
      {13.5, 13.5, {kOrd}, 0},      // empty window
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(list.GetHoursBetween(c.start, c.end, c.types), c.expected)
        << c.start << "-" << c.end << " set " << int(c.types.Byte());
  }
}

TEST(HoursGroupList, DeleteHoursRemovesOnlyTheTypesInTheSetKeepingOrder) {
  THoursGroupList list;
  list.Add(MakeGroup(kOrd, 9, 12));
  list.Add(MakeGroup(kOT, 17, 18));
  list.Add(MakeGroup(kBrk, 12, 12.5));
  list.Add(MakeGroup(kOrd, 12.5, 17));
  list.DeleteHours({});
  EXPECT_EQ(list.Count(), 4);
  list.DeleteHours({kOrd});
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(0)->HoursType(), kOT);
  EXPECT_EQ(list.Items(1)->HoursType(), kBrk);
  EXPECT_DOUBLE_EQ(list.TotalHours({kOT, kBrk}), 1.5);
}

TEST(HoursGroup, CloneCopiesEveryPublishedValueAndExtractHandsOwnershipOut) {
  auto g = MakeGroup(kOT, 17.25, 19, "OT150", "WC1");
  g->SetCrossesMidnight(true);
  g->SetPercentage(150);
  g->SetIsAllowance(true);
  g->SetRateCode("OT150R");
  g->SetRate(42.5);
  g->SetJobTitle("Chef");
  g->SetJobCode("J1");
  g->SetCostAccount("CA");
  g->SetCategory("Cat");
  g->SetClassification("L2");
  g->SetLeaveAccrualCode("AL");
  auto copy = g->Clone();
  EXPECT_EQ(copy->SaveToXML(), g->SaveToXML());
  EXPECT_DOUBLE_EQ(copy->HoursTotal(), 1.75);

  THoursGroupList list;
  THoursGroup* raw = list.Add(std::move(copy));
  list.Add(MakeGroup(kOrd, 1, 2));
  std::unique_ptr<THoursGroup> out = list.ExtractGroup(raw);
  ASSERT_EQ(out.get(), raw);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list.ExtractGroup(raw), nullptr);
  auto all = list.ExtractAll();
  EXPECT_EQ(all.size(), 1u);
  EXPECT_EQ(list.Count(), 0);
}

TEST(HoursGroup, PublishedPropertiesRoundTripThroughXml) {
  auto g = MakeGroup(THoursType::htLeave, 8, 16.5, "Annual Leave", "WC");
  g->SetPercentage(117.5);
  g->SetClassification("L3");
  THoursGroup loaded;
  loaded.LoadFromXML(g->SaveToXML());
  EXPECT_EQ(loaded.SaveToXML(), g->SaveToXML());
  EXPECT_EQ(loaded.HoursType(), THoursType::htLeave);
  EXPECT_DOUBLE_EQ(loaded.ToTime(), 16.5);
  const PropertyInfo* total = THoursGroup::StaticClassInfo().FindProperty("HoursTotal");
  ASSERT_NE(total, nullptr);
  EXPECT_TRUE(total->ReadOnly());
}

}  // namespace
}  // namespace qora::testing
