// The records a shift holds: hours groups, allowances and penalties, leave
// and RDO entries, work-pattern days, and their lists.
#pragma once

#include "timesheet/allowance.h"
#include "timesheet/hours_group.h"
#include "timesheet/leave_dates.h"
#include "timesheet/work_pattern.h"
