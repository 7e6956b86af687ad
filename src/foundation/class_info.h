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
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/string_list.h"
#include "foundation/action_params.h"

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

// Value names of an enumeration, ordinal = index. Properties keep a pointer
// to it, so define each one once with static storage (a function-local
// static is the usual place).
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

// One published property. `set` always receives a value already converted
// to the property's kind (see PropValue), so setters never convert.
struct PropertyInfo {
  std::string name;
  PropKind kind = PropKind::String;
  const EnumInfo* enum_info = nullptr;  // Enumeration only
  std::function<PropValue(const TnxBaseObject&)> get;       // scalar kinds
  std::function<void(TnxBaseObject&, const PropValue&)> set;  // empty: read-only
  // Object, ObjectList: the nested object (may create it on first access,
  // as the member lists of award objects do); null when there is none.
  std::function<TnxBaseObject*(const TnxBaseObject&)> get_object;
  // Object only, optional: replaces the nested object (null clears it).
  // Lets the XML loader create a nested object of the stored class.
  std::function<void(TnxBaseObject&, std::unique_ptr<TnxBaseObject>)> set_object;
  // Plain fields only, optional: copies the field from `source`, an object
  // of the same class, into `target` as set(target, get(source)) would but
  // without the value in between. Copying every published value of an
  // object goes through it.
  std::function<void(TnxBaseObject& target, const TnxBaseObject& source)> copy;

  bool IsObject() const { return kind == PropKind::Object || kind == PropKind::ObjectList; }
  // No setter. Object kinds have none: their contents change through the
  // nested object itself.
  bool ReadOnly() const { return !set; }
};

// A published operation: the shift actions that conditions call by name.
// `self` is the object the operation runs on (the work item), `parser` the
// expression parser of the running condition (may be null outside the rule
// engine), `params` the evaluated parameters in order.
using OperationFn = std::function<void(TnxBaseObject& self, TQelParser* parser, const TActionParams& params)>;

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

  // Own and inherited properties, ancestors' first, each in declaration
  // order. Kept with the class, so reading it costs nothing; a class is
  // described completely before a class derives from it (ClassBuilder
  // builds the parent first), so the inherited part never goes stale.
  const std::vector<const PropertyInfo*>& Properties() const { return all_properties_; }
  // The property of that name, own or inherited; null when none.
  const PropertyInfo* FindProperty(std::string_view name) const;
  // The operation of that name, own or inherited; null when none.
  const OperationInfo* FindOperation(std::string_view name) const;

  void AddProperty(PropertyInfo info);
  void AddOperation(OperationInfo info);

 private:
  void CollectProperties();

  std::string name_;
  const ClassInfo* parent_;
  Factory factory_;
  std::vector<PropertyInfo> properties_;
  std::vector<OperationInfo> operations_;
  std::vector<const PropertyInfo*> all_properties_;  // what Properties() returns
};

// Classes by name, for creating an object from its stored class name.
//
// A class description is built, and so registered, the first time its
// StaticClassInfo() runs (function-local statics keep construction order
// safe across translation units). Find() therefore only knows classes that
// have been touched: an owner that creates objects by stored class name
// (for example the award loader with its component classes) calls
// EnsureClassesRegistered for the whole family up front.
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
  ClassRegistry() = default;
  std::vector<std::unique_ptr<ClassInfo>> classes_;
};

// Builds and registers each class by calling its accessor, e.g.
//   EnsureClassesRegistered({&TObjAwardOvertimeStd::StaticClassInfo,
//                            &TObjAwardPenaltyStd::StaticClassInfo});
// Calling it again is harmless.
void EnsureClassesRegistered(std::initializer_list<const ClassInfo& (*)()> accessors);

// Reading and writing a published property by name, with conversion.
// GetPublishedValue returns the value in its kind's form (see PropValue);
// for Object and ObjectList properties it returns std::monostate (not an
// error: reach them through get_object).
// SetPublishedValue converts `value` with ConvertPropValue first.
// Both throw std::invalid_argument when the object has no such property
// ("Property "X" not found in class TFoo.") or the value cannot be
// converted; SetPublishedValue throws std::logic_error for a read-only
// property ("Property "X" of TFoo is read-only.") and std::invalid_argument
// for an object property. Note std::invalid_argument derives from
// std::logic_error: catch it first when the two must be told apart.
PropValue GetPublishedValue(const TnxBaseObject& obj, std::string_view name);
void SetPublishedValue(TnxBaseObject& obj, std::string_view name, const PropValue& value);

// Converts any value to the property's kind:
//  Integer     from an integer (must fit 32 bits), an integral double
//              (7.0 yes, 7.5 no), a boolean (1/0) or decimal text;
//  Double/Date from an integer, a double or numeric text; a Date also from
//              "YYYY-MM-DD[ HH:NN[:SS]]" (or with "T");
//  Boolean     from a boolean, a number (non-zero is true) or text "True"/
//              "False" (any case) or an integer text such as "1", "0", "-1";
//  String      from text, or a number/boolean written as PropValueToText
//              would write it;
//  Enumeration from an ordinal (integer or integral double) in range, or
//              text naming a value (any case) or holding an ordinal;
//  StringList  from a string list, or text split into lines.
// Throws std::invalid_argument naming the property and the value.
PropValue ConvertPropValue(const PropertyInfo& prop, const PropValue& value);
// The value as text: integers in decimal, doubles by FloatToStr, dates as
// a day number by FloatToStr, booleans "True"/"False", enumerations by name
// (an out-of-range ordinal in decimal), string lists as their Text, object
// kinds and std::monostate as "".
std::string PropValueToText(const PropertyInfo& prop, const PropValue& value);
// Converts text to the property's kind (the inverse of PropValueToText, with
// the text forms ConvertPropValue accepts). Throws std::invalid_argument on
// failure.
PropValue PropValueFromText(const PropertyInfo& prop, std::string_view text);

}  // namespace qora
