// The expressions of one condition program compiled against one variable
// layout: the column variables that the create-variables handler makes for
// a shift's columns, then one variable per published property of the work
// item, exactly as the full rebuild before every row makes them. Each
// variable is a slot that is refreshed from the work item only when an
// expression about to run reads it and the shift may have changed since it
// was last read; expressions keep pointers to the slots' storage, so a
// compiled expression serves every row and every shift with this layout.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "formula/parser.h"
#include "formula/shared_trees.h"
#include "foundation/action_params.h"
#include "foundation/class_info.h"
#include "rules/process_manager_intf.h"

namespace qora {

class TTimesheetColumn;
class TTimesheetShift;

// What a layout depends on: the work item's class, the handler that makes
// the column variables (by generation: a new handler makes new layouts),
// and the name and variable type of each column that asks for a variable.
class TVariableLayoutKey {
 public:
  TVariableLayoutKey(const ClassInfo& pItemClass, uint64_t pHandlerGeneration,
                     const std::vector<TTimesheetColumn*>& pColumns);
  // True when the key is that of a layout built for these; allocates nothing.
  bool Matches(const ClassInfo& pItemClass, uint64_t pHandlerGeneration,
               const std::vector<TTimesheetColumn*>& pColumns) const;

 private:
  struct Column {
    std::string Name;  // trimmed, upper case, as variables are keyed
    TQelDataType Type;
  };
  const ClassInfo* FItemClass;
  uint64_t FHandlerGeneration;
  std::vector<Column> FColumns;
};

// A compiled expression text and the slots it reads.
struct TCompiledText {
  enum class TState : uint8_t { Pending, Ready, Failed };
  TState State = TState::Pending;
  TExpression* Expr = nullptr;  // owned by the layout's parser
  std::vector<int> Slots;
  std::string Canonical;        // the text as the parser writes it back
  // A text that is a single literal has one value: it is made an action
  // parameter (its ResultText) once, when the text is compiled.
  bool Literal = false;
  TActionParam LiteralParam;
  // A text that does not compile fails again, with the same error, each
  // time it is reached.
  std::string Error;
  int ErrorType = 0;
  int ErrorMode = 0;
};

// Per step, what the action names, looked up on first use.
struct TStepBinding {
  bool OperationResolved = false;
  const OperationInfo* Operation = nullptr;
  bool PropertyResolved = false;
  const PropertyInfo* Property = nullptr;
};

class TCompiledConditions {
 public:
  // Builds the layout's variables: pOnCreateVariables (may be empty) runs
  // once in a fresh parser, then a variable per published property of the
  // class is created. pColumns are the columns that ask for a variable, in
  // shift order. Throws what the handler throws and the parser's
  // duplicate-name error for a column named like a property.
  TCompiledConditions(TVariableLayoutKey pKey, const ClassInfo& pItemClass, int pTextCount, int pStepCount,
                      const TCreateVariablesEvent& pOnCreateVariables, const std::vector<TTimesheetColumn*>& pColumns);
  ~TCompiledConditions();
  TCompiledConditions(const TCompiledConditions&) = delete;
  TCompiledConditions& operator=(const TCompiledConditions&) = delete;

  const TVariableLayoutKey& Key() const { return FKey; }
  // The parser the expressions are compiled in. Handlers that read the
  // current expression are given it.
  TQelParser& Parser() { return *FParser; }

  // The text compiled (pSource is the program's text pNumber); compiles on
  // first use. Throws EQelParserError for a text that does not compile.
  // A run asks for a text at every row: the compiled one is answered here.
  const TCompiledText& Compiled(int pNumber, const std::string& pSource) {
    const TCompiledText& c = FTexts[static_cast<size_t>(pNumber)];
    return c.State == TCompiledText::TState::Ready ? c : Compile(pNumber, pSource);
  }
  // Makes the compiled text the parser's current expression.
  void MakeCurrent(const TCompiledText& pText);

  // The work item may have changed: settles a shift's higher-duty code (its
  // reading fills it in; `pShift` is null when the item is not a shift) and
  // refreshes every column variable (in column order, as a full rebuild
  // reads them, so an unreadable column fails at the same row).
  void BeginGeneration(TTimesheetShift* pShift, const std::vector<TTimesheetColumn*>& pColumns);
  // A run begins: the work item may be another one, and what is fixed for a
  // run of it may have changed since the last run.
  void BeginRun() { ++FRun; }
  // Refreshes what the text reads that is older than the generation, then
  // evaluates it with the work item.
  void Evaluate(const TCompiledText& pText, TnxBaseObject& pItem);

  TStepBinding& Binding(int pStep) { return FBindings[static_cast<size_t>(pStep)]; }

 private:
  struct Slot {
    TCustomVariable* Variable = nullptr;
    const PropertyInfo* Property = nullptr;  // null: a column variable
    int Column = -1;                         // index into the columns asking for a variable
    uint64_t Generation = 0;
    bool HasRaw = false;
    PropValue Raw;  // the property value last converted
  };
  void RefreshProperty(Slot& pSlot, const TnxBaseObject& pItem);

  TVariableLayoutKey FKey;
  uint64_t FGeneration = 1;
  uint64_t FRun = 1;
  // A generation ends when the shift may change, so a test that several
  // conditions repeat is evaluated once per generation. Outlives the
  // parser, whose expressions point into it.
  TQelSharedTrees FShared{FGeneration, FRun};
  std::unique_ptr<TQelParser> FParser;
  std::vector<Slot> FSlots;
  std::vector<int> FColumnSlots;  // in column order
  std::unordered_map<const TCustomVariable*, int> FSlotOf;
  // Compiled's first use of a text (or its failure again).
  const TCompiledText& Compile(int pNumber, const std::string& pSource);

  std::vector<TCompiledText> FTexts;
  std::vector<TStepBinding> FBindings;
};

}  // namespace qora
