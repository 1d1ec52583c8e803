// The transcendental functions against MPFR at 256 bits: every result must
// be the correctly rounded double, except where the exact value lies so
// close to a point halfway between two doubles that rounding the quadruple
// value again may fall either side (such cases are counted, and must be
// rare).
#include <gtest/gtest.h>
#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "real_math_sweep.h"

namespace {

using RealMathSweep::Call;
using RealMathSweep::Fn;

class Big {
 public:
  explicit Big(double v = 0) {
    mpfr_init2(x_, 256);
    mpfr_set_d(x_, v, MPFR_RNDN);
  }
  ~Big() { mpfr_clear(x_); }
  Big(const Big&) = delete;
  Big& operator=(const Big&) = delete;
  mpfr_ptr get() { return x_; }

 private:
  mpfr_t x_;
};

// The exact value of the call, to 256 bits.
void Exact(const Call& c, Big& out) {
  Big x(c.x);
  Big y(c.y);
  switch (c.fn) {
    case Fn::kSin: mpfr_sin(out.get(), x.get(), MPFR_RNDN); break;
    case Fn::kCos: mpfr_cos(out.get(), x.get(), MPFR_RNDN); break;
    case Fn::kTan: mpfr_tan(out.get(), x.get(), MPFR_RNDN); break;
    case Fn::kAsin: mpfr_asin(out.get(), x.get(), MPFR_RNDN); break;
    case Fn::kAcos: mpfr_acos(out.get(), x.get(), MPFR_RNDN); break;
    case Fn::kPow: mpfr_pow(out.get(), x.get(), y.get(), MPFR_RNDN); break;
  }
}

bool SameBits(double a, double b) {
  return (std::isnan(a) && std::isnan(b)) || std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Whether `exact` lies within 2^-108 (relatively) of the point halfway
// between the neighbours a and b.
bool NearHalfway(Big& exact, double a, double b) {
  if (std::nextafter(a, b) != b) return false;
  Big mid(a);
  mpfr_add_d(mid.get(), mid.get(), b, MPFR_RNDN);
  mpfr_div_2ui(mid.get(), mid.get(), 1, MPFR_RNDN);
  Big gap;
  mpfr_sub(gap.get(), exact.get(), mid.get(), MPFR_RNDN);
  mpfr_div(gap.get(), gap.get(), mid.get(), MPFR_RNDN);
  return std::fabs(mpfr_get_d(gap.get(), MPFR_RNDN)) < 0x1p-108;
}

struct Tally {
  int calls = 0;
  int halfway = 0;  // not correctly rounded, the exact value next to a halfway point
};

Tally Check(const std::vector<Call>& calls) {
  Tally t;
  for (const Call& c : calls) {
    ++t.calls;
    Big exact;
    Exact(c, exact);
    const double expected = mpfr_get_d(exact.get(), MPFR_RNDN);
    const double got = RealMathSweep::Evaluate(c);
    if (SameBits(got, expected)) continue;
    if (NearHalfway(exact, got, expected)) {
      ++t.halfway;
      continue;
    }
    ADD_FAILURE() << RealMathSweep::kNames[static_cast<int>(c.fn)] << std::hexfloat << "(" << c.x << ", " << c.y
                  << ") = " << got << ", correctly rounded " << expected;
  }
  std::printf("%d calls: %d not correctly rounded, next to a halfway point\n", t.calls, t.halfway);
  return t;
}

TEST(RealMath, TableIsCorrectlyRounded) {
  const Tally t = Check(RealMathSweep::Table());
  EXPECT_EQ(t.halfway, 0);
}

TEST(RealMath, RandomSweepIsCorrectlyRounded) {
  const Tally t = Check(RealMathSweep::RandomSweep());
  EXPECT_EQ(t.calls, 12000);
  EXPECT_LE(t.halfway, 3);
}

}  // namespace
