// Turning expression text into tokens: string literals are split off first
// (they keep their case and their quotes); the text before each literal is
// upper-cased, the text after the last one is kept as written; both are cut at
// blanks, parentheses and symbol operators.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qora {

struct TQelToken {
  std::string Text;      // literals keep their quotes
  bool IsLiteral = false;
};

// Splits text into tokens. Throws EQelParserError "Error: Unterminated string"
// when a literal has no closing quote. There is no escape for a quote inside
// a literal.
std::vector<TQelToken> QelTokenise(std::string_view text);

// Checks that parentheses (outside literals) pair up; throws EQelParserError
// "Error: Unmatched parentheses" otherwise.
void QelCheckParentheses(const std::vector<TQelToken>& tokens);

// True for a token that is a whole 32-bit decimal integer; sets value.
bool QelParseIntegerToken(std::string_view token, int32_t& value);
// True for a token that is a whole decimal floating number ("1.5", "3.",
// "1.5E-3"); sets value.
bool QelParseRealToken(std::string_view token, double& value);

}  // namespace qora
