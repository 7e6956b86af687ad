#include "rules/condition_program.h"

#include <algorithm>
#include <numeric>

#include "common/format.h"
#include "common/text.h"
#include "foundation/base_object.h"

namespace qora {

std::string ConditionRowLabel(int32_t pOrder, const std::string& pCode) {
  return Format("condition %d \"%s\"", pOrder, pCode);
}

TConditionProgram::TConditionProgram(std::vector<TConditionRow> pRows) : FRows(std::move(pRows)) {
  std::vector<size_t> order(FRows.size());
  std::iota(order.begin(), order.end(), size_t{0});
  // Generators give several rows the same order number; they run in the
  // order they were added.
  std::stable_sort(order.begin(), order.end(), [this](size_t a, size_t b) { return FRows[a].Order < FRows[b].Order; });
  FSteps.reserve(FRows.size());
  for (size_t index : order) {
    const TConditionRow& row = FRows[index];
    TConditionStep step;
    step.Row = &row;
    const std::string condition = Trim(row.ConditionExpression);
    if (!condition.empty()) step.Condition = TextNumber(condition);
    const std::string action = Trim(row.ActionExpression);
    if (row.ActionType == TaiActionType::aatCallMethod) {
      // Every ";" splits, even inside a quoted text, and empty pieces stay.
      size_t start = 0;
      while (true) {
        const size_t end = action.find(';', start);
        const std::string piece = Trim(std::string_view(action).substr(start, end - start));
        step.Pieces.push_back(piece.empty() ? -1 : TextNumber(piece));
        if (end == std::string::npos) break;
        start = end + 1;
      }
    } else if (row.ActionType != TaiActionType::aatProcessRule && !action.empty()) {
      step.Action = TextNumber(action);
    }
    step.GotoCode = Trim(row.GotoCodeOnTrue);
    FSteps.push_back(std::move(step));
  }
  for (TConditionStep& step : FSteps) {
    if (step.GotoCode.empty()) continue;
    step.GotoTarget = TConditionStep::kMissingGoto;
    for (size_t i = 0; i < FSteps.size(); ++i) {
      if (FSteps[i].Row->Code == step.GotoCode) {
        step.GotoTarget = static_cast<int>(i);
        break;
      }
    }
  }
  FTextIndex.clear();
}

TConditionProgram::~TConditionProgram() = default;

int TConditionProgram::TextNumber(const std::string& pTrimmed) {
  auto [it, added] = FTextIndex.emplace(pTrimmed, static_cast<int>(FTexts.size()));
  if (added) FTexts.push_back(pTrimmed);
  return it->second;
}

TCompiledConditions& TConditionProgram::LayoutFor(const ClassInfo& pItemClass, uint64_t pHandlerGeneration,
                                                  const TCreateVariablesEvent& pOnCreateVariables,
                                                  const std::vector<TTimesheetColumn*>& pColumns) {
  for (const auto& layout : FLayouts) {
    if (layout->Key().Matches(pItemClass, pHandlerGeneration, pColumns)) return *layout;
  }
  FLayouts.push_back(std::make_unique<TCompiledConditions>(
      TVariableLayoutKey(pItemClass, pHandlerGeneration, pColumns), pItemClass, TextCount(),
      static_cast<int>(FSteps.size()), pOnCreateVariables, pColumns));
  return *FLayouts.back();
}

}  // namespace qora
