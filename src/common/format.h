// Number and text formatting that reproduces what payroll users have always
// seen in the engine's messages and output files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qora {

// One argument of Format: integers, floating-point numbers and texts.
using FormatArg = std::variant<int64_t, double, std::string>;

// printf-like formatting with the classic Format rules:
//  %d (integer), %u, %x, %s (text), %f (fixed, 2 decimals unless a precision
//  is given), %n (fixed with thousands separators), %e, %g, %%, with
//  optional "-" flag, width and ".precision". A directive whose argument has
//  the wrong kind or is missing throws std::invalid_argument.
//  Format("in %f.1 seconds", {0.25}) gives "in 0.25.1 seconds".
std::string FormatV(std::string_view format, const std::vector<FormatArg>& args);

template <class... Args>
std::string Format(std::string_view format, const Args&... args) {
  std::vector<FormatArg> list;
  list.reserve(sizeof...(Args));
  auto push = [&list](const auto& a) {
    using A = std::decay_t<decltype(a)>;
    if constexpr (std::is_same_v<A, bool>) {
      list.emplace_back(int64_t{a ? 1 : 0});
    } else if constexpr (std::is_integral_v<A> || std::is_enum_v<A>) {
      list.emplace_back(static_cast<int64_t>(a));
    } else if constexpr (std::is_floating_point_v<A>) {
      list.emplace_back(static_cast<double>(a));
    } else {
      list.emplace_back(std::string(a));
    }
  };
  (push(args), ...);
  return FormatV(format, list);
}

// Pattern formatting as FormatFloat: "0", "#", ".", ",", "E+"/"E-" and
// literal text, with up to three ";"-separated sections. Digits are rounded
// half away from zero after the value is taken to 15 significant digits,
// so FormatFloat("0.00", 2.675) gives "2.68".
std::string FormatFloat(std::string_view pattern, double value);

// A FormatFloat pattern read once, for a writer that formats many numbers
// with it straight into the text it builds.
class TFloatPattern {
 public:
  // Keeps a copy of the pattern; any text is accepted, as by FormatFloat.
  explicit TFloatPattern(std::string_view pattern);
  // Appends FormatFloat(pattern, value) to `out`.
  void AppendTo(std::string& out, double value) const;

 private:
  std::string FPattern;
  // Placeholders around at most one point and nothing else ("0.0###"):
  // formatted without the scanned pattern.
  bool FPlain = false;
  int FMinIntDigits = 0;
  int FMinDecimals = 0;
  int FMaxDecimals = 0;
};

// General format with 15 significant digits, no trailing zeros; scientific
// ("1E15", "1.5E-5", "-2.5E20") when the rounded magnitude is 1E15 or more
// or below 0.0001. NaN and infinities give "NAN", "INF" and "-INF".
std::string FloatToStr(double value);
// What StrToFloat reads FloatToStr's text back as: the value rounded to 15
// significant digits; 0 for NaN and infinities.
double FloatToStrValue(double value);

// Fixed format with the given number of decimals ("%.nf" of Format).
std::string FloatToStrF(double value, int decimals);

// Round to the nearest integer, halves to the even neighbour (Round(2.5) = 2).
int64_t BankersRound(double value);

// Decimal rounding used for costing values: 0 stays 0; otherwise 1e-8 is
// added, the value is scaled by 10^decimals, its fraction rounded (halves to
// even) and the result scaled back. The nudge makes positive halves round up.
double RoundCosting(double value, int decimals);

// Number parsing with "." as the decimal separator whatever the locale.
// Leading and trailing blanks are allowed; anything else makes them fail.
bool TryStrToFloat(std::string_view text, double& out);
// Decimal integers (optional sign) and "$"-prefixed hexadecimal.
bool TryStrToInt(std::string_view text, int64_t& out);
double StrToFloatDef(std::string_view text, double fallback);
int64_t StrToIntDef(std::string_view text, int64_t fallback);
// "True"/"False" (any case), "-1"/"1"/"0", any number (non-zero is true),
// "Yes"/"No", "Y"/"N", "T"/"F". Returns false when the text has no meaning.
bool TryStrToBool(std::string_view text, bool& out);
bool StrToBoolDef(std::string_view text, bool fallback);
// "True" or "False".
std::string BoolToStr(bool value);

}  // namespace qora
