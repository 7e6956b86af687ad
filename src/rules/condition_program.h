// A condition table prepared for running many times: its rows in run order,
// each expression text numbered once, parameters split, go-to targets found.
// For every variable layout it is run with (see TCompiledConditions) it keeps
// the expressions compiled against that layout, so that an award's
// conditions are compiled once per costing call rather than once per row.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "rules/compiled_conditions.h"
#include "rules/condition.h"

namespace qora {

// One row of the condition table, as AddCondition stores it.
struct TConditionRow {
  int32_t Order = 0;
  TaiActionType ActionType = TaiActionType::aatNone;
  std::string ConditionExpression;
  std::string ActionExpression;
  std::string ActionVariable;
  bool ExitOnTrue = false;
  std::string Code;
  std::string GotoCodeOnTrue;
  std::string Description;
};

// "condition 120 "OT1"": how messages name a row.
std::string ConditionRowLabel(int32_t pOrder, const std::string& pCode);

// A row in run order with everything that does not depend on the shift
// worked out.
struct TConditionStep {
  static constexpr int kNoGoto = -1;       // the row has no go-to code
  static constexpr int kMissingGoto = -2;  // no row has the go-to code

  const TConditionRow* Row = nullptr;
  int Condition = -1;       // text number of the trimmed condition; -1: always true
  int Action = -1;          // aatSet, aatNone, aatSetVariable: the action expression's text number; -1: empty
  std::vector<int> Pieces;  // aatCallMethod: text number of each ";"-piece; -1 for an empty piece
  std::string GotoCode;     // trimmed
  int GotoTarget = kNoGoto; // index of the first step whose Code equals GotoCode
};

class TConditionProgram {
 public:
  // pRows in table order. Run order is by Order, rows of equal Order
  // keeping their table order.
  explicit TConditionProgram(std::vector<TConditionRow> pRows);
  ~TConditionProgram();
  TConditionProgram(const TConditionProgram&) = delete;
  TConditionProgram& operator=(const TConditionProgram&) = delete;

  // Rows in table order.
  const std::vector<TConditionRow>& Rows() const { return FRows; }
  // Rows in run order.
  const std::vector<TConditionStep>& Steps() const { return FSteps; }
  // The distinct trimmed expression texts, by number.
  const std::string& Text(int pIndex) const { return FTexts[static_cast<size_t>(pIndex)]; }
  int TextCount() const { return static_cast<int>(FTexts.size()); }
  // How many variable layouts the program has compiled for.
  int LayoutCount() const { return static_cast<int>(FLayouts.size()); }

  // The compiled form for a layout, created (empty: expressions compile on
  // first use) when the program has none for it yet. Owned by the program;
  // the reference stays valid while the program lives. Building a new
  // layout runs pOnCreateVariables and may throw what it throws, or the
  // parser's duplicate-name error; nothing is kept then.
  // pColumns are the work item's columns that ask for a variable.
  TCompiledConditions& LayoutFor(const ClassInfo& pItemClass, uint64_t pHandlerGeneration,
                                 const TCreateVariablesEvent& pOnCreateVariables,
                                 const std::vector<TTimesheetColumn*>& pColumns);

 private:
  int TextNumber(const std::string& pTrimmed);

  std::vector<TConditionRow> FRows;
  std::vector<TConditionStep> FSteps;
  std::vector<std::string> FTexts;
  std::unordered_map<std::string, int> FTextIndex;  // used while the program is built
  std::vector<std::unique_ptr<TCompiledConditions>> FLayouts;
};

}  // namespace qora
