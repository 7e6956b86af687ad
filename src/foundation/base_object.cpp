#include "foundation/base_object.h"

#include <memory>
#include <stdexcept>
#include <string>

#include "foundation/xml_persist.h"

namespace qora {

const ClassInfo& TnxBaseObject::StaticClassInfo() {
  // The root of every class tree; it publishes no properties (the identity
  // travels as the ID attribute of the XML form).
  static const ClassInfo& info = ClassRegistry::Instance().Register(std::make_unique<ClassInfo>(
      "TnxBaseObject", nullptr, []() -> std::unique_ptr<TnxBaseObject> { return std::make_unique<TnxBaseObject>(); }));
  return info;
}

std::string TnxBaseObject::LookupText() const { return std::to_string(FID); }

bool TnxBaseObject::IsMatch(const TnxBaseObject* other) const {
  return other != nullptr && &other->GetClassInfo() == &GetClassInfo();
}

void TnxBaseObject::Synchronise(const TnxBaseObject* /*other*/) {}

std::string TnxBaseObject::SaveToXML() const { return SaveObjectToXmlText(*this); }

void TnxBaseObject::LoadFromXML(std::string_view xml) { LoadObjectFromXmlText(*this, xml); }

void TnxBaseObject::CopyPublishedValues(const TnxBaseObject& source) {
  // A property's accessors are those of one class: reading another class
  // through them would read the wrong member.
  if (&source.GetClassInfo() != &GetClassInfo()) {
    throw std::invalid_argument("Cannot copy the values of " + source.ClassName() + " into " + ClassName() + ".");
  }
  for (const PropertyInfo* prop : GetClassInfo().Properties()) {
    if (prop->copy) {
      prop->copy(*this, source);
      continue;
    }
    if (prop->IsObject() || !prop->get || !prop->set) continue;
    prop->set(*this, prop->get(source));
  }
}

}  // namespace qora
