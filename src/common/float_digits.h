// Decimal digits of a floating-point value as the classic run-time library
// produces them: the value is first taken to 15 significant digits, and any
// further rounding is half away from zero on those decimal digits. This is
// why 2.675 formats as "2.68" here while printf gives "2.67".
// Internal to src/common; callers use format.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qora::float_digits {

// value = 0.d1d2d3... x 10^exponent; digits has no trailing zeros and is
// empty for zero (then exponent is 0).
struct TDecimal {
  std::string digits;
  int exponent = 0;
  bool negative = false;
};

// The value to 15 significant digits. Not for NaN or infinities.
TDecimal ToDecimal(double value);

// The digits of ToDecimal(magnitude) without building a string: count
// digits (no trailing zeros, none for zero) and the same exponent.
struct TDigits {
  char digits[17];
  int count = 0;
  int exponent = 0;
};
// For a finite magnitude >= 0; the same digits as ToDecimal, found without
// a decimal conversion for the values payroll figures mostly are.
void ToDigits(double magnitude, TDigits& out);
// RoundToDigits on TDigits: keeps at most `count` significant digits.
void RoundDigits(TDigits& dec, int count);
// The magnitude as n / 10^places, with the fewest places up to maxPlaces
// (<= 22) whose decimal, of at most 15 significant digits, has the
// magnitude for its nearest double; false when there is none.
bool ShortDecimal(double magnitude, int maxPlaces, uint64_t& n, int& places);
// True when `magnitude` is the double nearest to a decimal of at most
// `decimals` places and at most 15 significant digits: ToDigits gives that
// decimal exactly, and reading its text back gives `magnitude` again.
// False for anything else, NaN and infinities included; decimals <= 22.
bool IsShortDecimal(double magnitude, int decimals);

// The double nearest to the magnitude's 15-significant-digit decimal: what
// ToDecimal's digits read back as. False, with `out` untouched, outside
// 1e-7 <= magnitude < 1e15, where a decimal conversion is needed.
bool FifteenDigitDouble(double magnitude, double& out);

// Reads digits with at most one point among them ("12", "7.25", "1.",
// ".5"), at most 15 digits in all, into the double nearest to them, as
// strtod would. False for any other text, which a full reading then takes.
bool ReadShortDecimal(std::string_view text, double& out);

// Keeps at most `count` significant digits, rounding half away from zero;
// count <= 0 keeps none (a leading digit >= 5 then becomes "1" one place up).
void RoundToDigits(TDecimal& dec, int count);
// Rounds to `decimals` places after the decimal point.
inline void RoundToDecimals(TDecimal& dec, int decimals) { RoundToDigits(dec, dec.exponent + decimals); }

// "NAN", "INF" or "-INF"; "" for a finite value.
std::string SpecialText(double value);

// Fixed notation with exactly `decimals` decimals; ',' between thousands
// when asked. A value that rounds to zero has no minus sign.
std::string FixedText(double value, int decimals, bool thousands);
// d.ddd (precision significant digits), "E", exponent sign ('+' only when
// plusSign), at least minExpDigits exponent digits.
std::string ExponentText(double value, int precision, int minExpDigits, bool plusSign);
// Shortest of `precision` significant digits; fixed when -3 <= exponent <=
// precision, otherwise scientific with a sign only for negative exponents.
std::string GeneralText(double value, int precision, int minExpDigits);

}  // namespace qora::float_digits
