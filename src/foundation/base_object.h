// The base of every engine object: an integer identity, a lookup text, a
// class-based notion of matching, and the XML form of its published
// properties.
//
// Construction sets an object's defaults (member initialisers and
// constructors play the part of InitialiseObject, base first); destruction
// frees what it owns (destructors play the part of FinaliseObject, derived
// first).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/class_info.h"
#include "foundation/object_pool.h"

namespace qora {

// Declares the class-description accessors of an engine class. Use inside the
// class body (it leaves the access at private); define StaticClassInfo() in
// the .cpp with a ClassBuilder. Every published class needs its own
// QORA_CLASS: a class without one reports its parent's class.
#define QORA_CLASS(T, Base)                                                          \
 public:                                                                             \
  using InheritedClass = Base;                                                       \
  static const ::qora::ClassInfo& StaticClassInfo();                                 \
  const ::qora::ClassInfo& GetClassInfo() const override { return StaticClassInfo(); } \
                                                                                     \
 private:

class TnxBaseObject {
 public:
  TnxBaseObject() = default;
  virtual ~TnxBaseObject() = default;
  TnxBaseObject(const TnxBaseObject&) = delete;
  TnxBaseObject& operator=(const TnxBaseObject&) = delete;

  // Engine objects come and go by the dozen for every shift; their memory
  // is recycled by size (see object_pool.h).
  static void* operator new(std::size_t size) { return object_pool::Allocate(size); }
  static void operator delete(void* block, std::size_t size) noexcept { object_pool::Release(block, size); }

  static const ClassInfo& StaticClassInfo();
  virtual const ClassInfo& GetClassInfo() const { return StaticClassInfo(); }
  // The run-time class name, for example "TObjAwardOvertimeStd".
  const std::string& ClassName() const { return GetClassInfo().Name(); }
  bool InheritsFrom(const ClassInfo& ancestor) const { return GetClassInfo().InheritsFrom(ancestor); }

  // Database identity; 0 until loaded.
  int32_t ID() const { return FID; }
  void SetID(int32_t id) { FID = id; }

  // Text by which lists find the object; the decimal ID unless overridden.
  virtual std::string LookupText() const;
  // True when other is not null and of exactly the same class (the same
  // ClassInfo), whatever the IDs; descendants compare keys as well.
  virtual bool IsMatch(const TnxBaseObject* other) const;
  // Copies values from other; nothing in the base.
  virtual void Synchronise(const TnxBaseObject* other);

  // The published properties as an XML document whose root element is
  // named after the class (see xml_persist.h for the vocabulary).
  std::string SaveToXML() const;
  // Sets the published properties from such XML text (the root element's
  // name does not matter; properties without an element keep their
  // values). Throws std::runtime_error when the text is not well-formed XML,
  // std::invalid_argument for a value that cannot be converted.
  void LoadFromXML(std::string_view xml);
  // Sets every published value that can be read and written (object-valued
  // ones excepted) from source, as a save and load through XML would, but
  // exactly and without the text. Throws std::invalid_argument when source
  // is of another class.
  void CopyPublishedValues(const TnxBaseObject& source);

 protected:
  int32_t FID = 0;
};

}  // namespace qora
