#include "rules/condition_file.h"

#include "common/exceptions.h"
#include "common/text.h"
#include "rules/processor.h"
#include "rules/processor_support.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

TConditionFileAward::TConditionFileAward(const std::string& pFilename) : FFilename(pFilename) {
  TdmaiProcessor reader;
  reader.LoadRulesFromFile(pFilename);
  const TMemoryTable& table = reader.tblConditions();
  for (int i = 0; i < table.RecordCount(); ++i) FRows.push_back(ConditionRowOf(table, i));
}

void TConditionFileAward::PopulateConditions(TAwardFamily pFamily, TaiConditionList& pList) {
  if (pFamily != TAwardFamily::Rules) return;
  for (const TConditionRow& row : FRows) {
    auto condition = std::make_unique<TaiCondition>();
    condition->SetCode(row.Code);
    condition->SetOrder(row.Order);
    condition->SetDescription(row.Description);
    condition->SetConditionExpression(row.ConditionExpression);
    condition->SetGotoCodeOnTrue(row.GotoCodeOnTrue);
    condition->SetExitOnTrue(row.ExitOnTrue);
    condition->SetActionType(row.ActionType);
    condition->SetActionVariable(row.ActionVariable);
    // One parameter carries the whole text, so ActionExpression gives it
    // back as the file has it.
    if (row.ActionType == TaiActionType::aatSet) {
      condition->SetVariableValue(row.ActionExpression);
    } else {
      condition->AddParameter("Expression", row.ActionExpression);
    }
    pList.AddCondition(std::move(condition));
  }
}

IAwardConditions& TConditionFileProvider::PrepareShiftAward(TTimesheetShift& pShift, const std::string& pCode) {
  if (!SameText(pCode, pShift.EmployeeAward())) {
    throw eaiPRocessorException("Could not load award code \"" + pCode + "\" for Employee \"" +
                                pShift.EmployeeCode() + "\"");
  }
  return FAward;
}

}  // namespace qora
