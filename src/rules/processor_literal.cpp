// The literal run: before every row the parser is emptied and every
// variable made afresh from the work item, and each text is compiled when
// it is reached. Slow, plain, and the measure of the compiled run.
#include <string>
#include <vector>

#include "common/datetime.h"
#include "common/format.h"
#include "common/exceptions.h"
#include "common/text.h"
#include "foundation/base_object.h"
#include "rules/processor.h"
#include "rules/processor_support.h"
#include "rules/property_variables.h"

namespace qora {

namespace {

int FindCode(const TMemoryTable& pTable, const std::string& pCode) {
  const int field = pTable.FieldIndex("cCode");
  for (int i = 0; i < pTable.RecordCount(); ++i) {
    if (pTable.Row(i)[static_cast<size_t>(field)] == pCode) return i;
  }
  return -1;
}

}  // namespace

void TdmaiProcessor::RefreshVariables(TnxBaseObject& pItem) {
  Parser().ClearVariables();
  Parser().ClearExpressions();
  if (FOnCreateVariables) FOnCreateVariables(Parser());
  CreatePropertyVariables(Parser(), pItem);
}

bool TdmaiProcessor::EvaluateLiteral(const std::string& pText, bool pCondition, TnxBaseObject& pItem,
                                     std::string* pCanonical) {
  std::string text = Trim(pText);
  if (text.empty()) return true;
  Parser().Compile(text);
  TExpression* expression = Parser().CurrentExpression();
  expression->Evaluate(&pItem);
  const bool result = pCondition ? expression->BooleanResult() : true;
  if (Tracing()) {
    ResultText(expression->Result(), FText);
    Trace(Parser(), &pItem, "Evaluating Condition: \"" + text + "\", Result = \"" + FText + "\"");
  }
  if (pCanonical) *pCanonical = std::move(text);
  return result;
}

void TdmaiProcessor::RunLiteralAction(const TConditionRow& pRow, TnxBaseObject& pItem) {
  switch (pRow.ActionType) {
    case TaiActionType::aatCallMethod: {
      const std::string expression = Trim(pRow.ActionExpression);
      size_t count = 0;
      size_t start = 0;
      while (true) {
        const size_t end = expression.find(';', start);
        EvaluateLiteral(expression.substr(start, end - start), false, pItem, nullptr);
        // An empty piece was not evaluated: it repeats the text of what was.
        const TExpression* current = Parser().CurrentExpression();
        if (FParamTexts.size() <= count) FParamTexts.resize(count + 1);
        std::string& text = FParamTexts[count++].Rewrite();
        text.clear();
        if (current) ResultText(current->Result(), text);
        if (end == std::string::npos) break;
        start = end + 1;
      }
      // Listed once every text is written: growing the texts moves them.
      FParams.Clear();
      for (size_t k = 0; k < count; ++k) FParams.Add(FParamTexts[k]);
      CallOperation(pRow, pItem.GetClassInfo().FindOperation(pRow.ActionVariable), pItem, &Parser());
      break;
    }
    case TaiActionType::aatProcessRule: ProcessRule(pRow); break;
    case TaiActionType::aatSet: {
      if (Trim(pRow.ActionExpression).empty()) {
        throw eaiPRocessorException(Capitalised(ConditionRowLabel(pRow.Order, pRow.Code)) + " sets \"" +
                                    pRow.ActionVariable + "\" but gives no value to set.");
      }
      EvaluateLiteral(pRow.ActionExpression, false, pItem, nullptr);
      bool handled = false;
      if (FOnSetVariable) FOnSetVariable(Parser(), pRow.ActionVariable, handled);
      if (!handled) {
        AssignProperty(pRow, pItem.GetClassInfo().FindProperty(pRow.ActionVariable), *Parser().CurrentExpression(),
                       pItem);
      }
      break;
    }
    default: EvaluateLiteral(pRow.ActionExpression, false, pItem, nullptr); break;
  }
  if (Tracing()) {
    FText.clear();
    if (const TExpression* current = Parser().CurrentExpression()) ResultText(current->Result(), FText);
    Trace(Parser(), &pItem, "Action = \"" + pRow.ActionExpression + "\", Result = \"" + FText + "\"");
  }
}

void TdmaiProcessor::RunLiteral(TnxBaseObject& pItem) {
  EnsureTable();
  // Timed only for the debug line that reports it.
  const double start = LogDebugging() ? Now() : 0;
  Parser().ClearExpressions();
  SortTable();
  FSorted = true;
  Table().First();
  const uint64_t limit = VisitLimit(Table().RecordCount());
  uint64_t visits = 0;
  TConditionRow row;
  try {
    while (!Table().Eof()) {
      row = ConditionRowOf(Table(), Table().RecNo());
      RefreshVariables(pItem);
      Visited();
      if (++visits > limit) TooManyVisits(visits - 1, row);
      const std::string go_to = Trim(row.GotoCodeOnTrue);
      const bool holds = EvaluateLiteral(row.ConditionExpression, true, pItem, nullptr);
      if (holds) RunLiteralAction(row, pItem);
      if (holds && row.ExitOnTrue) break;
      if (holds && !go_to.empty()) {
        const int target = FindCode(Table(), go_to);
        if (target >= 0) {
          Table().SetRecNo(target);
          continue;
        }
        GotoMissing(row, pItem);
      }
      Table().Next();
    }
  } catch (...) {
    Failed(row);
    throw;
  }
  Finished(start);
}

}  // namespace qora
