// Guards against manager tests sharing state: a manager wired to a fresh sample database per test, a payroll connection it can re-point, a debug run log, and a connection that records the statements it passes on.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "../db/db_test_support.h"
#include "award/employee_award_cache.h"
#include "engine/payroll_connection.h"
#include "engine/timesheet_manager.h"
#include "foundation/user_feedback.h"

namespace qora::testing {

// Forwards everything to `inner` and records each statement text; tests
// derive from it to make a chosen statement fail.
class TRecordingConnection : public TDBConnection {
 public:
  explicit TRecordingConnection(TDBConnection& inner) : FInner(inner) {}
  void Open() override { FInner.Open(); }
  void Close() override { FInner.Close(); }
  bool Connected() const override { return FInner.Connected(); }
  TDBResult Query(std::string_view sql, const TDBParams& params = {}) override {
    Statements.emplace_back(sql);
    return FInner.Query(sql, params);
  }
  void Execute(std::string_view sql, const TDBParams& params = {}) override {
    Statements.emplace_back(sql);
    FInner.Execute(sql, params);
  }
  TDBRow ExecProc(std::string_view name, const TDBParams& params) override {
    Statements.emplace_back(name);
    return FInner.ExecProc(name, params);
  }
  const TDBConnectionParams& Params() const override { return FInner.Params(); }
  const TSqlDialect& Dialect() const override { return FInner.Dialect(); }
  void ExecuteScript(std::string_view script) override { FInner.ExecuteScript(script); }

  std::vector<std::string> Statements;

 protected:
  void BeginWork() override { FInner.StartTransaction(); }
  void CommitWork() override { FInner.Commit(); }
  void RollbackWork() override { FInner.Rollback(); }

 private:
  TDBConnection& FInner;
};

// Two time cards of 8 hours: EMP001 on 14 April, and NOBODY, who is no employee, on 15 April.
inline constexpr const char* kCards = R"(<?xml version="1.0"?>
<TimeCards>
<TimeCard><TimeCardNo>EMP001</TimeCardNo><TotalHours>8</TotalHours>
<Shift><RosteredStartTime>2025-04-14T09:00:00</RosteredStartTime><RosteredFinishTime>2025-04-14T17:00:00</RosteredFinishTime>
<RosteredBreak>0</RosteredBreak><ShiftHours><StartTime>2025-04-14T09:00:00</StartTime>
<FinishTime>2025-04-14T17:00:00</FinishTime><Job>ORD</Job><PayRateCode>Cook</PayRateCode></ShiftHours></Shift>
</TimeCard>
<TimeCard><TimeCardNo>NOBODY</TimeCardNo><TotalHours>8</TotalHours>
<Shift><RosteredStartTime>2025-04-15T09:00:00</RosteredStartTime><RosteredFinishTime>2025-04-15T17:00:00</RosteredFinishTime>
<RosteredBreak>0</RosteredBreak><ShiftHours><StartTime>2025-04-15T09:00:00</StartTime>
<FinishTime>2025-04-15T17:00:00</FinishTime><Job>ORD</Job><PayRateCode>Cook</PayRateCode></ShiftHours></Shift>
</TimeCard>
</TimeCards>)";

class ManagerDbTest : public DbBackendTest {
 protected:
  void SetUp() override;

  // The texts of the run log's messages, in order.
  std::vector<std::string> MessageTexts() const;
  // How many messages equal `text` exactly, or with `prefix` start with it.
  int CountMessages(const std::string& text, bool prefix = false) const;
  // A shift on its own (not on the timesheet) for employee `code` on `date`,
  // as a file timesheet gives it.
  std::unique_ptr<TTimesheetShift> FileShift(const std::string& code, TDateTime date);

  TUserFeedback log;
  TEmployeeAwardCache cache;
  TPayrollConnection payroll;
  TTimesheetManager manager;
};

}  // namespace qora::testing
