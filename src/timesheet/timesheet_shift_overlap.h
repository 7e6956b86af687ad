// Overlap resolution of hours groups: how a new block of time takes its
// window out of the blocks already in a list.
#pragma once

#include "timesheet/hours_group.h"

namespace qora {

// Makes room in `pList` for a block from pFrom to pTo (the block itself is
// not in the list, or is `pExcept`, and is added by the caller). Until no
// other group overlaps the window by more than a point, the overlapping
// group found first from the end of the list is
//  - removed and destroyed when the window covers it (equal, or wider);
//  - cut to start at pTo when the window covers its start;
//  - cut to end at pFrom when the window covers its end;
//  - split around the window when the window lies inside it: it keeps its
//    part before the window and a copy holding the part after is appended.
void ResolveOverlaps(THoursGroupList& pList, double pFrom, double pTo, const THoursGroup* pExcept = nullptr);

// Sorts groups for the rebuild of a shift's hours: by HoursType ordinal,
// then by Percentage, percentages less than 1 apart counting as equal.
// Equal groups keep their order, so a later block wins against an earlier
// one of the same kind.
void SortForRebuild(std::vector<std::unique_ptr<THoursGroup>>& pGroups);

}  // namespace qora
