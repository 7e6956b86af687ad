// The names under which the in-memory table's field types and field kinds
// are written to and read from the definition block of CSV files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "timesheet/field_type.h"

namespace qora {

// Where a field's value comes from. The engine's CSV files carry data
// fields only; calculated and lookup fields are left out when saving.
enum class TFieldKind : uint8_t { fkData, fkCalculated, fkLookup, fkInternalCalc };

// The name written in a definition line: the type's name without its "ft"
// prefix ("String", "Float", ...).
std::string FieldTypeName(TFieldType type);
// The type of a definition-line name (case-insensitive); false when the name
// is not a known type.
bool TryFieldTypeFromName(std::string_view name, TFieldType& out);

// "Data", "Calculated", "Lookup", "InternalCalc".
std::string FieldKindName(TFieldKind kind);
// The kind of a name (case-insensitive); false when unknown.
bool TryFieldKindFromName(std::string_view name, TFieldKind& out);

// True for the numeric types whose values are floating point.
inline bool IsFloatFieldType(TFieldType type) {
  return type == TFieldType::ftFloat || type == TFieldType::ftCurrency;
}
// True for the whole-number types.
inline bool IsIntegerFieldType(TFieldType type) {
  return type == TFieldType::ftSmallint || type == TFieldType::ftInteger || type == TFieldType::ftWord ||
         type == TFieldType::ftLargeint;
}

}  // namespace qora
