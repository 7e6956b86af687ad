// Guards award files and their import and export against errors that do not name the file, element and line, the shipped sample and documented example drifting from what the engine writes, a failed import leaving part of an award behind, an invalid award being stored, identities shifting when a version is replaced, and exports that change when an award moves to another database.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "award/award.h"
#include "award/award_file.h"
#include "award/award_store.h"
#include "award/sample_award.h"
#include "common/exceptions.h"
#include "db/connection.h"
#include "db/schema.h"

namespace qora {
namespace {

std::unique_ptr<TDBConnection> EmptyPayrollDatabase() {
  static int counter = 0;
  TDBConnectionParams params;
  params.Path = "file:qora_award_store_" + std::to_string(++counter) + "?mode=memory&cache=shared";
  auto db = CreateConnection(params);
  db->Open();
  CreateDatabaseObjects(*db, TDatabaseKind::Payroll);
  return db;
}

// Every row of the tables an import writes, as text.
std::string AwardTables(TDBConnection& db) {
  std::string out;
  for (const char* table : {"_iptblAwards", "_iptblAwards_TD", "_iptblPayClasses", "_iptblPayClasses_TD",
                            "_iptblAwardCategories", "_iptblAwardCategoryLinks", "_iptblAwardConditionGroup",
                            "_iptblAwardJobs", "_iptblCostAccounts", "_iptblAwardConditions"}) {
    for (const TDBRow& row : db.Query(std::string("select * from ") + table + " order by 1")) {
      out += table;
      for (int i = 0; i < row.FieldCount(); ++i) out += "|" + row.Field(i).AsString();
      out += "\n";
    }
  }
  return out;
}

TEST(AwardStoreTest, ExportImportExportGivesTheSameBytes) {
  const std::string sample(SampleAwardText());
  auto first = EmptyPayrollDatabase();
  ImportAward(*first, *LoadAwardFromText(sample, "HOSP.xml"));
  const std::string exported = ExportAwardText(*first, "HOSP", EncodeDate(2025, 4, 15));
  EXPECT_EQ(exported, sample) << "the sample is an export";
  // Elsewhere: a database that already has awards, categories and cost
  // accounts, so every identity differs.
  auto elsewhere = OpenSampleDatabase();
  const TAwardImportResult result = ImportAward(*elsewhere, *LoadAwardFromText(exported, "HOSP.xml"));
  EXPECT_TRUE(result.Replaced);
  EXPECT_EQ(result.AwardTDID, 2) << "the version keeps its identity";
  EXPECT_EQ(elsewhere->QueryValue("select count(*) from _iptblPayClasses where iAwardID = 1").AsInteger(), 4)
      << "HOSP01 and HOSP02 are kept, HOSP03 and HOSP04 added";
  EXPECT_EQ(ExportAwardText(*elsewhere, "hosp", EncodeDate(2024, 7, 1)), exported);
}

TEST(AwardStoreTest, AFailedImportLeavesTheDatabaseAsItWas) {
  auto db = OpenSampleDatabase();
  const std::string before = AwardTables(*db);
  auto invalid = LoadAwardFromText(SampleAwardText(), "HOSP.xml");
  invalid->ObjLstJobs().Items(0)->SetClassificationCode("HOSP99");
  try {
    ImportAward(*db, *invalid);
    ADD_FAILURE() << "an award with a job at an unknown classification was stored";
  } catch (const std::exception& e) {
    EXPECT_EQ(std::string(e.what()), "Award \"HOSP\" was not imported; correct the award file:\n  Jobs line 1: "
                                     "Classification \"HOSP99\" of job \"Cook\" is not a pay class of the award.");
  }
  EXPECT_EQ(AwardTables(*db), before);
  // The last step fails: every earlier row of the replaced version is
  // already written by then.
  db->ExecuteScript("CREATE TRIGGER qora_fail BEFORE INSERT ON _iptblAwardConditions "
                    "BEGIN SELECT RAISE(ABORT, 'injected failure'); END;");
  EXPECT_THROW(ImportAward(*db, *LoadAwardFromText(SampleAwardText(), "HOSP.xml")), std::exception);
  EXPECT_EQ(AwardTables(*db), before);
  EXPECT_EQ(db->TransactionDepth(), 0);
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(AwardFileTest, ErrorsNameTheFileTheElementAndTheLine) {
  const std::string head = "<TObjAward TYPE=\"TObjAward\">\n  <Code>X</Code>\n  <ObjLstOvertime>\n";
  const std::pair<std::string, std::string> cases[] = {  // the file, the start of the error
      {head + "  </ObjLstOvertime>\n</Award>\n",
       "Award file \"a.xml\": the file is not well-formed XML (Start-end tags mismatch on line 5, column "},
      {"<TimeCards/>", "Award file \"a.xml\": the root element is <TimeCards>, not <TObjAward>: the file does not "
                       "hold an award."},
      {head + "    <TObjAwardOvertimeStd>\n      <Percentage>lots</Percentage>\n    </TObjAwardOvertimeStd>\n" +
           "  </ObjLstOvertime>\n</TObjAward>\n",
       "Award file \"a.xml\": element <TObjAward/ObjLstOvertime/TObjAwardOvertimeStd/Percentage> on line 5 cannot be "
       "loaded: "},
      {head + "    <TObjAwardOvertimeStd/>\n    <TObjAwardOverTimeBig TYPE=\"TObjAwardOverTimeBig\"/>\n" +
           "  </ObjLstOvertime>\n</TObjAward>\n",
       "Award file \"a.xml\": element <TObjAward/ObjLstOvertime/TObjAwardOverTimeBig> on line 5 cannot be loaded: "},
  };
  for (const auto& [text, message] : cases) {
    try {
      LoadAwardFromText(text, "a.xml");
      ADD_FAILURE() << "loaded: " << text;
    } catch (const eLoadFromFileException& e) {
      EXPECT_EQ(std::string(e.what()).substr(0, message.size()), message);
    }
  }
  EXPECT_THROW(LoadAwardFile("no/such/award.xml"), eLoadFromFileException);
}

TEST(AwardFileTest, SampleAndDocumentedExampleAreWhatTheEngineWrites) {
  const std::string sample = ReadText(std::string(QORA_SAMPLES_DIR) + "/awards/HOSP.xml");
  EXPECT_EQ(AwardFileText(*LoadAwardFromText(sample, "HOSP.xml")), sample);
  const std::string doc = ReadText(std::string(QORA_SAMPLES_DIR) + "/../docs/award-file.md");
  const size_t start = doc.find("```xml\n");
  ASSERT_NE(start, std::string::npos);
  const std::string example = doc.substr(start + 7, doc.find("```", start + 7) - start - 7);
  EXPECT_EQ(AwardFileText(*LoadAwardFromText(example, "example.xml")), example);
}

}  // namespace
}  // namespace qora
