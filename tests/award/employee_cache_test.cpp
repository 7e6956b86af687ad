// Guards the employee award cache against look-ups that match the wrong token, code or date boundary, and wrong weekly hours for a pay period.
#include <gtest/gtest.h>

#include "award/employee_award_cache.h"
#include "common/datetime.h"

namespace qora {
namespace {

TEmployeeAwardObj* AddRecord(TEmployeeAwardCache& cache, const char* token, const char* code, TDateTime from,
                             TDateTime to, const char* award) {
  auto record = std::make_unique<TEmployeeAwardObj>();
  record->SetPayrollLinkToken(token);
  record->SetEmployeeCode(code);
  record->SetEffectiveDate(from);
  record->SetEndDate(to);
  record->SetAwardCode(award);
  TEmployeeAwardObj* raw = record.get();
  cache.Add(std::move(record));
  return raw;
}

TEST(EmployeeCacheTest, GetEmployeeAwardMatchesTokenCodeAndDate) {
  TEmployeeAwardCache cache;
  const TDateTime jan23 = EncodeDate(2023, 1, 1), jun30 = EncodeDate(2023, 6, 30), jul1 = EncodeDate(2023, 7, 1);
  TEmployeeAwardObj* a = AddRecord(cache, "PAY1", "E1", jan23, jun30, "A");
  TEmployeeAwardObj* b = AddRecord(cache, "PAY1", "E1", jul1, 0, "B");
  TEmployeeAwardObj* other = AddRecord(cache, "PAY2", "E1", jan23, 0, "C");
  struct Case {
    const char* token;
    const char* code;
    TDateTime date;
    TEmployeeAwardObj* expected;
  };
  const Case cases[] = {
      {"PAY1", "E1", EncodeDate(2023, 3, 1), a},
      {"pay1", "e1", jun30, a},                          // token and code ignore case; end date included
      {"PAY1", "E1", jun30 + 0.5, nullptr},              // after A ends (at the start of its end date), before B
      {"PAY1", "E1", jul1, b},
      {"PAY1", "E1", EncodeDate(2030, 1, 1), b},         // open-ended
      {"PAY1", "E1", EncodeDate(2022, 12, 31), nullptr},  // before any record
      {"PAY2", "E1", EncodeDate(2023, 8, 1), other},
      {"PAY3", "E1", EncodeDate(2023, 8, 1), nullptr},
      {"PAY1", "E2", EncodeDate(2023, 8, 1), nullptr},
      {"PAY1", "E1", 0, a},                              // no date: the first record of the employee
      {"PAY1", "E1", -1, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(cache.GetEmployeeAward(c.token, c.code, c.date), c.expected) << c.token << " " << c.code << " " << c.date;
  }
}

TEST(EmployeeCacheTest, PayPeriodsAndWeeklyHours) {
  EXPECT_EQ(PayPeriodFromFrequency(2), TPayPeriod::pp_Fortnightly);
  EXPECT_EQ(PayPeriodFromFrequency(9), TPayPeriod::pp_1Week);
  EXPECT_EQ(PayPeriodFromFrequency(-1), TPayPeriod::pp_1Week);
  struct Case {
    TPayPeriod period;
    double weekly;
  };
  const Case cases[] = {{TPayPeriod::pp_1Week, 76},         {TPayPeriod::pp_2Weeks, 38},
                        {TPayPeriod::pp_Fortnightly, 38},   {TPayPeriod::pp_4Weeks, 19},
                        {TPayPeriod::pp_BiMonthly, 76.0 * 6 / 52}, {TPayPeriod::pp_Monthly, 76.0 * 12 / 52}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(WeeklyHoursFor(76, c.period), c.weekly);
}

}  // namespace
}  // namespace qora
