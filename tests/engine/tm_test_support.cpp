// Guards against manager tests sharing state: see tm_test_support.h.
#include "tm_test_support.h"

#include <algorithm>

#include "timesheet/timesheet.h"

namespace qora::testing {

void ManagerDbTest::SetUp() {
  OpenDatabase(true, true);
  if (IsSkipped()) return;
  log.SetDebugEnabled(true);
  manager.SetUserFeedback(&log);
  manager.SetEmployeeCache(&cache);
  manager.SetDBConnection(&Db());
  manager.SetPayrollConnection(&payroll);
  manager.SetDBSQLUserName(Db().Params().UserName);
  manager.SetDBSQLPassword(Db().Params().Password);
}

std::vector<std::string> ManagerDbTest::MessageTexts() const {
  std::vector<std::string> texts;
  for (const auto& m : log.Messages()) texts.push_back(m.Text);
  return texts;
}

int ManagerDbTest::CountMessages(const std::string& text, bool prefix) const {
  const std::vector<std::string> texts = MessageTexts();
  return static_cast<int>(std::count_if(texts.begin(), texts.end(), [&](const std::string& t) {
    return prefix ? t.rfind(text, 0) == 0 : t == text;
  }));
}

std::unique_ptr<TTimesheetShift> ManagerDbTest::FileShift(const std::string& code, TDateTime date) {
  auto shift = std::make_unique<TTimesheetShift>();
  shift->SetEmployeeCode(code);
  shift->SetShiftStartDate(date);
  shift->SetShiftEndDate(date);
  return shift;
}

}  // namespace qora::testing
