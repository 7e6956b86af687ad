#include "timesheet/csv_field_type.h"

#include <array>
#include <utility>

#include "common/text.h"

namespace qora {

namespace {

constexpr std::array<std::pair<TFieldKind, const char*>, 4> kKindNames{{
    {TFieldKind::fkData, "Data"},
    {TFieldKind::fkCalculated, "Calculated"},
    {TFieldKind::fkLookup, "Lookup"},
    {TFieldKind::fkInternalCalc, "InternalCalc"},
}};

std::string WithoutPrefix(const std::string& name) { return name.rfind("ft", 0) == 0 ? name.substr(2) : name; }

}  // namespace

std::string FieldTypeName(TFieldType type) {
  std::string name = FieldTypeInfo().NameOf(static_cast<int>(type));
  return name.empty() ? "Unknown" : WithoutPrefix(name);
}

bool TryFieldTypeFromName(std::string_view name, TFieldType& out) {
  // "Unknown" is written for nothing the engine creates and is not read back.
  const auto& names = FieldTypeInfo().names;
  for (size_t i = 1; i < names.size(); ++i) {
    if (SameText(WithoutPrefix(names[i]), name)) {
      out = static_cast<TFieldType>(i);
      return true;
    }
  }
  return false;
}

std::string FieldKindName(TFieldKind kind) {
  for (const auto& [k, name] : kKindNames) {
    if (k == kind) return name;
  }
  return "Data";
}

bool TryFieldKindFromName(std::string_view name, TFieldKind& out) {
  for (const auto& [k, n] : kKindNames) {
    if (SameText(name, n)) {
      out = k;
      return true;
    }
  }
  return false;
}

}  // namespace qora
