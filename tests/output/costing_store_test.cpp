// Guards stored costing and import batches against rounding and date-binding faults per back end, and against half-stored costing after a failure.
#include <gtest/gtest.h>

#include <regex>

#include "../engine/tm_test_support.h"
#include "db/db_error.h"
#include "engine/costing_jobs.h"
#include "rules/process_manager_intf.h"
#include "timesheet/timesheet.h"

namespace qora::testing {
namespace {

// Runs no conditions: the shifts keep the hours they were loaded with.
class NoConditions : public IProcessManager {
 public:
  void SetOnCreateVariables(TCreateVariablesEvent, const void*) override {}
  void SetOnSetVariable(TECAParserEvent) override {}
  void SetOnDebugMessage(TECADebugEvent) override {}
  void SetWorkItem(TTimesheetShift* shift) override { FShift = shift; }
  TTimesheetShift* WorkItem() const override { return FShift; }
  void LoadCurrentShiftConditions() override {}
  void Process() override {}

 private:
  TTimesheetShift* FShift = nullptr;
};

// Loses the connection at the Nth costing line it is asked to store.
class FailingStore : public TRecordingConnection {
 public:
  FailingStore(TDBConnection& inner, int fail_at) : TRecordingConnection(inner), FFailAt(fail_at) {}
  TDBRow ExecProc(std::string_view name, const TDBParams& params) override {
    if (name == "_qivAddTimesheetCost" && ++FCalls == FFailAt) throw EDatabaseError("connection lost");
    return TRecordingConnection::ExecProc(name, params);
  }

 private:
  int FFailAt;
  int FCalls = 0;
};

class CostingStoreTest : public ManagerDbTest {
 protected:
  std::vector<std::string> StoredCosting() {
    std::vector<std::string> rows;
    for (const TDBRow& r : Db().Query("select iTimesheetRowID, cComponentName, fUnits from _estblTimesheetCost "
                                      "where iTimesheetID = 1 and iCostingType = 3 "
                                      "order by iTimesheetRowID, cComponentName, fUnits")) {
      rows.push_back(r["iTimesheetRowID"].AsString() + " " + r["cComponentName"].AsString() + " " +
                     r["fUnits"].AsString());
    }
    return rows;
  }
};

TEST_P(CostingStoreTest, StoredLinesAreRoundedAndDatedAsTheCostingSays) {
  if (IsSkipped()) return;
  manager.SetCostingOutputType(TaiCostingOutputType::cot_Adhoc);
  manager.SetPayrollConnection(&Db());
  auto shift = FileShift("EMP001", EncodeDate(2025, 4, 14));
  shift->SetID(1);
  shift->SetEmployeeAward("HOSP");
  auto group = std::make_unique<THoursGroup>();
  group->SetHoursType(THoursType::htOrdinary);
  group->SetFromTime(9);
  group->SetToTime(16.555);
  group->SetRateCode("RoundTrip");
  group->SetRate(30.123456);
  shift->HoursGroupList().Add(std::move(group));
  manager.Timesheet().AddShift(std::move(shift));
  manager.Timesheet().SetStartDate(EncodeDate(2025, 4, 14));

  manager.DBSaveCosting();
  const TDBResult rows = Db().Query("select * from _estblTimesheetCost where cComponentName = 'RoundTrip'");
  ASSERT_EQ(rows.RowCount(), 1);
  EXPECT_DOUBLE_EQ(rows[0]["fRate"].AsFloat(), 30.1235);
  EXPECT_DOUBLE_EQ(rows[0]["fUnits"].AsFloat(), 7.56);    // 7.555 rounds up, not to even
  EXPECT_DOUBLE_EQ(rows[0]["fValue"].AsFloat(), 227.73);  // 7.56 x 30.123456
  EXPECT_EQ(rows[0]["iTimesheetID"].AsInteger(), 1);
  EXPECT_EQ(FormatIsoDate(rows[0]["dStartDate"].AsDateTime()), "2025-04-14");  // not the 4th of some month
  EXPECT_EQ(FormatIsoTime(rows[0]["dEndTime"].AsDateTime()), "16:33:18");

  manager.DBSaveYIF("import");
  const TDBResult batch = Db().Query("select * from _iptblImportData where cImportSource = 'QORA'");
  ASSERT_EQ(batch.RowCount(), 1);
  EXPECT_EQ(batch[0]["iImportFormat"].AsInteger(), 2);
  EXPECT_EQ(FormatIsoDate(batch[0]["dEndDate"].AsDateTime()), "2025-04-14");
  // The header names the end of an unprocessed pay period of the payroll database.
  EXPECT_TRUE(std::regex_search(batch[0]["nYIFData"].AsString(), std::regex(R"(^YIFV02\.00\\DODO\\\d{8}\\(20|27)042025\\)")))
      << batch[0]["nYIFData"].AsString();
}

TEST_P(CostingStoreTest, AFailureHalfWayKeepsThePreviousCosting) {
  if (IsSkipped()) return;
  NoConditions pm;
  CostStoredTimesheet(manager, pm, log, "1", TaiCostingOutputType::cot_Adhoc);
  const std::vector<std::string> before = StoredCosting();
  ASSERT_GT(before.size(), 2u);

  FailingStore failing(Db(), 2);
  manager.SetDBConnection(&failing);
  EXPECT_THROW(CostStoredTimesheet(manager, pm, log, "1", TaiCostingOutputType::cot_Adhoc), EDatabaseError);
  EXPECT_EQ(Db().TransactionDepth(), 0);
  EXPECT_EQ(StoredCosting(), before);
}

INSTANTIATE_TEST_SUITE_P(Backends, CostingStoreTest, AllTestBackends(), BackendParamName);

}  // namespace
}  // namespace qora::testing
