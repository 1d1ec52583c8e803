// The arguments the transcendental functions are checked on: a table of
// special and known hard cases and a seeded random sweep from tiny to huge,
// the same on every system: its own generator, and arguments made by exact
// scaling and single IEEE operations only, no library mathematics.
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "quillo/real_math.h"

namespace RealMathSweep {

enum class Fn { kSin, kCos, kTan, kAsin, kAcos, kPow };
inline constexpr const char* kNames[] = {"sin", "cos", "tan", "asin", "acos", "pow"};

struct Call {
  Fn fn;
  double x;
  double y;  // the exponent of pow
};

// 2^e, for -1022 <= e <= 1023.
inline double TwoTo(int e) { return std::bit_cast<double>(static_cast<std::uint64_t>(e + 1023) << 52); }

inline double Magnitude(double v) { return v < 0 ? -v : v; }

class SplitMix {
 public:
  explicit SplitMix(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  // In [lo, hi], whole numbers.
  int Between(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1)); }
  // A full 53-bit mantissa times 2^e, e in [lo, hi], either sign.
  double Scaled(int lo, int hi) {
    const double m = static_cast<double>(Next() >> 11) * 0x1p-53 + 0.5;  // [0.5, 1.5)
    const double v = m * TwoTo(Between(lo, hi));
    return Next() & 1 ? -v : v;
  }
  // A value of 15 significant digits, as a formula's number reads.
  double Decimal(int lo, int hi) {
    const auto digits = static_cast<double>(Next() % 900000000000000ULL + 100000000000000ULL);
    const int e = Between(lo, hi) - 14;
    double v = digits;
    if (e > 0) v *= kTens[e];
    for (int n = -e; n > 0; n -= 22) v /= kTens[n > 22 ? 22 : n];
    return Next() & 1 ? -v : v;
  }

 private:
  static constexpr double kTens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                     1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  std::uint64_t state_;
};

inline std::vector<Call> Table() {
  std::vector<Call> out;
  const double angles[] = {0.0, -0.0, 1e-300, 5e-324, 1e-8, 0.5, 1, 30, 3.14159265358979,
                           1.5707963267949, 1e6, 16777215, 123456789012345.0, 2527897106923.0,
                           1e22, 1e300, 1.7976931348623157e308, 0x1.921fb54442d18p+0,
                           6381956970095103.0 * 0x1p797, 355, 103993, 0x1p24, -0x1p24};
  for (double a : angles) {
    for (Fn fn : {Fn::kSin, Fn::kCos, Fn::kTan}) out.push_back({fn, a, 0});
  }
  const double ratios[] = {0.0, -0.0, 5e-324, 1e-20, 0.5, -0.5, 0.99999999, 1, -1, 1.0000001, -2, 0.7071067811865476};
  for (double a : ratios) {
    out.push_back({Fn::kAsin, a, 0});
    out.push_back({Fn::kAcos, a, 0});
  }
  const double powers[][2] = {{117.92, -3}, {2, 10}, {-2, 3}, {-2, -3}, {0, 0}, {-0.0, 3}, {-0.0, 0.5},
                              {0, -1}, {10, 400}, {10, -400}, {10, 308}, {10, -323}, {10, -324},
                              {2, 1023.9999999999999}, {-8, 1.0 / 3}, {5e-324, 0.5}, {1e-310, 0.5},
                              {2, 0.5}, {1 + 0x1p-27, 2}, {-1, 1e300}, {1.0000001, 1e10}, {10, 2.5},
                              {10, -2}, {10, 15}, {3, -1}, {1e155, 2}, {-1e-200, 3}, {7, 22}};
  for (const auto& p : powers) out.push_back({Fn::kPow, p[0], p[1]});
  return out;
}

// 12,000 calls, 2,000 of each function.
inline std::vector<Call> RandomSweep() {
  SplitMix g(20240917);
  std::vector<Call> out;
  for (int i = 0; i < 2000; ++i) {
    for (Fn fn : {Fn::kSin, Fn::kCos, Fn::kTan}) {
      out.push_back({fn, i % 2 ? g.Scaled(-40, 70) : g.Decimal(-12, 20), 0});
    }
    // Tiny, decimal, and close to +-1 (each call of g in a statement of its
    // own: the order of operands is not fixed by the language).
    double r = i % 3 == 0 ? g.Scaled(-60, 0) : g.Decimal(-15, 0);
    if (i % 3 == 2) r = Magnitude(r) < 1 ? 1 - Magnitude(g.Scaled(-50, -1)) : 1;
    const bool negative = g.Next() & 1;
    out.push_back({Fn::kAsin, negative ? -r : r, 0});
    out.push_back({Fn::kAcos, negative ? r : -r, 0});
    double base = 0;
    double exponent = 0;
    switch (i % 4) {
      case 0: base = g.Scaled(-16, 16); exponent = g.Between(-64, 64); break;  // whole, any sign
      case 1: base = Magnitude(g.Scaled(-30, 30)); exponent = g.Scaled(-6, 5); break;
      case 2: base = Magnitude(g.Decimal(-5, 5)); exponent = g.Decimal(-3, 1); break;
      default: base = g.Decimal(-3, 3); exponent = g.Between(-300, 300); break;
    }
    out.push_back({Fn::kPow, base, exponent});
  }
  return out;
}

inline double Evaluate(const RealMathSweep::Call& c) {
  using RealMathSweep::Fn;
  switch (c.fn) {
    case Fn::kSin: return RealMath::Sin(c.x);
    case Fn::kCos: return RealMath::Cos(c.x);
    case Fn::kTan: return RealMath::Tan(c.x);
    case Fn::kAsin: return RealMath::Asin(c.x);
    case Fn::kAcos: return RealMath::Acos(c.x);
    case Fn::kPow: return RealMath::Pow(c.x, c.y);
  }
  return 0;
}

}  // namespace RealMathSweep
