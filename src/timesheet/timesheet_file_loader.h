// Loading a timesheet file as a costing run does, without a database.
#pragma once

#include <string>

namespace qora {

class TTimesheet;
class TUserFeedback;

// Fills `pInto` from a timesheet file: a file whose extension, in upper
// case, is ".XML" is read as XML time cards, any other file as a CSV
// timesheet. Then every shift's breaks are filled in, the timesheet's
// period is set from its shifts where it is not set, and the shifts are
// sorted by employee, day and start.
// The timesheet is not cleared first: the shifts are appended. `pLog` (the
// run log, may be null) is handed to the readers. Throws what the readers
// throw (an unreadable file, a malformed row or document); the timesheet
// then holds the shifts read before the failure, neither filled in nor
// sorted.
void LoadTimesheetFromFile(const std::string& pPath, TTimesheet& pInto, TUserFeedback* pLog);

}  // namespace qora
