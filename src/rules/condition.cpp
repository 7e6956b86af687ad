#include "rules/condition.h"

#include "foundation/class_builder.h"

namespace qora {

namespace {

// Indexed by TaiAction ordinal; the operation names are the shift's
// published operations and the parameter order is the order of the values
// in a condition's ActionExpression.
const std::vector<TaiActionDef>& ActionTable() {
  static const std::vector<TaiActionDef> table{
      {"ShowMessage", {"Message"}},
      {"AddComponent", {"Code", "Percentage"}},
      {"AddHours", {"StartTime", "EndTime", "Code", "WorkCode", "HoursType", "JobTitle"}},
      {"AddOvertimeHours", {"Code", "NextCode", "NextHours", "WorkCode"}},
      {"AddTimeOfDayOvertimeHours", {"StartDay", "EndDay", "StartTime", "EndTime", "Code", "NextCode", "NextHours"}},
      {"AddHoursWorkedOvertimeHours",
       {"ExceedBasedOn", "PeriodType", "Code", "NextCode", "Hours", "NextHours", "LeaveReasons", "StartDate"}},
      {"AddBreak", {"StartTime", "EndTime"}},
      {"AddAllowance", {"Value", "Code"}},
      {"AddCappedAllowance", {"Value", "Code", "CapValue", "CapUnit", "CapMinMax"}},
      {"AddProportionalAllowance", {"Value", "Code", "ProportionType"}},
      {"ApplyHigherDuty", {"StartTime", "EndTime", "Code"}},
      {"ApplyOvertimeToWorkCode", {"WorkCode", "RateCode", "NextOvertimeHours", "NextRateCode"}},
      {"AddPenalty", {"StartTime", "EndTime", "Percentage", "Code"}},
      {"AddMealBreakPenalty", {"Hours", "Percentage", "NextHours", "NextPercentage", "Code", "WorkCode", "MinDuration"}},
      {"AddShiftBreakPenalty", {"Code", "Percentage", "Hours", "PayFullShift"}},
      {"ApplyLeaveAccrual", {"Code", "WorkCode", "AccrueType", "AccrueAll"}},
      {"ApplyLeaveReason", {"LeaveReason", "RateCode", "Percentage"}},
      {"AddUnworkedPublicHolidayHours", {"CostCode"}},
      {"AddMinOvertime", {"RateCode", "Hours"}},
      {"ApplyPlannedHoursLeave", {"LeaveReasons", "Allowances", "Penalties"}},
      {"ApplyCompareLeaveLoading", {"Allowances", "Penalties"}},
  };
  return table;
}

}  // namespace

const EnumInfo& TaiActionInfo() {
  static const EnumInfo info{"TaiAction",
                             {"aaShowMessage",
                              "aaAddComponent",
                              "aaAddHours",
                              "aaAddOvertimeHours",
                              "aaAddTimeOfDayOvertimeHours",
                              "aaAddHoursWorkedOvertimeHours",
                              "aaAddBreak",
                              "aaAddAllowance",
                              "aaAddCappedAllowance",
                              "aaAddProportionalAllowance",
                              "aaApplyHigherDuty",
                              "aaApplyOvertimeToWorkCode",
                              "aaAddPenalty",
                              "aaAddMealBreakPenalty",
                              "aaAddShiftBreakPenalty",
                              "aaApplyLeaveAccrual",
                              "aaApplyLeaveReason",
                              "aaAddUnworkedPublicHoliday",
                              "aaAddMinOvertime",
                              "aaApplyPlannedHoursLeave",
                              "aaApplyCompareLeaveLoading"}};
  return info;
}

const EnumInfo& TaiActionTypeInfo() {
  static const EnumInfo info{"TaiActionType",
                             {"aatNone", "aatSet", "aatCallMethod", "aatSetVariable", "aatProcessRule"}};
  return info;
}

const TaiActionDef& TaiActionInfoOf(TaiAction action) { return ActionTable().at(static_cast<size_t>(action)); }

TaiParameter* TaiParameters::ParamByName(const std::string& pName) {
  for (auto& p : FItems) {
    if (p.name == pName) return &p;
  }
  return nullptr;
}

const TaiParameter* TaiParameters::ParamByName(const std::string& pName) const {
  return const_cast<TaiParameters*>(this)->ParamByName(pName);
}

TaiParameter& TaiParameters::Add(std::string pName, std::string pValue) {
  FItems.push_back(TaiParameter{std::move(pName), std::move(pValue)});
  return FItems.back();
}

void TaiCondition::SetAction(TaiAction v) {
  FAction = v;
  const TaiActionDef& def = TaiActionInfoOf(v);
  FActionVariable = def.operation;
  FaiParameters.Clear();
  for (const char* name : def.parameters) AddParameter(name, "");
}

std::string TaiCondition::ActionExpression() const {
  if (FActionType == TaiActionType::aatSet) return FVariableValue;
  std::string out;
  for (int i = 0; i < FaiParameters.Count(); ++i) {
    if (i > 0) out += ';';
    out += FaiParameters[i].Value;
  }
  return out;
}

TaiParameter& TaiCondition::AddParameter(const std::string& pName, const std::string& pValue) {
  if (TaiParameter* existing = FaiParameters.ParamByName(pName)) return *existing;
  return FaiParameters.Add(pName, pValue);
}

void TaiCondition::SetParam(const std::string& pName, const std::string& pValue) {
  AddParameter(pName, pValue).Value = pValue;
}

struct TaiConditionRegistry {
  static const ClassInfo& Build() {
    using C = TaiCondition;
    return ClassBuilder<C>("TaiCondition")
        .Field("ExitOnTrue", &C::FExitOnTrue)
        .Field("Code", &C::FCode)
        .Field("Order", &C::FOrder)
        .Field("Description", &C::FDescription)
        .Field("ActionVariable", &C::FActionVariable)
        .Field("ConditionExpression", &C::FConditionExpression)
        .Field("GotoCodeOnTrue", &C::FGotoCodeOnTrue)
        .Property(
            "Action", PropKind::Enumeration, [](const C& c) { return c.Action(); },
            [](C& c, const PropValue& v) { c.SetAction(static_cast<TaiAction>(std::get<int64_t>(v))); },
            &TaiActionInfo())
        .Enum("ActionType", &C::FActionType, TaiActionTypeInfo())
        .Field("VariableValue", &C::FVariableValue)
        .Getter("ActionExpression", PropKind::String, [](const C& c) { return c.ActionExpression(); })
        .Build();
  }
};

const ClassInfo& TaiCondition::StaticClassInfo() {
  static const ClassInfo& info = TaiConditionRegistry::Build();
  return info;
}

const ClassInfo& TaiConditionList::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TaiConditionList>("TaiConditionList").Build();
  return info;
}

}  // namespace qora
