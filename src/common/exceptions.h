// The engine's exception classes. Each carries only a message; the costing
// entry points turn three of them into return codes.
#pragma once

#include <stdexcept>
#include <string>

namespace qora {

class eaiPRocessorException : public std::runtime_error {
 public:
  explicit eaiPRocessorException(const std::string& message) : std::runtime_error(message) {}
};

#define QORA_DECLARE_EXCEPTION(Name)                                                      \
  class Name : public eaiPRocessorException {                                             \
   public:                                                                                \
    explicit Name(const std::string& message) : eaiPRocessorException(message) {}         \
  };

QORA_DECLARE_EXCEPTION(eSyntaxException)
QORA_DECLARE_EXCEPTION(eRecordNotFoundException)
QORA_DECLARE_EXCEPTION(eDatabaseException)
QORA_DECLARE_EXCEPTION(eNotImplementException)
QORA_DECLARE_EXCEPTION(eLoadFromFileException)
QORA_DECLARE_EXCEPTION(eLoadFromStreamException)
QORA_DECLARE_EXCEPTION(eGeneratorException)
QORA_DECLARE_EXCEPTION(eParserException)
QORA_DECLARE_EXCEPTION(ePayrollException)

#undef QORA_DECLARE_EXCEPTION

}  // namespace qora
