// Guards against manager tests sharing state: see tm_test_support.h.
#include "tm_test_support.h"

#include "timesheet/timesheet.h"

namespace qora::testing {

int TRecordingConnection::CountContaining(std::string_view part) const {
  int count = 0;
  for (const std::string& s : Statements) {
    if (s.find(part) != std::string::npos) ++count;
  }
  return count;
}

void ManagerDbTest::SetUp() {
  OpenDatabase(true, true);
  if (IsSkipped()) return;
  main = std::make_unique<TRecordingConnection>(Db());
  log.SetDebugEnabled(true);
  manager.SetUserFeedback(&log);
  manager.SetEmployeeCache(&cache);
  manager.SetDBConnection(main.get());
  manager.SetPayrollConnection(&payroll);
  manager.SetDBSQLUserName(Db().Params().UserName);
  manager.SetDBSQLPassword(Db().Params().Password);
}

std::vector<std::string> ManagerDbTest::MessageTexts() const {
  std::vector<std::string> texts;
  for (const auto& m : log.Messages()) texts.push_back(m.Text);
  return texts;
}

int ManagerDbTest::CountMessages(const std::string& text) const {
  int count = 0;
  for (const auto& m : log.Messages()) count += m.Text == text ? 1 : 0;
  return count;
}

std::unique_ptr<TTimesheetShift> ManagerDbTest::FileShift(const std::string& code, TDateTime date) {
  auto shift = std::make_unique<TTimesheetShift>();
  shift->SetEmployeeCode(code);
  shift->SetShiftStartDate(date);
  shift->SetShiftEndDate(date);
  return shift;
}

}  // namespace qora::testing
