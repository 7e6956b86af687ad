// Loading awards from the payroll database: every award version in force on
// a date, each with its category links, pay classes, components, condition
// groups and jobs, read through the engine's connection interface.
#pragma once

#include <cstdint>
#include <string>

#include "common/datetime.h"

namespace qora {

class TDBConnection;
class TObjAward;
class TObjAwardConditionBase;
class TObjListAwardConditionBase;
class TObjListAwards;
class TUserFeedback;

// Appends to pAwards every award version that _ipfnGetAwards returns as in
// force on pDate, in the order the function returns them, each complete
// with its members (an award is appended only once all its members are
// read, so a failing query never leaves a half-read award in the list).
// Versions already in pAwards are appended again (GetAward finds the first).
// Returns the number of versions read. The debug lines "Loading awards" and
// "Loaded %d award in %f.1 seconds" go to pLog (may be null) under
// pTimesheetID. Component rows that cannot become a component are skipped
// (see LoadAwardComponent). Database errors propagate.
int LoadAwardsForDate(TDBConnection& pConnection, TDateTime pDate, TObjListAwards& pAwards, TUserFeedback* pLog,
                      int32_t pTimesheetID = 0);

// The award's component list that a stored iConditionModule names: 1
// overtime, 2 penalties, 3 allowances, 4 rules, 5 leave; null for any other
// module (such rows are not components the engine runs).
TObjListAwardConditionBase* ComponentListOfModule(TObjAward& pAward, int64_t pModule);

// Builds one stored component row into its module's list: the class comes
// from pConditionType, the properties from pXml (the old pay-option prefix
// "aiapo_" read as "aicpo_"), ConditionID from pConditionID. Returns the
// component (owned by the list), or null when the row is skipped: an
// ignored module, a type without a class, or XML that does not load. The
// component lands in the module's list whatever its kind. pWhy (may be
// null) says why a row was skipped; a skipped row is not an error.
TObjAwardConditionBase* LoadAwardComponent(TObjAward& pAward, int64_t pModule, int64_t pConditionType,
                                           const std::string& pXml, int32_t pConditionID,
                                           std::string* pWhy = nullptr);

}  // namespace qora
