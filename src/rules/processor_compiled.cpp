// The compiled run: the program's expressions are compiled once per
// variable layout, and before a row only what may have changed is read
// again. The shift changes only through actions (and through the reading
// of its higher-duty properties, which fill in its code), so after a
// row whose condition was false every variable still holds what a full
// rebuild would give it; after an action the next row starts a new
// generation and each variable is read again when it is next used.
#include <string>

#include "common/datetime.h"
#include "common/exceptions.h"
#include "foundation/base_object.h"
#include "rules/domain_vocabulary.h"
#include "rules/process_manager.h"
#include "rules/processor.h"
#include "rules/processor_support.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

struct TdmaiProcessor::TRunState {
  std::shared_ptr<TConditionProgram> Program;  // kept alive while it runs
  TTimesheetShift* Shift = nullptr;            // null when the work item is not a shift
  TCompiledConditions* Layout = nullptr;
  int ColumnCount = -1;
  bool Dirty = true;                   // the shift may have changed since the layout was read
  const TCompiledText* Last = nullptr;  // the text evaluated last in the row
};

void TdmaiProcessor::SelectLayout(TRunState& pState, TnxBaseObject& pItem) {
  FColumns.clear();
  if (pState.Shift) {
    for (int i = 0; i < pState.Shift->Count(); ++i) {
      TTimesheetColumn* column = pState.Shift->Items(i);
      if (column->NeedVariable()) FColumns.push_back(column);
    }
  }
  pState.ColumnCount = pState.Shift ? pState.Shift->Count() : 0;
  pState.Layout =
      &pState.Program->LayoutFor(pItem.GetClassInfo(), FHandlerGeneration, FOnCreateVariables, FColumns);
  pState.Layout->BeginRun();
  pState.Dirty = true;
}

const TCompiledText* TdmaiProcessor::EvaluateCompiled(TRunState& pState, int pText, TnxBaseObject& pItem) {
  const TCompiledText& text = pState.Layout->Compiled(pText, pState.Program->Text(pText));
  pState.Layout->Evaluate(text, pItem);
  pState.Last = &text;
  return &text;
}

void TdmaiProcessor::RunCompiledAction(TRunState& pState, int pStep, TnxBaseObject& pItem) {
  const TConditionStep& step = pState.Program->Steps()[static_cast<size_t>(pStep)];
  const TConditionRow& row = *step.Row;
  const bool tracing = Tracing();
  // Whether the shift may have changed: evaluating expressions never
  // changes it, and calling a name the shift does not have does nothing.
  bool acted = true;
  // Traces the text just evaluated with its value.
  // The text of what was evaluated last in the row, for the action's trace.
  auto last_text = [&pState](std::string& out) {
    if (pState.Last) {
      ResultText(pState.Last->Expr->Result(), out);
    } else {
      out.clear();
    }
  };
  auto trace_value = [&](const TCompiledText* text, const std::string& value) {
    if (tracing) {
      Trace(pState.Layout->Parser(), &pItem, "Evaluating Condition: \"" + text->Canonical + "\", Result = \"" + value + "\"");
    }
  };
  switch (row.ActionType) {
    case TaiActionType::aatCallMethod: {
      // Literal pieces are handed over as the layout keeps them, read once
      // per award; the others are written into the processor's own.
      FParams.Clear();
      // Room for the pieces of most actions at once: a processor serves one shift.
      if (FParamTexts.size() < step.Pieces.size()) FParamTexts.resize(std::max<size_t>(step.Pieces.size(), 8));
      for (size_t k = 0; k < step.Pieces.size(); ++k) {
        if (step.Pieces[k] < 0) {
          // An empty piece repeats the text of what was evaluated last.
          if (k > 0) {
            FParams.Add(*FParams.At(k - 1));
          } else {
            last_text(FParamTexts[k].Rewrite());
            FParams.Add(FParamTexts[k]);
          }
          continue;
        }
        const TCompiledText* text = EvaluateCompiled(pState, step.Pieces[k], pItem);
        if (text->Literal) {
          FParams.Add(text->LiteralParam);
        } else {
          ResultText(text->Expr->Result(), FParamTexts[k].Rewrite());
          FParams.Add(FParamTexts[k]);
        }
        trace_value(text, FParams.At(k)->Text());
      }
      TStepBinding& binding = pState.Layout->Binding(pStep);
      if (!binding.OperationResolved) {
        binding.Operation = pItem.GetClassInfo().FindOperation(row.ActionVariable);
        binding.OperationResolved = true;
      }
      if (tracing) last_text(FText);
      // Operations may make a variable in the parser they are given (a column
      // they add): not in the layout's, whose variables are those of its key.
      CallOperation(row, binding.Operation, pItem, FManager ? &FManager->OperationParser() : &Parser());
      acted = binding.Operation != nullptr;
      break;
    }
    case TaiActionType::aatProcessRule:
      if (tracing) last_text(FText);
      ProcessRule(row);
      break;
    case TaiActionType::aatSet: {
      if (step.Action < 0) {
        throw eaiPRocessorException(Capitalised(ConditionRowLabel(row.Order, row.Code)) + " sets \"" +
                                    row.ActionVariable + "\" but gives no value to set.");
      }
      const TCompiledText* text = EvaluateCompiled(pState, step.Action, pItem);
      if (tracing) {
        ResultText(text->Expr->Result(), FText);
        trace_value(text, FText);
      }
      bool handled = false;
      if (FOnSetVariable) {
        pState.Layout->MakeCurrent(*text);
        FOnSetVariable(pState.Layout->Parser(), row.ActionVariable, handled);
      }
      if (!handled) {
        TStepBinding& binding = pState.Layout->Binding(pStep);
        if (!binding.PropertyResolved) {
          binding.Property = pItem.GetClassInfo().FindProperty(row.ActionVariable);
          binding.PropertyResolved = true;
        }
        AssignProperty(row, binding.Property, *text->Expr, pItem);
      }
      break;
    }
    default:
      if (step.Action >= 0) {
        const TCompiledText* text = EvaluateCompiled(pState, step.Action, pItem);
        if (tracing) {
          ResultText(text->Expr->Result(), FText);
          trace_value(text, FText);
        }
      }
      if (tracing) last_text(FText);
      break;
  }
  pState.Dirty = pState.Dirty || acted;
  if (tracing) Trace(pState.Layout->Parser(), &pItem, "Action = \"" + row.ActionExpression + "\", Result = \"" + FText + "\"");
}

void TdmaiProcessor::RunCompiled(TnxBaseObject& pItem) {
  // Timed only for the debug line that reports it.
  const double start = LogDebugging() ? Now() : 0;
  TDayOfWeekMemo day_of_week;
  TRunState state;
  state.Program = Program();
  state.Shift = dynamic_cast<TTimesheetShift*>(&pItem);
  const std::vector<TConditionStep>& steps = state.Program->Steps();
  const uint64_t limit = VisitLimit(static_cast<int>(steps.size()));
  uint64_t visits = 0;
  const TConditionRow* row = nullptr;
  try {
    size_t i = 0;
    while (i < steps.size()) {
      const TConditionStep& step = steps[i];
      row = step.Row;
      if (!state.Layout || (state.Shift && state.Shift->Count() != state.ColumnCount)) SelectLayout(state, pItem);
      if (state.Dirty) {
        state.Layout->BeginGeneration(state.Shift, FColumns);
        state.Dirty = false;
      }
      Visited();
      if (++visits > limit) TooManyVisits(visits - 1, *row);
      state.Last = nullptr;
      if (step.Condition >= 0) {
        const TCompiledText* text = EvaluateCompiled(state, step.Condition, pItem);
        const bool holds = text->Expr->BooleanResult();
        if (Tracing()) {
          Trace(state.Layout->Parser(), &pItem,
                "Evaluating Condition: \"" + text->Canonical + "\", Result = \"" + (holds ? "True" : "False") + "\"");
        }
        if (!holds) {
          ++i;
          continue;
        }
      }
      RunCompiledAction(state, static_cast<int>(i), pItem);
      if (row->ExitOnTrue) break;
      if (step.GotoTarget >= 0) {
        i = static_cast<size_t>(step.GotoTarget);
        continue;
      }
      if (step.GotoTarget == TConditionStep::kMissingGoto) GotoMissing(*row, pItem);
      ++i;
    }
  } catch (...) {
    if (row) Failed(*row);
    throw;
  }
  // A run leaves the table in run order.
  if (!FDeferred) SortTable();
  FSorted = true;
  Finished(start);
}

}  // namespace qora
