#include "rules/processor_support.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "common/format.h"
#include "foundation/class_info.h"

namespace qora {

namespace {

// The "0.#####" text of a value that needs no rounding: a finite, non-zero
// value below 1E15 whose shortest exact decimal has at most 15 significant
// digits and 5 decimals is written as that decimal. False for any other
// value, which FormatFloat then formats.
bool PlainDecimal(double pValue, std::string& pOut) {
  if (!std::isfinite(pValue) || pValue == 0.0 || std::fabs(pValue) >= 1e15) return false;
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, pValue, std::chars_format::fixed);
  if (error != std::errc()) return false;
  const char* point = std::find(buffer, end, '.');
  if (end - point > 6) return false;  // more than 5 decimals
  int digits = 0;
  bool leading = true;
  for (const char* c = buffer; c != end; ++c) {
    if (*c < '0' || *c > '9' || (leading && *c == '0')) continue;
    leading = false;
    ++digits;
  }
  if (digits > 15) return false;
  pOut.assign(buffer, end);
  return true;
}

}  // namespace

void ResultText(const TQelValue& pValue, std::string& pOut) {
  switch (pValue.Type) {
    case rdtDouble:
      if (!PlainDecimal(pValue.D, pOut)) pOut = FormatFloat("0.#####", pValue.D);
      break;
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
