// The rule-engine manager of a costing call: holds the work item and the
// handlers the run driver registers, loads each shift's award conditions
// into a condition processor (through the award provider) and runs them.
// It keeps, for the whole call, each award version's conditions in
// compiled form, so that they are generated and compiled once rather than
// for every shift.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/base_object.h"
#include "rules/process_manager_intf.h"
#include "rules/processor.h"

namespace qora {

class IAwardConditions;
class IAwardProvider;
class TConditionProgram;
class TDBConnection;
class TObjListAwards;
class TUserFeedback;

// The condition row at which the last shift's run failed.
struct TFailedCondition {
  std::string Award;  // the code (or file) whose conditions were running
  int32_t Order = 0;
  std::string Code;
};

class TaiProcessManager : public TnxBaseObject, public IProcessManager {
  QORA_CLASS(TaiProcessManager, TnxBaseObject)

 public:
  // Deeper nesting of conditions that run another award's conditions is
  // refused: awards that run each other in a circle would never end.
  static constexpr int kMaxRuleDepth = 16;

  TaiProcessManager();
  ~TaiProcessManager() override;

  // Setting a handler also sets it on the current processor.
  void SetOnCreateVariables(TCreateVariablesEvent handler, const void* pSource = nullptr) override;
  void SetOnSetVariable(TECAParserEvent handler) override;
  void SetOnDebugMessage(TECADebugEvent handler) override;

  void SetWorkItem(TTimesheetShift* shift) override { FWorkItem = shift; }
  TTimesheetShift* WorkItem() const override { return FWorkItem; }

  // Frees every processor, then LoadConditions(WorkItem's EmployeeAward).
  // Throws eaiPRocessorException without a work item, and what
  // LoadConditions throws.
  void LoadCurrentShiftConditions() override;
  // Runs the current processor's conditions against the work item; nothing
  // when no processor was loaded.
  void Process() override;

  // Creates a processor (given the run log, this manager and the handlers),
  // makes it the current one, keeps it until the next shift, and loads into
  // it the conditions of the award pCode names for the work item, the
  // provider setting the shift up from the award. Throws
  // eNotImplementException while no award provider is set, and the
  // provider's messages for an award that cannot be had.
  void LoadConditions(const std::string& pCode);
  // The current processor's SaveRulesToFile; nothing without one.
  void CSVSaveConditions(const std::string& pFilename);

  // The processor loaded last (null before the first load); owned.
  TdmaiProcessor* CurrentProcessor() const { return FCurrentProcessor; }
  int ProcessorCount() const { return static_cast<int>(FProcessorList.size()); }
  // Conditions loaded into processors, and condition rows visited, since
  // the manager was made.
  int32_t LoadedConditions() const { return FLoadedConditions; }
  int32_t ProcessedConditions() const { return FProcessedConditions; }
  // Where the last shift's conditions failed; empty when they did not, or
  // when the failure came before any row ran.
  const std::optional<TFailedCondition>& FailedCondition() const { return FFailedCondition; }

  // Not owned; must outlive every load. Setting it forgets the compiled
  // conditions of the previous provider's awards.
  void SetAwardProvider(IAwardProvider* provider);
  IAwardProvider* AwardProvider() const { return FAwardProvider; }
  // How the processors created from now on run (compiled by default).
  void SetEvaluation(TConditionEvaluation evaluation) { FEvaluation = evaluation; }
  TConditionEvaluation Evaluation() const { return FEvaluation; }

  // Not owned.
  void SetAwardCache(TObjListAwards* cache) { FAwardCache = cache; }
  TObjListAwards* AwardCache() const { return FAwardCache; }
  void SetUserFeedback(TUserFeedback* log) { FUserFeedback = log; }
  TUserFeedback* UserFeedback() const { return FUserFeedback; }
  void SetConnection(TDBConnection* connection) { FConnection = connection; }
  TDBConnection* Connection() const { return FConnection; }
  void SetPayrollConnection(TDBConnection* connection) { FPayrollConnection = connection; }
  TDBConnection* PayrollConnection() const { return FPayrollConnection; }

  // ---- For the processors ----------------------------------------------------
  // The award's conditions as a program, generated on first use and kept
  // for the call (the award stays at its address with the same conditions).
  // Throws what the award throws while generating; nothing is kept then.
  std::shared_ptr<TConditionProgram> AwardProgram(IAwardConditions& pAward);
  void ConditionVisited() { ++FProcessedConditions; }
  // The parser compiled runs hand to shift operations (an operation that
  // adds a column makes the column's variable in it). Owned; made on first use.
  TQelParser& OperationParser();
  // Runs the conditions of award pCode against the work item, for the
  // condition (pOrder, pRowCode) whose action asks for it: LoadConditions
  // then Process. Throws eaiPRocessorException beyond kMaxRuleDepth.
  void ProcessRule(const std::string& pCode, int32_t pOrder, const std::string& pRowCode);
  // Remembers the row that failed; the innermost one (noted first) stays.
  void NoteFailedCondition(const std::string& pAward, int32_t pOrder, const std::string& pCode);

 private:
  TdmaiProcessor* FCurrentProcessor = nullptr;
  std::vector<std::unique_ptr<TdmaiProcessor>> FProcessorList;
  TTimesheetShift* FWorkItem = nullptr;
  IAwardProvider* FAwardProvider = nullptr;
  TObjListAwards* FAwardCache = nullptr;
  TUserFeedback* FUserFeedback = nullptr;
  TDBConnection* FConnection = nullptr;
  TDBConnection* FPayrollConnection = nullptr;
  TCreateVariablesEvent FOnCreateVariables;
  uint64_t FHandlerGeneration = 0;
  const void* FVariableSource = nullptr;
  TECAParserEvent FOnSetVariable;
  TECADebugEvent FOnDebugMessage;
  int32_t FLoadedConditions = 0;
  int32_t FProcessedConditions = 0;
  int FRuleDepth = 0;
  TConditionEvaluation FEvaluation = TConditionEvaluation::Compiled;
  std::optional<TFailedCondition> FFailedCondition;
  std::unordered_map<const IAwardConditions*, std::shared_ptr<TConditionProgram>> FPrograms;
  std::unique_ptr<TQelParser> FOperationParser;
};

}  // namespace qora
