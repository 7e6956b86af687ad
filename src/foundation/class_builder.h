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
// The class declares itself with QORA_CLASS(T, Base); its parent's
// description is built first. Properties are listed in declaration order,
// after those of the ancestors; declaring a name an ancestor already has
// replaces the ancestor's property (its position is kept).
//
// Build() hands the description to the ClassRegistry, which owns it for the
// life of the process, and returns it.
//
// Every setter registered here receives a value already converted to the
// property's kind (SetPublishedValue and the XML loader convert first).
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "common/string_list.h"
#include "foundation/base_object.h"
#include "foundation/class_info.h"

namespace qora {

template <class T, class Parent = typename T::InheritedClass>
class ClassBuilder {
  static_assert(std::is_base_of_v<TnxBaseObject, T>, "published classes derive from TnxBaseObject");
  static_assert(std::is_base_of_v<Parent, T> && !std::is_same_v<Parent, T>,
                "Parent must be a proper base of T (declare QORA_CLASS(T, Base) in T)");
  static_assert(std::is_same_v<decltype(&T::GetClassInfo), const ClassInfo& (T::*)() const>,
                "T lacks its own QORA_CLASS(T, Base): it would report its parent's class");

 public:
  // `abstract` classes get no factory (ClassInfo::Create returns null);
  // classes that cannot be default-constructed are always abstract here.
  explicit ClassBuilder(std::string name, bool abstract = false)
      : info_(std::make_unique<ClassInfo>(std::move(name), &Parent::StaticClassInfo(), MakeFactory(abstract))) {}

  // A plain field: int32_t (any integer) -> Integer, double -> Double,
  // bool -> Boolean, std::string -> String, TStringList -> StringList.
  // Enumerations use Enum(), dates DateField().
  template <class V>
  ClassBuilder& Field(std::string name, V T::*member, bool read_only = false) {
    static_assert(!std::is_enum_v<V>, "use Enum() for enumeration fields");
    PropertyInfo p;
    p.name = std::move(name);
    p.kind = KindOf<V>();
    p.get = [member](const TnxBaseObject& o) { return ToValue(static_cast<const T&>(o).*member); };
    if (!read_only) {
      p.set = [member](TnxBaseObject& o, const PropValue& v) { FromValue(v, static_cast<T&>(o).*member); };
      p.copy = CopyOf(member);
    }
    info_->AddProperty(std::move(p));
    return *this;
  }

  // A TDateTime field.
  ClassBuilder& DateField(std::string name, double T::*member, bool read_only = false) {
    PropertyInfo p;
    p.name = std::move(name);
    p.kind = PropKind::Date;
    p.get = [member](const TnxBaseObject& o) { return PropValue{static_cast<const T&>(o).*member}; };
    if (!read_only) {
      p.set = [member](TnxBaseObject& o, const PropValue& v) { static_cast<T&>(o).*member = std::get<double>(v); };
      p.copy = CopyOf(member);
    }
    info_->AddProperty(std::move(p));
    return *this;
  }

  // An enumeration field (any enum type with ordinals 0..n-1). `values`
  // must outlive the description (give it static storage).
  template <class E>
  ClassBuilder& Enum(std::string name, E T::*member, const EnumInfo& values, bool read_only = false) {
    static_assert(std::is_enum_v<E>, "Enum() takes an enumeration member");
    PropertyInfo p;
    p.name = std::move(name);
    p.kind = PropKind::Enumeration;
    p.enum_info = &values;
    p.get = [member](const TnxBaseObject& o) {
      return PropValue{static_cast<int64_t>(static_cast<const T&>(o).*member)};
    };
    if (!read_only) {
      p.set = [member](TnxBaseObject& o, const PropValue& v) {
        static_cast<T&>(o).*member = static_cast<E>(std::get<int64_t>(v));
      };
      p.copy = CopyOf(member);
    }
    info_->AddProperty(std::move(p));
    return *this;
  }

  // A computed, read-only property. `get(const T&)` returns anything
  // convertible to PropValue (a number, bool, text, TStringList, an enum
  // value or a PropValue). Enumerations pass their EnumInfo as `values`.
  template <class G>
  ClassBuilder& Getter(std::string name, PropKind kind, G get, const EnumInfo* values = nullptr) {
    PropertyInfo p;
    p.name = std::move(name);
    p.kind = kind;
    p.enum_info = values;
    p.get = [get](const TnxBaseObject& o) { return ToValue(get(static_cast<const T&>(o))); };
    info_->AddProperty(std::move(p));
    return *this;
  }

  // A computed or side-effecting property: `get(const T&)` as for Getter,
  // `set(T&, const PropValue&)` receives the value converted to `kind`.
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

  // A nested object or list, reached by pointer through `get(T&)` (null
  // allowed for objects; a getter may create the object on first access).
  // The XML loader fills the object it is given; it cannot replace it.
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

  // A nested object owned through a std::unique_ptr member (null allowed).
  // The XML loader creates the object of the stored class (TYPE) when the
  // member is null or holds another class.
  template <class V>
  ClassBuilder& OwnedObject(std::string name, std::unique_ptr<V> T::*member) {
    static_assert(std::is_base_of_v<TnxBaseObject, V>, "nested objects derive from TnxBaseObject");
    PropertyInfo p;
    p.name = std::move(name);
    p.kind = std::is_base_of_v<TnxBaseObjectList, V> ? PropKind::ObjectList : PropKind::Object;
    p.get_object = [member](const TnxBaseObject& o) -> TnxBaseObject* {
      return (static_cast<const T&>(o).*member).get();
    };
    p.set_object = [member](TnxBaseObject& o, std::unique_ptr<TnxBaseObject> value) {
      auto& slot = static_cast<T&>(o).*member;
      if (!value) {
        slot.reset();
        return;
      }
      V* typed = dynamic_cast<V*>(value.get());
      if (typed == nullptr) {
        throw std::invalid_argument("Class " + value->ClassName() + " cannot be stored in a property of type " +
                                    V::StaticClassInfo().Name() + ".");
      }
      value.release();
      slot.reset(typed);
    };
    info_->AddProperty(std::move(p));
    return *this;
  }

  // A published operation implemented by a member function
  // void T::Op(TQelParser* parser, const TActionParams& params).
  ClassBuilder& Operation(std::string name, void (T::*fn)(TQelParser*, const TActionParams&)) {
    info_->AddOperation(OperationInfo{std::move(name), [fn](TnxBaseObject& self, TQelParser* parser,
                                                             const TActionParams& params) {
                                        (static_cast<T&>(self).*fn)(parser, params);
                                      }});
    return *this;
  }

  // Hands the description to the registry, which keeps it for the process.
  // Call once; the builder is empty afterwards.
  const ClassInfo& Build() { return ClassRegistry::Instance().Register(std::move(info_)); }

 private:
  static ClassInfo::Factory MakeFactory(bool abstract) {
    if constexpr (std::is_abstract_v<T> || !std::is_default_constructible_v<T>) {
      return ClassInfo::Factory{};
    } else {
      if (abstract) return ClassInfo::Factory{};
      return ClassInfo::Factory{[]() -> std::unique_ptr<TnxBaseObject> { return std::make_unique<T>(); }};
    }
  }

  // The field copied as it is: what reading it and setting the value read
  // would leave, since the value converts to the field's own kind.
  template <class V>
  static std::function<void(TnxBaseObject&, const TnxBaseObject&)> CopyOf(V T::*member) {
    return [member](TnxBaseObject& target, const TnxBaseObject& source) {
      static_cast<T&>(target).*member = static_cast<const T&>(source).*member;
    };
  }

  template <class V>
  static constexpr PropKind KindOf() {
    if constexpr (std::is_same_v<V, bool>) return PropKind::Boolean;
    else if constexpr (std::is_integral_v<V>) return PropKind::Integer;
    else if constexpr (std::is_floating_point_v<V>) return PropKind::Double;
    else if constexpr (std::is_same_v<V, TStringList>) return PropKind::StringList;
    else {
      static_assert(std::is_same_v<V, std::string>, "unsupported field type");
      return PropKind::String;
    }
  }
  template <class V>
  static PropValue ToValue(const V& v) {
    if constexpr (std::is_same_v<V, PropValue>) return v;
    else if constexpr (std::is_same_v<V, bool>) return PropValue{v};
    else if constexpr (std::is_enum_v<V>) return PropValue{static_cast<int64_t>(v)};
    else if constexpr (std::is_integral_v<V>) return PropValue{static_cast<int64_t>(v)};
    else if constexpr (std::is_floating_point_v<V>) return PropValue{static_cast<double>(v)};
    else if constexpr (std::is_same_v<V, TStringList>) return PropValue{v};
    else return PropValue{std::string(v)};
  }
  template <class V>
  static void FromValue(const PropValue& pv, V& out) {
    if constexpr (std::is_same_v<V, bool>) out = std::get<bool>(pv);
    else if constexpr (std::is_integral_v<V>) out = static_cast<V>(std::get<int64_t>(pv));
    else if constexpr (std::is_floating_point_v<V>) out = static_cast<V>(std::get<double>(pv));
    else if constexpr (std::is_same_v<V, TStringList>) out = std::get<TStringList>(pv);
    else out = std::get<std::string>(pv);
  }

  std::unique_ptr<ClassInfo> info_;
};

}  // namespace qora
