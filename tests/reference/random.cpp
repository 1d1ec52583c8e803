// The "rand" sequence: the same generator and seed as the calculator's
// (xorshift32, the top 24 bits as a fraction), so that both draw the same
// numbers in the same order.
#include <cstdint>

#include "reference_engine.h"
#include "reference_internal.h"

namespace Reference {
namespace {

constexpr std::uint32_t kSeed = 0x2545F491u;
std::uint32_t state = kSeed;

}  // namespace

float NextRandom() {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return static_cast<float>(state >> 8) / 16777216.0f;
}

void ResetRandom() { state = kSeed; }

}  // namespace Reference
