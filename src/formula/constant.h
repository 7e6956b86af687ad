// Value nodes of a compiled expression: the literal (TConstant) and the named
// value (TCustomValue) from which variables and call nodes derive. Every node
// keeps its current result in a TQelValue that calls read through pointers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "formula/value.h"

namespace qora {

enum class TQelNodeKind : uint8_t { Constant, Variable, Expression };

class TConstant {
 public:
  explicit TConstant(double value);
  explicit TConstant(int32_t value);
  explicit TConstant(bool value);
  explicit TConstant(std::string value);
  explicit TConstant(const char* value) : TConstant(std::string(value)) {}
  virtual ~TConstant();
  TConstant(const TConstant&) = delete;
  TConstant& operator=(const TConstant&) = delete;

  // A literal holding a copy of value.
  static std::unique_ptr<TConstant> FromValue(const TQelValue& value);

  TQelNodeKind Kind() const { return FKind; }
  TQelDataType ResultType() const { return FValue.Type; }
  // The current value in its natural storage.
  const TQelValue& Result() const { return FValue; }

  // Typed reads. An Integer is readable as a Real; every other mismatch
  // throws EQelParserError "Error: attempt to use a String as a Real." (and
  // " as an Integer.", " as a boolean.", " as a String.").
  double DoubleResult() const;
  int32_t IntegerResult() const;
  bool BooleanResult() const;
  const std::string& StringResult() const;

  // The canonical text: Reals as the shortest text with a "." when it has
  // none, Integers in decimal, "True"/"False", texts inside double quotes.
  virtual std::string Decompile() const;
  // Appends the canonical text; top is true for the outermost node, which
  // prints a two-operand operator without its parentheses.
  virtual void DecompileTo(std::string& out, bool top) const;

  // Marks a Real that came from an Integer literal by implicit conversion:
  // it keeps printing as the Integer that was written.
  void SetIntegerText(bool value) { FIntegerText = value; }

 protected:
  TConstant(TQelNodeKind kind, TQelDataType type);
  TQelValue FValue;

 private:
  TQelNodeKind FKind;
  bool FIntegerText = false;
};

// A named value: the name trimmed and upper-cased (FName, the lookup key) and
// as written, trimmed (FUserName, the canonical text).
class TCustomValue : public TConstant {
 public:
  const std::string& Name() const { return FName; }
  const std::string& UserName() const { return FUserName; }
  std::string Decompile() const override { return FUserName; }
  void DecompileTo(std::string& out, bool top) const override;

 protected:
  TCustomValue(std::string_view name, TQelDataType type, TQelNodeKind kind);
  void SetNames(std::string_view name);

  std::string FName;
  std::string FUserName;
};

}  // namespace qora
