// The engine's number texts against the reference's: the plain and short
// forms and the 15-digit rounding over doubles of every kind (random bit
// patterns, subnormals, whole numbers, values on and beside the 15-digit
// midpoints), and both readings over random number-like texts.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "number_text.h"
#include "quillo/calc_string.h"
#include "quillo/number_text.h"

namespace {

std::string Narrow(const Reference::Text& text) { return std::string(text.begin(), text.end()); }

// The value, or nothing when reading failed; compared bit for bit, so that
// the sign of a zero counts too.
template <class Read>
std::optional<std::uint64_t> Outcome(Read read) {
  try {
    return std::bit_cast<std::uint64_t>(read());
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

class Bits {
public:
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

private:
  std::uint64_t state_ = 20261208;
};

double FromText(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// A double of one of several kinds, by turns.
double Sample(Bits& bits, int kind) {
  const std::uint64_t r = bits.Next();
  switch (kind % 6) {
    case 0: return std::bit_cast<double>(r);  // any pattern (non-finite ones are skipped)
    case 1: return std::bit_cast<double>(r & 0x800FFFFFFFFFFFFFull);  // subnormal
    case 2: return static_cast<double>(r % 20'000'000'000'000'000ull) * ((r >> 63) ? -1 : 1);
    case 3: {
      // 16 digits ending in 5, scaled: on or right beside a 15-digit midpoint.
      const std::string digits = std::to_string(100'000'000'000'000ull + r % 900'000'000'000'000ull) + "5";
      return FromText(digits + "e" + std::to_string(static_cast<int>(bits.Next() % 40) - 25));
    }
    case 4: {
      // 17 digits: needs rounding to 15.
      const std::string digits = std::to_string(10'000'000'000'000'000ull + r % 90'000'000'000'000'000ull);
      return FromText(digits + "e" + std::to_string(static_cast<int>(bits.Next() % 600) - 316));
    }
    default: return std::ldexp(static_cast<double>(r >> 11), static_cast<int>(bits.Next() % 200) - 150);
  }
}

TEST(NumberTextDifferential, FormsAndRounding) {
  Bits bits;
  int compared = 0;
  for (int i = 0; i < 300000; ++i) {
    const double v = Sample(bits, i);
    if (!std::isfinite(v)) continue;
    ++compared;
    ASSERT_EQ(CalcString::PlainForm(v), Narrow(Reference::PlainForm(v))) << std::bit_cast<std::uint64_t>(v);
    ASSERT_EQ(CalcString::ShortForm(v), Narrow(Reference::ShortForm(v))) << std::bit_cast<std::uint64_t>(v);
    // The 15-digit value is what the plain form reads back as.
    const auto rounded = Outcome([&] { return CalcString::Round15(v); });
    const auto readBack = Outcome([&] { return Reference::StrictRead(Reference::PlainForm(v)); });
    ASSERT_EQ(rounded, readBack) << std::bit_cast<std::uint64_t>(v);
  }
  EXPECT_GT(compared, 250000);
}

TEST(NumberTextDifferential, Readings) {
  Bits bits;
  const char alphabet[] = "  +-..0123456789000eE";
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    const std::size_t length = bits.Next() % (i % 50 == 0 ? 400 : 24);
    for (std::size_t k = 0; k < length; ++k) text += alphabet[bits.Next() % (sizeof alphabet - 1)];
    const Reference::Text wide(text.begin(), text.end());
    ASSERT_EQ(Outcome([&] { return CalcString::StrictRead(std::string_view(text)); }),
              Outcome([&] { return Reference::StrictRead(wide); }))
        << text;
    ASSERT_EQ(Outcome([&] { return CalcString::LenientRead(std::string_view(text)); }),
              Outcome([&] { return Reference::LenientRead(wide); }))
        << text;
  }
}

}  // namespace
