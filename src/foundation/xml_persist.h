// The XML form of published properties, used for stored award components
// and award files:
//  - one element per published property, named exactly as the property;
//  - enumeration values by their value names, booleans "True"/"False",
//    numbers and dates as text (dates as day numbers);
//  - string lists as child LINE elements carrying an INDEX attribute;
//  - nested objects as elements carrying TYPE (class name) and ID
//    attributes, holding the object's own property elements; a nested list
//    holds one element per item, named after the item's class, with TYPE
//    and ID, created through the ClassRegistry.
// Unknown elements are ignored on loading, so older and newer stored forms
// both load.
#pragma once

#include <string>
#include <string_view>

namespace pugi {
class xml_node;
}

namespace qora {

class TnxBaseObject;

// Writes obj's published properties as children of `node`.
void SavePropertiesToXml(const TnxBaseObject& obj, pugi::xml_node node);
// Sets obj's published properties from the children of `node`. Throws
// std::invalid_argument for a value that cannot be converted.
void LoadPropertiesFromXml(TnxBaseObject& obj, const pugi::xml_node& node);

// Whole-document forms: the root element is named after obj's class and
// carries TYPE and ID attributes.
std::string SaveObjectToXmlText(const TnxBaseObject& obj);
// Loads from the document's root element. Throws std::runtime_error when the
// text is not well-formed XML.
void LoadObjectFromXmlText(TnxBaseObject& obj, std::string_view xml);

}  // namespace qora
