// The published-property registry: the engine's stand-in for run-time type
// information. Every engine class describes its published properties (name,
// kind, getter, setter) and published operations once; the rule engine reads
// and assigns shift properties and calls shift actions through it, and award
// components are saved to and loaded from XML through it.
//
// Names are looked up without regard to letter case.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/string_list.h"

namespace qora {

class TnxBaseObject;
class TnxBaseObjectList;
class TQelParser;

enum class PropKind {
  Integer,      // 32-bit signed integer
  Double,       // floating point
  Date,         // TDateTime (a double)
  Boolean,
  String,
  Enumeration,  // ordinal with value names (EnumInfo)
  StringList,   // TStringList
  Object,       // a nested TnxBaseObject (may be null)
  ObjectList,   // a nested TnxBaseObjectList
};

// Value names of an enumeration, ordinal = index.
struct EnumInfo {
  std::string type_name;
  std::vector<std::string> names;

  // The name of an ordinal; "" when out of range.
  std::string NameOf(int ordinal) const;
  // The ordinal of a name (case-insensitive); -1 when not a value name.
  int OrdinalOf(std::string_view name) const;
};

// A property value. Integer and Enumeration hold int64_t, Double and Date
// hold double, Boolean bool, String std::string, StringList TStringList.
// Object kinds are reached through PropertyInfo::get_object instead.
using PropValue = std::variant<std::monostate, int64_t, double, bool, std::string, TStringList>;

struct PropertyInfo {
  std::string name;
  PropKind kind = PropKind::String;
  const EnumInfo* enum_info = nullptr;  // Enumeration only
  std::function<PropValue(const TnxBaseObject&)> get;       // scalar kinds
  std::function<void(TnxBaseObject&, const PropValue&)> set;  // empty: read-only
  std::function<TnxBaseObject*(const TnxBaseObject&)> get_object;  // Object, ObjectList

  bool ReadOnly() const { return !set; }
};

// A published operation: the shift actions that conditions call by name.
// `self` is the object the operation runs on (the work item), `parser` the
// expression parser of the running condition (may be null outside the rule
// engine), `params` the evaluated parameter texts in order.
using OperationFn =
    std::function<void(TnxBaseObject& self, TQelParser* parser, const std::vector<std::string>& params)>;

struct OperationInfo {
  std::string name;
  OperationFn call;
};

class ClassInfo {
 public:
  using Factory = std::function<std::unique_ptr<TnxBaseObject>()>;

  ClassInfo(std::string name, const ClassInfo* parent, Factory factory);

  const std::string& Name() const { return name_; }
  const ClassInfo* Parent() const { return parent_; }
  // True for this class and every class derived from `ancestor`.
  bool InheritsFrom(const ClassInfo& ancestor) const;

  // New instance of exactly this class; null for abstract classes.
  std::unique_ptr<TnxBaseObject> Create() const;

  // Own and inherited properties, ancestors' first, each in declaration order.
  std::vector<const PropertyInfo*> Properties() const;
  // The property of that name, own or inherited; null when none.
  const PropertyInfo* FindProperty(std::string_view name) const;
  // The operation of that name, own or inherited; null when none.
  const OperationInfo* FindOperation(std::string_view name) const;

  void AddProperty(PropertyInfo info);
  void AddOperation(OperationInfo info);

 private:
  std::string name_;
  const ClassInfo* parent_;
  Factory factory_;
  std::vector<PropertyInfo> properties_;
  std::vector<OperationInfo> operations_;
};

// Classes by name, for creating an object from its stored class name.
class ClassRegistry {
 public:
  static ClassRegistry& Instance();
  // Takes ownership of a class description and returns it. A second class
  // of an already registered name is kept but not found by name.
  const ClassInfo& Register(std::unique_ptr<ClassInfo> info);
  // The class of that name (case-insensitive); null when not registered.
  const ClassInfo* Find(std::string_view name) const;
  // New object of the named class; null when unknown or abstract.
  std::unique_ptr<TnxBaseObject> Create(std::string_view name) const;

 private:
  std::vector<std::unique_ptr<ClassInfo>> classes_;
};

// Reading and writing a published property by name, with conversion:
// numbers from text, text from numbers, enumerations by name or ordinal.
// Throws std::invalid_argument when the object has no such property or the
// value cannot be converted, std::logic_error when it is read-only.
PropValue GetPublishedValue(const TnxBaseObject& obj, std::string_view name);
void SetPublishedValue(TnxBaseObject& obj, std::string_view name, const PropValue& value);
// The value as text: integers in decimal, doubles by FloatToStr, dates as
// a day number by FloatToStr, booleans "True"/"False", enumerations by name,
// string lists as their Text.
std::string PropValueToText(const PropertyInfo& prop, const PropValue& value);
// Converts text to the property's kind (the inverse of PropValueToText;
// booleans also from "1"/"0"/"-1"). Throws std::invalid_argument on failure.
PropValue PropValueFromText(const PropertyInfo& prop, std::string_view text);

}  // namespace qora
