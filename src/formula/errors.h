// The exception of the expression language: every compile and evaluation
// failure of a formula is raised as EQelParserError with an English message.
#pragma once

#include <stdexcept>
#include <string>

namespace qora {

// ErrorType and ErrorMode are carried for callers that want to classify a
// failure; nothing in the engine reads ErrorType. Duplicate-name errors carry
// ErrorMode 1.
class EQelParserError : public std::runtime_error {
 public:
  explicit EQelParserError(const std::string& message, int errorType = 0, int errorMode = 0)
      : std::runtime_error(message), FErrorType(errorType), FErrorMode(errorMode) {}

  int ErrorType() const { return FErrorType; }
  int ErrorMode() const { return FErrorMode; }

 private:
  int FErrorType;
  int FErrorMode;
};

// Error kinds carried in ErrorType.
inline constexpr int kQelCompileError = 0;
inline constexpr int kQelEvaluateError = 1;
inline constexpr int kQelNameError = 2;

}  // namespace qora
