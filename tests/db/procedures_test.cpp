// Guards the stored procedures on every back end (SQLite runs the engine's own, PostgreSQL the schema's) against lost parameters and defaults, wrong procedure messages, overlapping award records, and a failed change left half done.
#include <gtest/gtest.h>

#include "db/connection.h"
#include "db_test_support.h"
#include "common/exceptions.h"
#include "db/db_error.h"

namespace qora {
namespace {

using testing::BackendParamName;
using testing::DbBackendTest;
using testing::TTestBackend;

class ProceduresTest : public DbBackendTest {
 protected:
  void SetUp() override { OpenDatabase(true, true); }

  TDBRow UpdateAward(int changeType, TDateTime effective, TDateTime end, int payClass, bool endExisting = false,
                     bool replace = false) {
    return Db().ExecProc("_ipspUpdateEmployeeAward_TD",
                         {{"iEmployeeID", 3}, {"iAwardID", 1}, {"iPayClassID", payClass},
                          {"iAwardEmplCategoryID", 3}, {"iAwardConditionGroupID", 1}, {"fYearlySalary", 0.0},
                          {"fNormalHours", 0.0}, {"bUseDefaultRate", true}, {"fNormalRate", 26.5},
                          {"fAwardCategoryHoursToDate", 0.0}, {"fAutopayAmount", 0.0}, {"iChangeType", changeType},
                          {"iAgentID", 4}, {"dEffectiveDate", TDBValue::DateTime(effective)},
                          {"dEndDate", TDBValue::DateTime(end)}, {"iChangeReasonID", 2},
                          {"bEndDateExisting", endExisting}, {"bReplaceOverlapping", replace},
                          {"Message", TDBValue(), true}});
  }
  TDBResult AwardsOfEmployee3() {
    return Db().Query("select * from _ipvEmployeeAwards where iEmployeeID = 3 order by dEffectiveDate");
  }
};

TEST_P(ProceduresTest, TimesheetMessagesAreStored) {
  struct Message {
    int severity;
    const char* text;
    int timesheet;
  };
  const Message messages[] = {
      {2, "An error occurred processing shift 4: \"Employee \"EMP009\" is not an award employee\"", 1},
      {1, "It's a warning\r\nover two lines", 1},
  };
  for (const Message& m : messages) {
    EXPECT_TRUE(Db().ExecProc("_esspAddTimesheetMessage", {{"iSeverity", m.severity},
                                                           {"cMessage", m.text},
                                                           {"idTimesheet", m.timesheet},
                                                           {"idUser", 4},
                                                           {"cGUID", "Test-0001"}})
                    .FieldCount() == 0);
  }
  const TDBResult stored = Db().Query("select * from _estblTimesheetMessages order by idTimesheetMessage");
  ASSERT_EQ(stored.RowCount(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(stored[i]["iSeverity"].AsInteger(), messages[i].severity);
    EXPECT_EQ(stored[i]["cMessage"].AsString(), messages[i].text);
    EXPECT_EQ(stored[i]["iTimesheetID"].AsInteger(), messages[i].timesheet);
    EXPECT_EQ(stored[i]["iUserID"].AsInteger(), 4);
    EXPECT_EQ(stored[i]["cGUID"].AsString(), "Test-0001");
    EXPECT_NEAR(stored[i]["dCreated"].AsDateTime(), Now(), 1.0 / 24 / 60);
  }
  // Parameters not passed take their defaults; names match in any case.
  Db().ExecProc("_ESSPADDTIMESHEETMESSAGE", {{"cmessage", "only a text"}});
  const TDBRow last = Db().Query("select * from _estblTimesheetMessages where cMessage = 'only a text'")[0];
  EXPECT_EQ(last["iSeverity"].AsInteger(), 0);
  EXPECT_EQ(last["iTimesheetID"].AsInteger(), 0);
  EXPECT_TRUE(last["cGUID"].IsNull());
}

TEST_P(ProceduresTest, ACostingLineForARowThatDoesNotExistStoresNothing) {
  Db().ExecProc("_qivAddTimesheetCost", {{"iCostingType", 1}, {"iTimesheetRowID", 999}, {"cComponentType", "X"}});
  EXPECT_EQ(Db().QueryValue("select count(*) from _estblTimesheetCost where cComponentType = 'X'").AsInteger(), 0);
}

TEST_P(ProceduresTest, EmployeeAwardRecordsAreAddedEditedAndDeleted) {
  const TDateTime july = EncodeDate(2025, 7, 1);
  TDBRow out = UpdateAward(1, july, 0, 2, true);
  EXPECT_EQ(out["Message"].AsString(), "");
  TDBResult awards = AwardsOfEmployee3();
  ASSERT_EQ(awards.RowCount(), 2);
  EXPECT_EQ(awards[0]["dEndDate"].AsDateTime(), EncodeDate(2025, 6, 30));  // the running record was ended
  EXPECT_EQ(awards[1]["cClassification"].AsString(), "HOSP02");
  EXPECT_EQ(awards[1]["dEndDate"].AsDateTime(), 0.0);
  EXPECT_EQ(awards[1]["iChangeType"].AsInteger(), 1);

  // A date written by hand, without a time, is the same date.
  Db().Execute("update _iptblEmployeeAwards_TD set dEffectiveDate = '2025-07-01' where idEmployeeAwardTD = "
               "(select max(idEmployeeAwardTD) from _iptblEmployeeAwards_TD)");
  out = UpdateAward(1, july, 0, 1);
  EXPECT_EQ(out["Message"].AsString(), "Employee Award effective on 2025-07-01 already exists for this employee.");
  EXPECT_EQ(AwardsOfEmployee3().RowCount(), 2);

  out = UpdateAward(2, july, EncodeDate(2025, 12, 31), 1);
  EXPECT_EQ(out["Message"].AsString(), "");
  awards = AwardsOfEmployee3();
  EXPECT_EQ(awards[1]["cClassification"].AsString(), "HOSP01");
  EXPECT_EQ(awards[1]["dEndDate"].AsDateTime(), EncodeDate(2025, 12, 31));
  EXPECT_EQ(awards[1]["iChangeType"].AsInteger(), 2);

  out = UpdateAward(2, EncodeDate(2026, 1, 1), 0, 1);
  EXPECT_EQ(out["Message"].AsString(), "No Employee Award effective on 2026-01-01 was found for this employee.");

  UpdateAward(3, july, 0, 1);
  EXPECT_EQ(AwardsOfEmployee3().RowCount(), 1);  // the view leaves deleted records out
  EXPECT_EQ(Db().QueryValue("select iChangeType from _iptblEmployeeAwards_TD where iEmployeeID = 3 and "
                            "dEffectiveDate = :D",
                            {{"D", TDBValue::DateTime(july)}})
                .AsInteger(),
            3);
  // Replacing overlapping records marks those starting inside the new range deleted.
  UpdateAward(1, EncodeDate(2025, 8, 1), 0, 1);
  out = UpdateAward(1, EncodeDate(2025, 7, 15), 0, 2, false, true);
  EXPECT_EQ(out["Message"].AsString(), "");
  awards = AwardsOfEmployee3();
  ASSERT_EQ(awards.RowCount(), 2);
  EXPECT_EQ(awards[1]["dEffectiveDate"].AsDateTime(), EncodeDate(2025, 7, 15));
}

TEST_P(ProceduresTest, AFailingEmployeeAwardChangeLeavesEveryRecordAsItWas) {
  // The running record would be ended and the later ones replaced before the
  // insert, which fails: the award is required.
  UpdateAward(1, EncodeDate(2025, 9, 1), 0, 1);
  const std::string all = "select * from _iptblEmployeeAwards_TD where iEmployeeID = 3 order by idEmployeeAwardTD";
  const TDBResult before = Db().Query(all);
  EXPECT_THROW(Db().ExecProc("_ipspUpdateEmployeeAward_TD",
                             {{"iEmployeeID", 3}, {"iAwardID", TDBValue()}, {"iChangeType", 1},
                              {"dEffectiveDate", TDBValue::DateTime(EncodeDate(2025, 8, 1))},
                              {"bEndDateExisting", true}, {"bReplaceOverlapping", true}, {"Message", TDBValue(), true}}),
               EDatabaseError);
  const TDBResult after = Db().Query(all);
  ASSERT_EQ(after.RowCount(), before.RowCount());
  for (int i = 0; i < before.RowCount(); ++i) {
    EXPECT_EQ(after[i]["iChangeType"], before[i]["iChangeType"]) << i;
    EXPECT_EQ(after[i]["dEndDate"].AsDateTime(), before[i]["dEndDate"].AsDateTime()) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, ProceduresTest, testing::AllTestBackends(),
                         BackendParamName);

}  // namespace
}  // namespace qora
