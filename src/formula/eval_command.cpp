#include "formula/eval_command.h"

#include <exception>
#include <nlohmann/json.hpp>

#include "common/format.h"
#include "common/text.h"
#include "formula/errors.h"
#include "formula/parser.h"

namespace qora {

namespace {

[[noreturn]] void BadDefinition(const std::string& message) { throw EQelParserError(message, kQelNameError); }

void DefineVariable(TQelParser& parser, const std::string& definition) {
  const size_t eq = definition.find('=');
  const size_t colon = eq == std::string::npos ? std::string::npos : definition.find(':', eq + 1);
  if (colon == std::string::npos) {
    BadDefinition("Error: invalid variable definition \"" + definition + "\"; expected NAME=TYPE:VALUE.");
  }
  const std::string name = definition.substr(0, eq);
  const std::string type = Trim(definition.substr(eq + 1, colon - eq - 1));
  const std::string value = definition.substr(colon + 1);
  const std::string bad = "Error: \"" + value + "\" is not a valid " + type + " value for the variable " + name + ".";
  if (SameText(type, "Integer")) {
    int64_t i = 0;
    if (!TryStrToInt(value, i) || i < INT32_MIN || i > INT32_MAX) BadDefinition(bad);
    parser.CreateVariable(name, static_cast<int32_t>(i));
  } else if (SameText(type, "Real")) {
    double d = 0.0;
    if (!TryStrToFloat(value, d)) BadDefinition(bad);
    parser.CreateVariable(name, d);
  } else if (SameText(type, "Boolean")) {
    const std::string v = Trim(value);
    if (!SameText(v, "True") && !SameText(v, "False")) BadDefinition(bad);
    parser.CreateVariable(name, SameText(v, "True"));
  } else if (SameText(type, "String")) {
    parser.CreateVariable(name, value);
  } else {
    BadDefinition("Error: unknown variable type \"" + type + "\"; expected Integer, Real, Boolean or String.");
  }
}

std::string ValueText(const TConstant& value) {
  const TQelValue& v = value.Result();
  switch (v.Type) {
    case rdtDouble: return QelShortestReal(v.D);
    case rdtInteger: return std::to_string(v.I);
    case rdtBoolean: return v.B ? "True" : "False";
    case rdtString: break;
  }
  return v.S;
}

std::string Json(const TConstant& value, const std::string& canonical) {
  nlohmann::ordered_json j;
  j["type"] = QelTypeName(value.ResultType());
  const TQelValue& v = value.Result();
  switch (v.Type) {
    case rdtDouble: j["value"] = v.D; break;
    case rdtInteger: j["value"] = v.I; break;
    case rdtBoolean: j["value"] = v.B; break;
    case rdtString: j["value"] = v.S; break;
  }
  j["canonical"] = canonical;
  return j.dump();
}

}  // namespace

std::string QelDescribeResult(const TConstant& value) {
  return std::string(QelTypeName(value.ResultType())) + " " + ValueText(value);
}

TQelEvalOutcome QelRunEval(const std::string& expression, const std::vector<std::string>& variables, bool json) {
  TQelEvalOutcome outcome;
  try {
    TQelParser parser;
    for (const std::string& definition : variables) DefineVariable(parser, definition);
    std::string text = expression;
    if (parser.Compile(text) < 0) {
      outcome.ExitCode = 1;
      outcome.Err = "Error: the expression is empty.\n";
      return outcome;
    }
    TExpression* expr = parser.CurrentExpression();
    expr->Evaluate(nullptr);
    outcome.Out = (json ? Json(*expr, text) : QelDescribeResult(*expr)) + "\n";
  } catch (const std::exception& e) {
    outcome.ExitCode = 1;
    outcome.Out.clear();
    outcome.Err = std::string(e.what()) + "\n";
  }
  return outcome;
}

}  // namespace qora
