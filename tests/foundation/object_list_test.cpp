// Guards against lists that destroy items they no longer own (or keep ones they should free, or free them in the
// wrong order), call OnItemAdded at the wrong time, sort unstably, or let an index out of bounds.
#include "foundation/object_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/class_builder.h"

namespace qora {
namespace {

using Texts = std::vector<std::string>;

// Records destructions so tests can count them and see their order.
Texts& DestroyLog() {
  static Texts log;
  return log;
}

class TLstPlain : public TnxBaseObject {
  QORA_CLASS(TLstPlain, TnxBaseObject)

 public:
  explicit TLstPlain(int32_t id = 0, std::string tag = "") : FTag(std::move(tag)) { FID = id; }
  ~TLstPlain() override { DestroyLog().push_back(FTag); }
  std::string FTag;
};

const ClassInfo& TLstPlain::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TLstPlain>("TLstPlain").Build();
  return info;
}

Texts Tags(const TnxBaseObjectList& list) {
  Texts tags;
  for (int i = 0; i < list.Count(); ++i) tags.push_back(static_cast<TLstPlain*>(list.GetItem(i))->FTag);
  return tags;
}

class ObjectListTest : public ::testing::Test {
 protected:
  void SetUp() override { DestroyLog().clear(); }
};

TEST_F(ObjectListTest, OwningListDestroysItems) {
  {
    TnxBaseObjectList list;
    for (int i = 0; i < 5; ++i) list.Add(std::make_unique<TLstPlain>(i, std::to_string(i)));
    list.Delete(1);
    EXPECT_EQ(DestroyLog(), (Texts{"1"}));
    EXPECT_EQ(list.Remove(list.GetItem(0)), 0);
    TLstPlain outsider;
    outsider.FTag = "outsider";
    EXPECT_EQ(list.Remove(&outsider), -1);
    list.SetItem(0, std::make_unique<TLstPlain>(9, "9"));
    EXPECT_EQ(DestroyLog(), (Texts{"1", "0", "2"}));

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
  EXPECT_EQ(DestroyLog(), (Texts{"3", "outsider", "4", "9"}));
}

TEST_F(ObjectListTest, OnItemAddedRunsAfterAdd) {
  TnxBaseObjectList list;
  // Each call records the item's ID and its index then: the item is in the list when the callback runs.
  Texts seen;
  list.OnItemAdded = [&](TnxBaseObject* item) {
    seen.push_back(item->LookupText() + "@" + std::to_string(list.IndexOf(item)));
  };
  EXPECT_EQ(list.Add(std::make_unique<TLstPlain>(1)), 0);
  list.Insert(0, std::make_unique<TLstPlain>(2));
  EXPECT_EQ(list.Add(std::make_unique<TLstPlain>(3)), 2);
  EXPECT_EQ(seen, (Texts{"1@0", "3@2"})) << "Insert does not call it";
}

TEST_F(ObjectListTest, StableSortAndIndexBounds) {
  TnxBaseObjectList list;
  for (int id : {2, 3, 1}) list.Add(std::make_unique<TLstPlain>(id, std::to_string(id)));
  list.Insert(3, std::make_unique<TLstPlain>(2, "2 added later"));
  list.Insert(0, std::make_unique<TLstPlain>(2, "2 inserted first"));
  list.Sort([](const TnxBaseObject* x, const TnxBaseObject* y) { return x->ID() < y->ID(); });
  EXPECT_EQ(Tags(list), (Texts{"1", "2 inserted first", "2", "2 added later", "3"})) << "equal items keep their order";

  for (int bad : {-1, 5}) {
    try {
      list.GetItem(bad);
      ADD_FAILURE() << "no exception for index " << bad;
    } catch (const std::out_of_range& e) {
      EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
  EXPECT_THROW(list.Delete(5), std::out_of_range);
  EXPECT_THROW(list.Insert(6, nullptr), std::out_of_range);
  EXPECT_EQ(list.Count(), 5);
}

// A typed list remembers the last class that fitted; an item of another
// class is still checked, whatever fitted before it.
TEST_F(ObjectListTest, TypedListChecksEveryNewClass) {
  class TLstOther : public TnxBaseObject {};
  TypedObjectList<TLstPlain> list;
  list.Add(std::make_unique<TLstPlain>(1, "fits"));
  try {
    list.Add(std::make_unique<TLstOther>());
    ADD_FAILURE() << "an item of another class was stored";
  } catch (const std::invalid_argument& e) {
    EXPECT_EQ(std::string(e.what()), "Class TnxBaseObject cannot be stored in a list of TLstPlain.");
  }
  list.Add(std::make_unique<TLstPlain>(2, "fits again"));
  EXPECT_EQ(Tags(list), (Texts{"fits", "fits again"}));
}

}  // namespace
}  // namespace qora
