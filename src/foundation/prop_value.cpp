// Reading, writing and converting published property values.
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "common/datetime.h"
#include "common/format.h"
#include "common/text.h"
#include "foundation/base_object.h"
#include "foundation/class_info.h"

namespace qora {
namespace {

const char* KindName(const PropertyInfo& prop) {
  switch (prop.kind) {
    case PropKind::Integer: return "Integer";
    case PropKind::Double: return "Double";
    case PropKind::Date: return "Date";
    case PropKind::Boolean: return "Boolean";
    case PropKind::String: return "String";
    case PropKind::Enumeration:
      return prop.enum_info && !prop.enum_info->type_name.empty() ? prop.enum_info->type_name.c_str()
                                                                   : "Enumeration";
    case PropKind::StringList: return "StringList";
    case PropKind::Object: return "Object";
    case PropKind::ObjectList: return "ObjectList";
  }
  return "?";
}

std::string BoolText(bool b) { return b ? "True" : "False"; }

// Any value as plain text, for String conversion and for messages.
std::string AnyToText(const PropValue& v) {
  if (const auto* i = std::get_if<int64_t>(&v)) return std::to_string(*i);
  if (const auto* d = std::get_if<double>(&v)) return FloatToStr(*d);
  if (const auto* b = std::get_if<bool>(&v)) return BoolText(*b);
  if (const auto* s = std::get_if<std::string>(&v)) return *s;
  if (const auto* l = std::get_if<TStringList>(&v)) return l->Text();
  return "";
}

[[noreturn]] void ThrowInvalid(const PropertyInfo& prop, const PropValue& v) {
  std::string text = std::holds_alternative<std::monostate>(v) ? "(no value)" : AnyToText(v);
  throw std::invalid_argument("Invalid " + std::string(KindName(prop)) + " value \"" + text + "\" for property \"" +
                              prop.name + "\".");
}

bool IntegralDouble(double d, int64_t& out) {
  if (!std::isfinite(d) || d != std::trunc(d)) return false;
  if (d < -9.2e18 || d > 9.2e18) return false;
  out = static_cast<int64_t>(d);
  return true;
}

// The value as a whole number, when it is one (integers, integral doubles,
// booleans as 1/0, decimal text).
bool AsWholeNumber(const PropValue& v, int64_t& out) {
  if (const auto* i = std::get_if<int64_t>(&v)) {
    out = *i;
    return true;
  }
  if (const auto* d = std::get_if<double>(&v)) return IntegralDouble(*d, out);
  if (const auto* b = std::get_if<bool>(&v)) {
    out = *b ? 1 : 0;
    return true;
  }
  if (const auto* s = std::get_if<std::string>(&v)) return TryStrToInt(*s, out);
  return false;
}

PropValue ToInteger(const PropertyInfo& prop, const PropValue& v) {
  int64_t n = 0;
  if (!AsWholeNumber(v, n) || n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max()) {
    ThrowInvalid(prop, v);
  }
  return PropValue{n};
}

PropValue ToDouble(const PropertyInfo& prop, const PropValue& v) {
  if (const auto* i = std::get_if<int64_t>(&v)) return PropValue{static_cast<double>(*i)};
  if (const auto* d = std::get_if<double>(&v)) return PropValue{*d};
  if (const auto* s = std::get_if<std::string>(&v)) {
    double d = 0;
    if (TryStrToFloat(*s, d)) return PropValue{d};
    if (prop.kind == PropKind::Date && TryParseIsoDateTime(Trim(*s), d)) return PropValue{d};
  }
  ThrowInvalid(prop, v);
}

PropValue ToBoolean(const PropertyInfo& prop, const PropValue& v) {
  if (const auto* b = std::get_if<bool>(&v)) return PropValue{*b};
  if (const auto* i = std::get_if<int64_t>(&v)) return PropValue{*i != 0};
  if (const auto* d = std::get_if<double>(&v)) return PropValue{*d != 0.0};
  if (const auto* s = std::get_if<std::string>(&v)) {
    std::string t = Trim(*s);
    if (SameText(t, "True")) return PropValue{true};
    if (SameText(t, "False")) return PropValue{false};
    int64_t n = 0;
    if (TryStrToInt(t, n)) return PropValue{n != 0};
  }
  ThrowInvalid(prop, v);
}

PropValue ToEnumeration(const PropertyInfo& prop, const PropValue& v) {
  int count = prop.enum_info ? static_cast<int>(prop.enum_info->names.size()) : 0;
  if (const auto* s = std::get_if<std::string>(&v)) {
    int ordinal = prop.enum_info ? prop.enum_info->OrdinalOf(Trim(*s)) : -1;
    if (ordinal >= 0) return PropValue{int64_t{ordinal}};
  }
  if (!std::holds_alternative<bool>(v)) {
    int64_t n = 0;
    if (AsWholeNumber(v, n) && n >= 0 && n < count) return PropValue{n};
  }
  ThrowInvalid(prop, v);
}

PropValue ToStringList(const PropertyInfo& prop, const PropValue& v) {
  if (std::holds_alternative<TStringList>(v)) return v;
  if (std::holds_alternative<std::monostate>(v)) ThrowInvalid(prop, v);
  TStringList list;
  list.SetText(AnyToText(v));
  return PropValue{std::move(list)};
}

// Finds a property or throws the message users see for a misspelt name.
const PropertyInfo& RequireProperty(const TnxBaseObject& obj, std::string_view name) {
  const PropertyInfo* prop = obj.GetClassInfo().FindProperty(name);
  if (prop == nullptr) {
    throw std::invalid_argument("Property \"" + std::string(name) + "\" not found in class " + obj.ClassName() +
                                ".");
  }
  return *prop;
}

}  // namespace

PropValue ConvertPropValue(const PropertyInfo& prop, const PropValue& value) {
  switch (prop.kind) {
    case PropKind::Integer: return ToInteger(prop, value);
    case PropKind::Double:
    case PropKind::Date: return ToDouble(prop, value);
    case PropKind::Boolean: return ToBoolean(prop, value);
    case PropKind::String:
      if (std::holds_alternative<std::monostate>(value)) ThrowInvalid(prop, value);
      return PropValue{AnyToText(value)};
    case PropKind::Enumeration: return ToEnumeration(prop, value);
    case PropKind::StringList: return ToStringList(prop, value);
    case PropKind::Object:
    case PropKind::ObjectList: break;
  }
  throw std::invalid_argument("Property \"" + prop.name + "\" is an object and takes no value.");
}

std::string PropValueToText(const PropertyInfo& prop, const PropValue& value) {
  if (prop.IsObject() || std::holds_alternative<std::monostate>(value)) return "";
  if (prop.kind == PropKind::Enumeration && std::holds_alternative<int64_t>(value)) {
    // An ordinal without a name is still written, in decimal, so that it
    // is not lost.
    int64_t ordinal = std::get<int64_t>(value);
    std::string name = prop.enum_info && ordinal >= 0 && ordinal <= std::numeric_limits<int>::max()
                           ? prop.enum_info->NameOf(static_cast<int>(ordinal))
                           : std::string();
    return name.empty() ? std::to_string(ordinal) : name;
  }
  PropValue v = ConvertPropValue(prop, value);
  switch (prop.kind) {
    case PropKind::Boolean: return BoolText(std::get<bool>(v));
    case PropKind::Enumeration: {
      int64_t ordinal = std::get<int64_t>(v);
      return prop.enum_info->NameOf(static_cast<int>(ordinal));
    }
    default: return AnyToText(v);
  }
}

PropValue PropValueFromText(const PropertyInfo& prop, std::string_view text) {
  return ConvertPropValue(prop, PropValue{std::string(text)});
}

PropValue GetPublishedValue(const TnxBaseObject& obj, std::string_view name) {
  const PropertyInfo& prop = RequireProperty(obj, name);
  if (prop.IsObject() || !prop.get) return PropValue{};
  return prop.get(obj);
}

void SetPublishedValue(TnxBaseObject& obj, std::string_view name, const PropValue& value) {
  const PropertyInfo& prop = RequireProperty(obj, name);
  if (prop.IsObject()) {
    throw std::invalid_argument("Property \"" + prop.name + "\" of " + obj.ClassName() +
                                " is an object and takes no value.");
  }
  if (prop.ReadOnly()) {
    throw std::logic_error("Property \"" + prop.name + "\" of " + obj.ClassName() + " is read-only.");
  }
  prop.set(obj, ConvertPropValue(prop, value));
}

}  // namespace qora
