// The function library: thirteen names, tried in table order after both
// sides are lower-cased; an empty name is a plain group; any other name comes
// back unchanged. The transcendental functions are the engine's own
// (quillo/real_math.h), the same on every system.
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "number_text.h"
#include "quillo/real_math.h"
#include "reference_internal.h"

namespace Reference {
namespace {

const std::array<Text, 13> kNames{U"pi",  U"rand", U"abs", U"int",  U"sqrt", U"sin",  U"Asin",
                                  U"cos", U"Acos", U"tan", U"mod",  U"power", U"round"};

Text LCase(const Text& s) {
  Text out = s;
  for (char32_t& c : out) {
    if (c >= U'A' && c <= U'Z') c += U'a' - U'A';
  }
  return out;
}

// The value of a text: its evaluation, as a number.
double ValueOf(const Text& text) { return ToNumber(CalcExpression(text)); }

double RoundHalfEven(double x) {
  const double lower = std::floor(x);
  const double fraction = x - lower;
  if (fraction < 0.5) return lower;
  if (fraction > 0.5) return lower + 1;
  return std::fmod(lower, 2) == 0 ? lower : lower + 1;
}

double Finite(double x) {
  if (!std::isfinite(x)) throw Failure("invalid argument");
  return x;
}

Value TwoValues(const Text& argument, const Text& name) {
  const long comma = InStr(argument, U",");
  if (comma == 0) throw Failure("one value where two are needed");
  const double a = ValueOf(Left(argument, comma - 1));
  const double b = ValueOf(Mid(argument, comma + 1));
  if (name == U"mod") {
    const double x = RoundHalfEven(a);
    const double y = RoundHalfEven(b);
    if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) throw Failure("overflow");
    if (y == 0) throw Failure("division by zero");
    const auto remainder = static_cast<std::int64_t>(x) % static_cast<std::int64_t>(y);
    return static_cast<std::int32_t>(remainder);
  }
  if (name == U"power") return Power(a, b);
  // round
  const double f = RealMath::Pow(10.0, b);
  if (!std::isfinite(f) || f == 0) throw Failure("overflow");
  const double product = a * f;
  if (!std::isfinite(product)) throw Failure("overflow");
  return Finite(RoundHalfEven(product) / f);
}

}  // namespace

Text ToText(const Value& value) {
  if (const auto* d = std::get_if<double>(&value)) return PlainForm(*d);
  if (const auto* i = std::get_if<std::int32_t>(&value)) return Ascii(std::to_string(*i));
  if (const auto* t = std::get_if<Text>(&value)) return *t;
  return {};
}

double ToNumber(const Value& value) {
  if (const auto* d = std::get_if<double>(&value)) return *d;
  if (const auto* i = std::get_if<std::int32_t>(&value)) return *i;
  if (const auto* t = std::get_if<Text>(&value)) return StrictRead(*t);
  return 0;
}

Value CalcFunction(const Text& argument, const Text& name) {
  const Text lower = LCase(name);
  for (const Text& entry : kNames) {
    if (lower != LCase(entry)) continue;
    const Text n = LCase(entry);
    if (n == U"pi") return 3.14159265358979;
    if (n == U"rand") return LenientRead(SinglePrecisionForm(NextRandom()));
    if (n == U"mod" || n == U"power" || n == U"round") return TwoValues(argument, n);
    const double x = ValueOf(argument);
    if (n == U"abs") return std::fabs(x);
    if (n == U"int") return std::floor(x);
    if (n == U"sqrt") {
      if (x < 0) throw Failure("square root of a negative number");
      return std::sqrt(x);
    }
    if (n == U"sin") return Finite(RealMath::Sin(x));
    if (n == U"cos") return Finite(RealMath::Cos(x));
    if (n == U"tan") return Finite(RealMath::Tan(x));
    if (n == U"asin") return Finite(RealMath::Asin(x));
    return Finite(RealMath::Acos(x));  // acos
  }
  if (name.empty()) return CalcExpression(argument);
  return name;
}

}  // namespace Reference
