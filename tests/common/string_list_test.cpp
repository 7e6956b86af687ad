// Guards against comma text split, quoted or joined wrongly, name=value lookups that miss letter case or the
// first "=", edits out of bounds, and line texts that lose or add empty lines.
#include "common/string_list.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qora {
namespace {

using Items = std::vector<std::string>;

TStringList ListOf(const Items& items) {
  TStringList list;
  for (const std::string& s : items) list.Add(s);
  return list;
}

TEST(StringList, SetCommaTextSplitsLikeDelimitedText) {
  const std::pair<const char*, Items> cases[] = {
      {"12=1,15=3,12=2", {"12=1", "15=3", "12=2"}},
      {"\"a b\",c", {"a b", "c"}},
      {"a,,b", {"a", "", "b"}},
      {"a, ", {"a"}},
      {",", {"", ""}},
      {"", {}},
      {"  a , b  ", {"a", "b"}},
      {"\"\"", {""}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"\"a\"b,c", {"a", "b", "c"}},
      {"\"unterminated", {"unterminated"}},
  };
  for (const auto& [text, expected] : cases) {
    TStringList list;
    list.Add("stale");
    list.SetCommaText(text);
    EXPECT_EQ(list.Items(), expected) << text;
  }
  TStringList withNul;
  withNul.SetCommaText(std::string_view("a,b\0c", 5));
  EXPECT_EQ(withNul.Items(), (Items{"a", "b"}));
}

TEST(StringList, CommaTextQuotesOnlyWhereNeeded) {
  const std::pair<Items, const char*> cases[] = {
      {{}, ""},
      {{""}, "\"\""},
      {{"", ""}, ","},
      {{"a b", "c"}, "\"a b\",c"},
      {{"x\"y"}, "\"x\"\"y\""},
      {{"tab\there"}, "\"tab\there\""},
  };
  for (const auto& [items, expected] : cases) {
    const TStringList list = ListOf(items);
    EXPECT_EQ(list.CommaText(), expected);
    TStringList back;
    back.SetCommaText(list.CommaText());
    EXPECT_EQ(back.Items(), items) << expected;
  }
}

TEST(StringList, NamesAndValues) {
  TStringList list = ListOf({"Rate=12.5", "code=X", "plain", "a=b=c", "=empty"});
  EXPECT_EQ(list.Names(0), "Rate");
  EXPECT_EQ(list.ValueFromIndex(0), "12.5");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.Names(3), "a");
  EXPECT_EQ(list.ValueFromIndex(3), "b=c");
  EXPECT_EQ(list.Values("RATE"), "12.5");
  EXPECT_EQ(list.Values("plain"), "");
  EXPECT_EQ(list.Values(""), "empty");

  list.SetValue("rate", "15");
  EXPECT_EQ(list[0], "rate=15");
  list.SetValue("new", "1");
  EXPECT_EQ(list[list.Count() - 1], "new=1");
  list.SetValue("code", "");
  list.SetValue("absent", "");
  EXPECT_EQ(list.Items(), (Items{"rate=15", "plain", "a=b=c", "=empty", "new=1"}));
}

TEST(StringList, EditingAndBounds) {
  TStringList list;
  EXPECT_TRUE(list.Empty());
  EXPECT_EQ(list.Add("b"), 0);
  EXPECT_EQ(list.Add("d"), 1);
  list.Insert(0, "a");
  list.Insert(2, "c");
  list.Insert(4, "e");
  EXPECT_EQ(list.Items(), (Items{"a", "b", "c", "d", "e"}));
  EXPECT_EQ(list.IndexOf("c"), 2);
  EXPECT_EQ(list.IndexOf("C"), -1);
  list.Delete(0);
  EXPECT_EQ(list.IndexOf("b"), 0);
  EXPECT_THROW(list.Delete(4), std::out_of_range);
  EXPECT_THROW(list.Insert(6, "x"), std::out_of_range);
  EXPECT_THROW(list[4], std::out_of_range);
  EXPECT_THROW(list.Names(9), std::out_of_range);
}

TEST(StringList, TextLines) {
  EXPECT_EQ(ListOf({"a", "b"}).Text(), "a\r\nb\r\n");
  EXPECT_EQ(ListOf({}).Text(), "");
  const std::pair<const char*, Items> cases[] = {
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\r\n\r\n", {"a", ""}},
      {"\n", {""}},
      {"", {}},
      {"\r\r\n", {"", ""}},
      {"a\rb\nc", {"a", "b", "c"}},
      {"a\nb\rc\r", {"a", "b", "c"}},
  };
  for (const auto& [text, expected] : cases) {
    TStringList list;
    list.SetText(text);
    EXPECT_EQ(list.Items(), expected);
    TStringList back;
    back.SetText(list.Text());
    EXPECT_EQ(back.Items(), expected);
  }
}

}  // namespace
}  // namespace qora
