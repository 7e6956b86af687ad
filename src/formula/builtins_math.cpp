// Mathematical and trigonometric built-in functions.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "common/format.h"
#include "formula/builtins.h"

namespace qora::builtins {

namespace {

constexpr TQelDataType R = rdtDouble;
constexpr TQelDataType I = rdtInteger;

using W = TnxBaseObject*;

double A(TQelValues v, int i) { return v[i]->D; }
int32_t N(TQelValues v, int i) { return v[i]->I; }

int32_t ToInteger(double value) {
  if (!std::isfinite(value) || value < std::numeric_limits<int32_t>::min() ||
      value > std::numeric_limits<int32_t>::max()) {
    Fail("The value " + FloatToStr(value) + " is out of the Integer range.");
  }
  return static_cast<int32_t>(value);
}

// Decimal rounding steps work on the value the user wrote, not on its binary
// neighbour: 0.29 * 100 is 28.999999999999996 in binary but means 29. A
// product within a few hundred units in the last place of a whole number is
// taken as that number; anything else is truncated toward zero.
double ScaledTrunc(double value, double scale) {
  const double v = value * scale;
  const double nearest = std::nearbyint(v);
  if (std::fabs(v - nearest) <= 1e-13 * std::max(1.0, std::fabs(v))) return nearest;
  return std::trunc(v);
}

int32_t AbsI(W, TQelValues v, int) {
  return v[0]->I < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(v[0]->I)) : v[0]->I;
}
double AbsR(W, TQelValues v, int) { return std::fabs(A(v, 0)); }
double ArcCos(W, TQelValues v, int) { return std::acos(A(v, 0)); }
double ArcCosh(W, TQelValues v, int) { return std::acosh(A(v, 0)); }
double ArcSin(W, TQelValues v, int) { return std::asin(A(v, 0)); }
double ArcSinh(W, TQelValues v, int) { return std::asinh(A(v, 0)); }
double ArcTan2(W, TQelValues v, int) { return std::atan2(A(v, 0), A(v, 1)); }
double ArcTanh(W, TQelValues v, int) { return std::atanh(A(v, 0)); }
double Cos(W, TQelValues v, int) { return std::cos(A(v, 0)); }
double Cosh(W, TQelValues v, int) { return std::cosh(A(v, 0)); }
double DegToRad(W, TQelValues v, int) { return A(v, 0) * (M_PI / 180.0); }
double RadToDeg(W, TQelValues v, int) { return A(v, 0) * (180.0 / M_PI); }

int32_t FactorialI(W, TQelValues v, int) {
  const int32_t n = N(v, 0);
  if (n > 12) Fail("Factorial for values greater than 12 can not be computed by the Factorial function");
  int32_t result = 1;
  for (int32_t k = 2; k <= n; ++k) result *= k;
  return result;
}

double FactorialR(W, TQelValues v, int) {
  const int32_t n = N(v, 0);
  if (n > 170) Fail("Factorial for values greater than 170 can not be computed by the FactorialR function");
  double result = 1.0;
  for (int32_t k = 2; k <= n; ++k) result *= k;
  return result;
}

double Frac(W, TQelValues v, int) { return A(v, 0) - std::trunc(A(v, 0)); }
double IntPower(W, TQelValues v, int) { return std::pow(A(v, 0), static_cast<double>(N(v, 1))); }
double Ln(W, TQelValues v, int) { return std::log(A(v, 0)); }
double Log10(W, TQelValues v, int) { return std::log10(A(v, 0)); }
double LogN(W, TQelValues v, int) { return std::log(A(v, 1)) / std::log(A(v, 0)); }

int32_t MaxI(W, TQelValues v, int high) {
  int32_t m = N(v, 0);
  for (int i = 1; i <= high; ++i) m = std::max(m, N(v, i));
  return m;
}
double MaxR(W, TQelValues v, int high) {
  double m = A(v, 0);
  for (int i = 1; i <= high; ++i) m = std::max(m, A(v, i));
  return m;
}
int32_t MinI(W, TQelValues v, int high) {
  int32_t m = N(v, 0);
  for (int i = 1; i <= high; ++i) m = std::min(m, N(v, i));
  return m;
}
double MinR(W, TQelValues v, int high) {
  double m = A(v, 0);
  for (int i = 1; i <= high; ++i) m = std::min(m, A(v, i));
  return m;
}

bool Odd(W, TQelValues v, int) { return (N(v, 0) & 1) != 0; }
double Pi(W, TQelValues, int) { return M_PI; }
double Power(W, TQelValues v, int) { return std::pow(A(v, 0), A(v, 1)); }
int32_t Round(W, TQelValues v, int) {
  const double x = A(v, 0);
  if (!std::isfinite(x) || std::fabs(x) > 4e9) ToInteger(x);
  return ToInteger(static_cast<double>(BankersRound(x)));
}
double Sin(W, TQelValues v, int) { return std::sin(A(v, 0)); }
double Sinh(W, TQelValues v, int) { return std::sinh(A(v, 0)); }
int32_t SqrI(W, TQelValues v, int) {
  const auto u = static_cast<uint32_t>(N(v, 0));
  return static_cast<int32_t>(u * u);
}
double SqrR(W, TQelValues v, int) { return A(v, 0) * A(v, 0); }
double Sqrt(W, TQelValues v, int) { return std::sqrt(A(v, 0)); }
double Tan(W, TQelValues v, int) { return std::tan(A(v, 0)); }
double Tanh(W, TQelValues v, int) { return std::tanh(A(v, 0)); }
int32_t Trunc(W, TQelValues v, int) { return ToInteger(std::trunc(A(v, 0))); }

double Interpolate(W, TQelValues v, int) {
  const double position = A(v, 0), v1 = A(v, 1), d1 = A(v, 2), v2 = A(v, 3), d2 = A(v, 4);
  return v1 + (position - d1) / (d2 - d1) * (v2 - v1);
}

double Distance(W, TQelValues v, int) {
  const double dx = A(v, 0) - A(v, 2), dy = A(v, 1) - A(v, 3);
  return std::sqrt(dx * dx + dy * dy);
}

// The fraction of `value` in ten-thousandths, truncated toward zero as
// ScaledTrunc reads it, for a value of any size: the whole part is taken off
// first (exactly), so nothing overflows, and the closeness to a whole number
// of ten-thousandths is judged against the whole value, whose binary
// neighbour is what the fraction's error comes from.
int64_t FractionTenThousandths(double value) {
  const double units = (value - std::trunc(value)) * 10000.0;
  const double nearest = std::nearbyint(units);
  const double tolerance = 1e-13 * std::max(1.0, std::fabs(value * 10000.0));
  return static_cast<int64_t>(std::fabs(units - nearest) <= tolerance ? nearest : std::trunc(units));
}

// Works in ten-thousandths: the step and the value's fraction are whole
// numbers of them, so the result is exact to four decimals. The whole part
// stays as it is, which keeps every magnitude a double can hold.
double RoundCents(W, TQelValues v, int) {
  const double step = ScaledTrunc(A(v, 1), 10000.0);
  if (!(step <= 10000.0) || step < 0.0) Fail("The rounding value must be less than or equal to 1.");
  // A step below one ten-thousandth would divide by zero; it has no meaning
  // for money, so it is refused like any other invalid step.
  if (step == 0.0) Fail("The rounding value must be greater than or equal to 0.0001.");
  const double value = A(v, 0);
  if (!std::isfinite(value)) Fail("The value " + QelShortestReal(value) + " can not be rounded.");
  const double whole = std::trunc(value);
  const int64_t frac = FractionTenThousandths(value);
  const auto s = static_cast<int64_t>(step);
  const int64_t r = frac % s;
  int64_t cents = (frac / s) * s;
  if (r >= s / 2) cents += s;
  // One division of an exact number of ten-thousandths gives the nearest
  // double to the decimal result; beyond 2^53 units the whole part alone is
  // already as precise as a double can be.
  const double units = whole * 10000.0 + static_cast<double>(cents);
  if (std::fabs(units) < 9007199254740992.0) return units / 10000.0;
  return whole + static_cast<double>(cents) / 10000.0;
}

double RoundDown(W, TQelValues v, int) {
  const double scale = std::pow(10.0, N(v, 1));
  return ScaledTrunc(A(v, 0), scale) / scale;
}

}  // namespace

void RegisterMath(TRegistry& r) {
  r.Add(Int("AbsI", "Math|AbsI(Value)", {I}, AbsI));
  r.Add(Real("AbsR", "Math|AbsR(Value)", {R}, AbsR));
  r.Add(Real("ArcCos", "Trig|ArcCos(Value)", {R}, ArcCos));
  r.Add(Real("ArcCosh", "Trig|ArcCosh(Value)", {R}, ArcCosh));
  r.Add(Real("ArcSin", "Trig|ArcSin(Value)", {R}, ArcSin));
  r.Add(Real("ArcSinh", "Trig|ArcSinh(Value)", {R}, ArcSinh));
  r.Add(Real("ArcTan2", "Trig|ArcTan2(Y, X)", {R, R}, ArcTan2));
  r.Add(Real("ArcTanh", "Trig|ArcTanh(Value)", {R}, ArcTanh));
  r.Add(Real("Cos", "Trig|Cos(Value)", {R}, Cos));
  r.Add(Real("Cosh", "Trig|Cosh(Value)", {R}, Cosh));
  r.Add(Real("DegToRad", "Trig|DegToRad(Value)", {R}, DegToRad));
  r.Add(Int("FactorialI", "Math|FactorialI(Value_Less_than_13)", {I}, FactorialI));
  r.Add(Real("FactorialR", "Math|FactorialR(Value_Less_than_171)", {I}, FactorialR));
  r.Add(Real("Frac", "Math|Frac(Value)", {R}, Frac));
  r.Add(Real("IntPower", "Math|IntPower(Base, Exponent)", {R, I}, IntPower));
  r.Add(Real("ln", "Math|ln(Value)", {R}, Ln));
  r.Add(Real("log10", "Math|log10(Value)", {R}, Log10));
  r.Add(Real("logN", "Math|logN(Base, Value)", {R, R}, LogN));
  auto variable = [](TFunctionRecord rec) {
    rec.OptionalArguments = -1;
    return rec;
  };
  r.Add(variable(Int("MaxI", "Math|MaxI(integer_Value1, integer_Value2, ...)", {I, I, I}, MaxI)));
  r.Add(variable(Real("MaxR", "Math|MaxR(real_Value1, real_Value2, ...)", {R, R, R}, MaxR)));
  r.Add(variable(Int("MinI", "Math|MinI(integer_Value1, integer_Value2, ...)", {I, I, I}, MinI)));
  r.Add(variable(Real("MinR", "Math|MinR(real_Value1, real_Value2, ...)", {R, R, R}, MinR)));
  r.Add(Bool("Odd", "Math|Odd(Value)", {I}, Odd));
  r.Add(Real("Pi", "Math|Pi", {}, Pi));
  r.Add(Real("Power", "Math|Power(Base, Exponent)", {R, R}, Power));
  r.Add(Real("RadToDeg", "Trig|RadToDeg(Value)", {R}, RadToDeg));
  r.Add(Int("Round", "Math|Round(Value)", {R}, Round));
  r.Add(Real("Sin", "Trig|Sin(Value)", {R}, Sin));
  r.Add(Real("Sinh", "Trig|Sinh(Value)", {R}, Sinh));
  r.Add(Int("SqrI", "Math|SqrI(integer_Value)", {I}, SqrI));
  r.Add(Real("SqrR", "Math|SqrR(real_Value)", {R}, SqrR));
  r.Add(Real("Sqrt", "Math|Sqrt(Value)", {R}, Sqrt));
  r.Add(Real("Tan", "Trig|Tan(Value)", {R}, Tan));
  r.Add(Real("Tanh", "Trig|Tanh(Value)", {R}, Tanh));
  r.Add(Int("Trunc", "Math|Trunc(Value)", {R}, Trunc));
  r.Add(Real("Interpolate", "Math|Interpolate(Position, Value1, Distance1, Value2, Distance2)", {R, R, R, R, R},
             Interpolate));
  r.Add(Real("Distance", "Math|Distance(X1, Y1, X2, Y2)", {R, R, R, R}, Distance));
  r.Add(Real("RoundCents", "Math|RoundCents(Value, RoundTo)", {R, R}, RoundCents));
  r.Add(Real("RoundDown", "Math|RoundDown(Value, RoundTo)", {R, I}, RoundDown));

  r.AddOverloaded("Abs", {Variant(Int("Abs", "", {I}, AbsI), "Math|Abs(Value)"),
                          Variant(Real("Abs", "", {R}, AbsR), "Math|Abs(Value)")});
  r.AddOverloaded("Max", {Variant(variable(Int("Max", "", {I, I, I}, MaxI)), "Math|Max(Value1, Value2, ...)"),
                          Variant(variable(Real("Max", "", {R, R, R}, MaxR)), "Math|Max(Value1, Value2, ...)")});
  r.AddOverloaded("Min", {Variant(variable(Int("Min", "", {I, I, I}, MinI)), "Math|Min(Value1, Value2, ...)"),
                          Variant(variable(Real("Min", "", {R, R, R}, MinR)), "Math|Min(Value1, Value2, ...)")});
  r.AddOverloaded("Sqr", {Variant(Int("Sqr", "", {I}, SqrI), "Math|Sqr(Value)"),
                          Variant(Real("Sqr", "", {R}, SqrR), "Math|Sqr(Value)")});
  TFunctionRecord multi = variable(Real("MultiInterpolate", "", {R, R, R, R}, nullptr));
  r.AddOverloaded("MultiInterpolate",
                  {Variant(multi, "Math|MultiInterpolate(Position, Value1, Distance1, [Value2, Distance2,] ...)",
                           TQelCallKind::MultiInterpolate)});
}

}  // namespace qora::builtins
