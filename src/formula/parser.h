// TQelParser: compiles expression texts into typed trees, caches them, and
// keeps the variables and the function table that expressions refer to.
//
//   TQelParser parser;
//   parser.CreateVariable("Hours", 7.5);
//   std::string text = "Hours * 2";
//   parser.Compile(text);                       // text becomes "Hours * 2"
//   parser.CurrentExpression()->Evaluate(shift);
//   double v = parser.CurrentExpression()->DoubleResult();
//
// Single-threaded: a parser and its expressions belong to one thread.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "formula/expression.h"
#include "formula/function_set.h"
#include "formula/variable.h"

namespace qora {

class TQelParser {
 public:
  // Creates the function table with every built-in function.
  TQelParser();
  // Frees the compiled expressions, the variables the parser created and the
  // function table.
  ~TQelParser();
  TQelParser(const TQelParser&) = delete;
  TQelParser& operator=(const TQelParser&) = delete;

  // Create a variable owned by the parser and add it under its upper-case
  // name; return it (valid until the parser is destroyed). Throw
  // EQelParserError for an invalid name and, with ErrorMode 1,
  // "Error: A Variable named NAME already exists" for a name in use.
  TIntegerVariable* CreateVariable(std::string_view Name, int32_t Value);
  TBooleanVariable* CreateVariable(std::string_view Name, bool Value);
  TStringVariable* CreateVariable(std::string_view Name, std::string Value);
  TStringVariable* CreateVariable(std::string_view Name, const char* Value) {
    return CreateVariable(Name, std::string(Value));
  }
  TRealVariable* CreateVariable(std::string_view Name, double Value);

  // Adds a variable that the caller owns and keeps alive while expressions
  // that use it exist. Throws "Error: Invalid variable type." unless it is one
  // of the four variable classes, and the duplicate-name error.
  void RegisterVariable(TCustomVariable* Value);
  // Renames the variable at Index; Index receives its new position. Compiled
  // expressions are re-keyed by their new canonical text. Throws the name
  // errors of CreateVariable (a clash with the variable itself is none).
  void RenameVariable(int& Index, std::string_view NewName);
  // Frees every compiled expression that uses the variable, then drops the
  // variable (freeing it when the parser owns it). Unknown variables are
  // ignored.
  void RemoveVariable(TCustomVariable* Variable);
  // Position of a name (trimmed, any case) among the variables; -1 if absent.
  int IndexOfVariable(std::string_view VariableName) const;
  int VariableCount() const { return static_cast<int>(FVariables.size()); }
  // The variable at Index; throws std::out_of_range.
  TCustomVariable* Variables(int Index) const { return FVariables.at(static_cast<size_t>(Index)).Var; }
  // Empties the lookup list. Variables the parser created stay alive until
  // it is destroyed, so expressions compiled earlier remain valid.
  void ClearVariables() { FVariables.clear(); }

  // Compiles AString (see the class comment) and returns the index of the
  // expression in Expressions, or -1 for an empty text. AString receives the
  // canonical text. A text compiled before (as written or in canonical form)
  // is found in the cache. On failure throws EQelParserError, leaves the
  // cache unchanged and clears CurrentExpression.
  int Compile(std::string& AString);
  // Compile for callers without a text to update; nullptr for empty text.
  TExpression* CompileExpression(std::string_view text);

  // Frees the expression at Index; throws std::out_of_range.
  void DeleteExpression(int Index);
  // Frees the expression if this parser holds it; otherwise nothing.
  void RemoveExpression(TExpression* Expression);
  // Frees every compiled expression and clears CurrentExpression.
  void ClearExpressions();
  int ExpressionCount() const { return static_cast<int>(FExpressions.size()); }
  // The expression at Index (sorted by canonical text); throws std::out_of_range.
  TExpression* Expressions(int Index) const { return FExpressions.at(static_cast<size_t>(Index)).Expr.get(); }
  // The expression of the last successful Compile; nullptr after a failure.
  TExpression* CurrentExpression() const { return FCurrentExpression; }

  // The function table; domain functions are registered here.
  TFunctionStringList& Functions() { return *FFunctions; }
  const TFunctionStringList& Functions() const { return *FFunctions; }

 private:
  struct VariableEntry {
    std::string Key;
    TCustomVariable* Var;
  };
  struct ExpressionEntry {
    std::string Key;
    std::unique_ptr<TExpression> Expr;
  };

  template <class V, class T>
  V* AddOwned(std::string_view name, T value);
  void CheckFree(std::string_view name, const std::string& key) const;
  int InsertVariable(TCustomVariable* var);
  TCustomVariable* FindVariableUpper(std::string_view key) const;
  int FindExpressionKey(std::string_view key) const;
  int IndexOfExpression(const TExpression* expr) const;
  void EraseExpression(size_t index);
  void RekeyExpressions();

  // Destroyed in reverse order: expressions before the variables and the
  // function classes they refer to.
  std::unique_ptr<TFunctionStringList> FFunctions;
  std::vector<std::unique_ptr<TCustomVariable>> FOwnedVariables;
  std::vector<VariableEntry> FVariables;  // sorted by Key
  std::vector<ExpressionEntry> FExpressions;  // sorted by Key
  std::unordered_map<std::string, TExpression*> FSourceIndex;  // text as written -> expression
  TExpression* FCurrentExpression = nullptr;
};

}  // namespace qora
