#include "timesheet/timesheet_shift_overlap.h"

#include <algorithm>
#include <cmath>

namespace qora {

namespace {

// Blocks that share no more than this much time only touch.
constexpr double kPoint = 1e-9;

int FindOverlap(const THoursGroupList& pList, double pFrom, double pTo, const THoursGroup* pExcept) {
  for (int i = pList.Count() - 1; i >= 0; --i) {
    const THoursGroup* g = pList.Items(i);
    if (g == pExcept) continue;
    if (std::min(g->ToTime(), pTo) - std::max(g->FromTime(), pFrom) > kPoint) return i;
  }
  return -1;
}

bool RebuildLess(const THoursGroup& a, const THoursGroup& b) {
  if (a.HoursType() != b.HoursType()) return a.HoursType() < b.HoursType();
  return std::trunc(a.Percentage() - b.Percentage()) < 0;
}

}  // namespace

void ResolveOverlaps(THoursGroupList& pList, double pFrom, double pTo, const THoursGroup* pExcept) {
  for (int index = FindOverlap(pList, pFrom, pTo, pExcept); index >= 0;
       index = FindOverlap(pList, pFrom, pTo, pExcept)) {
    THoursGroup* g = pList.Items(index);
    const double from = g->FromTime();
    const double to = g->ToTime();
    if (pFrom <= from && pTo >= to) {
      pList.Delete(index);  // the window covers the group, or equals it
    } else if (pFrom <= from) {
      g->SetFromTime(pTo);  // the window covers its start
    } else if (pTo >= to) {
      g->SetToTime(pFrom);  // the window covers its end
    } else {
      // The window lies inside the group: keep the part before it and add
      // the part after it as a copy.
      auto rest = g->Clone();
      rest->SetFromTime(pTo);
      rest->SetToTime(to);
      g->SetToTime(pFrom);
      pList.Add(std::move(rest));
    }
  }
}

void SortForRebuild(std::vector<std::unique_ptr<THoursGroup>>& pGroups) {
  // An insertion sort: stable, and well defined although "less than 1
  // apart" is not a transitive equality.
  for (size_t i = 1; i < pGroups.size(); ++i) {
    for (size_t j = i; j > 0 && RebuildLess(*pGroups[j], *pGroups[j - 1]); --j) {
      std::swap(pGroups[j], pGroups[j - 1]);
    }
  }
}

}  // namespace qora
