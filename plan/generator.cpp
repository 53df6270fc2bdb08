// The linear congruential generator every prediction draws from.
#include "plan/generator.h"

#include <algorithm>

namespace k3 {

namespace {

thread_local uint32_t t_state = 1;

constexpr int32_t kMaxRange = 2147483646;

}  // namespace

void setRandomSeed(uint32_t seed) { t_state = seed; }

int32_t nextRandomValue() {
    t_state = t_state * 214013u + 2531011u;
    return static_cast<int32_t>((t_state >> 16) & 0x7FFFu);
}

int32_t randomInRange(int32_t lo, int32_t hi) {
    lo = std::max(lo, 0);
    hi = std::max(hi, 0);
    const int32_t low = std::min(lo, hi);
    const int32_t high = std::max(lo, hi);
    if (low == high) {
        return low;
    }
    const int32_t range = std::min(high - low, kMaxRange);
    return low + nextRandomValue() % (range + 1);
}

int32_t addSeeds(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace k3
