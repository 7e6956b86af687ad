#include "common/format.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "common/float_digits.h"
#include "common/text.h"

namespace qora {

namespace fd = float_digits;

namespace {

// One "%[index:][-][width][.precision]type" directive.
struct TDirective {
  bool leftAlign = false;
  int width = -1;
  int precision = -1;
  char type = 0;
};

class TFormatter {
 public:
  TFormatter(std::string_view format, const std::vector<FormatArg>& args) : FFormat(format), FArgs(args) {}

  std::string Run() {
    std::string out;
    // Messages are mostly literal text: it is copied a run at a time, into
    // room for the format and a few arguments.
    out.reserve(FFormat.size() + 32);
    while (FPos < FFormat.size()) {
      const size_t percent = std::min(FFormat.find('%', FPos), FFormat.size());
      out.append(FFormat.substr(FPos, percent - FPos));
      FPos = percent;
      if (FPos == FFormat.size()) break;
      ++FPos;
      if (FPos < FFormat.size() && FFormat[FPos] == '%') {
        out += '%';
        ++FPos;
      } else {
        out += Directive();
      }
    }
    return out;
  }

 private:
  [[noreturn]] void Invalid() const {
    throw std::invalid_argument("Format '" + std::string(FFormat) + "' invalid or incompatible with argument");
  }

  const FormatArg& NextArg() {
    if (FArgIndex >= FArgs.size()) {
      throw std::invalid_argument("No argument for format '" + std::string(FFormat) + "'");
    }
    return FArgs[FArgIndex++];
  }

  template <class T>
  const T& NextArgOf() {
    const FormatArg& arg = NextArg();
    if (!std::holds_alternative<T>(arg)) Invalid();
    return std::get<T>(arg);
  }

  // Digits or "*" (taken from the arguments); -1 when neither is there.
  int ReadNumber() {
    if (FPos < FFormat.size() && FFormat[FPos] == '*') {
      ++FPos;
      const int64_t v = NextArgOf<int64_t>();
      return v < 0 ? -1 : static_cast<int>(std::min<int64_t>(v, 10000));
    }
    int v = -1;
    while (FPos < FFormat.size() && FFormat[FPos] >= '0' && FFormat[FPos] <= '9') {
      v = std::min((v < 0 ? 0 : v) * 10 + (FFormat[FPos++] - '0'), 10000);
    }
    return v;
  }

  std::string Directive() {
    TDirective d;
    int number = ReadNumber();
    if (number >= 0 && FPos < FFormat.size() && FFormat[FPos] == ':') {
      ++FPos;
      FArgIndex = static_cast<size_t>(number);
      number = -1;
    }
    if (number < 0) {
      if (FPos < FFormat.size() && FFormat[FPos] == '-') {
        d.leftAlign = true;
        ++FPos;
      }
      number = ReadNumber();
    }
    d.width = number;
    if (FPos < FFormat.size() && FFormat[FPos] == '.') {
      ++FPos;
      d.precision = std::max(ReadNumber(), 0);
    }
    if (FPos >= FFormat.size()) Invalid();
    d.type = static_cast<char>(FFormat[FPos++] | 0x20);
    return Pad(Render(d), d);
  }

  static std::string Pad(std::string text, const TDirective& d) {
    if (d.width <= static_cast<int>(text.size())) return text;
    const std::string fill(static_cast<size_t>(d.width) - text.size(), ' ');
    return d.leftAlign ? text + fill : fill + text;
  }

  // Integers print at least `precision` digits, zero-filled after the sign.
  static std::string WithMinDigits(std::string digits, bool negative, int precision) {
    if (precision > static_cast<int>(digits.size())) digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
    return negative ? "-" + digits : digits;
  }

  // %u and %x see a negative 32-bit value as its 32-bit pattern, as they do
  // for the Integer arguments the messages were written for.
  static uint64_t Unsigned(int64_t v) {
    if (v < 0 && v >= std::numeric_limits<int32_t>::min()) return static_cast<uint32_t>(v);
    return static_cast<uint64_t>(v);
  }

  static int FloatPrecision(int precision, int fallback) {
    return precision < 0 || precision > 18 ? fallback : std::max(precision, 1);
  }

  std::string Render(const TDirective& d) {
    switch (d.type) {
      case 'd': {
        const int64_t v = NextArgOf<int64_t>();
        const uint64_t magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
        return WithMinDigits(std::to_string(magnitude), v < 0, d.precision);
      }
      case 'u':
        return WithMinDigits(std::to_string(Unsigned(NextArgOf<int64_t>())), false, d.precision);
      case 'x': {
        char buf[24];
        const auto res = std::to_chars(buf, buf + sizeof buf, Unsigned(NextArgOf<int64_t>()), 16);
        return WithMinDigits(UpperCase(std::string_view(buf, static_cast<size_t>(res.ptr - buf))), false,
                             d.precision);
      }
      case 's': {
        const std::string& s = NextArgOf<std::string>();
        return d.precision >= 0 && static_cast<size_t>(d.precision) < s.size() ? s.substr(0, d.precision) : s;
      }
      case 'f':
        return fd::FixedText(NextArgOf<double>(), d.precision < 0 ? 2 : std::min(d.precision, 18), false);
      case 'n':
        return fd::FixedText(NextArgOf<double>(), d.precision < 0 ? 2 : std::min(d.precision, 18), true);
      case 'e':
        return fd::ExponentText(NextArgOf<double>(), FloatPrecision(d.precision, 15), 3, true);
      case 'g':
        return fd::GeneralText(NextArgOf<double>(), FloatPrecision(d.precision, 15), 3);
      default:
        Invalid();
    }
  }

  std::string_view FFormat;
  const std::vector<FormatArg>& FArgs;
  size_t FPos = 0;
  size_t FArgIndex = 0;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Strips blanks and one leading sign.
std::string_view SplitSign(std::string_view text, bool& negative) {
  std::string_view s = TrimmedView(text);
  negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  return s;
}

}  // namespace

std::string FormatV(std::string_view format, const std::vector<FormatArg>& args) {
  return TFormatter(format, args).Run();
}

std::string FloatToStr(double value) { return fd::GeneralText(value, 15, 0); }

double FloatToStrValue(double value) {
  double magnitude = 0;
  if (fd::FifteenDigitDouble(std::fabs(value), magnitude)) return std::copysign(magnitude, value);
  return StrToFloatDef(FloatToStr(value), 0);
}

std::string FloatToStrF(double value, int decimals) {
  return fd::FixedText(value, std::clamp(decimals, 0, 18), false);
}

int64_t BankersRound(double value) {
  // nearbyint follows the default rounding mode, round-half-even.
  const double r = std::nearbyint(value);
  if (!(r >= -9.2233720368547758e18 && r < 9.2233720368547758e18)) {
    throw std::out_of_range("Invalid floating point operation");
  }
  return static_cast<int64_t>(r);
}

double RoundCosting(double value, int decimals) {
  if (value == 0) return 0;
  // The powers a costing rounds to are exact doubles: read, not computed.
  static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
  const double scale = decimals >= 0 && decimals < 9 ? kPowers[decimals] : std::pow(10.0, decimals);
  const double scaled = (value + 1e-8) * scale;
  const double whole = std::trunc(scaled);
  return (whole + static_cast<double>(BankersRound(scaled - whole))) / scale;
}

bool TryStrToFloat(std::string_view text, double& out) {
  bool negative = false;
  const std::string_view s = SplitSign(text, negative);
  // Only digits, one point and an exponent: no "inf", "nan" or hex forms.
  if (s.empty() || !(IsDigit(s[0]) || (s[0] == '.' && s.size() > 1 && IsDigit(s[1])))) return false;
  double v = 0;
  if (fd::ReadShortDecimal(s, v)) {
    out = negative ? -v : v;
    return true;
  }
  const auto res = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return false;
  out = negative ? -v : v;
  return true;
}

bool TryStrToInt(std::string_view text, int64_t& out) {
  bool negative = false;
  std::string_view s = SplitSign(text, negative);
  int base = 10;
  if (!s.empty() && s[0] == '$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty() || s[0] == '+' || s[0] == '-') return false;
  uint64_t magnitude = 0;
  const auto res = std::from_chars(s.data(), s.data() + s.size(), magnitude, base);
  if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return false;
  const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
  if (magnitude > limit) return false;
  out = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

double StrToFloatDef(std::string_view text, double fallback) {
  double v = 0;
  return TryStrToFloat(text, v) ? v : fallback;
}

int64_t StrToIntDef(std::string_view text, int64_t fallback) {
  int64_t v = 0;
  return TryStrToInt(text, v) ? v : fallback;
}

bool TryStrToBool(std::string_view text, bool& out) {
  const std::string_view s = TrimmedView(text);
  for (const char* yes : {"True", "Yes", "Y", "T"}) {
    if (SameText(s, yes)) return out = true, true;
  }
  for (const char* no : {"False", "No", "N", "F"}) {
    if (SameText(s, no)) return out = false, true;
  }
  double v = 0;
  if (!TryStrToFloat(s, v)) return false;
  out = v != 0;
  return true;
}

bool StrToBoolDef(std::string_view text, bool fallback) {
  bool v = false;
  return TryStrToBool(text, v) ? v : fallback;
}

std::string BoolToStr(bool value) { return value ? "True" : "False"; }

}  // namespace qora
