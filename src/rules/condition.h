// The condition record: what an award component turns into and what the
// rule engine runs. A condition holds a Boolean expression, an action with
// its parameters (each an expression text) and the flow control around it
// (run order, exit on true, go to a labelled condition).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foundation/class_info.h"
#include "foundation/object_list.h"

namespace qora {

// The action kinds, in ordinal order. Each names a published operation of
// the shift and a fixed parameter list (TaiActionInfo).
enum class TaiAction : uint8_t {
  aaShowMessage,
  aaAddComponent,
  aaAddHours,
  aaAddOvertimeHours,
  aaAddTimeOfDayOvertimeHours,
  aaAddHoursWorkedOvertimeHours,
  aaAddBreak,
  aaAddAllowance,
  aaAddCappedAllowance,
  aaAddProportionalAllowance,
  aaApplyHigherDuty,
  aaApplyOvertimeToWorkCode,
  aaAddPenalty,
  aaAddMealBreakPenalty,
  aaAddShiftBreakPenalty,
  aaApplyLeaveAccrual,
  aaApplyLeaveReason,
  aaAddUnworkedPublicHoliday,
  aaAddMinOvertime,
  aaApplyPlannedHoursLeave,
  aaApplyCompareLeaveLoading,
};

// How a true condition's action is carried out.
enum class TaiActionType : uint8_t {
  aatNone = 0,         // evaluate the action expression only
  aatSet = 1,          // assign the action expression to a column or shift property
  aatCallMethod = 2,   // call the shift operation named by ActionVariable
  aatSetVariable = 3,  // evaluate the action expression only
  aatProcessRule = 4,  // run the conditions of the award named by ActionVariable
};

const EnumInfo& TaiActionInfo();
const EnumInfo& TaiActionTypeInfo();

// The operation name and the ordered parameter names of an action kind.
struct TaiActionDef {
  const char* operation;
  std::vector<const char*> parameters;
};
// Never fails for a value of the enumeration.
const TaiActionDef& TaiActionInfoOf(TaiAction action);

// One named parameter; Value is an expression text.
struct TaiParameter {
  std::string name;
  std::string Value;
};

class TaiParameters {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  const TaiParameter& operator[](int i) const { return FItems.at(static_cast<size_t>(i)); }
  TaiParameter& operator[](int i) { return FItems.at(static_cast<size_t>(i)); }
  // The first parameter whose name equals pName exactly (case matters);
  // null when none.
  TaiParameter* ParamByName(const std::string& pName);
  const TaiParameter* ParamByName(const std::string& pName) const;
  TaiParameter& Add(std::string pName, std::string pValue = {});
  void Clear() { FItems.clear(); }

 private:
  std::vector<TaiParameter> FItems;
};

class TaiCondition : public TnxBaseObject {
  QORA_CLASS(TaiCondition, TnxBaseObject)

 public:
  TaiCondition() = default;

  bool ExitOnTrue() const { return FExitOnTrue; }
  void SetExitOnTrue(bool v) { FExitOnTrue = v; }
  const std::string& Code() const { return FCode; }
  void SetCode(const std::string& v) { FCode = v; }
  int32_t Order() const { return FOrder; }
  void SetOrder(int32_t v) { FOrder = v; }
  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& v) { FDescription = v; }
  // For aatSet the variable assigned, for aatCallMethod the operation name,
  // for aatProcessRule the award code whose conditions run.
  const std::string& ActionVariable() const { return FActionVariable; }
  void SetActionVariable(const std::string& v) { FActionVariable = v; }
  // Empty means always true.
  const std::string& ConditionExpression() const { return FConditionExpression; }
  void SetConditionExpression(const std::string& v) { FConditionExpression = v; }
  const std::string& GotoCodeOnTrue() const { return FGotoCodeOnTrue; }
  void SetGotoCodeOnTrue(const std::string& v) { FGotoCodeOnTrue = v; }
  TaiAction Action() const { return FAction; }
  // Sets ActionVariable to the kind's operation name, empties the
  // parameters and adds the kind's parameters with empty values.
  void SetAction(TaiAction v);
  TaiActionType ActionType() const { return FActionType; }
  void SetActionType(TaiActionType v) { FActionType = v; }
  TaiParameters& Parameters() { return FaiParameters; }
  const TaiParameters& Parameters() const { return FaiParameters; }
  // The expression an aatSet assigns.
  const std::string& VariableValue() const { return FVariableValue; }
  void SetVariableValue(const std::string& v) { FVariableValue = v; }
  // VariableValue for aatSet; otherwise the parameter values joined by ";"
  // in order ("" without parameters).
  std::string ActionExpression() const;
  // Adds the parameter only when none of that name exists; returns the
  // parameter of that name either way.
  TaiParameter& AddParameter(const std::string& pName, const std::string& pValue);
  // Sets the value of the named parameter, adding it when absent.
  void SetParam(const std::string& pName, const std::string& pValue);

 private:
  friend struct TaiConditionRegistry;

  bool FExitOnTrue = false;
  std::string FCode;
  int32_t FOrder = 0;
  std::string FDescription;
  std::string FActionVariable;
  std::string FConditionExpression;
  std::string FGotoCodeOnTrue;
  TaiAction FAction = TaiAction::aaShowMessage;
  TaiActionType FActionType = TaiActionType::aatNone;
  TaiParameters FaiParameters;
  std::string FVariableValue;
};

// An owning list of conditions.
class TaiConditionList : public TypedObjectList<TaiCondition> {
  QORA_CLASS(TaiConditionList, TypedObjectList<TaiCondition>)

 public:
  TaiConditionList() = default;

  // Appends the condition (owned); returns its index.
  int AddCondition(std::unique_ptr<TaiCondition> pCondition) { return Add(std::move(pCondition)); }
  // Throws std::out_of_range for a bad index.
  TaiCondition* GetCondition(int Index) const { return Items(Index); }
  void SetCondition(int Index, std::unique_ptr<TaiCondition> Value) { SetItem(Index, std::move(Value)); }
  TaiCondition* Conditions(int Index) const { return Items(Index); }
};

}  // namespace qora
