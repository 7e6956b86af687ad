#include "rules/processor_support.h"

#include <cctype>

#include "common/format.h"
#include "foundation/class_info.h"

namespace qora {

void ResultText(const TQelValue& pValue, std::string& pOut) {
  switch (pValue.Type) {
    case rdtDouble: {
      static const TFloatPattern kPattern("0.#####");
      pOut.clear();
      kPattern.AppendTo(pOut, pValue.D);
      break;
    }
    case rdtInteger: pOut = std::to_string(pValue.I); break;
    case rdtBoolean: pOut = pValue.B ? "True" : "False"; break;
    case rdtString: pOut = pValue.S; break;
  }
}

std::string Capitalised(std::string pText) {
  if (!pText.empty()) pText[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(pText[0])));
  return pText;
}

bool SupportsCompiledRun(const ClassInfo& pItemClass) {
  // Every shift asks about the same class: remember the last answer.
  thread_local const ClassInfo* checked = nullptr;
  thread_local bool supported = true;
  if (checked == &pItemClass) return supported;
  supported = true;
  for (const PropertyInfo* prop : pItemClass.Properties()) {
    if (prop->kind == PropKind::StringList) supported = false;
  }
  checked = &pItemClass;
  return supported;
}

}  // namespace qora
