// The value types of the expression language and the tagged value that every
// node of a compiled expression keeps as its result storage.
#pragma once

#include <cstdint>
#include <string>

namespace qora {

// Ordinal values are stable (0..3): stored condition data relies on them.
enum TQelDataType : uint8_t { rdtDouble = 0, rdtInteger = 1, rdtBoolean = 2, rdtString = 3 };

// A value in its natural storage: an 8-byte double, a 32-bit integer, a
// Boolean, or a string. The string member lives outside the union so that its
// capacity is reused when a node is evaluated again (no allocation for texts
// that fit what was there before).
struct TQelValue {
  TQelDataType Type = rdtInteger;
  union {
    double D = 0.0;
    int32_t I;
    bool B;
  };
  std::string S;
};

// "a Real", "an Integer", "a Boolean", "a String": the type as messages name it.
const char* QelTypeDisplayName(TQelDataType type);
// "Real", "Integer", "Boolean", "String".
const char* QelTypeName(TQelDataType type);

// Shortest text that reads back to the same double, "." as decimal separator
// ("3.5", "3", "0.0015", "1e+20").
std::string QelShortestReal(double value);
// The canonical form of a Real literal: the shortest text with a "." appended
// when it has neither ".", "e" nor "E" (3.0 gives "3.").
std::string QelCanonicalReal(double value);

}  // namespace qora
