// Guards against no fault itself: helpers shared by the expression-language tests.
#pragma once

#include <string>

#include "formula/errors.h"
#include "formula/eval_command.h"
#include "formula/parser.h"

namespace qora::testing {

// Compiles and evaluates text; returns "Integer 7" style text, or "!" and
// the message of the exception raised.
inline std::string EvalText(TQelParser& parser, const std::string& text, TnxBaseObject* item = nullptr) {
  try {
    std::string s = text;
    parser.Compile(s);
    TExpression* e = parser.CurrentExpression();
    if (!e) return "!none";
    e->Evaluate(item);
    return QelDescribeResult(*e);
  } catch (const std::exception& ex) {
    return std::string("!") + ex.what();
  }
}

// Runs f; returns "ok", or the message of the parser error it raised (and
// its error mode in *mode when given).
template <class F>
std::string ErrorOf(F f, int* mode = nullptr) {
  try {
    f();
    return "ok";
  } catch (const EQelParserError& e) {
    if (mode) *mode = e.ErrorMode();
    return e.what();
  }
}

// A parser with x = 5 (Integer), r = 2.5 (Real), b = True, s = "ab".
inline void AddStandardVariables(TQelParser& parser) {
  parser.CreateVariable("x", 5);
  parser.CreateVariable("r", 2.5);
  parser.CreateVariable("b", true);
  parser.CreateVariable("s", "ab");
}

}  // namespace qora::testing
