#include "rules/compiled_conditions.h"

#include <algorithm>
#include <cstring>

#include "common/text.h"
#include "formula/errors.h"
#include "foundation/base_object.h"
#include "rules/domain_vocabulary.h"
#include "rules/processor_support.h"
#include "rules/property_variables.h"
#include "timesheet/timesheet_column.h"
#include "timesheet/timesheet_shift.h"

namespace qora {

namespace {

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

// True when the property's value is the one last converted, so the
// variable already holds it. Doubles compare by their bits, so that a NaN
// is not converted again and again.
bool SameRaw(const PropValue& a, const PropValue& b) {
  if (a.index() != b.index()) return false;
  if (const auto* d = std::get_if<double>(&a)) {
    const double e = std::get<double>(b);
    return std::memcmp(d, &e, sizeof e) == 0;
  }
  if (const auto* i = std::get_if<int64_t>(&a)) return *i == std::get<int64_t>(b);
  if (const auto* f = std::get_if<bool>(&a)) return *f == std::get<bool>(b);
  if (const auto* s = std::get_if<std::string>(&a)) return *s == std::get<std::string>(b);
  return false;  // string lists never take this path; read them again
}

}  // namespace

TVariableLayoutKey::TVariableLayoutKey(const ClassInfo& pItemClass, uint64_t pHandlerGeneration,
                                       const std::vector<TTimesheetColumn*>& pColumns)
    : FItemClass(&pItemClass), FHandlerGeneration(pHandlerGeneration) {
  FColumns.reserve(pColumns.size());
  for (const TTimesheetColumn* c : pColumns) {
    FColumns.push_back({UpperCase(TrimView(c->FieldName())), ColumnVariableType(c->FieldType())});
  }
}

bool TVariableLayoutKey::Matches(const ClassInfo& pItemClass, uint64_t pHandlerGeneration,
                                 const std::vector<TTimesheetColumn*>& pColumns) const {
  if (FItemClass != &pItemClass || FHandlerGeneration != pHandlerGeneration || FColumns.size() != pColumns.size()) {
    return false;
  }
  for (size_t i = 0; i < FColumns.size(); ++i) {
    if (FColumns[i].Type != ColumnVariableType(pColumns[i]->FieldType()) ||
        !SameText(FColumns[i].Name, TrimView(pColumns[i]->FieldName()))) {
      return false;
    }
  }
  return true;
}

TCompiledConditions::TCompiledConditions(TVariableLayoutKey pKey, const ClassInfo& pItemClass, int pTextCount,
                                         int pStepCount, const TCreateVariablesEvent& pOnCreateVariables,
                                         const std::vector<TTimesheetColumn*>& pColumns)
    : FKey(std::move(pKey)),
      FParser(std::make_unique<TQelParser>()),
      FTexts(static_cast<size_t>(pTextCount)),
      FBindings(static_cast<size_t>(pStepCount)) {
  if (pOnCreateVariables) pOnCreateVariables(*FParser);
  // The handler's variables that name a column are refreshed from that
  // column (the first one of the name, as the handler creates only that
  // one); any other variable it makes keeps the value it was made with.
  for (int i = 0; i < FParser->VariableCount(); ++i) {
    TCustomVariable* variable = FParser->Variables(i);
    for (size_t c = 0; c < pColumns.size(); ++c) {
      if (SameText(variable->Name(), TrimView(pColumns[c]->FieldName()))) {
        Slot slot;
        slot.Variable = variable;
        slot.Column = static_cast<int>(c);
        FSlots.push_back(std::move(slot));
        break;
      }
    }
  }
  for (size_t i = 0; i < FSlots.size(); ++i) FColumnSlots.push_back(static_cast<int>(i));
  std::sort(FColumnSlots.begin(), FColumnSlots.end(),
            [this](int a, int b) { return FSlots[static_cast<size_t>(a)].Column < FSlots[static_cast<size_t>(b)].Column; });
  for (const PropertyInfo* prop : pItemClass.Properties()) {
    if (!IsPropertyVariable(*prop)) continue;
    TCustomVariable* variable = CreateEmptyPropertyVariable(*FParser, *prop);
    Slot slot;
    slot.Variable = variable;
    slot.Property = prop;
    FSlots.push_back(std::move(slot));
  }
  for (size_t i = 0; i < FSlots.size(); ++i) FSlotOf.emplace(FSlots[i].Variable, static_cast<int>(i));
}

TCompiledConditions::~TCompiledConditions() = default;

const TCompiledText& TCompiledConditions::Compile(int pNumber, const std::string& pSource) {
  TCompiledText& c = FTexts[static_cast<size_t>(pNumber)];
  if (c.State == TCompiledText::TState::Failed) throw EQelParserError(c.Error, c.ErrorType, c.ErrorMode);
  std::string text = pSource;
  try {
    FParser->Compile(text);
  } catch (const EQelParserError& e) {
    c.State = TCompiledText::TState::Failed;
    c.Error = e.what();
    c.ErrorType = e.ErrorType();
    c.ErrorMode = e.ErrorMode();
    throw;
  }
  c.Expr = FParser->CurrentExpression();
  c.Canonical = std::move(text);
  if (dynamic_cast<const TDummyExpression*>(c.Expr) != nullptr) {
    c.Literal = true;
    ResultText(c.Expr->Result(), c.LiteralParam.Rewrite());
  }
  std::vector<const TCustomVariable*> used;
  c.Expr->VariablesUsed(used);
  for (const TCustomVariable* v : used) {
    auto it = FSlotOf.find(v);
    if (it != FSlotOf.end() && std::find(c.Slots.begin(), c.Slots.end(), it->second) == c.Slots.end()) {
      c.Slots.push_back(it->second);
    }
  }
  FShared.ShareRepeats(*c.Expr);
  c.State = TCompiledText::TState::Ready;
  return c;
}

void TCompiledConditions::MakeCurrent(const TCompiledText& pText) {
  // Found in the parser's cache under its canonical text: nothing compiles.
  std::string text = pText.Canonical;
  FParser->Compile(text);
}

void TCompiledConditions::BeginGeneration(TTimesheetShift* pShift, const std::vector<TTimesheetColumn*>& pColumns) {
  ++FGeneration;
  if (pShift) pShift->SettleHigherDutyCode();
  for (int index : FColumnSlots) {
    Slot& slot = FSlots[static_cast<size_t>(index)];
    AssignColumnVariable(*slot.Variable, *pColumns[static_cast<size_t>(slot.Column)]);
    slot.Generation = FGeneration;
  }
}

void TCompiledConditions::RefreshProperty(Slot& pSlot, const TnxBaseObject& pItem) {
  PropValue value = pSlot.Property->get(pItem);
  if (!pSlot.HasRaw || !SameRaw(value, pSlot.Raw)) {
    AssignPropertyVariable(*pSlot.Variable, *pSlot.Property, value);
    pSlot.Raw = std::move(value);
    pSlot.HasRaw = true;
  }
  pSlot.Generation = FGeneration;
}

void TCompiledConditions::Evaluate(const TCompiledText& pText, TnxBaseObject& pItem) {
  for (int index : pText.Slots) {
    Slot& slot = FSlots[static_cast<size_t>(index)];
    if (slot.Generation != FGeneration && slot.Property) RefreshProperty(slot, pItem);
  }
  pText.Expr->Evaluate(&pItem);
}

}  // namespace qora
