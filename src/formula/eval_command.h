// One-shot evaluation of an expression, as the "qora eval" command does it:
// create the variables, compile, evaluate, and render the result.
#pragma once

#include <string>
#include <vector>

#include "formula/constant.h"

namespace qora {

struct TQelEvalOutcome {
  int ExitCode = 0;
  std::string Out;  // what goes to standard output, newline included
  std::string Err;  // what goes to standard error, newline included
};

// Compiles and evaluates expression with the variables given as
// "NAME=TYPE:VALUE" (TYPE Integer, Real, Boolean or String, any case; the
// value runs to the end of the text). Variables are created before the
// expression is compiled, so a variable hides a function of the same name.
// Prints "Integer 7", "Real 3.5", "Boolean True" or "String ab"; with json,
// {"type": ..., "value": ..., "canonical": ...}. A compile or evaluation error
// or a bad definition gives exit code 1 and the message on Err. Never throws
// for bad input.
TQelEvalOutcome QelRunEval(const std::string& expression, const std::vector<std::string>& variables, bool json);

// "Integer 7", "Real 3.5" (shortest round-trip text), "Boolean True",
// "String ab" (the text as is).
std::string QelDescribeResult(const TConstant& value);

}  // namespace qora
