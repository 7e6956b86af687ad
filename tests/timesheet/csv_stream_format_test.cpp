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
  EXPECT_EQ(format->Version(), "3.00");
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
  struct Case {
    std::string value;
    std::string encoded;
  };
  const std::vector<Case> cases = {
      {"", "\"\""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"line1\r\nline2", "\"line1%c%nline2\""},
      {"100%", "\"100%%\""},
      {std::string("a\0b", 3), "\"a%0b\""},
      {"%n literally", "\"%%n literally\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(format->EncodeValue(c.value), c.encoded) << c.encoded;
    auto table = std::make_unique<TMemoryTable>("t");
    table->AddField("cText", TFieldType::ftString, 200);
    table->CreateTable();
    table->Append();
    table->SetString("cText", c.value);
    std::string text = format->SaveToString(*table);
    TMemoryTable back("back");
    format->LoadFromString(back, text);
    ASSERT_EQ(back.RecordCount(), 1) << c.encoded;
    EXPECT_EQ(back.AsString("cText"), c.value) << c.encoded;
  }
}

TEST(CsvStreamFormat, TableWrittenInDialectReadsBackUnchanged) {
  auto table = std::make_unique<TMemoryTable>("t");
  TFieldDef hidden;
  hidden.Name = "cHidden";
  hidden.DisplayName = "Hidden \"one\"";
  hidden.DisplayLabel = "Label, with comma";
  hidden.Size = 10;
  hidden.Visible = false;
  hidden.ReadOnly = true;
  hidden.EditMask = "!99;1;_";
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
  EXPECT_EQ(back.AsString("cHidden"), "x\ny");
  EXPECT_EQ(back.AsString("bFlag"), "True");
  EXPECT_EQ(back.AsString("dWhen"), "05/03/2024 22:00:00");
  back.Next();
  EXPECT_TRUE(back.IsNull(1));
  EXPECT_EQ(format->SaveToString(back), text);
}

TEST(CsvStreamFormat, InputLineEndsAndMissingValues) {
  auto format = CreateCSVStreamFormat();
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::vector<std::string>> rows;
  };
  const std::vector<Case> cases = {
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
  for (const Case& c : cases) {
    auto table = TwoFieldTable();
    table->Close();
    format->LoadFromString(*table, c.text);
    ASSERT_EQ(table->RecordCount(), static_cast<int>(c.rows.size())) << c.name;
    table->First();
    for (const auto& row : c.rows) {
      EXPECT_EQ(table->AsString("cName"), row[0]) << c.name;
      EXPECT_EQ(table->AsString("fValue"), row[1]) << c.name;
      table->Next();
    }
  }
}

TEST(CsvStreamFormat, Failures) {
  auto format = CreateCSVStreamFormat();
  struct Case {
    std::string text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"\"@@FILE VERSION@@\",\"251\"\r\n\"@@TABLEDEF START@@\"\r\n\"cX=Gizmo,1,\"\"a\"\",\"\"a\"\",1,Data,\"\"\"\"\"\r\n"
       "\"@@TABLEDEF END@@\"\r\n",
       "Unknown field type (Gizmo) in CSV file. (cX=Gizmo,1,\"a\",\"a\",1,Data,\"\")"},
      {"\"@@TABLEDEF START@@\"\r\n\"cX=String\"\r\n\"@@TABLEDEF END@@\"\r\n",
       "Invalid field definition in CSV file. (cX=String)"},
  };
  for (const Case& c : cases) {
    TMemoryTable table("t");
    try {
      format->LoadFromString(table, c.text);
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const eLoadFromStreamException& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
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

TEST(CsvStreamFormat, DefinitionsOfAnOpenTableStand) {
  // A table that already has fields keeps them; the file's block is skipped.
  auto source = TwoFieldTable();
  source->Append();
  source->SetString("cName", "n");
  source->SetFloat("fValue", 2);
  auto format = CreateCSVStreamFormat();
  std::string text = format->SaveToString(*source);
  TMemoryTable target("target");
  target.AddField("fValue", TFieldType::ftString, 5);
  format->LoadFromString(target, text);
  ASSERT_EQ(target.FieldCount(), 1);
  EXPECT_EQ(target.FieldDef(0).DataType, TFieldType::ftString);
  EXPECT_EQ(target.AsString("fValue"), "2");
}

TEST(CsvMemoryTable, TypedValuesAndDates) {
  TDateTime value = 0;
  struct Case {
    const char* text;
    bool ok;
    TDateTime expected;
  };
  const std::vector<Case> cases = {
      {"05/03/2024", true, EncodeDate(2024, 3, 5)},
      {"05/03/2024 06:30:15", true, EncodeDateTime(2024, 3, 5, 6, 30, 15)},
      {"23:59:00", true, EncodeTime(23, 59, 0)},
      {"2024-03-05", false, 0},
      {"05/03/2024 25:00:00", false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TryParseCsvDateTime(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_NEAR(value, c.expected, 1e-9) << c.text;
    }
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
