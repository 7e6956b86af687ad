#include "formula/tokenizer.h"

#include <charconv>
#include <cstdint>

#include "common/text.h"
#include "formula/errors.h"

namespace qora {

namespace {

// Symbol operators in the order they are tried; the first match wins.
constexpr std::string_view kSymbols[] = {"+", "-", "*", "/", "^", "=", ">=", "<=", "<>", ">", "<", ","};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number that stops at its exponent sign: digits, an optional "." with
// digits, then "E" or "e" and the sign ("1.5E-", "2e+").
bool IsExponentPrefix(std::string_view text) {
  size_t i = 0;
  if (text.empty() || !IsDigit(text[0])) return false;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
  }
  return text.size() == i + 2 && (text[i] == 'E' || text[i] == 'e') && (text[i + 1] == '+' || text[i + 1] == '-');
}

class TPieceTokeniser {
 public:
  explicit TPieceTokeniser(std::vector<TQelToken>& out) : FOut(out) {}

  void Run(std::string_view piece) {
    size_t i = 0;
    while (i < piece.size()) {
      char c = piece[i];
      if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
        Flush();
        ++i;
        continue;
      }
      if (c == '(' || c == ')') {
        Flush();
        Emit(std::string(1, c));
        ++i;
        continue;
      }
      if ((c == '+' || c == '-') && !FCurrent.empty() && (FCurrent.back() == 'E' || FCurrent.back() == 'e') &&
          IsExponentPrefix(FCurrent + c)) {
        FCurrent += c;
        ++i;
        continue;
      }
      if (size_t len = IsSymbolStart(c) ? MatchSymbol(piece.substr(i)) : 0) {
        Flush();
        Emit(std::string(piece.substr(i, len)));
        i += len;
        continue;
      }
      FCurrent += c;
      ++i;
    }
    Flush();
  }

 private:
  static bool IsSymbolStart(char c) {
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^' || c == '=' || c == '<' || c == '>' || c == ',';
  }
  static size_t MatchSymbol(std::string_view rest) {
    for (std::string_view s : kSymbols) {
      if (rest.substr(0, s.size()) == s) return s.size();
    }
    return 0;
  }
  void Flush() {
    if (!FCurrent.empty()) Emit(std::move(FCurrent));
    FCurrent.clear();
  }
  void Emit(std::string text) { FOut.push_back(TQelToken{std::move(text), false}); }

  std::vector<TQelToken>& FOut;
  std::string FCurrent;
};

}  // namespace

std::vector<TQelToken> QelTokenise(std::string_view text) {
  std::vector<TQelToken> tokens;
  TPieceTokeniser tokeniser(tokens);
  bool inString = false;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '"') continue;
    if (inString) {
      tokens.push_back(TQelToken{std::string(text.substr(start, i - start + 1)), true});
      start = i + 1;
    } else {
      tokeniser.Run(Trim(UpperCase(text.substr(start, i - start))));
      start = i;
    }
    inString = !inString;
  }
  if (inString) throw EQelParserError("Error: Unterminated string", kQelCompileError);
  // Text after the last literal keeps its case; names and spelled operators
  // are matched without regard to case anyway, and messages quote it as written.
  tokeniser.Run(Trim(text.substr(start)));
  return tokens;
}

void QelCheckParentheses(const std::vector<TQelToken>& tokens) {
  int depth = 0;
  for (const TQelToken& t : tokens) {
    if (t.IsLiteral) continue;
    if (t.Text == "(") ++depth;
    if (t.Text == ")" && --depth < 0) break;
  }
  if (depth != 0) throw EQelParserError("Error: Unmatched parentheses", kQelCompileError);
}

bool QelParseIntegerToken(std::string_view token, int32_t& value) {
  if (token.empty() || !IsDigit(token[0])) return false;
  auto res = std::from_chars(token.data(), token.data() + token.size(), value);
  return res.ec == std::errc() && res.ptr == token.data() + token.size();
}

bool QelParseRealToken(std::string_view token, double& value) {
  if (token.empty() || !IsDigit(token[0])) return false;
  auto res = std::from_chars(token.data(), token.data() + token.size(), value);
  return res.ec == std::errc() && res.ptr == token.data() + token.size();
}

}  // namespace qora
