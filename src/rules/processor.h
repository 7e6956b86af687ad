// The condition processor: one award's conditions in a table, and the run
// of that table against a work item (a shift). The run sorts the rows by
// order, evaluates each row's condition and, when it holds, runs its
// action: a shift operation called by name, an assignment to a column or a
// shift property, an expression evaluated for its effect, or the
// conditions of another award. Exit-on-true and go-to steer the walk.
//
// Two ways of running give the same results, run log and errors:
//  - Compiled (the default): each distinct expression text is compiled once
//    per variable layout and kept with the loaded conditions (for an
//    award's conditions, for the whole costing call), and a variable is
//    read from the shift only when an expression about to run uses it and
//    the shift may have changed;
//  - Literal: before every row the parser is emptied, every variable is
//    made afresh from the shift and the row's texts are compiled again.
//    It stays as the yardstick the compiled run is measured and checked
//    against.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "formula/parser.h"
#include "foundation/action_params.h"
#include "rules/condition.h"
#include "rules/condition_program.h"
#include "rules/process_manager_intf.h"
#include "timesheet/csv_memory_table.h"

namespace qora {

class IAwardConditions;
class TaiProcessManager;
class TUserFeedback;
class TnxBaseObject;
class TTimesheetColumn;

enum class TConditionEvaluation : uint8_t { Compiled, Literal };

// A number that no create-variables handler has had yet: compiled
// conditions are kept per handler, since the handler decides the variables.
uint64_t NewVariableHandlerGeneration();

class TdmaiProcessor {
 public:
  // The condition table starts empty and closed.
  TdmaiProcessor();
  ~TdmaiProcessor();
  TdmaiProcessor(const TdmaiProcessor&) = delete;
  TdmaiProcessor& operator=(const TdmaiProcessor&) = delete;

  // ---- Links and settings (nothing here is owned) ------------------------
  // The manager that created the processor: it counts the rows visited,
  // keeps compiled award conditions, and runs the conditions of another
  // award. May be null for a processor used on its own.
  TaiProcessManager* Manager() const { return FManager; }
  void SetManager(TaiProcessManager* pManager) { FManager = pManager; }
  TUserFeedback* UserFeedback() const { return FUserFeedback; }
  void SetUserFeedback(TUserFeedback* pLog) { FUserFeedback = pLog; }
  // pGeneration identifies the handler for compiled layouts; 0 takes a new
  // number (a processor used on its own).
  void SetOnCreateVariables(TCreateVariablesEvent pHandler, uint64_t pGeneration = 0);
  void SetOnSetVariable(TECAParserEvent pHandler) { FOnSetVariable = std::move(pHandler); }
  void SetOnDebugMessage(TECADebugEvent pHandler) { FOnDebugMessage = std::move(pHandler); }
  // With debug mode on (the default) the trace lines go to OnDebugMessage;
  // with it off their texts are not even built.
  bool DebugMode() const { return FDebugMode; }
  void SetDebugMode(bool pValue) { FDebugMode = pValue; }
  TConditionEvaluation Evaluation() const { return FEvaluation; }
  void SetEvaluation(TConditionEvaluation pValue) { FEvaluation = pValue; }
  int32_t RuleID() const { return FRuleID; }
  void SetRuleID(int32_t pValue) { FRuleID = pValue; }
  // The award code (or file) the conditions came from, for messages; set
  // by LoadAwardConditions.
  const std::string& RuleName() const { return FRuleName; }
  void SetRuleName(std::string pValue) { FRuleName = std::move(pValue); }
  // The parser of the literal run; the compiled run hands it to shift
  // operations. Owned by the processor.
  TQelParser& Parser();
  // The award whose conditions were loaded last; null when none was.
  IAwardConditions* Award() const { return FAward; }

  // ---- The condition table ---------------------------------------------
  // The nine columns iOrder, iAction, cConditionExpression,
  // cActionExpression, cActionVariable, bExitOnTrue, cCode, cGotoCodeOnTrue,
  // cDescription. Rows are in the order they were added until a run sorts
  // them by iOrder.
  TMemoryTable& tblConditions();
  // Opens the table when needed and appends the row; an order of 0 becomes
  // the row count + 1. Writes four debug lines to the run log.
  void AddCondition(const std::string& pCode, int32_t pOrder, const std::string& pConditionExpression,
                    const std::string& pActionExpression, const std::string& pActionVariable,
                    TaiActionType pActionType, bool pExitOnTrue, const std::string& pGotoCodeOnTrue,
                    const std::string& pDescription);
  // Empties the table (a closed table stays closed).
  void ClearConditions();
  // Opens the table when it is not open.
  void InitialiseObjects();
  // Number of rows.
  int ConditionCount() const;
  // Empties the table and appends the conditions of the award's rules,
  // overtime, penalties, allowances and leave, in that order, each family
  // component by component. The award must stay valid while the processor
  // lives. Throws what the award throws while it generates its conditions.
  void LoadAwardConditions(IAwardConditions& pAward);
  // When the table is open, writes it in the CSV dialect (with its
  // definitions) to the file; nothing otherwise. Throws
  // eLoadFromFileException when the file cannot be written.
  void SaveRulesToFile(const std::string& pFilename);
  // Replaces the table's rows with those of a file in the layout
  // SaveRulesToFile writes (columns are found by the header's names; a
  // file without the definition block reads as well). Throws
  // eLoadFromFileException when the file cannot be read, and
  // eLoadFromStreamException naming the row when an iAction is not an
  // action type (0 to 4).
  void LoadRulesFromFile(const std::string& pFilename);

  // ---- Running -------------------------------------------------------------
  // Runs the table against the work item (see the file comment). Expression
  // errors, a failing shift operation and the errors below propagate;
  // "There are no conditions to process." is a debug line for a table that
  // was never opened. A go-to code that no row has is logged as an error and
  // the run goes on with the next row; more row visits than 100 per row
  // plus 10000 stop the run with eaiPRocessorException, as does an
  // assignment to a name that is neither a column nor a settable property.
  void ProcessConditions(TnxBaseObject* pItem);

 private:
  struct TRunState;

  // The rows as the run sees them, kept while the table does not change.
  const std::shared_ptr<TConditionProgram>& Program();
  void EnsureTable();
  void TableChanged();
  void SortTable();
  bool Tracing() const { return FDebugMode && static_cast<bool>(FOnDebugMessage); }
  bool LogDebugging() const;
  void LogDebug(const std::string& pText) const;
  void Trace(TQelParser& pParser, TnxBaseObject* pItem, const std::string& pText) const;
  void LogAdded(const TConditionRow& pRow) const;
  uint64_t VisitLimit(int pRows) const;

  // The literal run (processor_literal.cpp).
  void RunLiteral(TnxBaseObject& pItem);
  void RefreshVariables(TnxBaseObject& pItem);
  bool EvaluateLiteral(const std::string& pText, bool pCondition, TnxBaseObject& pItem, std::string* pCanonical);
  void RunLiteralAction(const TConditionRow& pRow, TnxBaseObject& pItem);

  // The compiled run (processor_compiled.cpp).
  void RunCompiled(TnxBaseObject& pItem);
  void SelectLayout(TRunState& pState, TnxBaseObject& pItem);
  const TCompiledText* EvaluateCompiled(TRunState& pState, int pText, TnxBaseObject& pItem);
  void RunCompiledAction(TRunState& pState, int pStep, TnxBaseObject& pItem);

  // Shared by both runs.
  void CallOperation(const TConditionRow& pRow, const OperationInfo* pOperation, TnxBaseObject& pItem,
                     TQelParser* pParser);
  void AssignProperty(const TConditionRow& pRow, const PropertyInfo* pProperty, const TExpression& pValue,
                      TnxBaseObject& pItem);
  void GotoMissing(const TConditionRow& pRow, TnxBaseObject& pItem) const;
  [[noreturn]] void TooManyVisits(uint64_t pVisits, const TConditionRow& pRow) const;
  void ProcessRule(const TConditionRow& pRow);
  void Visited();
  void Failed(const TConditionRow& pRow) const;
  void Finished(double pStart);

  TaiProcessManager* FManager = nullptr;
  TUserFeedback* FUserFeedback = nullptr;
  TCreateVariablesEvent FOnCreateVariables;
  uint64_t FHandlerGeneration = 0;
  TECAParserEvent FOnSetVariable;
  TECADebugEvent FOnDebugMessage;
  bool FDebugMode = true;
  TConditionEvaluation FEvaluation = TConditionEvaluation::Compiled;
  int32_t FRuleID = 0;
  std::string FRuleName;
  IAwardConditions* FAward = nullptr;
  std::unique_ptr<TQelParser> FParser;

  TMemoryTable& Table();
  bool TableActive() const;
  std::unique_ptr<TMemoryTable> FTable;
  // The rows as a program; shared with the manager's cache for an award.
  std::shared_ptr<TConditionProgram> FProgram;
  // FProgram's rows are the table's content but are not written into it
  // yet (an award's cached conditions): the table is filled on demand.
  bool FDeferred = false;
  // The content is in run order (a run has sorted it).
  bool FSorted = false;

  // Reused from row to row so that running allocates nothing: the
  // parameters of the action being called, and the texts of those that are
  // not literals.
  TActionParams FParams;
  std::vector<TActionParam> FParamTexts;
  std::vector<TTimesheetColumn*> FColumns;
  std::string FText;
};

}  // namespace qora
