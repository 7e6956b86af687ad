#include "formula/parser.h"

#include <algorithm>
#include <stdexcept>

#include "common/text.h"
#include "formula/errors.h"
#include "formula/tokenizer.h"
#include "formula/tree_builder.h"

namespace qora {

TQelParser::TQelParser() : FFunctions(std::make_unique<TFunctionStringList>()) {}

TQelParser::~TQelParser() {
  FSourceIndex.clear();
  FExpressions.clear();
}

void TQelParser::CheckFree(std::string_view name, const std::string& key) const {
  if (FindVariableUpper(key)) {
    throw EQelParserError("Error: A Variable named " + Trim(name) + " already exists", kQelNameError, 1);
  }
}

template <class V, class T>
V* TQelParser::AddOwned(std::string_view name, T value) {
  CheckFree(name, UpperCase(Trim(name)));
  auto var = std::make_unique<V>(name, std::move(value));
  V* raw = var.get();
  FOwnedVariables.push_back(std::move(var));
  InsertVariable(raw);
  return raw;
}

TIntegerVariable* TQelParser::CreateVariable(std::string_view Name, int32_t Value) {
  return AddOwned<TIntegerVariable>(Name, Value);
}
TBooleanVariable* TQelParser::CreateVariable(std::string_view Name, bool Value) {
  return AddOwned<TBooleanVariable>(Name, Value);
}
TStringVariable* TQelParser::CreateVariable(std::string_view Name, std::string Value) {
  return AddOwned<TStringVariable>(Name, std::move(Value));
}
TRealVariable* TQelParser::CreateVariable(std::string_view Name, double Value) {
  return AddOwned<TRealVariable>(Name, Value);
}

void TQelParser::RegisterVariable(TCustomVariable* Value) {
  if (!dynamic_cast<TIntegerVariable*>(Value) && !dynamic_cast<TBooleanVariable*>(Value) &&
      !dynamic_cast<TStringVariable*>(Value) && !dynamic_cast<TRealVariable*>(Value)) {
    throw EQelParserError("Error: Invalid variable type.", kQelNameError);
  }
  CheckFree(Value->UserName(), Value->Name());
  InsertVariable(Value);
}

int TQelParser::InsertVariable(TCustomVariable* var) {
  auto it = std::lower_bound(FVariables.begin(), FVariables.end(), var->Name(),
                             [](const VariableEntry& e, const std::string& k) { return e.Key < k; });
  it = FVariables.insert(it, VariableEntry{var->Name(), var});
  return static_cast<int>(it - FVariables.begin());
}

TCustomVariable* TQelParser::FindVariableUpper(std::string_view key) const {
  auto it = std::lower_bound(FVariables.begin(), FVariables.end(), key,
                             [](const VariableEntry& e, std::string_view k) { return e.Key < k; });
  return it != FVariables.end() && it->Key == key ? it->Var : nullptr;
}

int TQelParser::IndexOfVariable(std::string_view VariableName) const {
  std::string key = UpperCase(Trim(VariableName));
  auto it = std::lower_bound(FVariables.begin(), FVariables.end(), key,
                             [](const VariableEntry& e, const std::string& k) { return e.Key < k; });
  return it != FVariables.end() && it->Key == key ? static_cast<int>(it - FVariables.begin()) : -1;
}

void TQelParser::RenameVariable(int& Index, std::string_view NewName) {
  TCustomVariable* var = Variables(Index);
  TCustomVariable::ValidateName(NewName);
  std::string key = UpperCase(Trim(NewName));
  if (key != var->Name()) {
    CheckFree(NewName, key);
    FVariables.erase(FVariables.begin() + Index);
    var->Rename(NewName);
    Index = InsertVariable(var);
  } else {
    var->Rename(NewName);  // only the written case changes
  }
  RekeyExpressions();
}

void TQelParser::RekeyExpressions() {
  for (ExpressionEntry& e : FExpressions) e.Key = e.Expr->Decompile();
  std::stable_sort(FExpressions.begin(), FExpressions.end(),
                   [](const ExpressionEntry& a, const ExpressionEntry& b) { return a.Key < b.Key; });
  // Texts as written may now name other variables; only canonical texts stay.
  FSourceIndex.clear();
}

void TQelParser::RemoveVariable(TCustomVariable* Variable) {
  for (size_t i = FExpressions.size(); i-- > 0;) {
    if (FExpressions[i].Expr->UsesVariable(Variable)) EraseExpression(i);
  }
  auto vit = std::find_if(FVariables.begin(), FVariables.end(), [&](const VariableEntry& e) { return e.Var == Variable; });
  if (vit != FVariables.end()) FVariables.erase(vit);
  auto oit = std::find_if(FOwnedVariables.begin(), FOwnedVariables.end(),
                          [&](const std::unique_ptr<TCustomVariable>& v) { return v.get() == Variable; });
  if (oit != FOwnedVariables.end()) FOwnedVariables.erase(oit);
}

int TQelParser::FindExpressionKey(std::string_view key) const {
  auto it = std::lower_bound(FExpressions.begin(), FExpressions.end(), key,
                             [](const ExpressionEntry& e, std::string_view k) { return e.Key < k; });
  return it != FExpressions.end() && it->Key == key ? static_cast<int>(it - FExpressions.begin()) : -1;
}

int TQelParser::IndexOfExpression(const TExpression* expr) const {
  for (size_t i = 0; i < FExpressions.size(); ++i) {
    if (FExpressions[i].Expr.get() == expr) return static_cast<int>(i);
  }
  return -1;
}

int TQelParser::Compile(std::string& AString) {
  FCurrentExpression = nullptr;
  std::string text = Trim(AString);
  if (text.empty()) return -1;
  if (auto s = FSourceIndex.find(text); s != FSourceIndex.end()) {
    int index = IndexOfExpression(s->second);
    FCurrentExpression = s->second;
    AString = FExpressions[static_cast<size_t>(index)].Key;
    return index;
  }
  if (int index = FindExpressionKey(text); index >= 0) {
    FCurrentExpression = FExpressions[static_cast<size_t>(index)].Expr.get();
    AString = text;
    return index;
  }
  std::vector<TQelToken> tokens = QelTokenise(text);
  QelCheckParentheses(tokens);
  std::unique_ptr<TExpression> tree =
      QelBuildTree(tokens, [this](std::string_view key) { return FindVariableUpper(key); }, *FFunctions);
  std::string key = tree->Decompile();
  int index = FindExpressionKey(key);
  if (index < 0) {
    auto it = std::lower_bound(FExpressions.begin(), FExpressions.end(), key,
                               [](const ExpressionEntry& e, const std::string& k) { return e.Key < k; });
    it = FExpressions.insert(it, ExpressionEntry{key, std::move(tree)});
    index = static_cast<int>(it - FExpressions.begin());
  }
  FCurrentExpression = FExpressions[static_cast<size_t>(index)].Expr.get();
  FSourceIndex[text] = FCurrentExpression;
  AString = std::move(key);
  return index;
}

TExpression* TQelParser::CompileExpression(std::string_view text) {
  std::string s(text);
  Compile(s);
  return FCurrentExpression;
}

void TQelParser::EraseExpression(size_t index) {
  TExpression* expr = FExpressions[index].Expr.get();
  for (auto it = FSourceIndex.begin(); it != FSourceIndex.end();) {
    it = it->second == expr ? FSourceIndex.erase(it) : std::next(it);
  }
  if (FCurrentExpression == expr) FCurrentExpression = nullptr;
  FExpressions.erase(FExpressions.begin() + static_cast<long>(index));
}

void TQelParser::DeleteExpression(int Index) {
  if (Index < 0 || Index >= ExpressionCount()) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(Index) + ")");
  }
  EraseExpression(static_cast<size_t>(Index));
}

void TQelParser::RemoveExpression(TExpression* Expression) {
  int index = IndexOfExpression(Expression);
  if (index >= 0) EraseExpression(static_cast<size_t>(index));
}

void TQelParser::ClearExpressions() {
  FSourceIndex.clear();
  FExpressions.clear();
  FCurrentExpression = nullptr;
}

}  // namespace qora
