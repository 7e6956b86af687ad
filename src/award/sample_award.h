// The sample award (samples/awards/HOSP.xml): the hospitality award the
// sample database's employees are paid under, with overtime tiers, weekend
// and public-holiday overtime, a minimum engagement, higher duties and a
// change to the night-shift conditions.
#pragma once

#include <string_view>

namespace qora {

class TDBConnection;

// The text of samples/awards/HOSP.xml as it was when the engine was built.
std::string_view SampleAwardText();

// Stores the sample award into a payroll database that holds the sample
// data set (InsertSampleData), through the award import, replacing the
// sample's HOSP version of 1 July 2024; then assigns the sample employees
// to it on effective dates, with Alice Nguyen moving from HOSP02 to
// HOSP03 on 15 April 2025, in the middle of her sample timesheet week.
// All or nothing; errors propagate.
void InstallSampleAward(TDBConnection& pPayroll);

}  // namespace qora
