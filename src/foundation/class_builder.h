// Fluent description of a class's published properties and operations:
//
//   const ClassInfo& THoursGroup::StaticClassInfo() {
//     static const ClassInfo& info = ClassBuilder<THoursGroup>("THoursGroup")
//         .Enum("HoursType", &THoursGroup::FHoursType, HoursTypeInfo())
//         .Field("FromTime", &THoursGroup::FFromTime)
//         .Getter("HoursTotal", PropKind::Double, [](const THoursGroup& g) { return g.HoursTotal(); })
//         .Build();
//     return info;
//   }
//
// Build() hands the description to the ClassRegistry, which owns it for the
// life of the process, and returns it.
#pragma once

#include <type_traits>

#include "foundation/base_object.h"
#include "foundation/class_info.h"

namespace qora {

template <class T, class Parent = typename T::InheritedClass>
class ClassBuilder {
 public:
  explicit ClassBuilder(std::string name, bool abstract = false)
      : info_(std::make_unique<ClassInfo>(
            std::move(name), &Parent::StaticClassInfo(),
            abstract ? ClassInfo::Factory{} : ClassInfo::Factory{[]() -> std::unique_ptr<TnxBaseObject> { return std::make_unique<T>(); }})) {}

  // A plain field: int32_t -> Integer, double -> Double, bool -> Boolean,
  // std::string -> String, TStringList -> StringList.
  template <class V>
  ClassBuilder& Field(std::string name, V T::*member, bool read_only = false) {
    PropertyInfo p;
    p.name = std::move(name);
    p.kind = KindOf<V>();
    p.get = [member](const TnxBaseObject& o) { return ToValue(static_cast<const T&>(o).*member); };
    if (!read_only) {
      p.set = [member](TnxBaseObject& o, const PropValue& v) { FromValue(v, static_cast<T&>(o).*member); };
    }
    info_->AddProperty(std::move(p));
    return *this;
  }

  // A TDateTime field.
  ClassBuilder& DateField(std::string name, double T::*member) {
    PropertyInfo p;
    p.name = std::move(name);
    p.kind = PropKind::Date;
    p.get = [member](const TnxBaseObject& o) { return PropValue{static_cast<const T&>(o).*member}; };
    p.set = [member](TnxBaseObject& o, const PropValue& v) { static_cast<T&>(o).*member = std::get<double>(v); };
    info_->AddProperty(std::move(p));
    return *this;
  }

  // An enumeration field (any enum type with ordinals 0..n-1).
  template <class E>
  ClassBuilder& Enum(std::string name, E T::*member, const EnumInfo& values) {
    PropertyInfo p;
    p.name = std::move(name);
    p.kind = PropKind::Enumeration;
    p.enum_info = &values;
    p.get = [member](const TnxBaseObject& o) { return PropValue{int64_t(static_cast<const T&>(o).*member)}; };
    p.set = [member](TnxBaseObject& o, const PropValue& v) {
      static_cast<T&>(o).*member = static_cast<E>(std::get<int64_t>(v));
    };
    info_->AddProperty(std::move(p));
    return *this;
  }

  // A computed or side-effecting property. `get` returns a value convertible
  // to PropValue; `set` (optional) receives the converted PropValue.
  template <class G>
  ClassBuilder& Getter(std::string name, PropKind kind, G get) {
    PropertyInfo p;
    p.name = std::move(name);
    p.kind = kind;
    p.get = [get](const TnxBaseObject& o) { return ToValue(get(static_cast<const T&>(o))); };
    info_->AddProperty(std::move(p));
    return *this;
  }
  template <class G, class S>
  ClassBuilder& Property(std::string name, PropKind kind, G get, S set, const EnumInfo* values = nullptr) {
    PropertyInfo p;
    p.name = std::move(name);
    p.kind = kind;
    p.enum_info = values;
    p.get = [get](const TnxBaseObject& o) { return ToValue(get(static_cast<const T&>(o))); };
    p.set = [set](TnxBaseObject& o, const PropValue& v) { set(static_cast<T&>(o), v); };
    info_->AddProperty(std::move(p));
    return *this;
  }

  // A nested object or list, reached by pointer (null allowed for objects).
  template <class G>
  ClassBuilder& Object(std::string name, G get, bool is_list = false) {
    PropertyInfo p;
    p.name = std::move(name);
    p.kind = is_list ? PropKind::ObjectList : PropKind::Object;
    p.get_object = [get](const TnxBaseObject& o) -> TnxBaseObject* {
      return get(const_cast<T&>(static_cast<const T&>(o)));
    };
    info_->AddProperty(std::move(p));
    return *this;
  }

  // A published operation implemented by a member function
  // void T::Op(TQelParser* parser, const std::vector<std::string>& params).
  ClassBuilder& Operation(std::string name, void (T::*fn)(TQelParser*, const std::vector<std::string>&)) {
    info_->AddOperation(OperationInfo{std::move(name), [fn](TnxBaseObject& self, TQelParser* parser,
                                                             const std::vector<std::string>& params) {
                                        (static_cast<T&>(self).*fn)(parser, params);
                                      }});
    return *this;
  }

  // Hands the description to the registry, which keeps it for the process.
  const ClassInfo& Build() { return ClassRegistry::Instance().Register(std::move(info_)); }

 private:
  template <class V>
  static constexpr PropKind KindOf() {
    if constexpr (std::is_same_v<V, bool>) return PropKind::Boolean;
    else if constexpr (std::is_integral_v<V>) return PropKind::Integer;
    else if constexpr (std::is_floating_point_v<V>) return PropKind::Double;
    else if constexpr (std::is_same_v<V, TStringList>) return PropKind::StringList;
    else return PropKind::String;
  }
  template <class V>
  static PropValue ToValue(const V& v) {
    if constexpr (std::is_same_v<V, bool>) return PropValue{v};
    else if constexpr (std::is_enum_v<V>) return PropValue{int64_t(v)};
    else if constexpr (std::is_integral_v<V>) return PropValue{int64_t(v)};
    else if constexpr (std::is_floating_point_v<V>) return PropValue{double(v)};
    else if constexpr (std::is_same_v<V, TStringList>) return PropValue{v};
    else return PropValue{std::string(v)};
  }
  template <class V>
  static void FromValue(const PropValue& pv, V& out) {
    if constexpr (std::is_same_v<V, bool>) out = std::get<bool>(pv);
    else if constexpr (std::is_integral_v<V>) out = static_cast<V>(std::get<int64_t>(pv));
    else if constexpr (std::is_floating_point_v<V>) out = std::get<double>(pv);
    else if constexpr (std::is_same_v<V, TStringList>) out = std::get<TStringList>(pv);
    else out = std::get<std::string>(pv);
  }
  std::unique_ptr<ClassInfo> info_;
};

}  // namespace qora
