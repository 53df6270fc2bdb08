// The seeded pseudo-random generator behind every prediction. One state per thread: all plan
// work runs on the user-interface thread, so every kind and the target draw share one sequence.
#pragma once

#include <cstdint>

namespace k3 {

// The state becomes the 32 bits of seed. Before the first call the state is 1.
void setRandomSeed(uint32_t seed);

// Advances the state (state * 214013 + 2531011, modulo 2^32) and gives bits 16..30: 0..32767.
int32_t nextRandomValue();

// A value in [min(lo, hi), max(lo, hi)], negative bounds taken as 0. Equal bounds give that
// bound without drawing; otherwise one value v is drawn and the result is low + v mod (range + 1).
int32_t randomInRange(int32_t lo, int32_t hi);

// Seeds are summed in 32-bit two's complement: the exact sum reduced to its low 32 bits.
int32_t addSeeds(int32_t a, int32_t b);

}  // namespace k3
