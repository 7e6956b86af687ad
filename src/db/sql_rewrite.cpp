#include "db/sql_rewrite.h"

#include <algorithm>
#include <cctype>
#include <regex>

#include "common/format.h"
#include "common/text.h"
#include "db/sql_text.h"

namespace qora::sqlrewrite {

namespace {

constexpr char kMaskStart = '\x01';
constexpr char kMaskEnd = '\x02';

// A date column by the payroll naming scheme: optional qualifier, then "d" and a capital letter.
bool IsDateColumn(std::string_view name) {
  static const std::regex kDateColumn(R"(^([A-Za-z_]\w*\.)?d[A-Z]\w*$)");
  return std::regex_match(name.begin(), name.end(), kDateColumn);
}

bool IsNumber(std::string_view text, double& value) { return TryStrToFloat(text, value); }

// Trims blanks and line breaks only: the mask markers are control characters.
std::string TrimBlanks(std::string_view s) {
  const char* kBlanks = " \t\r\n";
  const size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(kBlanks) - first + 1));
}

// As IsDateColumn, with the pay period table's two dates, which predate the
// naming scheme.
bool IsAnyDateColumn(std::string_view name) {
  static const std::regex kPeriodDate(R"(^([A-Za-z_]\w*\.)?Period(Start|End)$)", std::regex::icase);
  return IsDateColumn(name) || std::regex_match(name.begin(), name.end(), kPeriodDate);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Patterns cost far more to run than a plain search: each rule first looks
// for what any match of its pattern must contain, and most statements hold
// none of it.
bool MentionsName(std::string_view text, std::string_view name) {
  const auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  };
  return std::search(text.begin(), text.end(), name.begin(), name.end(), same) != text.end();
}

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The length of `op` when it is one of the comparison operators a date
// comparison may use (<=, >=, <>, !=, =, <, >), else 0.
size_t ComparisonLength(std::string_view op) {
  static constexpr std::string_view kOperators[] = {"<=", ">=", "<>", "!=", "=", "<", ">"};
  for (const std::string_view known : kOperators) {
    if (op == known) return op.size();
  }
  return 0;
}

// Whether a date column name (d + capital letter) is followed, after blanks,
// by a comparison and a number: what a date compared with a day number
// needs.
bool MayCompareDateWithNumber(std::string_view s) {
  for (size_t i = 0; i + 1 < s.size(); ++i) {
    if (s[i] != 'd' || !std::isupper(static_cast<unsigned char>(s[i + 1])) || (i > 0 && IsWordChar(s[i - 1]))) {
      continue;
    }
    size_t j = i + 1;
    while (j < s.size() && IsWordChar(s[j])) ++j;
    while (j < s.size() && std::isspace(static_cast<unsigned char>(s[j]))) ++j;
    for (size_t length = 1; length <= 2 && j + length <= s.size(); ++length) {
      if (ComparisonLength(s.substr(j, length)) != length) continue;
      size_t k = j + length;
      while (k < s.size() && std::isspace(static_cast<unsigned char>(s[k]))) ++k;
      if (k < s.size() && s[k] == '-') ++k;
      if (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) return true;
    }
  }
  return false;
}

// The end of the quoted text or masked literal that starts at s[i] (one
// past it), or i when none starts there. The rewriting rules before this
// one write date literals unmasked, in single quotes.
size_t LiteralEnd(std::string_view s, size_t i) {
  if (s[i] == kMaskStart) {
    const size_t close = s.find(kMaskEnd, i);
    return close == std::string_view::npos ? s.size() : close + 1;
  }
  if (s[i] != '\'') return i;
  const size_t length = SqlLiteralLength(s, i, false);
  return length == 0 ? i : i + length;
}

bool IsOperandChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == ':' || c == '@' || c == '$';
}

// The position of the bracket matching the one at `pos` (searching in
// `step` direction), or npos.
size_t MatchingBracket(std::string_view s, size_t pos, int step) {
  int depth = 0;
  for (size_t i = pos; i < s.size(); i += static_cast<size_t>(step)) {
    if (s[i] == '(') depth += step;
    if (s[i] == ')') depth -= step;
    if (depth == 0) return i;
    if (i == 0 && step < 0) break;
  }
  return std::string_view::npos;
}

// The operand that ends just before `end`: a masked literal, a bracketed
// expression or call, or a name, parameter or number. Returns its start
// (== end when there is none).
size_t OperandBefore(std::string_view s, size_t end) {
  size_t i = end;
  while (i > 0 && IsBlank(s[i - 1])) --i;
  if (i == 0) return end;
  if (s[i - 1] == kMaskEnd || s[i - 1] == '\'') {
    const size_t open = s[i - 1] == kMaskEnd ? s.rfind(kMaskStart, i - 1) : s.rfind('\'', i - 2);
    return open == std::string_view::npos || i < 2 ? end : open;
  }
  if (s[i - 1] == ')') {
    const size_t open = MatchingBracket(s, i - 1, -1);
    if (open == std::string_view::npos) return end;
    i = open;
  }
  while (i > 0 && IsOperandChar(s[i - 1])) --i;
  return i;
}

// The operand that starts at or after `begin`; returns its end (== begin
// when there is none).
size_t OperandAfter(std::string_view s, size_t begin) {
  size_t i = begin;
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i >= s.size()) return begin;
  if (const size_t end = LiteralEnd(s, i); end != i) return end;
  if (s[i] == '-') ++i;
  while (i < s.size() && IsOperandChar(s[i])) ++i;
  if (i < s.size() && s[i] == '(') {
    const size_t close = MatchingBracket(s, i, 1);
    if (close == std::string_view::npos) return begin;
    i = close + 1;
  }
  return i;
}

// A date column, or COALESCE / ISNULL of one.
bool IsDateOperand(std::string_view operand) {
  const std::string text = TrimBlanks(operand);
  if (IsAnyDateColumn(text)) return true;
  const size_t open = text.find('(');
  if (open == std::string::npos || text.back() != ')') return false;
  const std::string name = TrimBlanks(std::string_view(text).substr(0, open));
  if (!SameText(name, "COALESCE") && !SameText(name, "ISNULL")) return false;
  std::vector<std::string> args;
  size_t after = 0;
  return ParseCallArguments(text, open, args, after) && !args.empty() && IsAnyDateColumn(args[0]);
}

// The length of the comparison operator at s[i], 0 when none starts there.
size_t ComparisonAt(std::string_view s, size_t i) {
  const char c = s[i];
  const char next = i + 1 < s.size() ? s[i + 1] : '\0';
  if (c == '<') return next == '=' || next == '>' ? 2 : 1;
  if (c == '>') return next == '=' ? 2 : 1;
  if (c == '!') return next == '=' ? 2 : 0;
  if (c == '=') return next == '=' ? 2 : 1;
  return 0;
}

bool WordAt(std::string_view s, size_t i, std::string_view word) {
  if (i + word.size() > s.size() || !SameText(s.substr(i, word.size()), word)) return false;
  const bool before = i == 0 || !IsOperandChar(s[i - 1]);
  const bool after = i + word.size() == s.size() || !IsOperandChar(s[i + word.size()]);
  return before && after;
}

}  // namespace

TMasked Mask(std::string_view sql) {
  TMasked masked;
  size_t i = 0;
  while (i < sql.size()) {
    if (const size_t len = SqlLiteralLength(sql, i, false); len > 0) {
      masked.Text += kMaskStart + std::to_string(masked.Literals.size()) + kMaskEnd;
      masked.Literals.emplace_back(sql.substr(i, len));
      i += len;
    } else {
      masked.Text += sql[i++];
    }
  }
  return masked;
}

std::string Unmask(const TMasked& masked, const std::function<std::string(const std::string&)>& transform) {
  std::string out;
  const std::string& text = masked.Text;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == kMaskStart) {
      const size_t end = text.find(kMaskEnd, i);
      const size_t index = std::stoul(text.substr(i + 1, end - i - 1));
      const std::string& literal = masked.Literals.at(index);
      out += transform && !literal.empty() && literal[0] == '\'' ? transform(literal) : literal;
      i = end + 1;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::string StripSchemaAndBrackets(std::string_view text) {
  static const std::regex kDbo(R"((^|[^\w.\]])(\[dbo\]|dbo)\s*\.\s*)", std::regex::icase);
  static const std::regex kBracket(R"(\[([A-Za-z_][\w]*)\])");
  std::string s(text);
  if (MentionsName(s, "dbo")) s = std::regex_replace(s, kDbo, "$1");
  if (s.find('[') != std::string::npos) s = std::regex_replace(s, kBracket, "$1");
  return s;
}

bool ParseCallArguments(std::string_view text, size_t open, std::vector<std::string>& args, size_t& after) {
  args.clear();
  int depth = 0;
  size_t start = open + 1;
  for (size_t i = open; i < text.size(); ++i) {
    if (text[i] == '(') {
      ++depth;
    } else if (text[i] == ')') {
      if (--depth == 0) {
        const std::string last = TrimBlanks(text.substr(start, i - start));
        if (!last.empty() || !args.empty()) args.push_back(last);
        after = i + 1;
        return true;
      }
    } else if (text[i] == ',' && depth == 1) {
      args.push_back(TrimBlanks(text.substr(start, i - start)));
      start = i + 1;
    }
  }
  return false;
}

namespace {

// The next call of isnull at or after `from`: the name in any case as a
// whole word, then blanks and "(". Its start, with `open` set to the "(";
// npos when there is none. A plain scan: a pattern search over a long
// statement cost more than running it.
size_t FindIsNullCall(std::string_view s, size_t from, size_t& open) {
  constexpr std::string_view kName = "isnull";
  for (size_t i = from; i + kName.size() < s.size(); ++i) {
    if ((s[i] | 0x20) != 'i' || !SameText(s.substr(i, kName.size()), kName)) continue;
    if (i > from && IsWordChar(s[i - 1])) continue;
    size_t j = i + kName.size();
    while (j < s.size() && std::isspace(static_cast<unsigned char>(s[j]))) ++j;
    if (j < s.size() && s[j] == '(') {
      open = j;
      return i;
    }
  }
  return std::string_view::npos;
}

}  // namespace

std::string RewriteIsNull(std::string_view text, const std::function<std::string(double)>& dateLiteral) {
  static const std::regex kCompareNumber(R"(^(\s*(?:<=|>=|<>|!=|=|<|>)\s*)(-?\d+(?:\.\d+)?)(?![\w.]))");
  std::string s(text);
  if (!MentionsName(s, "isnull")) return s;
  size_t from = 0;
  size_t open = 0;
  for (size_t start; (start = FindIsNullCall(s, from, open)) != std::string::npos;) {
    std::vector<std::string> args;
    size_t after = 0;
    if (!ParseCallArguments(s, open, args, after) || args.size() != 2) {
      s.replace(start, open - start, "COALESCE");
      from = start + 8;
      continue;
    }
    double number = 0;
    std::string replacement;
    if (IsDateColumn(args[0]) && IsNumber(args[1], number)) {
      replacement = "COALESCE(" + args[0] + ", " + dateLiteral(number) + ")";
      std::smatch cmp;
      const std::string tail = s.substr(after);
      if (std::regex_search(tail, cmp, kCompareNumber) && IsNumber(cmp[2].str(), number)) {
        replacement += cmp[1].str() + dateLiteral(number);
        after += static_cast<size_t>(cmp.length(0));
      }
    } else {
      replacement = "COALESCE(" + s.substr(open + 1, after - open - 1);
    }
    s.replace(start, after - start, replacement);
    from = start + 9;  // past "COALESCE(", so nested calls are rewritten too
  }
  return s;
}

std::string RewriteDateComparisons(std::string_view text,
                                   const std::function<std::string(double)>& dateLiteral) {
  static const std::regex kComparison(
      R"(((?:\b[A-Za-z_]\w*\.)?\bd[A-Z]\w*)(\s*(?:<=|>=|<>|!=|=|<|>)\s*)(-?\d+(?:\.\d+)?)(?![\w.]))");
  if (!MayCompareDateWithNumber(text)) return std::string(text);
  std::string out;
  std::string s(text);
  auto begin = s.cbegin();
  std::smatch m;
  while (std::regex_search(begin, s.cend(), m, kComparison)) {
    out.append(begin, m[0].first);
    double number = 0;
    IsNumber(m[3].str(), number);
    out += m[1].str() + m[2].str() + dateLiteral(number);
    begin = m[0].second;
  }
  out.append(begin, s.cend());
  return out;
}

std::string CompareDatesAsValues(std::string_view text, std::string_view function) {
  std::string s(text);
  int depth = 0;
  // Depths at which an UPDATE's SET list is open: its "=" are assignments.
  std::vector<int> set_depths;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (const size_t end = LiteralEnd(s, i); end != i) {
      i = end - 1;
      continue;
    }
    if (c == '(') ++depth;
    if (c == ')') {
      while (!set_depths.empty() && set_depths.back() >= depth) set_depths.pop_back();
      --depth;
    }
    if (WordAt(s, i, "set")) set_depths.push_back(depth);
    if (WordAt(s, i, "where") && !set_depths.empty() && set_depths.back() == depth) set_depths.pop_back();
    const size_t length = ComparisonAt(s, i);
    if (length == 0) continue;
    if (!set_depths.empty() && set_depths.back() == depth) {
      i += length - 1;
      continue;
    }
    const size_t left = OperandBefore(s, i);
    const size_t right_end = OperandAfter(s, i + length);
    const std::string left_operand = s.substr(left, i - left);
    const std::string right_operand = s.substr(i + length, right_end - i - length);
    if (left == i || right_end == i + length || (!IsDateOperand(left_operand) && !IsDateOperand(right_operand))) {
      i += length - 1;
      continue;
    }
    const std::string op = s.substr(i, length);
    const std::string replacement = std::string(function) + "(" + TrimBlanks(left_operand) + ") " + op + " " +
                                    std::string(function) + "(" + TrimBlanks(right_operand) + ")";
    s.replace(left, right_end - left, replacement);
    i = left + replacement.size() - 1;
  }
  return s;
}

std::string RewriteTop(std::string_view text) {
  static const std::regex kTop(R"(^(\s*select\s+(?:distinct\s+)?)top\s*\(?\s*(\d+)\s*\)?\s+)", std::regex::icase);
  std::smatch m;
  std::string s(text);
  if (!std::regex_search(s, m, kTop)) return s;
  std::string rest = m.suffix().str();
  size_t end = rest.size();
  while (end > 0 && (std::isspace(static_cast<unsigned char>(rest[end - 1])) || rest[end - 1] == ';')) --end;
  return m[1].str() + rest.substr(0, end) + " LIMIT " + m[2].str();
}

std::string AliasQualifiedColumns(std::string_view text) {
  static const std::regex kSelect(R"(^\s*select\s+(?:distinct\s+)?)", std::regex::icase);
  static const std::regex kQualified(R"(^[A-Za-z_]\w*\.([A-Za-z_]\w*)$)");
  std::smatch m;
  const std::string s(text);
  if (!std::regex_search(s, m, kSelect)) return s;
  const size_t listStart = static_cast<size_t>(m.length(0));
  // The list ends at the first " from " outside parentheses.
  int depth = 0;
  size_t listEnd = std::string::npos;
  for (size_t i = listStart; i < s.size(); ++i) {
    if (s[i] == '(') ++depth;
    if (s[i] == ')') --depth;
    if (depth == 0 && (s[i] == ' ' || s[i] == '\n' || s[i] == '\t') && i + 5 < s.size() &&
        SameText(s.substr(i + 1, 4), "from") && std::isspace(static_cast<unsigned char>(s[i + 5]))) {
      listEnd = i;
      break;
    }
  }
  if (listEnd == std::string::npos) return s;
  std::string list;
  size_t itemStart = listStart;
  depth = 0;
  for (size_t i = listStart; i <= listEnd; ++i) {
    const bool end = i == listEnd;
    if (!end && s[i] == '(') ++depth;
    if (!end && s[i] == ')') --depth;
    if (end || (s[i] == ',' && depth == 0)) {
      const std::string item = s.substr(itemStart, i - itemStart);
      const std::string trimmed = TrimBlanks(item);
      std::smatch column;
      list += item;
      if (std::regex_match(trimmed, column, kQualified)) list += " AS " + column[1].str();
      if (!end) list += ',';
      itemStart = i + 1;
    }
  }
  return s.substr(0, listStart) + list + s.substr(listEnd);
}

std::string RewriteGetDate(std::string_view text, std::string_view now) {
  static const std::regex kGetDate(R"(\bgetdate\s*\(\s*\))", std::regex::icase);
  if (!MentionsName(text, "getdate")) return std::string(text);
  return std::regex_replace(std::string(text), kGetDate, std::string(now));
}

namespace {

// The call pattern of one function, built once per thread: building a
// std::regex costs far more than running it.
const std::regex& CallPattern(const std::string& name) {
  thread_local std::map<std::string, std::regex> patterns;
  auto it = patterns.find(name);
  if (it == patterns.end()) {
    it = patterns.emplace(name, std::regex("(^|[^\\w.])(?:dbo\\.)?" + name + "\\s*\\(", std::regex::icase)).first;
  }
  return it->second;
}

}  // namespace

std::string ExpandTableFunctions(std::string_view text, const std::map<std::string, std::string>& templates) {
  static const std::regex kPlaceholder(R"(\{\d+\})");
  std::string s(text);
  for (const auto& [name, body] : templates) {
    if (!MentionsName(s, name)) continue;
    const std::regex& call = CallPattern(name);
    size_t from = 0;
    std::smatch m;
    while (std::regex_search(s.cbegin() + static_cast<std::ptrdiff_t>(from), s.cend(), m, call)) {
      const size_t start = from + static_cast<size_t>(m.position(0) + m.length(1));
      const size_t open = from + static_cast<size_t>(m.position(0) + m.length(0)) - 1;
      std::vector<std::string> args;
      size_t after = 0;
      if (!ParseCallArguments(s, open, args, after)) break;
      std::string expanded = body;
      bool complete = true;
      for (size_t k = 0; k < args.size(); ++k) {
        expanded = StringReplaceAll(expanded, "{" + std::to_string(k) + "}", "(" + args[k] + ")");
      }
      if (expanded.find('{') != std::string::npos && std::regex_search(expanded, kPlaceholder)) {
        complete = false;
      }
      if (!complete) {
        from = after;
        continue;
      }
      const std::string replacement = "(" + expanded + ")";
      s.replace(start, after - start, replacement);
      from = start + replacement.size();
    }
  }
  return s;
}

}  // namespace qora::sqlrewrite
