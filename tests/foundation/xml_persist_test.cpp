// Guards against XML that loses or changes a value on the round trip (15-digit doubles, line breaks, entities,
// lists of mixed classes), wrong element vocabulary, intolerant or over-tolerant loading, and unbounded nesting.
#include "foundation/xml_persist.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "common/format.h"
#include "foundation/fixture_classes.h"

namespace qora {
namespace {

using fixture::TFxChild;
using fixture::TFxColour;
using fixture::TFxItemA;
using fixture::TFxItemB;
using fixture::TFxRecord;

// The item classes are created by stored class name, so they must be known
// to the registry before anything is loaded.
void RegisterFixtures() {
  EnsureClassesRegistered({&TFxItemA::StaticClassInfo, &TFxItemB::StaticClassInfo, &TFxChild::StaticClassInfo,
                           &TFxRecord::StaticClassInfo});
}

std::unique_ptr<TFxRecord> FullRecord() {
  auto r = std::make_unique<TFxRecord>();
  r->SetID(77);
  r->FCount = -12;
  r->FRate = 7.5;
  r->FStart = 45107.75;
  r->FActive = false;
  r->FLabel = "a & b < c > d \" e ' f";
  r->FTitle = "not stored: Title is re-published by the record";
  r->FColour = TFxColour::fcBlue;
  for (const char* line : {"first", "", "  third  ", ""}) r->FNotes.Add(line);
  r->FChild = std::make_unique<TFxChild>();
  r->FChild->SetID(5);
  r->FChild->FName = "kid\r\nline two";
  r->FChild->FLevel = 3;
  auto a = std::make_unique<TFxItemA>();
  a->SetID(101);
  a->FCode = "A1";
  a->FAmount = 0.25;
  auto b = std::make_unique<TFxItemB>();
  b->SetID(102);
  b->FCode = "B1";
  b->FAmount = -3;
  b->FFlag = true;
  r->Items()->Add(std::move(a));
  r->Items()->Add(std::move(b));
  return r;
}

TEST(XmlPersist, WrittenVocabularyAndRoundTripOfEveryKind) {
  RegisterFixtures();
  const std::string xml = FullRecord()->SaveToXML();
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(xml.c_str()));
  pugi::xml_node root = doc.document_element();
  EXPECT_STREQ(root.name(), "TFxRecord");
  EXPECT_STREQ(root.attribute("TYPE").value(), "TFxRecord");
  EXPECT_STREQ(root.attribute("ID").value(), "77");
  EXPECT_STREQ(root.child("Count").text().get(), "-12");
  EXPECT_STREQ(root.child("Start").text().get(), "45107.75");
  EXPECT_STREQ(root.child("Active").text().get(), "False");
  EXPECT_STREQ(root.child("Colour").text().get(), "fcBlue");
  EXPECT_FALSE(root.child("Total")) << "computed values are not stored";
  std::vector<std::string> lines;
  for (pugi::xml_node line : root.child("Notes").children())
    lines.push_back(std::string(line.name()) + "[" + line.attribute("INDEX").value() + "]=" + line.text().get());
  EXPECT_EQ(lines, (std::vector<std::string>{"LINE[0]=first", "LINE[1]=", "LINE[2]=  third  ", "LINE[3]="}));
  pugi::xml_node child = root.child("Child");
  EXPECT_STREQ(child.attribute("TYPE").value(), "TFxChild");
  EXPECT_STREQ(child.attribute("ID").value(), "5");
  EXPECT_STREQ(child.child("Name").text().get(), "kid\nline two") << "a standard reader sees a line break";
  pugi::xml_node items = root.child("Items");
  EXPECT_STREQ(items.attribute("TYPE").value(), "TFxList");
  std::vector<std::string> item_elements;
  for (pugi::xml_node item : items.children())
    item_elements.push_back(std::string(item.name()) + "/" + item.attribute("TYPE").value() + "/" +
                            item.attribute("ID").value());
  EXPECT_EQ(item_elements, (std::vector<std::string>{"TFxItemA/TFxItemA/101", "TFxItemB/TFxItemB/102"}));
  EXPECT_NE(xml.find("a &amp; b &lt; c &gt; d"), std::string::npos) << xml;

  TFxRecord loaded;
  loaded.FCount = 999;
  loaded.Items()->Add(std::make_unique<TFxItemA>());  // replaced by the stored items
  loaded.LoadFromXML(xml);
  // Every stored value differs from the loaded object's defaults, so a value
  // that is not loaded shows in the text saved again.
  EXPECT_EQ(loaded.SaveToXML(), xml) << "saving the loaded object gives the same text";
  EXPECT_EQ(loaded.FTitle, "base");
  ASSERT_NE(loaded.FChild, nullptr);
  EXPECT_EQ(loaded.FChild->FName, "kid\r\nline two") << "line breaks are kept as written";
}

TEST(XmlPersist, DoublesRoundTripAtFifteenDigits) {
  for (double value : {1.0 / 3.0, 1e20, -1.5e-7, 123456789.123456}) {
    TFxRecord r;
    r.FRate = value;
    TFxRecord loaded;
    loaded.LoadFromXML(r.SaveToXML());
    EXPECT_EQ(FloatToStr(loaded.FRate), FloatToStr(value));
  }
  TFxRecord exact;
  exact.FRate = 1e20;
  TFxRecord loaded;
  loaded.LoadFromXML(exact.SaveToXML());
  EXPECT_EQ(loaded.FRate, 1e20);
}

TEST(XmlPersist, LoadingIsTolerant) {
  RegisterFixtures();
  TFxRecord r;
  r.FChild = std::make_unique<TFxChild>();
  r.LoadFromXML(
      "<AnyRootName ID=\"9\">"
      "  <Unknown>5</Unknown><Unknown2 TYPE=\"TFxItemA\"/>"
      "  <count>3</count>"
      "  <ACTIVE>-1</ACTIVE>"
      "  <Rate></Rate>"
      "  <Total>1234</Total>"
      "  <Title>   </Title>"
      "  <Start>2023-07-01</Start>"
      "  <Child>\n  </Child>"
      "  <Items><TFxItemB><Code>no type attribute</Code><Flag>1</Flag></TFxItemB></Items>"
      "</AnyRootName>");
  EXPECT_EQ(r.ID(), 9);
  EXPECT_EQ(r.FCount, 3) << "element names ignore case";
  EXPECT_TRUE(r.FActive);
  EXPECT_EQ(r.FRate, 38.0) << "an empty element keeps the default";
  EXPECT_EQ(r.FLabel, "   ") << "blanks of a string survive";
  EXPECT_EQ(r.FStart, 45108.0);
  EXPECT_EQ(r.FChild, nullptr) << "an empty element without TYPE clears the object";
  EXPECT_EQ(r.FColour, TFxColour::fcRed) << "missing elements keep defaults";
  ASSERT_EQ(r.Items()->Count(), 1);
  auto* b = dynamic_cast<TFxItemB*>(r.Items()->GetItem(0));
  ASSERT_NE(b, nullptr) << "the element name names the class";
  EXPECT_EQ(b->FCode, "no type attribute");
  EXPECT_TRUE(b->FFlag);

  r.LoadFromXML("<X><Items TYPE=\"TFxList\" ID=\"0\" /></X>");
  EXPECT_EQ(r.Items()->Count(), 0) << "a stored empty list empties the list";
  r.LoadFromXML("<X><Count TYPE=\"Integer\">6</Count></X>");
  EXPECT_EQ(r.FCount, 6) << "a TYPE attribute on a scalar element is not in the way";

}

TEST(XmlPersist, LoadingRejectsBadValues) {
  RegisterFixtures();
  struct Case {
    const char* xml;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"<X><Colour>fcPurple</Colour></X>", "Invalid TFxColour value \"fcPurple\" for property \"Colour\"."},
      {"<X><Items><TNoSuchItem/></Items></X>", "Cannot load \"TNoSuchItem\": class \"TNoSuchItem\" is not registered."},
      {"<X><Items><Item TYPE=\"TFxAbstract\"/></Items></X>", "Cannot load \"Item\": class \"TFxAbstract\" is abstract."},
      {"<X><Child TYPE=\"TFxNothing\"/></X>", "Cannot load \"Child\": class \"TFxNothing\" is not registered."},
      {"<X><Child TYPE=\"TFxItemA\"/></X>", "Class TFxItemA cannot be stored in a property of type TFxChild."},
      {"<X><Items><TFxChild/></Items></X>", "Class TFxChild cannot be stored in a list of TFxItemA."},
      {"<X><Items><Item TYPE=\"TFxRecord\"/></Items></X>", "Class TFxRecord cannot be stored in a list of TFxItemA."},
  };
  EnsureClassesRegistered({&fixture::TFxAbstract::StaticClassInfo});
  for (const Case& c : cases) {
    TFxRecord r;
    try {
      r.LoadFromXML(c.xml);
      ADD_FAILURE() << "no exception for " << c.xml;
    } catch (const std::invalid_argument& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  TFxRecord r;
  EXPECT_THROW(r.LoadFromXML("<X><Count>1</Count>"), std::runtime_error);
  EXPECT_THROW(r.LoadFromXML(""), std::runtime_error);
  EXPECT_THROW(r.LoadFromXML("just text"), std::runtime_error);
}

TEST(XmlPersist, NestingIsBoundedBeforeTheStackIs) {
  EnsureClassesRegistered({&TnxBaseObjectList::StaticClassInfo});
  for (int levels : {99, 100, 30000}) {  // list elements below the root
    std::string xml = "<L>";
    for (int i = 0; i < levels; ++i) xml += "<TnxBaseObjectList>";
    for (int i = 0; i < levels; ++i) xml += "</TnxBaseObjectList>";
    xml += "</L>";
    TnxBaseObjectList list;
    try {
      LoadObjectFromXmlText(list, xml);
      EXPECT_EQ(levels, 99);
    } catch (const std::exception& e) {
      EXPECT_STREQ(e.what(), "Cannot load \"TnxBaseObjectList\": the XML nests more than 100 objects deep.") << levels;
    }
  }
}

TEST(XmlPersist, NestedObjectReplacedByStoredClass) {
  RegisterFixtures();
  TFxRecord r;
  r.LoadFromXML("<X><Child TYPE=\"TFxChild\" ID=\"4\"><Level>8</Level></Child></X>");
  ASSERT_NE(r.FChild, nullptr);
  EXPECT_EQ(r.FChild->ID(), 4);
  EXPECT_EQ(r.FChild->FLevel, 8);
  EXPECT_EQ(r.FChild->FName, "");
  TFxChild* before = r.FChild.get();
  r.LoadFromXML("<X><Child TYPE=\"tfxchild\"><Name>same object</Name></Child></X>");
  EXPECT_EQ(r.FChild.get(), before) << "an object of the stored class is filled in place";
  EXPECT_EQ(r.FChild->FLevel, 8);
  EXPECT_EQ(r.FChild->FName, "same object");

  TFxRecord empty;
  EXPECT_EQ(empty.SaveToXML().find("<Child"), std::string::npos) << "a null object is left out";
}

}  // namespace
}  // namespace qora
