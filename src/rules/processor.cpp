// The condition table of the processor, loading and saving it, and what
// both ways of running share.
#include "rules/processor.h"

#include <algorithm>
#include <atomic>
#include <numeric>

#include "common/datetime.h"
#include "common/format.h"
#include "common/exceptions.h"
#include "common/text.h"
#include "foundation/base_object.h"
#include "foundation/user_feedback.h"
#include "rules/award_source.h"
#include "rules/process_manager.h"
#include "rules/processor_support.h"
#include "timesheet/csv_stream_format.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

namespace {

// Field positions of the condition table.
enum TConditionField : int {
  fOrder,
  fAction,
  fConditionExpression,
  fActionExpression,
  fActionVariable,
  fExitOnTrue,
  fCode,
  fGotoCodeOnTrue,
  fDescription,
};

void AppendRow(TMemoryTable& pTable, const TConditionRow& pRow) {
  pTable.Append();
  pTable.SetText(fOrder, std::to_string(pRow.Order));
  pTable.SetText(fAction, std::to_string(static_cast<int>(pRow.ActionType)));
  pTable.SetText(fConditionExpression, pRow.ConditionExpression);
  pTable.SetText(fActionExpression, pRow.ActionExpression);
  pTable.SetText(fActionVariable, pRow.ActionVariable);
  pTable.SetText(fExitOnTrue, BoolToStr(pRow.ExitOnTrue));
  pTable.SetText(fCode, pRow.Code);
  pTable.SetText(fGotoCodeOnTrue, pRow.GotoCodeOnTrue);
  pTable.SetText(fDescription, pRow.Description);
}

int32_t OrderOf(const std::vector<std::string>& pRow) {
  return static_cast<int32_t>(StrToIntDef(Trim(pRow[fOrder]), 0));
}

}  // namespace

uint64_t NewVariableHandlerGeneration() {
  static std::atomic<uint64_t> next{1};
  return next++;
}

TConditionRow ConditionRowOf(const TMemoryTable& pTable, int pIndex) {
  const std::vector<std::string>& r = pTable.Row(pIndex);
  TConditionRow row;
  row.Order = OrderOf(r);
  row.ActionType = static_cast<TaiActionType>(StrToIntDef(Trim(r[fAction]), 0));
  row.ConditionExpression = r[fConditionExpression];
  row.ActionExpression = r[fActionExpression];
  row.ActionVariable = r[fActionVariable];
  row.ExitOnTrue = StrToBoolDef(r[fExitOnTrue], false);
  row.Code = r[fCode];
  row.GotoCodeOnTrue = r[fGotoCodeOnTrue];
  row.Description = r[fDescription];
  return row;
}

TdmaiProcessor::TdmaiProcessor() = default;

// The parser and the table are made when first needed: a processor loaded
// with an award's compiled conditions needs neither, and one is made for
// every shift.
TQelParser& TdmaiProcessor::Parser() {
  if (!FParser) FParser = std::make_unique<TQelParser>();
  return *FParser;
}

TMemoryTable& TdmaiProcessor::Table() {
  if (!FTable) {
    FTable = std::make_unique<TMemoryTable>("tblConditions");
    FTable->AddField("iOrder", TFieldType::ftInteger);
    FTable->AddField("iAction", TFieldType::ftInteger);
    FTable->AddField("cConditionExpression", TFieldType::ftString, 4000);
    FTable->AddField("cActionExpression", TFieldType::ftString, 4000);
    FTable->AddField("cActionVariable", TFieldType::ftString, 200);
    FTable->AddField("bExitOnTrue", TFieldType::ftBoolean);
    FTable->AddField("cCode", TFieldType::ftString, 50);
    FTable->AddField("cGotoCodeOnTrue", TFieldType::ftString, 50);
    FTable->AddField("cDescription", TFieldType::ftString, 200);
  }
  return *FTable;
}

TdmaiProcessor::~TdmaiProcessor() = default;

void TdmaiProcessor::SetOnCreateVariables(TCreateVariablesEvent pHandler, uint64_t pGeneration) {
  FOnCreateVariables = std::move(pHandler);
  FHandlerGeneration = pGeneration != 0 ? pGeneration : NewVariableHandlerGeneration();
}

// ---- The table ----------------------------------------------------------------

void TdmaiProcessor::EnsureTable() {
  if (!FDeferred) return;
  FDeferred = false;
  if (TableActive()) {
    Table().EmptyTable();
  } else {
    Table().CreateTable();
  }
  if (FSorted) {
    for (const TConditionStep& step : FProgram->Steps()) AppendRow(Table(), *step.Row);
  } else {
    for (const TConditionRow& row : FProgram->Rows()) AppendRow(Table(), row);
  }
  Table().First();
}

void TdmaiProcessor::TableChanged() {
  FProgram.reset();
  FSorted = false;
}

TMemoryTable& TdmaiProcessor::tblConditions() {
  EnsureTable();
  return Table();
}

bool TdmaiProcessor::TableActive() const { return FTable && FTable->Active(); }

int TdmaiProcessor::ConditionCount() const {
  if (FDeferred) return static_cast<int>(FProgram->Rows().size());
  return TableActive() ? FTable->RecordCount() : 0;
}

void TdmaiProcessor::AddCondition(const std::string& pCode, int32_t pOrder, const std::string& pConditionExpression,
                                  const std::string& pActionExpression, const std::string& pActionVariable,
                                  TaiActionType pActionType, bool pExitOnTrue, const std::string& pGotoCodeOnTrue,
                                  const std::string& pDescription) {
  EnsureTable();
  if (!TableActive()) Table().CreateTable();
  TConditionRow row{pOrder != 0 ? pOrder : Table().RecordCount() + 1,
                    pActionType,
                    pConditionExpression,
                    pActionExpression,
                    pActionVariable,
                    pExitOnTrue,
                    pCode,
                    pGotoCodeOnTrue,
                    pDescription};
  AppendRow(Table(), row);
  TableChanged();
  LogAdded(row);
}

void TdmaiProcessor::ClearConditions() {
  if (FDeferred) {
    FDeferred = false;
    if (!TableActive()) Table().CreateTable();
  }
  if (TableActive()) Table().EmptyTable();
  TableChanged();
}

void TdmaiProcessor::InitialiseObjects() {
  EnsureTable();
  if (!TableActive()) Table().CreateTable();
}

void TdmaiProcessor::LoadAwardConditions(IAwardConditions& pAward) {
  FAward = &pAward;
  FRuleName = pAward.AwardCode();
  if (FEvaluation == TConditionEvaluation::Compiled && FManager) {
    // The award's conditions do not change during the call: they are
    // generated and compiled once, and the table is written only when
    // someone looks at it.
    std::shared_ptr<TConditionProgram> program = FManager->AwardProgram(pAward);
    ClearConditions();
    if (program->Rows().empty()) return;
    FProgram = std::move(program);
    FDeferred = true;
    if (LogDebugging()) {
      for (const TConditionRow& row : FProgram->Rows()) LogAdded(row);
    }
    return;
  }
  ClearConditions();
  for (TAwardFamily family : kAwardFamilies) {
    TaiConditionList list;
    pAward.PopulateConditions(family, list);
    for (int i = 0; i < list.Count(); ++i) {
      const TaiCondition& c = *list.GetCondition(i);
      AddCondition(c.Code(), c.Order(), c.ConditionExpression(), c.ActionExpression(), c.ActionVariable(),
                   c.ActionType(), c.ExitOnTrue(), c.GotoCodeOnTrue(), c.Description());
    }
  }
}

void TdmaiProcessor::SaveRulesToFile(const std::string& pFilename) {
  if (!FDeferred && !TableActive()) return;
  EnsureTable();
  CreateCSVStreamFormat()->SaveToFile(Table(), pFilename);
}

void TdmaiProcessor::LoadRulesFromFile(const std::string& pFilename) {
  FDeferred = false;
  TableChanged();
  CreateCSVStreamFormat()->LoadFromFile(Table(), pFilename);
  for (int i = 0; i < Table().RecordCount(); ++i) {
    const std::string& text = Table().Row(i)[fAction];
    int64_t action = -1;
    if (!TryStrToInt(Trim(text), action) || action < 0 || action > static_cast<int>(TaiActionType::aatProcessRule)) {
      Table().EmptyTable();
      throw eLoadFromStreamException(Format("Row %d of \"%s\": iAction \"%s\" is not an action type (0 to 4).",
                                            i + 1, pFilename, text));
    }
  }
  Table().First();
}

const std::shared_ptr<TConditionProgram>& TdmaiProcessor::Program() {
  if (!FProgram) {
    std::vector<TConditionRow> rows;
    rows.reserve(static_cast<size_t>(Table().RecordCount()));
    for (int i = 0; i < Table().RecordCount(); ++i) rows.push_back(ConditionRowOf(Table(), i));
    FProgram = std::make_shared<TConditionProgram>(std::move(rows));
  }
  return FProgram;
}

void TdmaiProcessor::SortTable() {
  const int count = Table().RecordCount();
  std::vector<int32_t> orders(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) orders[static_cast<size_t>(i)] = OrderOf(Table().Row(i));
  if (std::is_sorted(orders.begin(), orders.end())) return;
  std::vector<int> index(static_cast<size_t>(count));
  std::iota(index.begin(), index.end(), 0);
  std::stable_sort(index.begin(), index.end(),
                   [&orders](int a, int b) { return orders[static_cast<size_t>(a)] < orders[static_cast<size_t>(b)]; });
  std::vector<std::vector<std::string>> rows;
  rows.reserve(static_cast<size_t>(count));
  for (int i : index) rows.push_back(Table().Row(i));
  Table().EmptyTable();
  for (auto& row : rows) {
    Table().Append();
    for (int f = 0; f < static_cast<int>(row.size()); ++f) Table().SetText(f, std::move(row[static_cast<size_t>(f)]));
  }
}

// ---- Running: what both ways share --------------------------------------------

void TdmaiProcessor::ProcessConditions(TnxBaseObject* pItem) {
  if (!FDeferred && !TableActive()) {
    LogDebug("There are no conditions to process.");
    return;
  }
  if (!pItem) throw eaiPRocessorException("There is no shift to run the conditions against.");
  if (FEvaluation == TConditionEvaluation::Literal || !SupportsCompiledRun(pItem->GetClassInfo())) {
    RunLiteral(*pItem);
  } else {
    RunCompiled(*pItem);
  }
}

bool TdmaiProcessor::LogDebugging() const { return FUserFeedback && FUserFeedback->DebugEnabled(); }

void TdmaiProcessor::LogDebug(const std::string& pText) const {
  if (LogDebugging()) FUserFeedback->AddDebugMessage(pText, 0, TMessageSeverity::ms_Information);
}

void TdmaiProcessor::Trace(TQelParser& pParser, TnxBaseObject* pItem, const std::string& pText) const {
  FOnDebugMessage(pParser, pItem, pText);
}

void TdmaiProcessor::LogAdded(const TConditionRow& pRow) const {
  if (!LogDebugging()) return;
  LogDebug("Adding Condition with the following details:");
  LogDebug("  Method = \"" + pRow.ActionVariable + "\"");
  LogDebug("  Expression = \"" + pRow.ConditionExpression + "\"");
  LogDebug("  Variables = \"" + pRow.ActionExpression + "\"");
}

uint64_t TdmaiProcessor::VisitLimit(int pRows) const { return 100 * static_cast<uint64_t>(pRows) + 10000; }

void TdmaiProcessor::Visited() {
  if (FManager) FManager->ConditionVisited();
}

void TdmaiProcessor::Finished(double pStart) {
  // A run that started without debugging has no start time to report from.
  if (!LogDebugging() || pStart == 0) return;
  LogDebug(Format("Processed %d conditions in %f.1 seconds", ConditionCount(), (Now() - pStart) * 86400.0));
}

void TdmaiProcessor::Failed(const TConditionRow& pRow) const {
  if (FManager) FManager->NoteFailedCondition(FRuleName, pRow.Order, pRow.Code);
}

void TdmaiProcessor::CallOperation(const TConditionRow&, const OperationInfo* pOperation, TnxBaseObject& pItem,
                                   TQelParser* pParser) {
  // An operation the work item does not have is no error: awards may name
  // operations that only some work items offer.
  if (pOperation) pOperation->call(pItem, pParser, FParams);
}

void TdmaiProcessor::AssignProperty(const TConditionRow& pRow, const PropertyInfo* pProperty,
                                    const TExpression& pValue, TnxBaseObject& pItem) {
  const std::string label = ConditionRowLabel(pRow.Order, pRow.Code);
  if (!pProperty) {
    throw eaiPRocessorException(Capitalised(label) + " sets \"" + pRow.ActionVariable +
                                "\", which is neither a column nor a property of the shift.");
  }
  if (pProperty->IsObject() || pProperty->ReadOnly()) {
    throw eaiPRocessorException(Capitalised(label) + " sets \"" + pRow.ActionVariable +
                                "\", a property of the shift that cannot be set.");
  }
  PropValue value;
  switch (pProperty->kind) {
    case PropKind::Integer: value = static_cast<int64_t>(pValue.IntegerResult()); break;
    case PropKind::Double:
    case PropKind::Date: value = pValue.DoubleResult(); break;
    default: value = pValue.StringResult(); break;
  }
  pProperty->set(pItem, ConvertPropValue(*pProperty, value));
}

void TdmaiProcessor::GotoMissing(const TConditionRow& pRow, TnxBaseObject& pItem) const {
  if (!FUserFeedback) return;
  const auto* shift = dynamic_cast<const TTimesheetShift*>(&pItem);
  FUserFeedback->AddLogMessage(Capitalised(ConditionRowLabel(pRow.Order, pRow.Code)) + " goes to \"" +
                                   Trim(pRow.GotoCodeOnTrue) +
                                   "\", which no condition has; the next condition runs instead.",
                               shift ? shift->TimesheetID() : 0, TMessageSeverity::ms_Error, false);
}

void TdmaiProcessor::TooManyVisits(uint64_t pVisits, const TConditionRow& pRow) const {
  throw eaiPRocessorException(Format("The conditions were stopped after %d rows without coming to an end, at %s: "
                                     "go-to codes keep leading back to the same conditions.",
                                     static_cast<int64_t>(pVisits), ConditionRowLabel(pRow.Order, pRow.Code)));
}

void TdmaiProcessor::ProcessRule(const TConditionRow& pRow) {
  if (!FManager) {
    throw eaiPRocessorException(Capitalised(ConditionRowLabel(pRow.Order, pRow.Code)) +
                                " runs the conditions of award \"" + pRow.ActionVariable +
                                "\", but there is no process manager to load them.");
  }
  FManager->ProcessRule(pRow.ActionVariable, pRow.Order, pRow.Code);
}

}  // namespace qora
