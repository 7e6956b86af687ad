#include "rules/process_manager.h"

#include "common/exceptions.h"
#include "common/format.h"
#include "foundation/class_builder.h"
#include "foundation/user_feedback.h"
#include "rules/award_source.h"
#include "rules/condition_program.h"
#include "rules/processor_support.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

namespace {

// The award's conditions as a load into an empty table stores them: family
// by family, and an order of 0 becoming the row count + 1.
std::vector<TConditionRow> CollectAwardConditions(IAwardConditions& pAward) {
  std::vector<TConditionRow> rows;
  for (TAwardFamily family : kAwardFamilies) {
    TaiConditionList list;
    pAward.PopulateConditions(family, list);
    for (int i = 0; i < list.Count(); ++i) {
      const TaiCondition& c = *list.GetCondition(i);
      rows.push_back(TConditionRow{c.Order() != 0 ? c.Order() : static_cast<int32_t>(rows.size()) + 1,
                                   c.ActionType(), c.ConditionExpression(), c.ActionExpression(),
                                   c.ActionVariable(), c.ExitOnTrue(), c.Code(), c.GotoCodeOnTrue(),
                                   c.Description()});
    }
  }
  return rows;
}

// Keeps the nesting depth right however a nested run ends.
struct TDepthGuard {
  int& depth;
  explicit TDepthGuard(int& d) : depth(d) { ++depth; }
  ~TDepthGuard() { --depth; }
};

}  // namespace

const ClassInfo& TaiProcessManager::StaticClassInfo() {
  static const ClassInfo& info =
      ClassBuilder<TaiProcessManager>("TaiProcessManager", true)
          .Getter("LoadedConditions", PropKind::Integer, [](const TaiProcessManager& m) { return m.LoadedConditions(); })
          .Getter("ProcessedConditions", PropKind::Integer,
                  [](const TaiProcessManager& m) { return m.ProcessedConditions(); })
          .Build();
  return info;
}

TaiProcessManager::TaiProcessManager() : FHandlerGeneration(NewVariableHandlerGeneration()) {}
TaiProcessManager::~TaiProcessManager() = default;

void TaiProcessManager::SetOnCreateVariables(TCreateVariablesEvent handler, const void* pSource) {
  FOnCreateVariables = std::move(handler);
  // A new generation makes every award compile again against the new
  // handler's variables, and the old compiled forms stay until the call
  // ends: only a handler that may make other variables earns one.
  if (pSource == nullptr || pSource != FVariableSource) FHandlerGeneration = NewVariableHandlerGeneration();
  FVariableSource = pSource;
  if (FCurrentProcessor) FCurrentProcessor->SetOnCreateVariables(FOnCreateVariables, FHandlerGeneration);
}

void TaiProcessManager::SetOnSetVariable(TECAParserEvent handler) {
  FOnSetVariable = std::move(handler);
  if (FCurrentProcessor) FCurrentProcessor->SetOnSetVariable(FOnSetVariable);
}

void TaiProcessManager::SetOnDebugMessage(TECADebugEvent handler) {
  FOnDebugMessage = std::move(handler);
  if (FCurrentProcessor) FCurrentProcessor->SetOnDebugMessage(FOnDebugMessage);
}

void TaiProcessManager::SetAwardProvider(IAwardProvider* provider) {
  FAwardProvider = provider;
  FPrograms.clear();
}

void TaiProcessManager::LoadCurrentShiftConditions() {
  FCurrentProcessor = nullptr;
  FProcessorList.clear();
  FFailedCondition.reset();
  FRuleDepth = 0;
  if (!FWorkItem) throw eaiPRocessorException("There is no shift to load conditions for.");
  LoadConditions(FWorkItem->EmployeeAward());
}

void TaiProcessManager::LoadConditions(const std::string& pCode) {
  if (!FAwardProvider) {
    // Every run sets a provider; a caller that forgot is told so.
    throw eaiPRocessorException("Award conditions cannot be loaded: the run has no award provider.");
  }
  if (!FWorkItem) throw eaiPRocessorException("There is no shift to load conditions for.");
  auto processor = std::make_unique<TdmaiProcessor>();
  processor->SetUserFeedback(FUserFeedback);
  processor->SetManager(this);
  processor->SetOnCreateVariables(FOnCreateVariables, FHandlerGeneration);
  processor->SetOnSetVariable(FOnSetVariable);
  processor->SetOnDebugMessage(FOnDebugMessage);
  processor->SetDebugMode(!FUserFeedback || FUserFeedback->DebugEnabled());
  processor->SetEvaluation(FEvaluation);
  FCurrentProcessor = processor.get();
  FProcessorList.push_back(std::move(processor));
  IAwardConditions& award = FAwardProvider->PrepareShiftAward(*FWorkItem, pCode);
  FCurrentProcessor->LoadAwardConditions(award);
  FLoadedConditions += FCurrentProcessor->ConditionCount();
}

void TaiProcessManager::Process() {
  if (FCurrentProcessor) FCurrentProcessor->ProcessConditions(FWorkItem);
}

void TaiProcessManager::CSVSaveConditions(const std::string& pFilename) {
  if (FCurrentProcessor) FCurrentProcessor->SaveRulesToFile(pFilename);
}

std::shared_ptr<TConditionProgram> TaiProcessManager::AwardProgram(IAwardConditions& pAward) {
  auto it = FPrograms.find(&pAward);
  if (it != FPrograms.end()) return it->second;
  auto program = std::make_shared<TConditionProgram>(CollectAwardConditions(pAward));
  FPrograms.emplace(&pAward, program);
  return program;
}

TQelParser& TaiProcessManager::OperationParser() {
  if (!FOperationParser) FOperationParser = std::make_unique<TQelParser>();
  return *FOperationParser;
}

void TaiProcessManager::ProcessRule(const std::string& pCode, int32_t pOrder, const std::string& pRowCode) {
  if (FRuleDepth >= kMaxRuleDepth) {
    throw eaiPRocessorException(Format("%s runs the conditions of award \"%s\" nested %d deep; awards that run "
                                       "each other's conditions in a circle never end, so the shift stops here.",
                                       Capitalised(ConditionRowLabel(pOrder, pRowCode)), pCode, FRuleDepth + 1));
  }
  TDepthGuard guard(FRuleDepth);
  LoadConditions(pCode);
  Process();
}

void TaiProcessManager::NoteFailedCondition(const std::string& pAward, int32_t pOrder, const std::string& pCode) {
  if (!FFailedCondition) FFailedCondition = TFailedCondition{pAward, pOrder, pCode};
}

}  // namespace qora
