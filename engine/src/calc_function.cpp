// The function library: one bracket group, its argument text and the name
// written in front of it.
#include <array>
#include <climits>
#include <cmath>
#include <string>

#include "engine_internal.h"
#include "quillo/number_text.h"
#include "quillo/real_math.h"

namespace CalcString {
namespace {

// The constant of "pi": exactly the double nearest to these 15 digits.
constexpr double kPi = 3.14159265358979;

struct Entry {
  std::u32string_view name;  // lower case
  Function fn;
};

constexpr std::array<Entry, 13> kTable{{
    {U"pi", Function::kPi},     {U"rand", Function::kRand}, {U"abs", Function::kAbs},
    {U"int", Function::kInt},   {U"sqrt", Function::kSqrt}, {U"sin", Function::kSin},
    {U"asin", Function::kAsin}, {U"cos", Function::kCos},   {U"acos", Function::kAcos},
    {U"tan", Function::kTan},   {U"mod", Function::kMod},   {U"power", Function::kPower},
    {U"round", Function::kRound},
}};

template <class Ch>
double ValueOf(std::basic_string_view<Ch> text) {
  return EvaluatedNumber(Evaluate(text));
}

// To the nearest whole number, a value halfway between two going to the even one.
double RoundHalfEven(double x) {
  const double floor = std::floor(x);
  const double fraction = x - floor;
  if (fraction > 0.5) return floor + 1;
  if (fraction < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

struct Pair {
  double a;
  double b;
};

// The two values of "mod", "power" and "round": the texts either side of the
// first ",", left first.
template <class Ch>
Pair TwoValues(std::basic_string_view<Ch> argument) {
  const auto comma = argument.find(Ch(','));
  if (comma == std::basic_string_view<Ch>::npos) throw CalcError("second argument missing");
  const double a = ValueOf(argument.substr(0, comma));
  const double b = ValueOf(argument.substr(comma + 1));
  return {a, b};
}

std::int32_t Mod(double a, double b) {
  const double x = RoundHalfEven(a);
  const double y = RoundHalfEven(b);
  constexpr double kMin = INT32_MIN;
  constexpr double kMax = INT32_MAX;
  if (x < kMin || x > kMax || y < kMin || y > kMax) throw CalcError("overflow");
  if (y == 0) throw CalcError("division by zero");
  const auto left = static_cast<std::int32_t>(x);
  const auto right = static_cast<std::int32_t>(y);
  if (right == -1) return 0;  // INT32_MIN % -1 would overflow
  return left % right;
}

double Round(double a, double n) {
  const double factor = RealMath::Pow(10.0, n);
  if (!std::isfinite(factor) || factor == 0) throw CalcError("overflow");
  const double scaled = a * factor;
  if (!std::isfinite(scaled)) throw CalcError("overflow");
  return RoundHalfEven(scaled) / factor;
}

double Checked(double result) {
  if (!std::isfinite(result)) throw CalcError("invalid argument");
  return result;
}

template <class Ch>
Value FunctionValue(std::basic_string_view<Ch> argument, std::basic_string_view<Ch> name) {
  if (const auto fn = FindFunction(name)) return ComputeFunction(*fn, argument);
  if (name.empty()) return EvaluatedValue(Evaluate(argument));
  return EncodeUtf8(name);
}

}  // namespace

// Names are matched without regard to letter case, exactly otherwise.
template <class Ch>
std::optional<Function> FindFunction(std::basic_string_view<Ch> name) {
  if (name.empty() || name.size() > 5) return std::nullopt;
  char32_t lower[5];
  for (std::size_t i = 0; i < name.size(); ++i) {
    auto c = static_cast<char32_t>(name[i]);
    if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
    lower[i] = c;
  }
  const std::u32string_view lowered(lower, name.size());
  for (const Entry& entry : kTable) {
    if (entry.name == lowered) return entry.fn;
  }
  return std::nullopt;
}

template <class Ch>
Value ComputeFunction(Function fn, std::basic_string_view<Ch> argument) {
  switch (fn) {
    case Function::kPi: return kPi;
    case Function::kRand: return LenientRead(SinglePrecisionForm(NextRandom()));
    case Function::kMod: {
      const Pair p = TwoValues(argument);
      return Mod(p.a, p.b);
    }
    case Function::kPower: {
      const Pair p = TwoValues(argument);
      return Power(p.a, p.b);
    }
    case Function::kRound: {
      const Pair p = TwoValues(argument);
      return Checked(Round(p.a, p.b));
    }
    default: break;
  }
  const double x = ValueOf(argument);
  switch (fn) {
    case Function::kAbs: return std::fabs(x);
    case Function::kInt: return std::floor(x);
    case Function::kSqrt:
      if (x < 0) throw CalcError("square root of a negative number");
      return std::sqrt(x);
    case Function::kSin: return Checked(RealMath::Sin(x));
    case Function::kCos: return Checked(RealMath::Cos(x));
    case Function::kTan: return Checked(RealMath::Tan(x));
    // Arcsine and arccosine of their own: defined at +-1 and exact near
    // there, where arctan(x / sqrt(1 - x^2)) loses its digits.
    case Function::kAsin: return Checked(RealMath::Asin(x));
    case Function::kAcos: return Checked(RealMath::Acos(x));
    default: return Checked(x);  // not reached: every function is handled above
  }
}

template std::optional<Function> FindFunction(std::string_view);
template std::optional<Function> FindFunction(std::u32string_view);
template Value ComputeFunction(Function, std::string_view);
template Value ComputeFunction(Function, std::u32string_view);

Value CalcFunction(std::string_view argument, std::string_view name) {
  const auto a = DecodeText(argument, false);
  const auto n = DecodeText(name, false);
  if (!a || !n) throw CalcError("invalid UTF-8");
  if (a->ascii && n->ascii) return FunctionValue(std::string_view(a->bytes), std::string_view(n->bytes));
  auto wide = [](const Decoded& d) { return d.ascii ? std::u32string(d.bytes.begin(), d.bytes.end()) : d.wide; };
  const std::u32string wideArgument = wide(*a);
  const std::u32string wideName = wide(*n);
  return FunctionValue(std::u32string_view(wideArgument), std::u32string_view(wideName));
}

}  // namespace CalcString
