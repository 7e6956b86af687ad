#include "award/award_condition_table.h"

#include <algorithm>
#include <string>
#include <vector>

#include "award/award.h"
#include "award/award_conditions.h"
#include "common/format.h"
#include "rules/condition.h"

namespace qora {
namespace {

struct TConditionRow {
  int32_t Order = 0;
  std::vector<std::string> Texts;
};

// The condition table's fields, as the rule engine defines them.
void AddConditionFields(TMemoryTable& pTable) {
  pTable.AddField("iOrder", TFieldType::ftInteger);
  pTable.AddField("iAction", TFieldType::ftInteger);
  pTable.AddField("cConditionExpression", TFieldType::ftString, 4000);
  pTable.AddField("cActionExpression", TFieldType::ftString, 4000);
  pTable.AddField("cActionVariable", TFieldType::ftString, 200);
  pTable.AddField("bExitOnTrue", TFieldType::ftBoolean);
  pTable.AddField("cCode", TFieldType::ftString, 50);
  pTable.AddField("cGotoCodeOnTrue", TFieldType::ftString, 50);
  pTable.AddField("cDescription", TFieldType::ftString, 200);
}

}  // namespace

TMemoryTable AwardConditionTable(TObjAward& pAward) {
  std::vector<TConditionRow> rows;
  TAwardConditionSource source(pAward);
  for (TAwardFamily family : kAwardFamilies) {
    TaiConditionList list;
    source.PopulateConditions(family, list);
    for (int i = 0; i < list.Count(); ++i) {
      const TaiCondition& c = *list.Conditions(i);
      const int32_t order = c.Order() != 0 ? c.Order() : static_cast<int32_t>(rows.size()) + 1;
      rows.push_back({order,
                      {std::to_string(order), std::to_string(static_cast<int>(c.ActionType())),
                       c.ConditionExpression(), c.ActionExpression(), c.ActionVariable(), BoolToStr(c.ExitOnTrue()),
                       c.Code(), c.GotoCodeOnTrue(), c.Description()}});
    }
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const TConditionRow& a, const TConditionRow& b) { return a.Order < b.Order; });
  TMemoryTable table("tblConditions");
  AddConditionFields(table);
  table.CreateTable();
  for (const TConditionRow& row : rows) {
    table.Append();
    for (size_t f = 0; f < row.Texts.size(); ++f) table.SetText(static_cast<int>(f), row.Texts[f]);
  }
  table.First();
  return table;
}

}  // namespace qora
