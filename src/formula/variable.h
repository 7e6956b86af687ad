// Named variables of the expression language. A compiled expression reads a
// variable's value through a pointer at its storage, so setting Value between
// evaluations is all it takes to evaluate with new data.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "formula/constant.h"

namespace qora {

class TQelParser;

class TCustomVariable : public TCustomValue {
 public:
  // Checks a variable name (trimmed). Throws EQelParserError:
  // "Error: Variables must be named." for an empty name;
  // "Error: "N" is illegal. The first character of a variable name must be a
  // letter or an underscore."; "Error: "N" is illegal.  Variable names may
  // only include letters, digits, or the underscore symbol.".
  static void ValidateName(std::string_view name);

  // Moves on whenever the value changes, not when it is set to what it
  // was: what was computed from the variable still holds while it stays.
  uint64_t Version() const { return FVersion; }

 protected:
  // Validates the name (see ValidateName).
  TCustomVariable(std::string_view name, TQelDataType type);
  uint64_t FVersion = 0;

 private:
  friend class TQelParser;
  // Renames without validation; the parser validates and re-indexes.
  void Rename(std::string_view name) { SetNames(name); }
};

class TRealVariable : public TCustomVariable {
 public:
  TRealVariable(std::string_view name, double value) : TCustomVariable(name, rdtDouble) { FValue.D = value; }
  double Value() const { return FValue.D; }
  // Reals compare by their bits, so that a NaN set again is no change.
  void SetValue(double value) {
    if (std::bit_cast<uint64_t>(value) == std::bit_cast<uint64_t>(FValue.D)) return;
    FValue.D = value;
    ++FVersion;
  }
};

class TIntegerVariable : public TCustomVariable {
 public:
  TIntegerVariable(std::string_view name, int32_t value) : TCustomVariable(name, rdtInteger) { FValue.I = value; }
  int32_t Value() const { return FValue.I; }
  void SetValue(int32_t value) {
    if (value == FValue.I) return;
    FValue.I = value;
    ++FVersion;
  }
};

class TBooleanVariable : public TCustomVariable {
 public:
  TBooleanVariable(std::string_view name, bool value) : TCustomVariable(name, rdtBoolean) { FValue.B = value; }
  bool Value() const { return FValue.B; }
  void SetValue(bool value) {
    if (value == FValue.B) return;
    FValue.B = value;
    ++FVersion;
  }
};

class TStringVariable : public TCustomVariable {
 public:
  TStringVariable(std::string_view name, std::string value) : TCustomVariable(name, rdtString) {
    FValue.S = std::move(value);
  }
  const std::string& Value() const { return FValue.S; }
  void SetValue(std::string_view value) {
    if (value == FValue.S) return;
    FValue.S.assign(value);
    ++FVersion;
  }
};

}  // namespace qora
