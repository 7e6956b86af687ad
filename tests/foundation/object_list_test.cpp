// Guards against lists that match across classes, find the wrong duplicate, destroy items they do not own (or
// in the wrong order), call OnItemAdded at the wrong time, sort unstably, or let an index out of bounds.
#include "foundation/object_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/string_list.h"
#include "foundation/class_builder.h"

namespace qora {
namespace {

// Records destructions so tests can count them and see their order.
std::vector<std::string>& DestroyLog() {
  static std::vector<std::string> log;
  return log;
}

class TLstPlain : public TnxBaseObject {
  QORA_CLASS(TLstPlain, TnxBaseObject)

 public:
  explicit TLstPlain(int32_t id = 0, std::string tag = "") : FTag(std::move(tag)) { FID = id; }
  ~TLstPlain() override { DestroyLog().push_back(FTag); }
  std::string FTag;
};

class TLstDerived : public TLstPlain {
  QORA_CLASS(TLstDerived, TLstPlain)

 public:
  using TLstPlain::TLstPlain;
};

// Matched by code; the lookup text is the code; Synchronise copies Value.
class TLstKeyed : public TLstPlain {
  QORA_CLASS(TLstKeyed, TLstPlain)

 public:
  TLstKeyed(std::string code = "", int value = 0) : TLstPlain(0, code), FCode(std::move(code)), FValue(value) {}
  std::string LookupText() const override { return FCode; }
  bool IsMatch(const TnxBaseObject* other) const override {
    return TnxBaseObject::IsMatch(other) && static_cast<const TLstKeyed*>(other)->FCode == FCode;
  }
  void Synchronise(const TnxBaseObject* other) override { FValue = static_cast<const TLstKeyed*>(other)->FValue; }
  std::string FCode;
  int FValue;
};

const ClassInfo& TLstPlain::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TLstPlain>("TLstPlain").Build();
  return info;
}
const ClassInfo& TLstDerived::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TLstDerived>("TLstDerived").Build();
  return info;
}
const ClassInfo& TLstKeyed::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TLstKeyed>("TLstKeyed").Build();
  return info;
}

TLstKeyed* AddKeyed(TnxBaseObjectList& list, const std::string& code, int value = 0) {
  auto item = std::make_unique<TLstKeyed>(code, value);
  TLstKeyed* raw = item.get();
  list.Add(std::move(item));
  return raw;
}

std::vector<std::string> Codes(const TnxBaseObjectList& list) {
  std::vector<std::string> codes;
  for (int i = 0; i < list.Count(); ++i) codes.push_back(list.GetItem(i)->LookupText());
  return codes;
}

class ObjectListTest : public ::testing::Test {
 protected:
  void SetUp() override { DestroyLog().clear(); }
};

TEST_F(ObjectListTest, IsMatchComparesExactClassOnly) {
  TLstPlain a(1), b(2);
  TLstDerived derived(1);
  EXPECT_FALSE(a.IsMatch(nullptr));
  EXPECT_TRUE(a.IsMatch(&b)) << "same class matches whatever the IDs";
  EXPECT_FALSE(a.IsMatch(&derived)) << "equal IDs, but a derived class is not the same class";
  EXPECT_FALSE(derived.IsMatch(&a));
  EXPECT_EQ(a.LookupText(), "1");
}

TEST_F(ObjectListTest, FindByIdMatchingAndInstanceOf) {
  TnxBaseObjectList list;
  EXPECT_EQ(list.FindByID(0), nullptr);
  list.Add(std::make_unique<TLstDerived>(7));
  list.Add(std::make_unique<TLstPlain>(5, "first five"));
  list.Add(std::make_unique<TLstPlain>(5, "second five"));
  EXPECT_EQ(list.FindByID(5), list.GetItem(1)) << "duplicates: lowest index";
  EXPECT_EQ(list.FindByID(6), nullptr);
  TLstPlain probe(99);
  EXPECT_EQ(list.FindMatching(&probe), list.GetItem(1)) << "the derived item does not match";
  EXPECT_EQ(list.FindMatching(nullptr), nullptr);
  const ClassInfo& plain = TLstPlain::StaticClassInfo();
  EXPECT_EQ(list.FindInstanceOf(plain, false), list.GetItem(0));
  EXPECT_EQ(list.FindInstanceOf(plain, true), list.GetItem(1));
  EXPECT_EQ(list.FindInstanceOf(plain, true, 2), list.GetItem(2));
  EXPECT_EQ(list.FindInstanceOf(TLstDerived::StaticClassInfo(), true, 1), nullptr);
}

TEST_F(ObjectListTest, LookupTextIgnoresCase) {
  TnxBaseObjectList list;
  AddKeyed(list, "XYZ");
  TLstKeyed* abc = AddKeyed(list, "ABC");
  AddKeyed(list, "abc");
  EXPECT_EQ(list.GetItemByLookupText("aBc"), abc) << "the first in any letter case";
  EXPECT_EQ(list.GetItemByLookupText(""), nullptr);

  TStringList lines;
  lines.Add("stale");
  list.RefreshLookupItems(lines, true, true);
  EXPECT_EQ(lines.Items(), (std::vector<std::string>{"", "XYZ", "ABC", "abc"}));
  list.RefreshLookupItems(lines, true, false);
  EXPECT_EQ(lines.Items(), (std::vector<std::string>{"XYZ", "ABC", "abc"}));
  list.RefreshLookupItems(lines, false, true);
  EXPECT_EQ(lines.Count(), 6) << "without clear the texts are appended and no blank line added";
}

TEST_F(ObjectListTest, SublistAndRemoveMatching) {
  TnxBaseObjectList empty, list, other;
  EXPECT_TRUE(empty.IsSublistOf(other)) << "an empty list is a sub-list of anything";
  for (const char* code : {"X", "Y", "X", "Z", "X"}) AddKeyed(list, code);
  AddKeyed(other, "Z");
  AddKeyed(other, "X");
  EXPECT_FALSE(list.IsSublistOf(other));
  EXPECT_TRUE(other.IsSublistOf(list));

  list.RemoveMatching(other);
  EXPECT_EQ(Codes(list), (std::vector<std::string>{"Y"}));
  // Walking from the end destroys index 4, 3, 2 then 0.
  EXPECT_EQ(DestroyLog(), (std::vector<std::string>{"X", "Z", "X", "X"}));

  list.RemoveMatching(list);
  EXPECT_EQ(list.Count(), 0) << "every item matches itself";
}

TEST_F(ObjectListTest, SynchroniseCopiesFromMatches) {
  TnxBaseObjectList list, other;
  TLstKeyed* a = AddKeyed(list, "A", 1);
  TLstKeyed* b = AddKeyed(list, "B", 2);
  AddKeyed(other, "B", 20);
  AddKeyed(other, "A", 10);
  AddKeyed(other, "A", 99);
  list.Synchronise(&other);
  EXPECT_EQ(a->FValue, 10) << "first match wins";
  EXPECT_EQ(b->FValue, 20);
  list.Synchronise(nullptr);
  EXPECT_EQ(a->FValue, 10);
  TLstPlain not_a_list;
  EXPECT_THROW(list.Synchronise(&not_a_list), std::invalid_argument);
}

TEST_F(ObjectListTest, OwningListDestroysItems) {
  {
    TnxBaseObjectList list;
    for (int i = 0; i < 5; ++i) list.Add(std::make_unique<TLstPlain>(i, std::to_string(i)));
    list.Delete(1);
    EXPECT_EQ(DestroyLog(), (std::vector<std::string>{"1"}));
    EXPECT_EQ(list.Remove(list.GetItem(0)), 0);
    TLstPlain outsider;
    outsider.FTag = "outsider";
    EXPECT_EQ(list.Remove(&outsider), -1);
    list.SetItem(0, std::make_unique<TLstPlain>(9, "9"));
    EXPECT_EQ(DestroyLog(), (std::vector<std::string>{"1", "0", "2"}));

    std::unique_ptr<TnxBaseObject> extracted = list.Extract(list.GetItem(1));
    ASSERT_NE(extracted, nullptr);
    EXPECT_EQ(extracted->ID(), 3);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Extract(&outsider), nullptr);
    EXPECT_EQ(DestroyLog().size(), 3u) << "Extract does not destroy";
    DestroyLog().clear();
  }
  // Locals go in reverse order: the extracted item, the outsider, then the
  // list with its two items, last first.
  EXPECT_EQ(DestroyLog(), (std::vector<std::string>{"3", "outsider", "4", "9"}));
}

TEST_F(ObjectListTest, NonOwningListLeavesItemsAlone) {
  TLstPlain a(1, "a"), b(2, "b");
  {
    TnxBaseObjectList refs(false);
    EXPECT_FALSE(refs.OwnsObjects());
    refs.AddReference(&a);
    refs.AddReference(&b);
    refs.Delete(0);
    EXPECT_EQ(refs.Extract(&b), nullptr) << "a non-owning list has nothing to hand over";
    EXPECT_EQ(refs.Count(), 0);
    refs.AddReference(&a);
    EXPECT_THROW(refs.Add(std::make_unique<TLstPlain>(3, "c")), std::logic_error);
    EXPECT_EQ(DestroyLog(), (std::vector<std::string>{"c"})) << "the rejected item is freed by its unique_ptr";
  }
  EXPECT_EQ(DestroyLog().size(), 1u);

  TnxBaseObjectList owning;
  EXPECT_THROW(owning.AddReference(&a), std::logic_error);
  owning.Add(std::make_unique<TLstPlain>(4, "d"));
  TnxBaseObjectList view(false);
  view.Assign(owning);
  EXPECT_EQ(view.GetItem(0), owning.GetItem(0));
  EXPECT_THROW(owning.Assign(view), std::logic_error);
  view.Clear();
  EXPECT_EQ(owning.Count(), 1);
  EXPECT_EQ(DestroyLog().size(), 1u);
}

TEST_F(ObjectListTest, OnItemAddedRunsAfterAdd) {
  TnxBaseObjectList list;
  // Each call records the item's ID and its index then: the item is in the list when the callback runs.
  std::vector<std::string> seen;
  list.OnItemAdded = [&](TnxBaseObject* item) {
    seen.push_back(item->LookupText() + "@" + std::to_string(list.IndexOf(item)));
  };
  EXPECT_EQ(list.Add(std::make_unique<TLstPlain>(1)), 0);
  list.Insert(0, std::make_unique<TLstPlain>(2));
  EXPECT_EQ(list.Add(std::make_unique<TLstPlain>(3)), 2);
  EXPECT_EQ(seen, (std::vector<std::string>{"1@0", "3@2"})) << "Insert does not call it";

  TLstPlain ref(4);
  TnxBaseObjectList refs(false);
  int calls = 0;
  refs.OnItemAdded = [&](TnxBaseObject* item) { calls += item == &ref; };
  refs.AddReference(&ref);
  EXPECT_EQ(calls, 1);
}

TEST_F(ObjectListTest, PositionalOperations) {
  TnxBaseObjectList list;
  for (const char* code : {"A", "B", "C", "D"}) AddKeyed(list, code);
  list.Move(0, 2);
  EXPECT_EQ(Codes(list), (std::vector<std::string>{"B", "C", "A", "D"}));
  list.Move(3, 0);
  EXPECT_EQ(Codes(list), (std::vector<std::string>{"D", "B", "C", "A"}));
  list.Exchange(0, 3);
  EXPECT_EQ(Codes(list), (std::vector<std::string>{"A", "B", "C", "D"}));
  list.Insert(4, std::make_unique<TLstKeyed>("E"));
  list.Insert(0, std::make_unique<TLstKeyed>("B", 1));
  list.Sort([](const TnxBaseObject* x, const TnxBaseObject* y) { return x->LookupText() > y->LookupText(); });
  EXPECT_EQ(Codes(list), (std::vector<std::string>{"E", "D", "C", "B", "B", "A"}));
  EXPECT_EQ(list.ItemAs<TLstKeyed>(3)->FValue, 1) << "stable: the B that came first stays first";
  EXPECT_EQ(list.ItemAs<TLstKeyed>(4)->FValue, 0);
  EXPECT_EQ(list.First()->LookupText(), "E");
  EXPECT_EQ(list.Last()->LookupText(), "A");

  for (int bad : {-1, 6}) {
    try {
      list.GetItem(bad);
      ADD_FAILURE() << "no exception for index " << bad;
    } catch (const std::out_of_range& e) {
      EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
  EXPECT_THROW(list.Delete(6), std::out_of_range);
  EXPECT_THROW(list.Insert(7, nullptr), std::out_of_range);
  EXPECT_THROW(list.Exchange(0, 6), std::out_of_range);
  EXPECT_THROW(list.Move(-1, 0), std::out_of_range);
  EXPECT_EQ(list.Count(), 6);
}

}  // namespace
}  // namespace qora
