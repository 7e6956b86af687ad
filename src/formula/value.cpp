#include "formula/value.h"

#include <charconv>

namespace qora {

const char* QelTypeDisplayName(TQelDataType type) {
  switch (type) {
    case rdtDouble: return "a Real";
    case rdtInteger: return "an Integer";
    case rdtBoolean: return "a Boolean";
    case rdtString: return "a String";
  }
  return "an unknown type";
}

const char* QelTypeName(TQelDataType type) {
  switch (type) {
    case rdtDouble: return "Real";
    case rdtInteger: return "Integer";
    case rdtBoolean: return "Boolean";
    case rdtString: return "String";
  }
  return "Unknown";
}

std::string QelShortestReal(double value) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, res.ptr);
}

std::string QelCanonicalReal(double value) {
  std::string text = QelShortestReal(value);
  if (text.find_first_of(".eE") == std::string::npos && text.find_first_of("0123456789") != std::string::npos) {
    text += '.';
  }
  return text;
}

}  // namespace qora
