// Text built-in functions. Positions and lengths count characters (Unicode
// code points of the UTF-8 text), not bytes.
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "common/format.h"
#include "common/text.h"
#include "formula/builtins.h"

namespace qora::builtins {

namespace {

constexpr TQelDataType R = rdtDouble;
constexpr TQelDataType I = rdtInteger;
constexpr TQelDataType S = rdtString;

using W = TnxBaseObject*;

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

int32_t CharCount(std::string_view s) {
  int32_t n = 0;
  for (char c : s) n += IsContinuation(c) ? 0 : 1;
  return n;
}

// Byte offset of the character with 0-based index chars (the size when the
// text is shorter).
size_t ByteOffset(std::string_view s, int64_t chars) {
  size_t i = 0;
  while (i < s.size() && chars > 0) {
    ++i;
    while (i < s.size() && IsContinuation(s[i])) ++i;
    --chars;
  }
  return i;
}

// 1-based character position of the first match at or after character
// start (1-based); 0 when there is none or sub is empty.
int32_t FindFrom(std::string_view sub, std::string_view s, int64_t start) {
  if (sub.empty() || start < 1) return 0;
  size_t from = ByteOffset(s, start - 1);
  if (from >= s.size()) return 0;
  size_t at = s.find(sub, from);
  if (at == std::string_view::npos) return 0;
  return CharCount(s.substr(0, at)) + 1;
}

void Copy(W, TQelValues v, int, std::string& r) {
  const std::string& s = v[0]->S;
  int64_t start = v[1]->I;
  int64_t count = v[2]->I;
  if (start < 1) start = 1;
  if (count <= 0) {
    r.clear();
    return;
  }
  size_t from = ByteOffset(s, start - 1);
  size_t to = ByteOffset(std::string_view(s).substr(from), count) + from;
  r.assign(s, from, to - from);
}

// Shown as payroll users know it: up to 15 significant digits, no trailing
// zeros ("0.3" for 0.1 + 0.2).
void FloatToText(W, TQelValues v, int, std::string& r) { r = FloatToStr(v[0]->D); }
void IntToText(W, TQelValues v, int, std::string& r) { r = std::to_string(v[0]->I); }
int32_t Length(W, TQelValues v, int) { return CharCount(v[0]->S); }
void Lower(W, TQelValues v, int, std::string& r) { r = LowerCase(v[0]->S); }
void Upper(W, TQelValues v, int, std::string& r) { r = UpperCase(v[0]->S); }
int32_t Pos(W, TQelValues v, int) { return FindFrom(v[0]->S, v[1]->S, 1); }
int32_t PosEx(W, TQelValues v, int) { return FindFrom(v[0]->S, v[1]->S, v[2]->I); }

bool TryTextToInt(const std::string& text, int32_t& out) {
  int64_t value = 0;
  if (!TryStrToInt(text, value)) return false;
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) return false;
  out = static_cast<int32_t>(value);
  return true;
}

int32_t TextToInt(W, TQelValues v, int) {
  int32_t out = 0;
  if (!TryTextToInt(v[0]->S, out)) Fail("'" + v[0]->S + "' is not a valid integer value");
  return out;
}

int32_t TextToIntDef(W, TQelValues v, int) {
  int32_t out = 0;
  return TryTextToInt(v[0]->S, out) ? out : v[1]->I;
}

double TextToFloat(W, TQelValues v, int) {
  double out = 0.0;
  if (!TryStrToFloat(v[0]->S, out)) Fail(v[0]->S + " can not be converted to a real number.");
  return out;
}

double TextToFloatDef(W, TQelValues v, int) {
  double out = 0.0;
  return TryStrToFloat(v[0]->S, out) ? out : v[1]->D;
}

TFunctionRecord With(TFunctionRecord r, const char* synonym) {
  r.Synonyms.emplace_back(synonym);
  return r;
}

}  // namespace

void RegisterText(TRegistry& r) {
  r.Add(Text("Copy", "Text|Copy(text_Value, StartIndex, Count)", {S, I, I}, Copy));
  r.Add(With(Text("FloatToText", "Text|FloatToText(Value)", {R}, FloatToText), "FloatToStr"));
  r.Add(With(Text("IntToText", "Text|IntToText(Value)", {I}, IntToText), "IntToStr"));
  r.Add(Int("Length", "Text|Length(text_Value)", {S}, Length));
  r.Add(Text("LowerCase", "Text|LowerCase(text_Value)", {S}, Lower));
  r.Add(Int("Pos", "Text|Pos(SubText, TextValue)", {S, S}, Pos));
  r.Add(Int("PosEx", "Text|PosEx(SubText, TextValue, Offset)", {S, S, I}, PosEx));
  r.Add(With(Int("TextToInt", "Text|TextToInt(Value)", {S}, TextToInt), "StrToInt"));
  r.Add(With(Int("TextToIntDef", "Text|TextToIntDef(Value, DefaultResult)", {S, I}, TextToIntDef), "StrToIntDef"));
  r.Add(With(Real("TextToFloat", "Text|TextToFloat(Value)", {S}, TextToFloat), "StrToFloat"));
  r.Add(With(Real("TextToFloatDef", "Text|TextToFloatDef(Value, DefaultResult)", {S, R}, TextToFloatDef),
             "StrToFloatDef"));
  r.Add(Text("UpperCase", "Text|UpperCase(text_Value)", {S}, Upper));
}

}  // namespace qora::builtins
