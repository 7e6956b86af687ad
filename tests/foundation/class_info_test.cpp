// Guards against properties found in the wrong class or letter case, values converted or rejected wrongly by
// kind (with exact messages and nothing changed on failure), read-only setters, and wrong value texts.
#include "foundation/class_info.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "foundation/fixture_classes.h"

namespace qora {
namespace {

using fixture::TFxAbstract;
using fixture::TFxBase;
using fixture::TFxColour;
using fixture::TFxItemA;
using fixture::TFxItemB;
using fixture::TFxRecord;

std::vector<std::string> PropertyNames(const ClassInfo& cls) {
  std::vector<std::string> names;
  for (const PropertyInfo* p : cls.Properties()) names.push_back(p->name);
  return names;
}

// PropValue has no == while TStringList has none; compare scalars by hand.
bool SameValue(const PropValue& a, const PropValue& b) {
  return a.index() == b.index() && std::visit(
                                       [&b](const auto& x) {
                                         using V = std::decay_t<decltype(x)>;
                                         if constexpr (std::is_same_v<V, TStringList>) {
                                           return false;
                                         } else {
                                           return x == std::get<V>(b);
                                         }
                                       },
                                       a);
}

// Runs f and returns the exception's message; fails when nothing (or
// another type) is thrown.
template <class E, class F>
std::string MessageOf(F f) {
  try {
    f();
  } catch (const E& e) {
    return e.what();
  }
  ADD_FAILURE() << "expected exception not thrown";
  return "";
}

TEST(ClassInfo, PropertiesInheritAndRedeclare) {
  const ClassInfo& record = TFxRecord::StaticClassInfo();
  EXPECT_EQ(PropertyNames(record), (std::vector<std::string>{"Count", "Rate", "Title", "Start", "Active", "Colour",
                                                             "Notes", "Child", "Items", "Total", "Shade"}));
  // The re-declared Title is the record's own (it writes FLabel).
  TFxRecord r;
  SetPublishedValue(r, "Title", PropValue{std::string("own")});
  EXPECT_EQ(r.FLabel, "own");
  EXPECT_EQ(r.FTitle, "base");
  TFxBase b;
  SetPublishedValue(b, "title", PropValue{std::string("base title")});
  EXPECT_EQ(b.FTitle, "base title");

  EXPECT_EQ(record.FindProperty("cOuNt"), record.FindProperty("Count"));
  EXPECT_EQ(record.FindProperty("Counts"), nullptr);
  EXPECT_EQ(TFxBase::StaticClassInfo().FindProperty("Active"), nullptr) << "no looking down the tree";
}

TEST(ClassInfo, RegistryFindsAndCreatesByName) {
  EnsureClassesRegistered({&TFxItemA::StaticClassInfo, &TFxItemB::StaticClassInfo, &TFxAbstract::StaticClassInfo});
  ClassRegistry& registry = ClassRegistry::Instance();
  EXPECT_EQ(registry.Find("tfxitemb"), &TFxItemB::StaticClassInfo());
  EXPECT_EQ(registry.Find("TnxBaseObject"), &TnxBaseObject::StaticClassInfo());
  EXPECT_EQ(registry.Find("TNoSuchClass"), nullptr);
  EXPECT_EQ(registry.Create("TNoSuchClass"), nullptr);
  EXPECT_EQ(registry.Create("TFxAbstract"), nullptr) << "abstract classes have no factory";
  EXPECT_NE(registry.Find("TFxAbstract"), nullptr);
  auto made = registry.Create("TFXITEMB");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->ClassName(), "TFxItemB");
  EXPECT_TRUE(made->InheritsFrom(TFxItemA::StaticClassInfo()));
  EXPECT_FALSE(TFxItemA::StaticClassInfo().InheritsFrom(TFxItemB::StaticClassInfo()));
}

TEST(ClassInfo, SetPublishedValueConverts) {
  struct Case {
    const char* property;
    PropValue input;
    PropValue expected;
  };
  const std::vector<Case> cases = {
      {"Count", PropValue{std::string(" -7 ")}, PropValue{int64_t{-7}}},
      {"Count", PropValue{7.0}, PropValue{int64_t{7}}},
      {"Count", PropValue{true}, PropValue{int64_t{1}}},
      {"Count", PropValue{int64_t{2147483647}}, PropValue{int64_t{2147483647}}},
      {"Rate", PropValue{int64_t{3}}, PropValue{3.0}},
      {"Rate", PropValue{std::string("2.5")}, PropValue{2.5}},
      {"Start", PropValue{std::string("2023-07-01")}, PropValue{45108.0}},
      {"Start", PropValue{std::string("2023-07-01 06:00:00")}, PropValue{45108.25}},
      {"Start", PropValue{std::string("45108.5")}, PropValue{45108.5}},
      {"Active", PropValue{std::string("False")}, PropValue{false}},
      {"Active", PropValue{std::string("0")}, PropValue{false}},
      {"Active", PropValue{std::string("-1")}, PropValue{true}},
      {"Active", PropValue{int64_t{0}}, PropValue{false}},
      {"Title", PropValue{int64_t{42}}, PropValue{std::string("42")}},
      {"Title", PropValue{2.5}, PropValue{std::string("2.5")}},
      {"Title", PropValue{true}, PropValue{std::string("True")}},
      {"Colour", PropValue{std::string("FCGREEN")}, PropValue{int64_t{1}}},
      {"Colour", PropValue{int64_t{2}}, PropValue{int64_t{2}}},
      {"Colour", PropValue{std::string("0")}, PropValue{int64_t{0}}},
  };
  for (const Case& c : cases) {
    TFxRecord r;
    SetPublishedValue(r, c.property, c.input);
    EXPECT_TRUE(SameValue(GetPublishedValue(r, c.property), c.expected)) << c.property << " from " << c.input.index();
  }
  TFxRecord r;
  SetPublishedValue(r, "Notes", PropValue{std::string("one\r\ntwo\r\n")});
  EXPECT_EQ(r.FNotes.Items(), (std::vector<std::string>{"one", "two"}));
}

TEST(ClassInfo, SetPublishedValueRejects) {
  struct Case {
    const char* property;
    PropValue input;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"Count", PropValue{7.5}, "Invalid Integer value \"7.5\" for property \"Count\"."},
      {"Count", PropValue{int64_t{2147483648}}, "Invalid Integer value \"2147483648\" for property \"Count\"."},
      {"Count", PropValue{}, "Invalid Integer value \"(no value)\" for property \"Count\"."},
      {"Rate", PropValue{std::string("")}, "Invalid Double value \"\" for property \"Rate\"."},
      {"Rate", PropValue{std::string("2023-07-01")}, "Invalid Double value \"2023-07-01\" for property \"Rate\"."},
      {"Start", PropValue{std::string("July")}, "Invalid Date value \"July\" for property \"Start\"."},
      {"Active", PropValue{std::string("maybe")}, "Invalid Boolean value \"maybe\" for property \"Active\"."},
      {"Colour", PropValue{std::string("fcPurple")}, "Invalid TFxColour value \"fcPurple\" for property \"Colour\"."},
      {"Colour", PropValue{int64_t{3}}, "Invalid TFxColour value \"3\" for property \"Colour\"."},
      {"Nope", PropValue{int64_t{1}}, "Property \"Nope\" not found in class TFxRecord."},
      {"Child", PropValue{int64_t{1}}, "Property \"Child\" of TFxRecord is an object and takes no value."},
  };
  for (const Case& c : cases) {
    TFxRecord r;
    r.FCount = 5;
    EXPECT_EQ(MessageOf<std::invalid_argument>([&] { SetPublishedValue(r, c.property, c.input); }), c.message);
    EXPECT_EQ(r.FCount, 5) << "a failed conversion changes nothing";
  }
  TFxRecord r;
  // Read-only is a logic_error but not an invalid_argument.
  try {
    SetPublishedValue(r, "total", PropValue{1.0});
    ADD_FAILURE() << "read-only property was set";
  } catch (const std::invalid_argument&) {
    ADD_FAILURE() << "read-only reported as invalid_argument";
  } catch (const std::logic_error& e) {
    EXPECT_STREQ(e.what(), "Property \"Total\" of TFxRecord is read-only.");
  }
  EXPECT_EQ(MessageOf<std::invalid_argument>([&] { GetPublishedValue(r, "Missing"); }),
            "Property \"Missing\" not found in class TFxRecord.");
}

TEST(ClassInfo, ValuesAsText) {
  TFxRecord r;
  r.FCount = 4;
  r.FRate = 1.0 / 3.0;
  r.FColour = TFxColour::fcGreen;
  r.FStart = 45108.25;
  r.FNotes.Add("a");
  r.FNotes.Add("");
  const ClassInfo& cls = r.GetClassInfo();
  auto text = [&](const char* name) { return PropValueToText(*cls.FindProperty(name), GetPublishedValue(r, name)); };
  EXPECT_EQ(text("Count"), "4");
  EXPECT_EQ(text("Total"), "1.33333333333333");
  EXPECT_EQ(text("Start"), "45108.25");
  EXPECT_EQ(text("Active"), "True");
  EXPECT_EQ(text("Colour"), "fcGreen");
  EXPECT_EQ(text("Notes"), "a\r\n\r\n");
  EXPECT_EQ(text("Child"), "");
  EXPECT_TRUE(SameValue(GetPublishedValue(r, "Items"), PropValue{})) << "object properties have no scalar value";
  const PropertyInfo& colour = *cls.FindProperty("Colour");
  EXPECT_EQ(PropValueToText(colour, PropValue{int64_t{7}}), "7") << "an unnamed ordinal is kept in decimal";
}

}  // namespace
}  // namespace qora
