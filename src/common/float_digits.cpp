#include "common/float_digits.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace qora::float_digits {

namespace {

void StripTrailingZeros(TDecimal& dec) {
  while (!dec.digits.empty() && dec.digits.back() == '0') dec.digits.pop_back();
  if (dec.digits.empty()) dec.exponent = 0;
}

std::string ExponentDigits(int exponent, int minDigits) {
  std::string s = std::to_string(std::abs(exponent));
  if (static_cast<int>(s.size()) < minDigits) s.insert(0, static_cast<size_t>(minDigits) - s.size(), '0');
  return s;
}

// The digit at position index of the decimal, '0' outside the stored digits.
char DigitAt(const TDecimal& dec, int index) {
  return index >= 0 && index < static_cast<int>(dec.digits.size()) ? dec.digits[static_cast<size_t>(index)] : '0';
}

// The powers of ten a double holds exactly.
constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                  1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// n x 10^-decimals as digits and exponent; n > 0.
void FromInteger(uint64_t n, int decimals, TDigits& out) {
  char reversed[20] = {};
  int length = 0;
  for (; n != 0; n /= 10) reversed[length++] = static_cast<char>('0' + n % 10);
  int low = 0;
  while (reversed[low] == '0') ++low;
  out.count = length - low;
  out.exponent = length - decimals;
  for (int i = 0; i < out.count; ++i) out.digits[i] = reversed[length - 1 - i];
}

// magnitude x 10^k to the nearest integer; false once that reaches 10^15
// (or the magnitude is not a finite number), where a double no longer
// holds every decimal of 15 digits.
bool ScaledToInteger(double magnitude, int k, int64_t& n) {
  const double scaled = magnitude * kExactPow10[k];
  if (!(scaled < 1e15)) return false;
  n = static_cast<int64_t>(scaled + 0.5);
  return true;
}

// The range FifteenDigits works in: m x 10^(15-E) below needs at most
// 53 + 74 bits.
constexpr double kExactFrom = 1e-7;
constexpr double kExactTo = 1e15;

// The magnitude's 15 significant digits as n, 10^14 <= n < 10^15, with its
// exponent E (10^(E-1) <= magnitude < 10^E, after rounding), by exact
// integer arithmetic. magnitude = m / 2^shift exactly, so the digits are
// m x 10^(15-E) / 2^shift rounded, half to even on an exact tie as the
// correctly rounded conversion does. For kExactFrom <= magnitude < kExactTo.
uint64_t FifteenDigits(double magnitude, int& exponent) {
  using u128 = unsigned __int128;
  constexpr uint64_t kLow = 100000000000000;  // 10^14
  int e2 = 0;
  const double fraction = std::frexp(magnitude, &e2);  // 0.5 <= fraction < 1
  const uint64_t m = static_cast<uint64_t>(std::ldexp(fraction, 53));
  const int shift = 53 - e2;
  // 2^(e2-1) <= magnitude < 2^e2 puts E at this guess or one above it.
  int e = static_cast<int>(std::floor((e2 - 1) * 0.30102999566398120)) + 1;
  static constexpr auto kPow10 = [] {
    std::array<u128, 23> p{};
    p[0] = 1;
    for (size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
  }();
  for (;;) {
    const u128 product = static_cast<u128>(m) * kPow10[static_cast<size_t>(15 - e)];
    uint64_t n = static_cast<uint64_t>(product >> shift);
    if (n >= 10 * kLow) {
      ++e;
      continue;
    }
    const u128 rest = product & ((static_cast<u128>(1) << shift) - 1);
    const u128 half = static_cast<u128>(1) << (shift - 1);
    if (rest > half || (rest == half && (n & 1) != 0)) ++n;
    if (n == 10 * kLow) {
      n = kLow;
      ++e;
    }
    exponent = e;
    return n;
  }
}

}  // namespace

// Fifteen digits make an integer below 2^53, a double exactly, as is 10^k
// for k <= 22: their quotient is one correctly rounded division, so it is
// the double nearest to the decimal.
bool ReadShortDecimal(std::string_view text, double& out) {
  uint64_t n = 0;
  int digits = 0;
  int decimals = 0;
  bool point = false;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      if (++digits > 15) return false;
      n = n * 10 + static_cast<uint64_t>(c - '0');
      if (point) ++decimals;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  out = static_cast<double>(n) / kExactPow10[decimals];
  return true;
}

// n < 10^15 and the power of ten are exact doubles: one correctly rounded
// operation gives the nearest double.
bool FifteenDigitDouble(double magnitude, double& out) {
  if (!(magnitude >= kExactFrom && magnitude < kExactTo)) return false;
  int exponent = 0;
  const double n = static_cast<double>(FifteenDigits(magnitude, exponent));
  out = exponent <= 15 ? n / kExactPow10[15 - exponent] : n * kExactPow10[exponent - 15];
  return true;
}

bool ShortDecimal(double magnitude, int maxPlaces, uint64_t& n, int& places) {
  if (!(magnitude >= 0)) return false;
  for (int k = 0; k <= maxPlaces; ++k) {
    int64_t scaled = 0;
    if (!ScaledToInteger(magnitude, k, scaled)) return false;
    if (static_cast<double>(scaled) / kExactPow10[k] == magnitude) {
      n = static_cast<uint64_t>(scaled);
      places = k;
      return true;
    }
  }
  return false;
}

bool IsShortDecimal(double magnitude, int decimals) {
  uint64_t n = 0;
  int places = 0;
  return ShortDecimal(magnitude, decimals, n, places);
}

void ToDigits(double magnitude, TDigits& out) {
  out.count = 0;
  out.exponent = 0;
  if (magnitude == 0) return;
  // A decimal of at most 15 significant digits whose nearest double is the
  // magnitude is its 15-digit rounding: fifteen digits survive the trip
  // through a normal double and back, so no two such decimals share one.
  // Payroll figures have few decimals, so scaling finds that decimal in a
  // few steps; the division is exact up to its one rounding (n and 10^k
  // are exact doubles), which makes the comparison a proof. The scaled
  // value stays below 10^15 only for magnitudes from about 1e-23, far
  // above the subnormals, where fewer digits survive. Where exact integer
  // arithmetic reaches, it takes over after a few places: a computed
  // figure (hours times a rate) seldom has a short decimal at all.
  const bool exact = magnitude >= kExactFrom && magnitude < kExactTo;
  uint64_t n = 0;
  int places = 0;
  if (ShortDecimal(magnitude, exact ? 4 : static_cast<int>(sizeof kExactPow10 / sizeof kExactPow10[0]) - 1, n,
                   places)) {
    FromInteger(n, places, out);
    return;
  }
  if (exact) {
    int exponent = 0;
    n = FifteenDigits(magnitude, exponent);
    FromInteger(n, 15 - exponent, out);
    return;
  }
  // "d.ddddddddddddddde+XX", as ToDecimal reads it.
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
  const char* e = buf + 16;
  out.digits[0] = buf[0];
  int count = 1;
  for (const char* p = buf + 2; p < e; ++p) out.digits[count++] = *p;
  while (count > 0 && out.digits[count - 1] == '0') --count;
  out.count = count;
  int exponent = 0;
  for (const char* p = e + 2; p < res.ptr; ++p) exponent = exponent * 10 + (*p - '0');
  out.exponent = (e[1] == '-' ? -exponent : exponent) + 1;
}

void RoundDigits(TDigits& dec, int count) {
  if (count >= dec.count) return;
  if (count < 0) {
    dec.count = 0;
    dec.exponent = 0;
    return;
  }
  const bool up = dec.digits[count] >= '5';
  dec.count = count;
  if (up) {
    int i = count - 1;
    while (i >= 0 && dec.digits[i] == '9') --i;
    if (i >= 0) {
      ++dec.digits[i];
      dec.count = i + 1;
    } else {
      // All nines (or no digit kept): one place up.
      dec.digits[0] = '1';
      dec.count = 1;
      ++dec.exponent;
    }
  }
  while (dec.count > 0 && dec.digits[dec.count - 1] == '0') --dec.count;
  if (dec.count == 0) dec.exponent = 0;
}

TDecimal ToDecimal(double value) {
  TDecimal dec;
  dec.negative = std::signbit(value);
  if (value == 0) return dec;
  // "d.ddddddddddddddde+XX": locale-independent and correctly rounded.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14);
  const std::string text(buf, res.ptr);
  const size_t e = text.find('e');
  dec.digits = text.substr(0, 1) + text.substr(2, e - 2);
  dec.exponent = std::atoi(text.c_str() + e + 1) + 1;
  StripTrailingZeros(dec);
  return dec;
}

void RoundToDigits(TDecimal& dec, int count) {
  if (count >= static_cast<int>(dec.digits.size())) return;
  if (count < 0) {
    dec.digits.clear();
    dec.exponent = 0;
    return;
  }
  const bool up = dec.digits[static_cast<size_t>(count)] >= '5';
  dec.digits.resize(static_cast<size_t>(count));
  if (up) {
    int i = count - 1;
    while (i >= 0 && dec.digits[static_cast<size_t>(i)] == '9') dec.digits[static_cast<size_t>(i--)] = '0';
    if (i >= 0) {
      ++dec.digits[static_cast<size_t>(i)];
    } else {
      dec.digits.insert(dec.digits.begin(), '1');
      ++dec.exponent;
    }
  }
  StripTrailingZeros(dec);
}

std::string SpecialText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  return "";
}

std::string FixedText(double value, int decimals, bool thousands) {
  if (std::string s = SpecialText(value); !s.empty()) return s;
  TDecimal dec = ToDecimal(value);
  RoundToDecimals(dec, decimals);
  std::string integer;
  for (int i = 0; i < dec.exponent; ++i) {
    if (thousands && i > 0 && (dec.exponent - i) % 3 == 0) integer += ',';
    integer += DigitAt(dec, i);
  }
  if (integer.empty()) integer = "0";
  std::string out = dec.negative && !dec.digits.empty() ? "-" + integer : integer;
  if (decimals > 0) {
    out += '.';
    for (int k = 0; k < decimals; ++k) out += DigitAt(dec, dec.exponent + k);
  }
  return out;
}

std::string ExponentText(double value, int precision, int minExpDigits, bool plusSign) {
  if (std::string s = SpecialText(value); !s.empty()) return s;
  TDecimal dec = ToDecimal(value);
  RoundToDigits(dec, precision);
  const int exponent = dec.digits.empty() ? 0 : dec.exponent - 1;
  std::string out = dec.negative && !dec.digits.empty() ? "-" : "";
  out += DigitAt(dec, 0);
  if (precision > 1) {
    out += '.';
    for (int i = 1; i < precision; ++i) out += DigitAt(dec, i);
  }
  out += 'E';
  if (exponent < 0) {
    out += '-';
  } else if (plusSign) {
    out += '+';
  }
  return out + ExponentDigits(exponent, minExpDigits);
}

std::string GeneralText(double value, int precision, int minExpDigits) {
  if (std::string s = SpecialText(value); !s.empty()) return s;
  TDecimal dec = ToDecimal(value);
  RoundToDigits(dec, precision);
  if (dec.digits.empty()) return "0";
  const int size = static_cast<int>(dec.digits.size());
  std::string out = dec.negative ? "-" : "";
  if (dec.exponent < -3 || dec.exponent > precision) {
    out += dec.digits[0];
    if (size > 1) out += "." + dec.digits.substr(1);
    out += 'E';
    if (dec.exponent - 1 < 0) out += '-';
    return out + ExponentDigits(dec.exponent - 1, minExpDigits);
  }
  if (dec.exponent <= 0) return out + "0." + std::string(static_cast<size_t>(-dec.exponent), '0') + dec.digits;
  for (int i = 0; i < dec.exponent; ++i) out += DigitAt(dec, i);
  if (size > dec.exponent) out += "." + dec.digits.substr(static_cast<size_t>(dec.exponent));
  return out;
}

}  // namespace qora::float_digits
