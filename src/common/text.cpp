#include "common/text.h"

#include <algorithm>
#include <cstring>

namespace qora {

namespace {

char UpperChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
// Control characters and the blank; UTF-8 bytes above 127 are never blanks.
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Position of the last folder separator; npos when there is none.
size_t LastSeparator(std::string_view path) { return path.find_last_of("/\\"); }

// Position of the extension's dot; npos when the file name has none.
size_t ExtensionDot(std::string_view path) {
  const size_t dot = path.rfind('.');
  const size_t sep = LastSeparator(path);
  if (dot == std::string_view::npos || (sep != std::string_view::npos && dot < sep)) return std::string_view::npos;
  return dot;
}

}  // namespace

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = UpperChar(c);
  return out;
}

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = LowerChar(c);
  return out;
}

std::string TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return std::string(s.substr(0, n));
}

std::string_view TrimmedView(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  size_t i = 0;
  while (i < n && IsBlank(s[i])) ++i;
  return s.substr(i, n - i);
}

std::string Trim(std::string_view s) { return std::string(TrimmedView(s)); }

// Two memchr scans rather than one pass testing each character for both:
// costing text runs to many lines per shift, and a CR is seldom there.
size_t FindLineBreak(std::string_view s, size_t from) {
  if (from >= s.size()) return s.size();
  const char* begin = s.data() + from;
  const size_t n = s.size() - from;
  const void* lf = std::memchr(begin, '\n', n);
  const size_t line = lf ? static_cast<size_t>(static_cast<const char*>(lf) - begin) : n;
  const void* cr = std::memchr(begin, '\r', line);
  return from + (cr ? static_cast<size_t>(static_cast<const char*>(cr) - begin) : line);
}

size_t AfterLineBreak(std::string_view s, size_t at) {
  return at + (s[at] == '\r' && at + 1 < s.size() && s[at + 1] == '\n' ? 2 : 1);
}

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  // Letters are folded only where the bytes differ: names are mostly
  // compared with themselves, written alike.
  for (size_t i = 0; i < n; ++i) {
    if (a[i] == b[i]) continue;
    const int d = static_cast<unsigned char>(UpperChar(a[i])) - static_cast<unsigned char>(UpperChar(b[i]));
    if (d != 0) return d;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool SameText(std::string_view a, std::string_view b) {
  // Names are mostly compared with themselves, written alike: the bytes are
  // compared whole before letters are folded.
  return a.size() == b.size() && (a == b || CompareText(a, b) == 0);
}

bool StartsText(std::string_view prefix, std::string_view s) {
  return prefix.size() <= s.size() && SameText(prefix, s.substr(0, prefix.size()));
}

bool ContainsText(std::string_view s, std::string_view part) {
  return UpperCase(s).find(UpperCase(part)) != std::string::npos;
}

std::string StringReplaceAll(std::string_view s, std::string_view from, std::string_view to) {
  if (from.empty()) return std::string(s);
  std::string out;
  size_t pos = 0;
  for (size_t hit = s.find(from); hit != std::string_view::npos; hit = s.find(from, pos)) {
    out.append(s.substr(pos, hit - pos)).append(to);
    pos = hit + from.size();
  }
  return out.append(s.substr(pos));
}

std::string QuotedStr(std::string_view s, char quote) {
  std::string out(1, quote);
  for (char c : s) {
    out += c;
    if (c == quote) out += c;
  }
  return out + quote;
}

std::string ExtractFileExt(std::string_view path) {
  const size_t dot = ExtensionDot(path);
  return dot == std::string_view::npos ? "" : std::string(path.substr(dot));
}

std::string ExtractFilePath(std::string_view path) {
  const size_t sep = LastSeparator(path);
  return sep == std::string_view::npos ? "" : std::string(path.substr(0, sep + 1));
}

std::string ExtractFileDir(std::string_view path) {
  std::string dir = ExtractFilePath(path);
  // A root ("/", "C:\") keeps its separator.
  if (dir.size() > 1 && dir[dir.size() - 2] != ':' && !IsSeparator(dir[dir.size() - 2])) dir.pop_back();
  return dir;
}

std::string ExtractFileName(std::string_view path) {
  const size_t sep = LastSeparator(path);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  const size_t dot = ExtensionDot(path);
  return std::string(dot == std::string_view::npos ? path : path.substr(0, dot)).append(ext);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  if (path.empty() || IsSeparator(path.back())) return std::string(path);
  return std::string(path) + '/';
}

}  // namespace qora
