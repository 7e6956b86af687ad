// The costing adjustments run once a shift's conditions are done: every
// hours block takes its work code, classification and cost account from the
// breakdown group that covers its start, and is cut where that group ends so
// that each piece is costed to one destination. Penalties take their cost
// code the same way.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "timesheet/timesheet_shift.h"
#include "timesheet/timesheet_shift_award.h"
#include "timesheet/timesheet_shift_run.h"

namespace qora {

namespace {

using GroupPtr = std::unique_ptr<THoursGroup>;
// Picks the breakdown group that decides a block starting at pTime; null when none.
using GroupFinder = std::function<const THoursGroup*(double pTime)>;
// Copies the breakdown group's destination into the block.
using GroupApplier = std::function<void(THoursGroup& pBlock, const THoursGroup& pFound)>;

// The first group of the list with FromTime <= pTime < ToTime that the
// filter accepts; null when none.
const THoursGroup* FindCovering(const THoursGroupList& pList, double pTime,
                                const std::function<bool(const THoursGroup&)>& pAccept) {
  for (const THoursGroup* g : pList.All()) {
    if (g->FromTime() <= pTime && pTime < g->ToTime() && pAccept(*g)) return g;
  }
  return nullptr;
}

// The split step: the block takes the covering group's destination and,
// when that group ends before the block, the rest of the block (a copy of
// the block as it came in) goes through the same step.
void SplitBlock(GroupPtr pBlock, const GroupFinder& pFind, const GroupApplier& pApply, std::vector<GroupPtr>& pOut) {
  while (pBlock) {
    const THoursGroup* found = pFind(pBlock->FromTime());
    if (!found) {
      pOut.push_back(std::move(pBlock));
      return;
    }
    GroupPtr rest;
    if (found->ToTime() < pBlock->ToTime()) {
      rest = pBlock->Clone();
      rest->SetFromTime(found->ToTime());
      pBlock->SetToTime(found->ToTime());
    }
    pApply(*pBlock, *found);
    pOut.push_back(std::move(pBlock));
    pBlock = std::move(rest);
  }
}

void RebuildHours(THoursGroupList& pHours, const GroupFinder& pFind, const GroupApplier& pApply) {
  std::vector<GroupPtr> rebuilt;
  for (GroupPtr& block : pHours.ExtractAll()) SplitBlock(std::move(block), pFind, pApply, rebuilt);
  for (GroupPtr& block : rebuilt) pHours.Add(std::move(block));
}

bool AnyGroup(const THoursGroup&) { return true; }

}  // namespace

void TTimesheetShift::AdjustAllWorkCodes() {
  RebuildHours(
      FHoursGroupList, [this](double t) { return FindCovering(FWorkCodeGroupList, t, AnyGroup); },
      [](THoursGroup& block, const THoursGroup& found) { block.SetWorkCode(found.WorkCode()); });
}

void TTimesheetShift::AdjustAllClassifications() {
  RebuildHours(
      FHoursGroupList, [this](double t) { return FindCovering(FClassificationGroupList, t, AnyGroup); },
      [](THoursGroup& block, const THoursGroup& found) {
        block.SetJobTitle(found.JobTitle());
        block.SetCostAccount(found.CostAccount());
        block.SetClassification(found.Classification());
        // Hours taken as leave keep the plain hourly rate: their pay line
        // applies the percentage itself (hours x rate x percent).
        const bool accrual = block.HoursType() == THoursType::htLeaveAccrual;
        block.SetRate(accrual ? found.Rate() : block.Percentage() / 100 * found.Rate());
      });
}

void TTimesheetShift::AdjustAllCostCodes() {
  // Only ordinary time worked under a cost account decides where time is costed.
  auto ordinary = [](const THoursGroup& g) { return g.HoursType() == THoursType::htOrdinary; };
  RebuildHours(
      FHoursGroupList, [this, ordinary](double t) { return FindCovering(FCostCodeGroupList, t, ordinary); },
      [](THoursGroup& block, const THoursGroup& found) { block.SetCostAccount(found.CostAccount()); });
}

void TTimesheetShift::AdjustPenaltyCostCodes() {
  // A penalty that has to be cut, and one costed outside every breakdown
  // group, is measured again as the ordinary hours of its window; a penalty
  // kept whole keeps its units. Without an award a penalty outside every
  // group keeps the cost code it has.
  const IShiftAward* award = ShiftAwardOf(*this);
  std::vector<std::unique_ptr<TPenalty>> result;
  for (std::unique_ptr<TPenalty>& penalty : FPenaltyList.ExtractAll()) {
    // The penalty itself is cut and kept; it leaves with no ID, as a copy would.
    std::unique_ptr<TPenalty> piece = std::move(penalty);
    piece->SetID(0);
    bool remeasure = false;
    while (piece) {
      const THoursGroup* found = FindCovering(FCostCodeGroupList, piece->FromTime(), AnyGroup);
      std::unique_ptr<TPenalty> rest;
      if (!found) {
        if (award) piece->SetAddDedCostCode(award->PenaltyCostCode(piece->Description()));
        remeasure = true;
      } else {
        piece->SetAddDedCostCode(found->CostAccount());
        if (found->ToTime() < piece->ToTime()) {
          rest = piece->Clone();
          rest->SetFromTime(found->ToTime());
          piece->SetToTime(found->ToTime());
          remeasure = true;
        }
      }
      if (remeasure) {
        piece->SetUnits(FHoursGroupList.GetHoursBetween(piece->FromTime(), piece->ToTime(), {THoursType::htOrdinary}));
      }
      result.push_back(std::move(piece));
      piece = std::move(rest);
    }
  }
  for (auto& penalty : result) FPenaltyList.Add(std::move(penalty));
}

}  // namespace qora
