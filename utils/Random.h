#pragma once
/// \file
/// The program-wide random generator: a 64-bit linear congruential generator
/// s := s * 0x0000015A00004E35 + 1 (mod 2^64), giving the upper 32 bits of the new state with the
/// top bit cleared. Its state is one of the program's two pieces of global mutable state.
#include <Tallwick/TallwickExport.h>
#include <cstdint>

namespace Tallwick {

/// Sets the state to `seed` (upper half 0).
TALLWICK_EXPORT void Randomize(std::uint32_t seed);
/// The next value, 0 to 2^31 - 1.
TALLWICK_EXPORT std::int32_t Random();
/// The current state, for tests that check the sequence.
TALLWICK_EXPORT std::uint64_t RandomState();

}  // namespace Tallwick
