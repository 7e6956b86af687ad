// The date rule that every reader of a shift's blocks shares.
#pragma once

namespace qora {

class TTimesheetShift;

// A shift ends no earlier than the day on which a block ending `end_hours`
// after the start of its start date ends (24 and above lie on the next day;
// a block ending at midnight counts as reaching the next day). Moves the
// shift's end date later when needed, never earlier, and never touches its
// start date: a shift worked over midnight is the shift of the day it began.
void ExtendShiftEndDate(TTimesheetShift& shift, double end_hours);

}  // namespace qora
