// The "rand" sequence: xorshift32 from a fixed seed, so that every run of the
// program draws the same numbers. Its position lives for the whole run.
#include <cstdint>

#include "engine_internal.h"

namespace CalcString {
namespace {

constexpr std::uint32_t kSeed = 0x2545F491u;
std::uint32_t state = kSeed;

}  // namespace

float NextRandom() {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  // The top 24 bits as a fraction: exactly representable, at most 1 - 2^-24,
  // whose 7-digit form is still .9999999.
  return static_cast<float>(state >> 8) * (1.0f / 16777216.0f);
}

void ResetRandom() { state = kSeed; }

}  // namespace CalcString
