// The parameters a published operation is called with.
//
// Conditions hand an action its parameters as texts, in order. Most of them
// are literals written in the award ("150", "True"), the same every time the
// condition runs, and the actions read them as numbers, integers or
// Booleans. A TActionParam reads its text each way at most once, so a
// literal kept with the compiled condition is read once per award, not once
// per shift.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qora {

class TActionParam {
 public:
  TActionParam() = default;
  explicit TActionParam(std::string pText) : FText(std::move(pText)) {}

  const std::string& Text() const { return FText; }
  // The text to write the parameter into, the readings of the old one
  // forgotten.
  std::string& Rewrite();

  // StrToFloatDef(Text(), 0).
  double Float() const;
  // TryStrToInt(Text()): false, `out` untouched, when the text is no integer.
  bool TryInteger(int64_t& out) const;
  // TryStrToBool(Text()): false, `out` untouched, when the text has no
  // Boolean meaning.
  bool TryBoolean(bool& out) const;

 private:
  enum : uint8_t { kFloatRead = 1, kIntegerRead = 2, kBooleanRead = 4, kIsInteger = 8, kIsBoolean = 16, kBoolean = 32 };
  std::string FText;
  mutable uint8_t FState = 0;
  mutable double FFloat = 0;
  mutable int64_t FInteger = 0;
};

// The parameters of one call, by position. The list refers to parameters
// it does not own: whoever fills it keeps them alive, unchanged, for the
// call.
class TActionParams {
 public:
  size_t size() const { return FItems.size(); }
  // Parameter pIndex; null beyond the last.
  const TActionParam* At(size_t pIndex) const { return pIndex < FItems.size() ? FItems[pIndex] : nullptr; }
  // The texts in order, for callers that keep what an action was given.
  std::vector<std::string> Texts() const;

  void Clear() { FItems.clear(); }
  void Add(const TActionParam& pParam) { FItems.push_back(&pParam); }

 private:
  std::vector<const TActionParam*> FItems;
};

}  // namespace qora
