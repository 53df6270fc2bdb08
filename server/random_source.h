// Unpredictable bytes for call keys, dice and seeds, and the draws made from them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace k3 {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void fill(std::span<unsigned char> bytes) = 0;
};

// The kernel's cryptographic generator.
class SystemRandom final : public RandomSource {
public:
    void fill(std::span<unsigned char> bytes) override;
};

// A uniform value in [0, bound) without modulo bias; bound is 1 to 256.
int uniformBelow(RandomSource& random, int bound);

// 16 letters and digits.
std::string makeCallKey(RandomSource& random);
// Three dice, ascending, joined by ",": "1,3,5".
std::string rollDice(RandomSource& random);
// A positive 32-bit seed.
int32_t makeSeed(RandomSource& random);

}  // namespace k3
