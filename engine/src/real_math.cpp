// The transcendental functions, the same on every system.
//
// Every function is evaluated in IEEE quadruple precision by GCC's
// libquadmath (one source, built for each target by the same compiler
// version) and rounded once to double. The C runtime's mathematics is never
// called: runtimes differ (one loses its argument reduction for large angles,
// another rounds the last digit of a power otherwise).
//
// Quadruple precision is done in software and costs several microseconds a
// call, so sine, cosine and tangent of arguments below 2^24 first go through
// a fast path in double-double arithmetic (about 100 bits), with a bound on
// its error: when the whole interval value +- bound rounds to one double,
// that double is the correctly rounded value and is returned; otherwise the
// quadruple path decides; whole powers up to the 64th likewise. The fast
// paths use nothing but IEEE additions, multiplications and divisions of
// doubles (compiled without contraction into fused multiply-adds), so they
// too give the same bits everywhere.
#include "quillo/real_math.h"

#include <cmath>
#include <cstdint>

__extension__ typedef __float128 Quad;

extern "C" {
Quad sinq(Quad) noexcept;
Quad cosq(Quad) noexcept;
Quad tanq(Quad) noexcept;
Quad asinq(Quad) noexcept;
Quad acosq(Quad) noexcept;
Quad powq(Quad, Quad) noexcept;
}

namespace RealMath {
namespace {

double Rounded(Quad q) { return static_cast<double>(q); }

// A double-double: the unevaluated sum hi + lo, |lo| <= ulp(hi) / 2.
struct Dd {
  double hi;
  double lo;
};

Dd TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

Dd FastTwoSum(double a, double b) {  // |a| >= |b| or a == 0
  const double s = a + b;
  return {s, b - (s - a)};
}

// Veltkamp's split and Dekker's exact product (no fused multiply-add).
Dd TwoProduct(double a, double b) {
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  const double ta = kSplitter * a;
  const double ah = ta - (ta - a);
  const double al = a - ah;
  const double tb = kSplitter * b;
  const double bh = tb - (tb - b);
  const double bl = b - bh;
  const double p = a * b;
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

Dd Add(Dd a, Dd b) {
  Dd s = TwoSum(a.hi, b.hi);
  const Dd t = TwoSum(a.lo, b.lo);
  s = FastTwoSum(s.hi, s.lo + t.hi);
  return FastTwoSum(s.hi, s.lo + t.lo);
}

Dd Add(Dd a, double b) {
  const Dd s = TwoSum(a.hi, b);
  return FastTwoSum(s.hi, s.lo + a.lo);
}

Dd Negated(Dd a) { return {-a.hi, -a.lo}; }

Dd Multiply(Dd a, Dd b) {
  const Dd p = TwoProduct(a.hi, b.hi);
  return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

Dd Divide(Dd a, Dd b) {
  const double q1 = a.hi / b.hi;
  Dd r = Add(a, Negated(Multiply(b, Dd{q1, 0})));
  const double q2 = r.hi / b.hi;
  r = Add(r, Negated(Multiply(b, Dd{q2, 0})));
  const double q3 = r.hi / b.hi;
  return Add(FastTwoSum(q1, q2), q3);
}

// 1/n! for n = 2 ... 29, each to about 106 bits.
constexpr Dd kInverseFactorial[] = {
    {0x1p-1, 0x0p+0},
    {0x1.5555555555555p-3, 0x1.5555555555555p-57},
    {0x1.5555555555555p-5, 0x1.5555555555555p-59},
    {0x1.1111111111111p-7, 0x1.1111111111111p-63},
    {0x1.6c16c16c16c17p-10, -0x1.f49f49f49f49fp-65},
    {0x1.a01a01a01a01ap-13, 0x1.a01a01a01a01ap-73},
    {0x1.a01a01a01a01ap-16, 0x1.a01a01a01a01ap-76},
    {0x1.71de3a556c734p-19, -0x1.c154f8ddc6cp-73},
    {0x1.27e4fb7789f5cp-22, 0x1.cbbc05b4fa99ap-76},
    {0x1.ae64567f544e4p-26, -0x1.c062e06d1f209p-80},
    {0x1.1eed8eff8d898p-29, -0x1.2aec959e14c06p-83},
    {0x1.6124613a86d09p-33, 0x1.f28e0cc748ebep-87},
    {0x1.93974a8c07c9dp-37, 0x1.05d6f8a2efd1fp-92},
    {0x1.ae7f3e733b81fp-41, 0x1.1d8656b0ee8cbp-97},
    {0x1.ae7f3e733b81fp-45, 0x1.1d8656b0ee8cbp-101},
    {0x1.952c77030ad4ap-49, 0x1.ac981465ddc6cp-103},
    {0x1.6827863b97d97p-53, 0x1.eec01221a8b0bp-107},
    {0x1.2f49b46814157p-57, 0x1.2650f61dbdcb4p-112},
    {0x1.e542ba4020225p-62, 0x1.ea72b4afe3c2fp-120},
    {0x1.71b8ef6dcf572p-66, -0x1.d043ae40c4647p-120},
    {0x1.0ce396db7f853p-70, -0x1.aebcdbd20331cp-124},
    {0x1.761b41316381ap-75, -0x1.3423c7d91404fp-130},
    {0x1.f2cf01972f578p-80, -0x1.9ada5fcc1ab14p-135},
    {0x1.3f3ccdd165fa9p-84, -0x1.58ddadf344487p-139},
    {0x1.88e85fc6a4e5ap-89, -0x1.71c37ebd1654p-143},
    {0x1.d1ab1c2dccea3p-94, 0x1.054d0c78aea14p-149},
    {0x1.0a18a2635085dp-98, 0x1.b9e2e28e1aa54p-153},
    {0x1.259f98b4358adp-103, 0x1.eaf8c39dd9bc5p-157},
};

Dd InverseFactorial(int n) { return kInverseFactorial[n - 2]; }

// The series sum_k (-1)^k z^k / (2k + first)! by Horner's rule, for
// z = r^2 <= (pi/4)^2: the first term left out is below 2^-106 of the sum.
// The terms from z^8 on weigh less than 2^-49 of the sum together, so they
// are summed in double precision, and only the others in double-double.
Dd AlternatingSeries(Dd z, int first) {
  constexpr int kTerms = 14;
  constexpr int kDoubleFrom = 8;
  double tail = 0;
  for (int k = kTerms - 1; k >= kDoubleFrom; --k) {
    const double c = InverseFactorial(2 * k + first).hi;
    tail = tail * z.hi + (k % 2 == 1 ? -c : c);
  }
  Dd sum{tail, 0};
  for (int k = kDoubleFrom - 1; k >= 0; --k) {
    const Dd c = 2 * k + first < 2 ? Dd{1, 0} : InverseFactorial(2 * k + first);
    sum = Add(Multiply(sum, z), k % 2 == 1 ? Negated(c) : c);
  }
  return sum;
}

// x = k pi/2 + r with |r| <= pi/4 (a little more after rounding), for
// 0 < |x| < 2^24. pi/2 is carried to 160 bits, so r is good to about 2^-130
// absolutely; `relativeError` bounds its error relative to r, which is large
// only for the rare x very close to a multiple of pi/2.
struct Reduced {
  Dd r;
  int quadrant;  // k mod 4
  double relativeError;
};

Reduced Reduce(double x) {
  constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
  constexpr double kHalfPi1 = 0x1.921fb54442d18p+0;
  constexpr double kHalfPi2 = 0x1.1a62633145c07p-54;
  constexpr double kHalfPi3 = -0x1.f1976b7ed8fbcp-110;
  constexpr double kRoundingShift = 0x1.8p52;  // adding it rounds to a whole number
  const double k = (x * kTwoOverPi + kRoundingShift) - kRoundingShift;
  const Dd p1 = TwoProduct(k, kHalfPi1);
  const Dd p2 = TwoProduct(k, kHalfPi2);
  Dd r = TwoSum(x, -p1.hi);
  r = Add(r, -p1.lo);
  r = Add(r, Negated(p2));
  r = Add(r, -(k * kHalfPi3));
  const auto whole = static_cast<std::int64_t>(k);
  const double absoluteError = std::fabs(k) * 0x1p-128 + std::fabs(r.hi) * 0x1p-100;
  return {r, static_cast<int>(whole & 3), absoluteError / std::fabs(r.hi)};
}

struct SineCosine {
  Dd sin;
  Dd cos;
};

SineCosine SinCosOfReduced(Dd r) {
  const Dd z = Multiply(r, r);
  return {Multiply(r, AlternatingSeries(z, 1)), AlternatingSeries(z, 0)};
}

enum class Trig { kSin, kCos, kTan };

// The double that `value` (within value.hi * relativeError) rounds to, or
// NaN when the interval straddles a rounding boundary.
double RoundedIfCertain(Dd value, double relativeError) {
  const double error = std::fabs(value.hi) * relativeError;
  const double low = value.hi + (value.lo - error);
  const double high = value.hi + (value.lo + error);
  return low == high ? low : NAN;
}

// The error of the series, the products and the division, relative, with a
// margin: each double-double operation is good to about 2^-103, and the
// series takes some thirty of them.
constexpr double kEvaluationError = 0x1p-92;

double FastTrig(Trig fn, double x) {
  if (x == 0) return fn == Trig::kCos ? 1.0 : x;  // keeps the sign of zero
  if (!(std::fabs(x) < 0x1p24)) return NAN;
  const Reduced reduced = Reduce(x);
  if (reduced.r.hi == 0) return NAN;
  const SineCosine sc = SinCosOfReduced(reduced.r);
  const int q = reduced.quadrant;
  Dd value{};
  switch (fn) {
    case Trig::kSin: value = q == 0 ? sc.sin : q == 1 ? sc.cos : q == 2 ? Negated(sc.sin) : Negated(sc.cos); break;
    case Trig::kCos: value = q == 0 ? sc.cos : q == 1 ? Negated(sc.sin) : q == 2 ? Negated(sc.cos) : sc.sin; break;
    case Trig::kTan: value = q % 2 == 0 ? Divide(sc.sin, sc.cos) : Negated(Divide(sc.cos, sc.sin)); break;
  }
  // An error e in r moves sin r, cos r and tan r by at most 2 e / r relatively
  // for |r| <= pi/4 + a little.
  return RoundedIfCertain(value, kEvaluationError + 2 * reduced.relativeError);
}

// x^n for whole n, |n| <= 64, and 2^-14 <= |x| <= 2^14 (so that no
// step leaves the range where double-double products are exact to 2^-103),
// by repeated squaring: the relative error of x^(2^k) is below
// (2^k - 1) 2^-103, so the result's stays below 2^-95. NaN where this path
// does not apply or cannot decide.
double FastWholePower(double x, double exponent) {
  constexpr double kPowerError = 0x1p-90;
  if (!(std::fabs(exponent) <= 64)) return NAN;
  const int n = static_cast<int>(exponent);
  if (n != exponent) return NAN;
  if (!(std::fabs(x) >= 0x1p-14 && std::fabs(x) <= 0x1p14)) return NAN;
  Dd result{1, 0};
  Dd square{x, 0};
  for (unsigned m = n < 0 ? -n : n;; m >>= 1) {
    if (m & 1) result = Multiply(result, square);
    if (m == 1) break;
    square = Multiply(square, square);
  }
  if (n < 0) result = Divide(Dd{1, 0}, result);
  return RoundedIfCertain(result, kPowerError);
}

}  // namespace

double Sin(double x) {
  const double fast = FastTrig(Trig::kSin, x);
  return std::isnan(fast) ? Rounded(sinq(x)) : fast;
}

double Cos(double x) {
  const double fast = FastTrig(Trig::kCos, x);
  return std::isnan(fast) ? Rounded(cosq(x)) : fast;
}

double Tan(double x) {
  const double fast = FastTrig(Trig::kTan, x);
  return std::isnan(fast) ? Rounded(tanq(x)) : fast;
}

double Asin(double x) { return Rounded(asinq(x)); }

double Acos(double x) { return Rounded(acosq(x)); }

double Pow(double base, double exponent) {
  // Exact shortcuts, the same double as the general route: x^0 is 1, x^1 is
  // x, x^2 is the product rounded once (exact in quadruple precision), and
  // x^0.5 the square root rounded once (a square root of a double is never
  // within 2^-108 of a halfway point, so rounding its quadruple value again
  // gives the same double), -0 giving +0 as pow does. The square root of a
  // subnormal would go through the x87 unit in libquadmath, whose precision
  // differs by system.
  if (exponent == 0) return 1;
  if (exponent == 1) return base;
  if (exponent == 2) return base * base;
  if (exponent == 0.5 && base >= 0) return std::sqrt(base + 0.0);
  const double fast = FastWholePower(base, exponent);
  return std::isnan(fast) ? Rounded(powq(base, exponent)) : fast;
}

}  // namespace RealMath
