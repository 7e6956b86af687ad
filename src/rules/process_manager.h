// The rule-engine manager of a costing call: holds the work item, the award
// cache and the handlers the run driver registers, and loads and runs the
// conditions of each shift's award.
#pragma once

#include "rules/process_manager_intf.h"

namespace qora {

class TDBConnection;
class TObjListAwards;
class TUserFeedback;

class TaiProcessManager : public IProcessManager {
 public:
  void SetOnCreateVariables(TCreateVariablesEvent handler) override { FOnCreateVariables = std::move(handler); }
  void SetOnSetVariable(TECAParserEvent handler) override { FOnSetVariable = std::move(handler); }
  void SetOnDebugMessage(TECADebugEvent handler) override { FOnDebugMessage = std::move(handler); }

  void SetWorkItem(TTimesheetShift* shift) override { FWorkItem = shift; }
  TTimesheetShift* WorkItem() const override { return FWorkItem; }

  // Until the condition processor and the award model are part of the
  // engine, no award's conditions can be loaded: this throws
  // eNotImplementException, so each shift is reported as skipped with that
  // message rather than silently costed without its award.
  void LoadCurrentShiftConditions() override;
  // Runs the conditions loaded for the work item; none are loaded yet.
  void Process() override;

  // Not owned.
  void SetAwardCache(TObjListAwards* cache) { FAwardCache = cache; }
  TObjListAwards* AwardCache() const { return FAwardCache; }
  void SetUserFeedback(TUserFeedback* log) { FUserFeedback = log; }
  TUserFeedback* UserFeedback() const { return FUserFeedback; }
  void SetConnection(TDBConnection* connection) { FConnection = connection; }
  TDBConnection* Connection() const { return FConnection; }
  void SetPayrollConnection(TDBConnection* connection) { FPayrollConnection = connection; }
  TDBConnection* PayrollConnection() const { return FPayrollConnection; }

 private:
  TTimesheetShift* FWorkItem = nullptr;
  TObjListAwards* FAwardCache = nullptr;
  TUserFeedback* FUserFeedback = nullptr;
  TDBConnection* FConnection = nullptr;
  TDBConnection* FPayrollConnection = nullptr;
  TCreateVariablesEvent FOnCreateVariables;
  TECAParserEvent FOnSetVariable;
  TECADebugEvent FOnDebugMessage;
};

}  // namespace qora
