#include "foundation/xml_persist.h"

#include <algorithm>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "common/format.h"
#include "common/string_list.h"
#include "common/text.h"
#include "foundation/base_object.h"
#include "foundation/class_info.h"
#include "foundation/object_list.h"

namespace qora {
namespace {

constexpr const char* kTypeAttr = "TYPE";
constexpr const char* kIdAttr = "ID";
constexpr const char* kLineElement = "LINE";
constexpr const char* kIndexAttr = "INDEX";

// Carriage returns inside values are kept as written (no end-of-line
// normalisation), and a value made only of blanks survives the round trip.
constexpr unsigned kParseOptions = (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_ws_pcdata_single;

void SaveObjectElement(const TnxBaseObject& obj, pugi::xml_node node) {
  node.append_attribute(kTypeAttr).set_value(obj.ClassName().c_str());
  node.append_attribute(kIdAttr).set_value(obj.ID());
  SavePropertiesToXml(obj, node);
}

void SaveStringList(const TStringList& list, pugi::xml_node node) {
  for (int i = 0; i < list.Count(); ++i) {
    pugi::xml_node line = node.append_child(kLineElement);
    line.append_attribute(kIndexAttr).set_value(i);
    if (!list[i].empty()) line.text().set(list[i].c_str());
  }
}

void SaveProperty(const TnxBaseObject& obj, const PropertyInfo& prop, pugi::xml_node parent) {
  if (prop.IsObject()) {
    const TnxBaseObject* nested = prop.get_object ? prop.get_object(obj) : nullptr;
    if (nested != nullptr) SaveObjectElement(*nested, parent.append_child(prop.name.c_str()));
    return;
  }
  // Computed (read-only) values are not stored: they could not be loaded
  // back and would only go stale.
  if (prop.ReadOnly() || !prop.get) return;
  PropValue value = prop.get(obj);
  pugi::xml_node node = parent.append_child(prop.name.c_str());
  if (prop.kind == PropKind::StringList) {
    SaveStringList(std::get<TStringList>(ConvertPropValue(prop, value)), node);
    return;
  }
  std::string text = PropValueToText(prop, value);
  if (!text.empty()) node.text().set(text.c_str());
}

TStringList LoadStringList(const pugi::xml_node& node) {
  // Lines go by their INDEX; a line without one keeps its document position.
  std::vector<std::pair<long long, std::string>> lines;
  for (pugi::xml_node line : node.children(kLineElement)) {
    pugi::xml_attribute index = line.attribute(kIndexAttr);
    long long key = index ? index.as_llong() : static_cast<long long>(lines.size());
    lines.emplace_back(key, line.text().get());
  }
  TStringList list;
  if (lines.empty()) {
    // A list written as plain text, one line per line.
    list.SetText(node.text().get());
    return list;
  }
  std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& line : lines) list.Add(std::move(line.second));
  return list;
}

// Nested objects and lists are loaded by recursion, one level per element.
// Award files come from users; a document nested deeper than any award is
// refused before the recursion can exhaust the stack.
constexpr int kMaxNesting = 100;

void LoadObjectElement(TnxBaseObject& obj, const pugi::xml_node& node, int depth);
void LoadProperties(TnxBaseObject& obj, const pugi::xml_node& node, int depth);

// The property a child element stands for, or null when it stands for none.
// Inside a list, elements also stand for items; object properties carry
// TYPE and other properties never do, so there a TYPE on a scalar
// property's name marks an item.
const PropertyInfo* PropertyOfElement(const ClassInfo& cls, const pugi::xml_node& child, bool in_list) {
  const PropertyInfo* prop = cls.FindProperty(child.name());
  if (prop == nullptr || !in_list || prop->IsObject()) return prop;
  return child.attribute(kTypeAttr) ? nullptr : prop;
}

std::unique_ptr<TnxBaseObject> CreateStoredObject(std::string_view class_name, std::string_view context) {
  const ClassInfo* cls = ClassRegistry::Instance().Find(class_name);
  if (cls == nullptr) {
    throw std::invalid_argument("Cannot load \"" + std::string(context) + "\": class \"" + std::string(class_name) +
                                "\" is not registered.");
  }
  std::unique_ptr<TnxBaseObject> created = cls->Create();
  if (!created) {
    throw std::invalid_argument("Cannot load \"" + std::string(context) + "\": class \"" + cls->Name() +
                                "\" is abstract.");
  }
  return created;
}

bool HasElementChild(const pugi::xml_node& node) {
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_element) return true;
  }
  return false;
}

// A nested object or list. The object the getter hands out is filled in
// place; a property that can replace its object gets a new one of the
// stored class when it has none or one of another class. An element
// without TYPE and without child elements stands for "no object".
void LoadNested(TnxBaseObject& owner, const PropertyInfo& prop, const pugi::xml_node& node, int depth) {
  std::string type = node.attribute(kTypeAttr).value();
  TnxBaseObject* target = prop.get_object ? prop.get_object(owner) : nullptr;
  if (type.empty() && !HasElementChild(node)) {
    if (prop.set_object) {
      prop.set_object(owner, nullptr);
    } else if (auto* list = dynamic_cast<TnxBaseObjectList*>(target); list && list->OwnsObjects()) {
      list->Clear();
    }
    return;
  }
  bool other_class = target != nullptr && !type.empty() && !SameText(target->ClassName(), type);
  if (prop.set_object && (target == nullptr || other_class)) {
    if (type.empty()) {
      throw std::invalid_argument("Cannot load \"" + prop.name + "\": the element has no " + kTypeAttr +
                                  " attribute.");
    }
    std::unique_ptr<TnxBaseObject> created = CreateStoredObject(type, prop.name);
    LoadObjectElement(*created, node, depth);
    prop.set_object(owner, std::move(created));
    return;
  }
  // Without a way to create the object there is nothing to fill; the
  // element is skipped like one that names no property.
  if (target != nullptr) LoadObjectElement(*target, node, depth);
}

void LoadProperty(TnxBaseObject& obj, const PropertyInfo& prop, const pugi::xml_node& node, int depth) {
  if (prop.IsObject()) {
    LoadNested(obj, prop, node, depth);
    return;
  }
  // Stored computed values are ignored, as they were never meant to be set.
  if (prop.ReadOnly()) return;
  if (prop.kind == PropKind::StringList) {
    prop.set(obj, PropValue{LoadStringList(node)});
    return;
  }
  std::string text = node.text().get();
  // An empty element keeps the default of a number, date, boolean or
  // enumeration; only a string can be empty.
  if (text.empty() && prop.kind != PropKind::String) return;
  prop.set(obj, PropValueFromText(prop, text));
}

// Items of a list element: every child with a TYPE attribute, and every
// child that names no property of the list's class, by its element name.
// The list refuses an item that is not of its item class (Add).
void LoadListItems(TnxBaseObjectList& list, const pugi::xml_node& node, int depth) {
  const ClassInfo& cls = list.GetClassInfo();
  for (pugi::xml_node child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    if (PropertyOfElement(cls, child, true) != nullptr) continue;  // a property of the list itself
    std::string type = child.attribute(kTypeAttr).value();
    std::unique_ptr<TnxBaseObject> item = CreateStoredObject(type.empty() ? child.name() : type, child.name());
    LoadObjectElement(*item, child, depth);
    list.Add(std::move(item));
  }
}

void LoadObjectElement(TnxBaseObject& obj, const pugi::xml_node& node, int depth) {
  if (depth >= kMaxNesting) {
    throw std::invalid_argument("Cannot load \"" + std::string(node.name()) + "\": the XML nests more than " +
                                std::to_string(kMaxNesting) + " objects deep.");
  }
  if (pugi::xml_attribute id = node.attribute(kIdAttr)) obj.SetID(id.as_int());
  LoadProperties(obj, node, depth + 1);
}

void LoadProperties(TnxBaseObject& obj, const pugi::xml_node& node, int depth) {
  const ClassInfo& cls = obj.GetClassInfo();
  auto* list = dynamic_cast<TnxBaseObjectList*>(&obj);
  bool fill_list = list != nullptr && list->OwnsObjects();
  for (pugi::xml_node child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    if (const PropertyInfo* prop = PropertyOfElement(cls, child, fill_list)) LoadProperty(obj, *prop, child, depth);
  }
  if (fill_list) {
    list->Clear();
    LoadListItems(*list, node, depth);
  }
}

}  // namespace

void SavePropertiesToXml(const TnxBaseObject& obj, pugi::xml_node node) {
  for (const PropertyInfo* prop : obj.GetClassInfo().Properties()) SaveProperty(obj, *prop, node);
  if (const auto* list = dynamic_cast<const TnxBaseObjectList*>(&obj)) {
    for (int i = 0; i < list->Count(); ++i) {
      const TnxBaseObject* item = list->GetItem(i);
      if (item != nullptr) SaveObjectElement(*item, node.append_child(item->ClassName().c_str()));
    }
  }
}

void LoadPropertiesFromXml(TnxBaseObject& obj, const pugi::xml_node& node) { LoadProperties(obj, node, 0); }

std::string SaveObjectToXmlText(const TnxBaseObject& obj) {
  pugi::xml_document doc;
  SaveObjectElement(obj, doc.append_child(obj.ClassName().c_str()));
  std::ostringstream out;
  doc.save(out, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
  return out.str();
}

void LoadObjectFromXmlText(TnxBaseObject& obj, std::string_view xml) {
  pugi::xml_document doc;
  pugi::xml_parse_result result = doc.load_buffer(xml.data(), xml.size(), kParseOptions, pugi::encoding_utf8);
  if (!result) {
    throw std::runtime_error("Invalid XML: " + std::string(result.description()) + " at offset " +
                             std::to_string(result.offset) + ".");
  }
  pugi::xml_node root = doc.document_element();
  if (!root) throw std::runtime_error("Invalid XML: the document has no root element.");
  LoadObjectElement(obj, root, 0);
}

}  // namespace qora
