// Guards against CSV dialect lines written wrongly, values escaped or quoted wrongly, table definitions and
// values lost on the round trip, input line ends and missing values misread, and inexact load failures.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "common/exceptions.h"
#include "timesheet/csv_memory_table.h"
#include "timesheet/csv_stream_format.h"

namespace qora {
namespace {

std::unique_ptr<TMemoryTable> TwoFieldTable() {
  auto table = std::make_unique<TMemoryTable>("t");
  table->AddField("cName", TFieldType::ftString, 20, true);
  table->AddField("fValue", TFieldType::ftFloat);
  table->CreateTable();
  return table;
}

TEST(CsvStreamFormat, DialectOfEveryLine) {
  auto table = TwoFieldTable();
  table->Append();
  table->SetString("cName", "Smith, J");
  table->SetFloat("fValue", 12.5);
  auto format = CreateCSVStreamFormat();
  EXPECT_EQ(format->SaveToString(*table),
            "\"@@FILE VERSION@@\",\"251\"\r\n"
            "\"@@TABLEDEF START@@\"\r\n"
            "\"cName=String,20,\"\"cName\"\",\"\"cName\"\",20,REQ,Data,\"\"\"\"\"\r\n"
            "\"fValue=Float,0,\"\"fValue\"\",\"\"fValue\"\",0,Data,\"\"\"\"\"\r\n"
            "\"@@INDEXDEF START@@\"\r\n"
            "\"@@INDEXDEF END@@\"\r\n"
            "\"@@TABLEDEF END@@\"\r\n"
            "\"cName\",\"fValue\",\r\n"
            "\"Smith, J\",\"12.5\",\r\n");
}

TEST(CsvStreamFormat, ValuesEscapeAndQuote) {
  auto format = CreateCSVStreamFormat();
  // A value and its encoded form.
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "\"\""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"line1\r\nline2", "\"line1%c%nline2\""},
      {"100%", "\"100%%\""},
      {std::string("a\0b", 3), "\"a%0b\""},
      {"%n literally", "\"%%n literally\""},
  };
  for (const auto& [value, encoded] : cases) {
    EXPECT_EQ(format->EncodeValue(value), encoded) << encoded;
    auto table = std::make_unique<TMemoryTable>("t");
    table->AddField("cText", TFieldType::ftString, 200);
    table->CreateTable();
    table->Append();
    table->SetString("cText", value);
    TMemoryTable back("back");
    format->LoadFromString(back, format->SaveToString(*table));
    ASSERT_EQ(back.RecordCount(), 1) << encoded;
    EXPECT_EQ(back.AsString("cText"), value) << encoded;
  }
}

TEST(CsvStreamFormat, TableWrittenInDialectReadsBackUnchanged) {
  auto table = std::make_unique<TMemoryTable>("t");
  const TFieldDef hidden{.Name = "cHidden", .Size = 10, .DisplayName = "Hidden \"one\"",
                         .DisplayLabel = "Label, with comma", .ReadOnly = true, .Visible = false,
                         .EditMask = "!99;1;_"};
  table->AddFieldDef(hidden);
  table->AddField("iCount", TFieldType::ftInteger);
  table->AddField("bFlag", TFieldType::ftBoolean);
  table->AddField("dWhen", TFieldType::ftDateTime);
  table->IndexDefs().push_back(TIndexDef{"idxMain", "cHidden;iCount", true, false, false, true});
  table->CreateTable();
  table->Append();
  table->SetString("cHidden", "x\ny");
  table->SetInteger("iCount", -3);
  table->SetBoolean("bFlag", true);
  table->SetDateTime("dWhen", EncodeDateTime(2024, 3, 5, 22, 0, 0));
  table->Append();  // an all-null row

  auto format = CreateCSVStreamFormat();
  std::string text = format->SaveToString(*table);
  TMemoryTable back("back");
  format->LoadFromString(back, text);

  ASSERT_EQ(back.FieldCount(), 4);
  const TFieldDef& def = back.FieldDef(0);
  EXPECT_EQ(std::tuple(def.Name, def.DisplayName, def.DisplayLabel, def.Size, def.Visible, def.ReadOnly, def.EditMask),
            std::tuple(hidden.Name, hidden.DisplayName, hidden.DisplayLabel, 10, false, true, hidden.EditMask));
  ASSERT_EQ(back.IndexDefs().size(), 1u);
  EXPECT_EQ(back.IndexDefs()[0].Fields, "cHidden;iCount");
  EXPECT_TRUE(back.IndexDefs()[0].Descending && back.IndexDefs()[0].Unique);

  ASSERT_EQ(back.RecordCount(), 2);
  back.First();
  EXPECT_EQ((std::vector<std::string>{back.AsString("cHidden"), back.AsString("bFlag"), back.AsString("dWhen")}),
            (std::vector<std::string>{"x\ny", "True", "05/03/2024 22:00:00"}));
  back.Next();
  EXPECT_TRUE(back.IsNull(1));
  EXPECT_EQ(format->SaveToString(back), text);
  // A table that already has fields keeps them; the file's definitions are skipped.
  TMemoryTable target("target");
  target.AddField("iCount", TFieldType::ftString, 5);
  format->LoadFromString(target, text);
  ASSERT_EQ(target.FieldCount(), 1);
  EXPECT_EQ(std::tuple(target.FieldDef(0).DataType, target.AsString("iCount")), std::tuple(TFieldType::ftString, "-3"));
}

// Where records end is found without reading their values; it must agree
// with the reading: a quote opens a quoted value only at the value's start.
TEST(CsvStreamFormat, RecordEndsFollowQuotesAndLineBreaks) {
  auto format = CreateCSVStreamFormat();
  const struct {
    const char* name;
    std::string text;
    bool last;
    std::vector<size_t> ends;
  } cases[] = {
      {"doubled quote", "a,1\r\n\"x\"\"y\",2\n", false, {5, 14}},
      {"quote inside a plain value", "ab\"c,1\nd,2\n", false, {7, 11}},
      {"line break inside quotes, then a blank line", "\"two\r\nlines\",4\r\n\r\nz,5\r\n", false, {16, 23}},
      {"cut off", "a,1\nb,2", false, {4}},
      {"cut off at the end of the file", "a,1\nb,2", true, {4, 7}},
  };
  for (const auto& c : cases) EXPECT_EQ(format->RecordEnds(c.text, false, c.last), c.ends) << c.name;
}

TEST(CsvStreamFormat, InputLineEndsAndMissingValues) {
  auto format = CreateCSVStreamFormat();
  // The text read, the (cName, fValue) rows it gives.
  const std::vector<std::tuple<const char*, std::string, std::vector<std::vector<std::string>>>> cases = {
      {"lf", "\"cName\",\"fValue\",\n\"a\",\"1\",\n\"b\",\"2\",\n", {{"a", "1"}, {"b", "2"}}},
      {"cr", "cName,fValue\r\"a\",1\r", {{"a", "1"}}},
      {"no trailing delimiter", "cName,fValue\r\na,1\r\n", {{"a", "1"}}},
      {"short row", "cName,fValue,\r\na,\r\n", {{"a", ""}}},
      {"blank lines", "cName,fValue,\r\n\r\na,1,\r\n\r\n", {{"a", "1"}}},
      {"header in other order", "fValue,cName,\r\n\"2\",\"b\",\r\n", {{"b", "2"}}},
      {"unknown column", "cName,cOther,fValue,\r\nx,skip,3,\r\n", {{"x", "3"}}},
      {"line break inside quotes", "cName,fValue,\r\n\"two\r\nlines\",4,\r\n", {{"two\r\nlines", "4"}}},
      {"byte-order mark", "\xEF\xBB\xBF" "cName,fValue,\r\nz,5,\r\n", {{"z", "5"}}},
  };
  for (const auto& [name, text, rows] : cases) {
    auto table = TwoFieldTable();
    table->Close();
    format->LoadFromString(*table, text);
    ASSERT_EQ(table->RecordCount(), static_cast<int>(rows.size())) << name;
    table->First();
    for (const auto& row : rows) {
      EXPECT_EQ((std::vector<std::string>{table->AsString("cName"), table->AsString("fValue")}), row) << name;
      table->Next();
    }
  }
}

TEST(CsvStreamFormat, Failures) {
  auto format = CreateCSVStreamFormat();
  // The text loaded, the message.
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\"@@FILE VERSION@@\",\"251\"\r\n\"@@TABLEDEF START@@\"\r\n\"cX=Gizmo,1,\"\"a\"\",\"\"a\"\",1,Data,\"\"\"\"\"\r\n"
       "\"@@TABLEDEF END@@\"\r\n",
       "Unknown field type (Gizmo) in CSV file. (cX=Gizmo,1,\"a\",\"a\",1,Data,\"\")"},
      {"\"@@TABLEDEF START@@\"\r\n\"cX=String\"\r\n\"@@TABLEDEF END@@\"\r\n",
       "Invalid field definition in CSV file. (cX=String)"},
  };
  for (const auto& [text, message] : cases) {
    TMemoryTable table("t");
    try {
      format->LoadFromString(table, text);
      ADD_FAILURE() << "no error for " << text;
    } catch (const eLoadFromStreamException& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
  }
  auto table = TwoFieldTable();
  format->SaveOptions.Deltas = true;
  try {
    format->SaveToString(*table);
    ADD_FAILURE() << "deltas saved";
  } catch (const eaiPRocessorException& e) {
    EXPECT_EQ(std::string(e.what()), "Saving deltas is supported only in binary format.");
  }
}

TEST(CsvMemoryTable, TypedValuesAndDates) {
  TDateTime value = 0;
  // The text, whether it reads, the value it reads as.
  const std::vector<std::tuple<const char*, bool, TDateTime>> cases = {
      {"05/03/2024", true, EncodeDate(2024, 3, 5)},
      {"05/03/2024 06:30:15", true, EncodeDateTime(2024, 3, 5, 6, 30, 15)},
      {"23:59:00", true, EncodeTime(23, 59, 0)},
      {"2024-03-05", false, 0},
      {"05/03/2024 25:00:00", false, 0},
  };
  for (const auto& [text, ok, expected] : cases) {
    value = 0;
    EXPECT_EQ(TryParseCsvDateTime(text, value), ok) << text;
    EXPECT_NEAR(value, expected, 1e-9) << text;
  }
  auto table = TwoFieldTable();
  table->Append();
  table->SetString("fValue", "not a number");
  EXPECT_EQ(table->AsFloat("fValue"), 0.0);
  EXPECT_THROW(table->AsString("nope"), std::invalid_argument);
  EXPECT_THROW(table->AddField("cLate", TFieldType::ftString), std::logic_error);
}

}  // namespace
}  // namespace qora
