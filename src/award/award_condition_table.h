// What an award does, as the rule engine will run it: the conditions its
// components generate, in run order, in the condition table's layout (the
// columns iOrder, iAction, cConditionExpression, cActionExpression,
// cActionVariable, bExitOnTrue, cCode, cGotoCodeOnTrue, cDescription that
// the rule engine's condition dump writes), so that award maintainers can
// read and compare it.
#pragma once

#include "timesheet/csv_memory_table.h"

namespace qora {

class TObjAward;

// An open table of the award's conditions: the families in the order the
// rule engine adds them (rules, overtime, penalties, allowances, leave),
// each component's conditions in list order, an order of 0 numbered as
// the rows so far + 1, then sorted by iOrder keeping equal orders in the
// order they were added. Throws what a component throws while it
// generates its conditions.
TMemoryTable AwardConditionTable(TObjAward& pAward);

}  // namespace qora
