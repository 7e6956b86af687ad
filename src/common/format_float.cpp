// FormatFloat: pattern formatting of a number.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "common/format.h"
#include "common/float_digits.h"
#include "common/format_float.h"

namespace qora {

namespace {

namespace fd = float_digits;

// One element of a pattern section.
struct TToken {
  enum class Kind { Literal, Digit, Point, Exponent } kind = Kind::Literal;
  std::string text;        // Literal: the text; Exponent: "E" or "e".
  bool plusSign = false;   // Exponent: "E+" rather than "E-".
  int expDigits = 0;       // Exponent: minimum digits ('0's after the sign).
};

struct TSection {
  std::vector<TToken> tokens;
  bool thousands = false;
  bool scientific = false;
  int intPlaces = 0;      // digit placeholders before the decimal point
  int decPlaces = 0;      // digit placeholders after it
  int minIntDigits = 0;   // '0's from the first '0' up to the decimal point
  int minDecDigits = 0;   // decimals up to the last '0'
};

// Splits at ';' outside quotes; at most three sections count.
std::vector<std::string_view> SplitSections(std::string_view pattern) {
  std::vector<std::string_view> out;
  size_t start = 0;
  char quote = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      out.push_back(pattern.substr(start, i - start));
      start = i + 1;
    }
  }
  out.push_back(pattern.substr(start));
  if (out.size() > 3) out.resize(3);
  return out;
}

void AddLiteral(TSection& section, std::string_view text) {
  if (section.tokens.empty() || section.tokens.back().kind != TToken::Kind::Literal) {
    section.tokens.push_back(TToken{});
  }
  section.tokens.back().text += text;
}

TSection ScanSection(std::string_view s) {
  TSection section;
  bool seenPoint = false;
  int digitCount = 0;
  int firstZero = -1;
  int lastZero = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '0' || c == '#') {
      if (c == '0') {
        if (firstZero < 0) firstZero = digitCount;
        lastZero = digitCount + 1;
      }
      ++digitCount;
      section.tokens.emplace_back().kind = TToken::Kind::Digit;
    } else if (c == '.') {
      if (!seenPoint) {
        seenPoint = true;
        section.intPlaces = digitCount;
        section.tokens.emplace_back().kind = TToken::Kind::Point;
      }
    } else if (c == ',') {
      section.thousands = true;
    } else if (c == '"' || c == '\'') {
      const size_t end = s.find(c, i + 1);
      const size_t stop = end == std::string_view::npos ? s.size() : end;
      AddLiteral(section, s.substr(i + 1, stop - i - 1));
      i = stop;
    } else if ((c == 'E' || c == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-') &&
               !section.scientific) {
      TToken t;
      t.kind = TToken::Kind::Exponent;
      t.text = std::string(1, c);
      t.plusSign = s[i + 1] == '+';
      i += 2;
      while (i < s.size() && s[i] == '0') {
        ++t.expDigits;
        ++i;
      }
      --i;
      t.expDigits = std::min(t.expDigits, 4);
      section.scientific = true;
      section.tokens.push_back(t);
    } else {
      AddLiteral(section, std::string_view(&s[i], 1));
    }
  }
  if (!seenPoint) section.intPlaces = digitCount;
  section.decPlaces = digitCount - section.intPlaces;
  section.minIntDigits = firstZero >= 0 && firstZero < section.intPlaces ? section.intPlaces - firstZero : 0;
  section.minDecDigits = std::max(0, lastZero - section.intPlaces);
  return section;
}

// A pattern's sections, scanned once per thread: scanning costs more than
// formatting, and a costing file formats every number with one pattern.
struct TParsedPattern {
  std::vector<TSection> sections;  // one to three
  std::vector<bool> empty;         // an empty section falls back to another
};

const TParsedPattern& ParsedPattern(std::string_view pattern) {
  thread_local std::map<std::string, TParsedPattern, std::less<>> cache;
  if (auto it = cache.find(pattern); it != cache.end()) return it->second;
  // Patterns come from awards and settings: a few dozen at most. The bound
  // only guards against a caller that builds a new pattern per number.
  if (cache.size() >= 256) cache.clear();
  TParsedPattern parsed;
  for (std::string_view section : SplitSections(pattern)) {
    parsed.sections.push_back(ScanSection(section));
    parsed.empty.push_back(section.empty());
  }
  return cache.emplace(std::string(pattern), std::move(parsed)).first->second;
}

class TPatternWriter {
 public:
  TPatternWriter(const TSection& section, double magnitude) : FSection(section) {
    FDec = fd::ToDecimal(magnitude);
    if (section.scientific) {
      fd::RoundToDigits(FDec, std::min(section.intPlaces + section.decPlaces, 18));
      // Zero keeps exponent 0 but still fills the integer placeholders ("0E0").
      if (!FDec.digits.empty()) FExp10 = FDec.exponent - section.intPlaces;
      FDec.exponent = section.intPlaces;
    } else {
      fd::RoundToDecimals(FDec, section.decPlaces);
    }
    FIntDigits = std::max(FDec.exponent, section.minIntDigits);
    const int valueDecimals = static_cast<int>(FDec.digits.size()) - FDec.exponent;
    FDecDigits = std::min(std::max(valueDecimals, section.minDecDigits), section.decPlaces);
  }

  bool IsZero() const { return FDec.digits.empty(); }

  std::string Write() {
    std::string out;
    int digitIndex = 0;
    for (const TToken& t : FSection.tokens) {
      switch (t.kind) {
        case TToken::Kind::Literal:
          out += t.text;
          break;
        case TToken::Kind::Digit:
          WriteDigit(out, digitIndex++);
          break;
        case TToken::Kind::Point:
          // A pattern without integer placeholders shows the integer part here.
          if (FSection.intPlaces == 0) WriteIntegerPlaces(out, FIntDigits - 1, 0);
          if (FDecDigits > 0) out += '.';
          break;
        case TToken::Kind::Exponent:
          out += t.text;
          if (FExp10 < 0) {
            out += '-';
          } else if (t.plusSign) {
            out += '+';
          }
          std::string digits = std::to_string(std::abs(FExp10));
          if (static_cast<int>(digits.size()) < t.expDigits) digits.insert(0, t.expDigits - digits.size(), '0');
          out += digits;
          break;
      }
    }
    return out;
  }

 private:
  char DigitAt(int index) const {
    return index >= 0 && index < static_cast<int>(FDec.digits.size()) ? FDec.digits[static_cast<size_t>(index)]
                                                                        : '0';
  }

  // Integer places from `high` down to `low` (place 0 is the units), with
  // thousands separators; places at or above FIntDigits are not shown.
  void WriteIntegerPlaces(std::string& out, int high, int low) const {
    for (int place = high; place >= low; --place) {
      if (place >= FIntDigits) continue;
      out += DigitAt(FDec.exponent - 1 - place);
      if (FSection.thousands && place > 0 && place % 3 == 0) out += ',';
    }
  }

  void WriteDigit(std::string& out, int index) const {
    if (index < FSection.intPlaces) {
      const int place = FSection.intPlaces - 1 - index;
      // The first placeholder also shows the digits the pattern has no room for.
      WriteIntegerPlaces(out, index == 0 ? std::max(FIntDigits - 1, place) : place, place);
      return;
    }
    const int decimal = index - FSection.intPlaces + 1;
    if (decimal <= FDecDigits) out += DigitAt(FDec.exponent + decimal - 1);
  }

  const TSection& FSection;
  fd::TDecimal FDec;
  int FExp10 = 0;
  int FIntDigits = 0;
  int FDecDigits = 0;
};

// A pattern of placeholders around at most one point and nothing else, in
// the order "#..#0..0.0..0#..#" ("0.0############", "0.00", "#.##", "000"):
// the integer digits shown are the value's or minIntDigits, whichever is
// more; the decimals those of the value rounded to maxDecimals places, at
// least minDecimals. Any other pattern is not plain.
struct TPlainPattern {
  int minIntDigits = 0;
  int minDecimals = 0;
  int maxDecimals = 0;
};

bool ReadPlainPattern(std::string_view p, TPlainPattern& out) {
  size_t i = 0;
  const size_t n = p.size();
  while (i < n && p[i] == '#') ++i;
  const size_t zeros = i;
  while (i < n && p[i] == '0') ++i;
  out.minIntDigits = static_cast<int>(i - zeros);
  out.minDecimals = out.maxDecimals = 0;
  if (i < n && p[i] == '.') {
    const size_t first = ++i;
    while (i < n && p[i] == '0') ++i;
    out.minDecimals = static_cast<int>(i - first);
    while (i < n && p[i] == '#') ++i;
    out.maxDecimals = static_cast<int>(i - first);
  }
  return n > 0 && i == n;
}

// Writes the digits of n, at least `width` of them (zeros in front), to end
// at `end`; returns where they begin.
char* DigitsBefore(char* end, uint64_t n, int width) {
  for (; n != 0 || width > 0; n /= 10, --width) *--end = static_cast<char>('0' + n % 10);
  return end;
}

// AppendPlain for a value that is n / 10^places exactly with no more
// places than the pattern shows: nothing to round, so the text comes
// straight from the integers, built backwards in one buffer. False, having
// written nothing, otherwise.
bool AppendShort(std::string& out, const TPlainPattern& pattern, double value) {
  uint64_t n = 0;
  int places = 0;
  if (pattern.minIntDigits > 16 || pattern.minDecimals > 16 ||
      !fd::ShortDecimal(std::fabs(value), std::min(pattern.maxDecimals, 4), n, places)) {
    return false;
  }
  // The fewest places: the fraction ends in no zero.
  const int decimals = std::max(places, pattern.minDecimals);
  char buffer[64];
  char* const end = buffer + sizeof buffer;
  char* p = end - (decimals - places);
  std::fill(p, end, '0');
  // n's last `places` digits are the fraction, taken off one at a time: the
  // rest is the whole part, with no division by a power of ten chosen at
  // run time (a slow instruction, for every figure of a costing file).
  if (decimals > 0) {
    for (int k = 0; k < places; ++k, n /= 10) *--p = static_cast<char>('0' + n % 10);
    *--p = '.';
  }
  p = DigitsBefore(p, n, pattern.minIntDigits);
  if (value < 0) *--p = '-';
  out.append(p, static_cast<size_t>(end - p));
  return true;
}

// What TPatternWriter writes for a plain pattern and a finite value, built
// straight into `out`.
void AppendPlain(std::string& out, const TPlainPattern& pattern, double value) {
  if (AppendShort(out, pattern, value)) return;
  fd::TDigits dec;
  fd::ToDigits(std::fabs(value), dec);
  fd::RoundDigits(dec, dec.exponent + pattern.maxDecimals);
  const int intDigits = std::max(dec.exponent, pattern.minIntDigits);
  const int decimals = std::min(std::max(dec.count - dec.exponent, pattern.minDecimals), pattern.maxDecimals);
  const bool minus = value < 0 && dec.count > 0;
  const size_t length = (minus ? 1 : 0) + static_cast<size_t>(intDigits) + (decimals > 0 ? 1 : 0) +
                        static_cast<size_t>(decimals);
  // Figures fit the buffer; a huge magnitude or a long run of '0's is
  // written in the string itself.
  char buffer[64];
  const size_t start = out.size();
  if (length > sizeof buffer) out.resize(start + length);
  char* const first = length > sizeof buffer ? out.data() + start : buffer;
  char* w = first;
  if (minus) *w++ = '-';
  // Digit i of the value is at place exponent - 1 - i; outside the kept
  // digits the places read '0'.
  const auto digitAt = [&dec](int index) { return index >= 0 && index < dec.count ? dec.digits[index] : '0'; };
  for (int index = dec.exponent - intDigits; index < dec.exponent; ++index) *w++ = digitAt(index);
  if (decimals > 0) {
    *w++ = '.';
    for (int index = dec.exponent; index < dec.exponent + decimals; ++index) *w++ = digitAt(index);
  }
  if (first == buffer) out.append(buffer, length);
}

}  // namespace

// A negative value whose shown digits are all zero prints without its minus
// sign ("0.00", not "-0.00"): a payroll figure that reads as zero must not
// look like a deduction.
std::string FormatFloatGeneral(std::string_view pattern, double value) {
  if (std::string s = fd::SpecialText(value); !s.empty()) return s;
  const TParsedPattern& parsed = ParsedPattern(pattern);
  const size_t count = parsed.sections.size();
  size_t index = 0;
  if (value < 0 && count > 1 && !parsed.empty[1]) {
    index = 1;
  } else if (value == 0 && count > 2 && !parsed.empty[2]) {
    index = 2;
  }
  if (parsed.empty[index]) return FloatToStr(value);
  TPatternWriter writer(parsed.sections[index], std::fabs(value));
  const bool minus = value < 0 && index == 0 && !writer.IsZero();
  return (minus ? "-" : "") + writer.Write();
}

TFloatPattern::TFloatPattern(std::string_view pattern) : FPattern(pattern) {
  TPlainPattern plain;
  FPlain = ReadPlainPattern(pattern, plain);
  FMinIntDigits = plain.minIntDigits;
  FMinDecimals = plain.minDecimals;
  FMaxDecimals = plain.maxDecimals;
}

void TFloatPattern::AppendTo(std::string& out, double value) const {
  if (FPlain && std::isfinite(value)) {
    AppendPlain(out, TPlainPattern{FMinIntDigits, FMinDecimals, FMaxDecimals}, value);
  } else {
    out += FormatFloatGeneral(FPattern, value);
  }
}

// Numbers in plain patterns are the common case everywhere (costing files,
// hours); only the others need the scanned pattern.
std::string FormatFloat(std::string_view pattern, double value) {
  TPlainPattern plain;
  if (!std::isfinite(value) || !ReadPlainPattern(pattern, plain)) return FormatFloatGeneral(pattern, value);
  std::string out;
  AppendPlain(out, plain, value);
  return out;
}

}  // namespace qora
