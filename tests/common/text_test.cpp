// Guards against case folding beyond ASCII, trims that keep control characters or eat UTF-8 bytes, replacements
// that rescan their output, and file-name parts split at the wrong separator.
#include "common/text.h"

#include <gtest/gtest.h>

namespace qora {
namespace {

TEST(Text, CaseFoldingTouchesAsciiOnly) {
  EXPECT_EQ(UpperCase("abc-Straße-z"), "ABC-STRAßE-Z");
  EXPECT_EQ(LowerCase("ABC-ÄÖ-Z"), "abc-ÄÖ-z");
  EXPECT_TRUE(SameText("Award_A", "aWARD_a"));
  EXPECT_FALSE(SameText("abc", "abcd"));
  EXPECT_FALSE(SameText("ä", "Ä"));
  EXPECT_TRUE(StartsText("ab", "ABC"));
  EXPECT_FALSE(StartsText("abcd", "abc"));
  EXPECT_TRUE(StartsText("", "abc"));
  EXPECT_TRUE(ContainsText("Hello World", "o wORLD"));
}

TEST(Text, TrimRemovesControlCharactersAndBlanks) {
  EXPECT_EQ(Trim("\t a b \r\n"), "a b");
  EXPECT_EQ(Trim(std::string("\0x\0", 3)), "x");
  EXPECT_EQ(Trim(" \xC2\xA0x\xC2\xA0 "), "\xC2\xA0x\xC2\xA0");  // UTF-8 bytes are text
}

TEST(Text, ReplaceAndQuote) {
  EXPECT_EQ(StringReplaceAll("a.b.c", ".", "::"), "a::b::c");
  EXPECT_EQ(StringReplaceAll("aaa", "aa", "b"), "ba");
  EXPECT_EQ(StringReplaceAll("Abc", "a", "x"), "Abc");
  EXPECT_EQ(StringReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(QuotedStr("a\"b", '"'), "\"a\"\"b\"");
}

TEST(Text, FileNamePartsWithEitherSeparator) {
  const struct {
    const char* path;
    const char* ext;
    const char* folder;
    const char* dir;
    const char* asLog;
  } cases[] = {
      {"C:\\a\\b.csv", ".csv", "C:\\a\\", "C:\\a", "C:\\a\\b.log"},
      {"/x/y.tar.gz", ".gz", "/x/", "/x", "/x/y.tar.log"},
      {"/x.d/file", "", "/x.d/", "/x.d", "/x.d/file.log"},
      {"run.xml", ".xml", "", "", "run.log"},
      {"/y", "", "/", "/", "/y.log"},
      {"out\\sub/run.csv", ".csv", "out\\sub/", "out\\sub", "out\\sub/run.log"},
      {"dir/", "", "dir/", "dir", "dir/.log"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ExtractFileExt(c.path), c.ext);
    EXPECT_EQ(ExtractFilePath(c.path), c.folder);
    EXPECT_EQ(ExtractFileDir(c.path), c.dir);
    EXPECT_EQ(ChangeFileExt(c.path, ".log"), c.asLog);
  }
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), "");
  EXPECT_EQ(IncludeTrailingPathDelimiter("/tmp"), "/tmp/");
  EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\x\\"), "C:\\x\\");
}

}  // namespace
}  // namespace qora
