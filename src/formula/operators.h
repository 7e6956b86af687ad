// The operators of the expression language: their spelling, their typing and
// the nodes that carry them. The operator records are process-wide, built
// once and only read afterwards.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "formula/expression.h"

namespace qora {

enum class TQelOperator : uint8_t {
  Multiply, Divide, IntDiv, Mod, And,  // multiplicative pass
  Add, Subtract, Or, Xor,              // additive pass
  Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,  // relational pass
  Not
};

// The operator a token (already upper case) spells; false for other tokens.
bool QelOperatorFromToken(std::string_view token, TQelOperator& op);
// The operator as messages and the canonical text write it: "*", "DIV", "AND".
const char* QelOperatorForm(TQelOperator op);
bool QelIsRelational(TQelOperator op);

// The node for "left op right". Converts an Integer side to Real where the
// other side is Real (or always, for "/"). Throws EQelParserError with the
// operator's type message when the operand types do not fit.
std::unique_ptr<TExpression> QelMakeBinary(TQelOperator op, TQelOperand left, TQelOperand right);
// The node for "NOT operand"; throws the NOT type message for a non-Boolean.
std::unique_ptr<TExpression> QelMakeNot(TQelOperand operand);
// The node for a unary sign ('+' or '-') before an Integer or Real operand.
std::unique_ptr<TExpression> QelMakeSign(char sign, TQelOperand operand);
// Wraps an Integer operand in an Integer-to-Real conversion.
TQelOperand QelIntToDouble(TQelOperand operand);

}  // namespace qora
