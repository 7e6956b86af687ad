#include "award/award_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include <pugixml.hpp>

#include "award/award.h"
#include "award/component_registry.h"
#include "common/format.h"
#include "common/exceptions.h"
#include "common/text.h"
#include "foundation/class_info.h"
#include "foundation/xml_persist.h"

namespace qora {
namespace {

constexpr const char* kRootName = "TObjAward";

// 1-based line and column of a byte offset in the text.
struct TTextPosition {
  long Line = 0;
  long Column = 0;
};

TTextPosition PositionOf(std::string_view pText, std::ptrdiff_t pOffset) {
  TTextPosition position;
  if (pOffset < 0) return position;
  const size_t end = std::min(static_cast<size_t>(pOffset), pText.size());
  position.Line = 1;
  size_t line_start = 0;
  for (size_t i = 0; i < end; ++i) {
    if (pText[i] == '\n') {
      ++position.Line;
      line_start = i + 1;
    }
  }
  position.Column = static_cast<long>(end - line_start) + 1;
  return position;
}

std::string ElementPath(pugi::xml_node pNode) {
  std::string path;
  for (; pNode && pNode.type() == pugi::node_element; pNode = pNode.parent()) {
    path = path.empty() ? std::string(pNode.name()) : std::string(pNode.name()) + "/" + path;
  }
  return path;
}

// The class of the object a child element stands for inside an element of
// class pClass: its TYPE, the class of the nested object its property
// holds, or (a list item without TYPE) its element name. Null for a
// scalar property.
const ClassInfo* ClassOfChild(const ClassInfo& pClass, const pugi::xml_node& pChild) {
  if (const char* type = pChild.attribute("TYPE").value(); *type != '\0') {
    return ClassRegistry::Instance().Find(type);
  }
  if (const PropertyInfo* prop = pClass.FindProperty(pChild.name())) {
    if (!prop->IsObject() || !prop->get_object) return nullptr;
    std::unique_ptr<TnxBaseObject> owner = pClass.Create();
    const TnxBaseObject* nested = owner ? prop->get_object(*owner) : nullptr;
    return nested != nullptr ? &nested->GetClassInfo() : nullptr;
  }
  return ClassRegistry::Instance().Find(pChild.name());
}

// The innermost element under pNode (an element standing for an object of
// class pClass) that fails to load on its own, found by loading each child
// alone into a fresh object with the same loader the file goes through, so
// that the diagnosis can never disagree with the load. Null when every
// child loads on its own.
pugi::xml_node FailingElement(const ClassInfo& pClass, const pugi::xml_node& pNode) {
  for (pugi::xml_node child : pNode.children()) {
    if (child.type() != pugi::node_element) continue;
    std::unique_ptr<TnxBaseObject> scratch = pClass.Create();
    if (!scratch) return {};
    pugi::xml_document single;
    single.append_child(pNode.name()).append_copy(child);
    try {
      LoadPropertiesFromXml(*scratch, single.document_element());
      continue;
    } catch (const std::exception&) {
      // This child is (or holds) the culprit.
    }
    if (const ClassInfo* inner = ClassOfChild(pClass, child)) {
      if (pugi::xml_node deeper = FailingElement(*inner, child)) return deeper;
    }
    return child;
  }
  return {};
}

[[noreturn]] void ThrowFileError(const std::string& pFileName, const std::string& pWhat) {
  throw eLoadFromFileException(Format("Award file \"%s\": %s", pFileName, pWhat));
}

// Explains a failed load of a well-formed award document: which element,
// on which line, and what was wrong with it.
[[noreturn]] void ThrowElementError(const std::string& pFileName, std::string_view pText, const std::string& pReason) {
  pugi::xml_document doc;
  doc.load_buffer(pText.data(), pText.size());
  pugi::xml_node culprit = FailingElement(TObjAward::StaticClassInfo(), doc.document_element());
  if (!culprit) culprit = doc.document_element();
  const TTextPosition at = PositionOf(pText, culprit.offset_debug());
  const std::string where = at.Line > 0 ? Format(" on line %d", at.Line) : std::string();
  ThrowFileError(pFileName, Format("element <%s>%s cannot be loaded: %s Correct the element and load the file again.",
                                   ElementPath(culprit), where, pReason));
}

void CheckDocument(std::string_view pText, const std::string& pFileName) {
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed = doc.load_buffer(pText.data(), pText.size());
  if (!parsed) {
    const TTextPosition at = PositionOf(pText, parsed.offset);
    ThrowFileError(pFileName, Format("the file is not well-formed XML (%s on line %d, column %d). Correct the XML "
                                     "and load the file again.",
                                     std::string(parsed.description()), at.Line, at.Column));
  }
  const pugi::xml_node root = doc.document_element();
  const std::string type = root.attribute("TYPE").value();
  if (!root || !SameText(type.empty() ? root.name() : type, kRootName)) {
    ThrowFileError(pFileName, Format("the root element is <%s>, not <%s>: the file does not hold an award.",
                                     root ? std::string(root.name()) : std::string(), std::string(kRootName)));
  }
}

// An award file does not carry the unpublished standard hourly rate; it
// follows from the pay class marked as the standard rate (or, in a file
// written by hand, the one StdRateID names).
void SetStandardHourlyRate(TObjAward& pAward) {
  TObjListAwardClassRates& rates = pAward.ObjLstClassRates();
  for (int i = 0; i < rates.Count(); ++i) {
    TObjAwardClassRate* rate = rates.Items(i);
    if (rate == nullptr) continue;
    if (pAward.StdRateID() != 0 && rate->PayClassTDID() == pAward.StdRateID()) rate->SetIsStandardRate(true);
    rate->SetAward(&pAward);
  }
  const TObjAwardClassRate* standard = rates.GetStandardRate();
  pAward.SetStdHourlyRate(standard != nullptr ? standard->HourlyRate() : 0.0);
}

}  // namespace

std::string AwardFileNameForCode(const std::string& pCode) {
  return ContainsText(pCode, ".xml") ? pCode : pCode + ".xml";
}

std::unique_ptr<TObjAward> LoadAwardFromText(std::string_view pText, const std::string& pFileName) {
  CheckDocument(pText, pFileName);
  EnsureAwardClassesRegistered();
  auto award = std::make_unique<TObjAward>();
  try {
    LoadObjectFromXmlText(*award, pText);
  } catch (const std::exception& e) {
    ThrowElementError(pFileName, pText, e.what());
  }
  SetStandardHourlyRate(*award);
  return award;
}

std::unique_ptr<TObjAward> LoadAwardFile(const std::string& pFileName) {
  std::ifstream in(pFileName, std::ios::binary);
  if (!in) ThrowFileError(pFileName, "the file cannot be opened. Check the file name and that the file is readable.");
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return LoadAwardFromText(text, pFileName);
}

std::string AwardFileText(const TObjAward& pAward) { return SaveObjectToXmlText(pAward); }

void SaveAwardFile(const TObjAward& pAward, const std::string& pFileName) {
  std::ofstream out(pFileName, std::ios::binary | std::ios::trunc);
  const std::string text = AwardFileText(pAward);
  out << text;
  out.flush();
  if (!out) ThrowFileError(pFileName, "the file cannot be written. Check the folder exists and is writable.");
}

}  // namespace qora
