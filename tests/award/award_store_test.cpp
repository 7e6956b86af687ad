// Guards award import and export against a failed import leaving part of an award behind, an invalid award being stored, identities shifting when a version is replaced, and exports that change when an award moves to another database.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "award/award.h"
#include "award/award_file.h"
#include "award/award_store.h"
#include "award/sample_award.h"
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

}  // namespace
}  // namespace qora
