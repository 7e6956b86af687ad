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

// Every block takes the destination of the group that covers its start.
// Where that group ends before the block, the block is cut there: the rest
// (a copy of the block as it came in) goes in right after it and meets the
// same step in its turn. The list is worked in place, since most blocks
// need no cut.
void RebuildHours(THoursGroupList& pHours, const GroupFinder& pFind, const GroupApplier& pApply) {
  for (int i = 0; i < pHours.Count(); ++i) {
    THoursGroup& block = *pHours.Items(i);
    const THoursGroup* found = pFind(block.FromTime());
    if (!found) continue;
    if (found->ToTime() < block.ToTime()) {
      std::unique_ptr<THoursGroup> rest = block.Clone();
      rest->SetFromTime(found->ToTime());
      block.SetToTime(found->ToTime());
      pHours.Insert(i + 1, std::move(rest));
    }
    pApply(block, *found);
  }
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
  // Worked in place: a cut puts the rest right after the piece, and the
  // rest of a cut penalty is always measured again.
  bool rest_of_cut = false;
  for (int i = 0; i < FPenaltyList.Count(); ++i) {
    TPenalty& piece = *FPenaltyList.Items(i);
    piece.SetID(0);  // cut and kept, the penalty leaves with no ID, as a copy would
    bool remeasure = rest_of_cut;
    rest_of_cut = false;
    const THoursGroup* found = FindCovering(FCostCodeGroupList, piece.FromTime(), AnyGroup);
    if (!found) {
      if (award) piece.SetAddDedCostCode(award->PenaltyCostCode(piece.Description()));
      remeasure = true;
    } else {
      piece.SetAddDedCostCode(found->CostAccount());
      if (found->ToTime() < piece.ToTime()) {
        std::unique_ptr<TPenalty> rest = piece.Clone();
        rest->SetFromTime(found->ToTime());
        piece.SetToTime(found->ToTime());
        FPenaltyList.Insert(i + 1, std::move(rest));
        remeasure = rest_of_cut = true;
      }
    }
    if (remeasure) {
      piece.SetUnits(FHoursGroupList.GetHoursBetween(piece.FromTime(), piece.ToTime(), {THoursType::htOrdinary}));
    }
  }
}

}  // namespace qora
