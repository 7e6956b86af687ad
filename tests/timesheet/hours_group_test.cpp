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
  // Window start and end, types, hours.
  const std::vector<std::tuple<double, double, THoursTypeSet, double>> cases{
      {10, 12, {kOrd}, 1.5},        // 10-11 and 11.5-12
      {10, 12, {kOrd, kOT}, 3.5},   // plus the whole overtime block
      {10, 12, {kBrk}, 0},        // no groups of that type
      {11, 11.5, {kOrd}, 0},        // the gap between the groups
      {0, 48, {kOrd}, 4.5},         // covers everything
      {13.5, 13.5, {kOrd}, 0},      // empty window
  };
  for (const auto& [start, end, types, expected] : cases) {
    EXPECT_DOUBLE_EQ(list.GetHoursBetween(start, end, types), expected)
        << start << "-" << end << " set " << int(types.Byte());
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

TEST(HoursGroup, CloneAndXmlKeepEveryPublishedValue) {
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
  THoursGroup loaded;
  loaded.LoadFromXML(g->SaveToXML());
  EXPECT_EQ(loaded.SaveToXML(), g->SaveToXML());
  EXPECT_EQ(std::tuple(loaded.HoursType(), loaded.ToTime(), loaded.Percentage()), std::tuple(kOT, 19.0, 150.0));
  const PropertyInfo* total = THoursGroup::StaticClassInfo().FindProperty("HoursTotal");
  ASSERT_NE(total, nullptr);
  EXPECT_TRUE(total->ReadOnly());
}

}  // namespace
}  // namespace qora::testing
