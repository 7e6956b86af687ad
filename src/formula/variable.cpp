#include "formula/variable.h"

#include "common/text.h"
#include "formula/errors.h"

namespace qora {

namespace {
bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

void TCustomVariable::ValidateName(std::string_view name) {
  std::string n = Trim(name);
  if (n.empty()) throw EQelParserError("Error: Variables must be named.", kQelNameError);
  if (!IsAsciiLetter(n[0]) && n[0] != '_') {
    throw EQelParserError("Error: \"" + n + "\" is illegal. " +
                              "The first character of a variable name must be a letter or an underscore.",
                          kQelNameError);
  }
  for (char c : n) {
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '_') {
      throw EQelParserError("Error: \"" + n + "\" is illegal.  Variable names may only include " +
                                "letters, digits, or the underscore symbol.",
                            kQelNameError);
    }
  }
}

TCustomVariable::TCustomVariable(std::string_view name, TQelDataType type)
    : TCustomValue(name, type, TQelNodeKind::Variable) {
  ValidateName(name);
}

}  // namespace qora
