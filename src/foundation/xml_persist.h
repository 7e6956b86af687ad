// The XML form of published properties, used for stored award components
// and award files:
//  - one element per published property, named exactly as the property
//    (element names are matched without regard to case on loading);
//  - enumeration values by their value names, booleans "True"/"False",
//    numbers as text (doubles with 15 significant digits, as FloatToStr
//    writes them), dates as day numbers;
//  - string lists as child LINE elements carrying an INDEX attribute
//    (<Notes><LINE INDEX="0">text</LINE><LINE INDEX="1" /></Notes>);
//  - nested objects as elements carrying TYPE (class name) and ID
//    attributes, holding the object's own property elements; a nested list
//    holds one element per item, named after the item's class, with TYPE
//    and ID, created through the ClassRegistry by TYPE (or, without TYPE,
//    by the element name).
// Writing: properties in Properties() order, two-space indentation, no XML
// declaration; computed (read-only) properties and null nested objects are
// left out; line breaks inside texts are written as they are.
// Loading:
//  - elements that name no property, and elements of read-only properties,
//    are ignored, so older and newer stored forms both load; properties
//    without an element keep their values;
//  - an empty element keeps the value of a number, date, boolean or
//    enumeration (a string becomes empty); booleans also read "1", "0",
//    "-1"; dates also read "YYYY-MM-DD[ HH:NN:SS]";
//  - a nested object is filled in place; a property that can replace its
//    object (ClassBuilder::OwnedObject) gets a new object of the stored
//    TYPE when it has none or one of another class, and an element without
//    TYPE and without child elements clears it;
//  - a nested owning list is emptied and refilled from its item elements
//    (children with TYPE, and children that name no property of the list's
//    class), each of which must be of the list's item class; a non-owning
//    list is left alone;
//  - the ID attribute, when present, sets the object's ID.
// Item and object classes are found through the ClassRegistry, which only
// knows classes that have been touched: register families up front with
// EnsureClassesRegistered.
#pragma once

#include <string>
#include <string_view>

namespace pugi {
class xml_node;
}

namespace qora {

class TnxBaseObject;

// Writes obj's published properties (and, for a list, its items) as
// children of `node`; the node's own name and attributes are left alone.
void SavePropertiesToXml(const TnxBaseObject& obj, pugi::xml_node node);
// Sets obj's published properties (and, for an owning list, its items) from
// the children of `node`; obj's ID is not touched. Throws
// std::invalid_argument for a value that cannot be converted (message as
// "Invalid TFoo value "x" for property "Bar"."), for an item or nested
// object whose class is not registered or is abstract, for a list item that
// is not of the list's item class ("Class TFoo cannot be stored in a list
// of TBar."), and for objects nested more than 100 deep ("Cannot load
// "<element>": the XML nests more than 100 objects deep."). Properties read
// before the failure keep their new values.
void LoadPropertiesFromXml(TnxBaseObject& obj, const pugi::xml_node& node);

// Whole-document forms: the root element is named after obj's class and
// carries TYPE and ID attributes.
std::string SaveObjectToXmlText(const TnxBaseObject& obj);
// Loads from the document's root element, whatever its name (its ID
// attribute, when present, sets obj's ID). Throws std::runtime_error
// ("Invalid XML: ...") when the text is not well-formed XML or has no root
// element, otherwise as LoadPropertiesFromXml.
void LoadObjectFromXmlText(TnxBaseObject& obj, std::string_view xml);

}  // namespace qora
