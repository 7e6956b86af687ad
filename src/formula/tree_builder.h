// Building the typed tree of one expression from its tokens: innermost
// parentheses first, and within a range the passes calls, NOT, unary sign,
// multiplicative, additive and relational operators, in that order.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "formula/expression.h"
#include "formula/function_set.h"
#include "formula/tokenizer.h"

namespace qora {

// Finds a variable by its upper-case name; nullptr when there is none.
using TQelVariableLookup = std::function<TCustomVariable*(std::string_view upperName)>;

// Builds and folds the tree. The result is always a call node: a lone
// variable becomes a TVariableExpression, a lone constant a TDummyExpression.
// Throws EQelParserError with the message of the first fault found.
std::unique_ptr<TExpression> QelBuildTree(const std::vector<TQelToken>& tokens, const TQelVariableLookup& variables,
                                          const TFunctionStringList& functions);

}  // namespace qora
