// The program-wide random generator: a 64-bit linear congruential generator and its seed.
#include "Random.h"

namespace Tallwick {

namespace {
constexpr std::uint64_t kMultiplier = 0x0000015A00004E35ull;
std::uint64_t gRandomState = 0;
}  // namespace

void Randomize(std::uint32_t seed) { gRandomState = seed; }

std::int32_t Random() {
    gRandomState = gRandomState * kMultiplier + 1;
    return static_cast<std::int32_t>((gRandomState >> 32) & 0x7FFFFFFFu);
}

std::uint64_t RandomState() { return gRandomState; }

}  // namespace Tallwick
