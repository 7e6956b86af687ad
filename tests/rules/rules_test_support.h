// Guards the rule-engine tests against hidden set-up: condition rows in one line each, a work item that records the operations called on it, awards and a provider made of such rows, and shifts on a manager.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/exceptions.h"
#include "engine/timesheet_manager.h"
#include "foundation/class_builder.h"
#include "rules/award_source.h"
#include "rules/processor.h"
#include "timesheet/timesheet.h"
#include "timesheet/timesheet_shift.h"

namespace qora::testing {

struct Row {
  int order;
  TaiActionType type;
  std::string condition;
  std::string action;
  std::string variable;
  bool exit = false;
  std::string code = "";
  std::string go_to = "";
};

inline void AddRows(TdmaiProcessor& p, const std::vector<Row>& rows) {
  for (const Row& r : rows) {
    p.AddCondition(r.code, r.order, r.condition, r.action, r.variable, r.type, r.exit, r.go_to, "");
  }
}

// A work item with a property of each kind and an operation that records
// the parameters it is called with.
class TProbe : public TnxBaseObject {
  QORA_CLASS(TProbe, TnxBaseObject)

 public:
  int32_t Count = 0;
  double Hours = 0;
  std::string Text;
  std::vector<std::vector<std::string>> Calls;
  void Record(TQelParser*, const TActionParams& params) { Calls.push_back(params.Texts()); }
};

inline const ClassInfo& TProbe::StaticClassInfo() {
  static const ClassInfo& info = ClassBuilder<TProbe>("TProbe")
                                     .Field("Count", &TProbe::Count)
                                     .Field("Hours", &TProbe::Hours)
                                     .Field("Text", &TProbe::Text)
                                     .Operation("Record", &TProbe::Record)
                                     .Build();
  return info;
}

// An award whose rules are the given rows.
class TRowsAward : public IAwardConditions {
 public:
  explicit TRowsAward(std::string code, std::vector<Row> rows) : code_(std::move(code)), rows_(std::move(rows)) {}
  std::string AwardCode() const override { return code_; }
  void PopulateConditions(TAwardFamily family, TaiConditionList& list) override {
    if (family != TAwardFamily::Rules) return;
    for (const Row& r : rows_) {
      auto c = std::make_unique<TaiCondition>();
      c->SetOrder(r.order);
      c->SetCode(r.code);
      c->SetConditionExpression(r.condition);
      c->SetActionType(r.type);
      c->SetActionVariable(r.variable);
      c->SetVariableValue(r.action);
      c->AddParameter("Value", r.action);
      c->SetExitOnTrue(r.exit);
      c->SetGotoCodeOnTrue(r.go_to);
      list.AddCondition(std::move(c));
    }
  }
 private:
  std::string code_;
  std::vector<Row> rows_;
};

// Awards by code; an unknown code fails as the award layer's message does.
class TRowsProvider : public IAwardProvider {
 public:
  IAwardConditions& PrepareShiftAward(TTimesheetShift& shift, const std::string& code) override {
    auto it = awards.find(code);
    if (it == awards.end()) {
      throw eaiPRocessorException("Could not load award code \"" + code + "\" for Employee \"" +
                                  shift.EmployeeCode() + "\"");
    }
    return *it->second;
  }
  void Add(const std::string& code, std::vector<Row> rows) {
    awards[code] = std::make_unique<TRowsAward>(code, std::move(rows));
  }
  std::map<std::string, std::unique_ptr<TRowsAward>> awards;
};

// A shift worked from `from` to `to` (shift hours) on 2026-12-07, a Monday.
inline TTimesheetShift& AddShift(TTimesheetManager& manager, const std::string& employee, double from, double to) {
  auto shift = std::make_unique<TTimesheetShift>();
  shift->SetEmployeeCode(employee);
  shift->SetEmployeeAward("AW");
  shift->SetShiftStartDate(EncodeDate(2026, 12, 7));
  shift->SetShiftEndDate(EncodeDate(2026, 12, 7));
  shift->SetRosteredHoursStart(from);
  shift->SetRosteredHoursEnd(to);
  shift->_AddHours(from, to, "Normal", "GEN", THoursType::htOrdinary, "", "", "");
  return *manager.Timesheet().AddShift(std::move(shift));
}

inline TTimesheetColumn& AddColumn(TTimesheetShift& shift, const std::string& name, TFieldType type,
                                   const std::string& value, bool need_variable) {
  auto column = std::make_unique<TTimesheetColumn>();
  column->SetFieldName(name);
  column->SetFieldType(type);
  column->SetStringValue(value);
  column->SetNeedVariable(need_variable);
  return *shift.AddColumn(std::move(column));
}

}  // namespace qora::testing
