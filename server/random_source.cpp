// getrandom(2) for every byte; uniform values by rejecting the bytes that would bias them.
#include "server/random_source.h"

#include <sys/random.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <stdexcept>

namespace k3 {

void SystemRandom::fill(std::span<unsigned char> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = getrandom(bytes.data() + done, bytes.size() - done, 0);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw std::runtime_error("the system random generator failed");
        }
        done += static_cast<size_t>(got);
    }
}

int uniformBelow(RandomSource& random, int bound) {
    // Bytes at or above the largest multiple of bound would favour the low values.
    const int limit = 256 - 256 % bound;
    unsigned char byte = 0;
    do {
        random.fill({&byte, 1});
    } while (byte >= limit);
    return byte % bound;
}

std::string makeCallKey(RandomSource& random) {
    static constexpr std::string_view alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string key(16, ' ');
    for (char& c : key) {
        c = alphabet[static_cast<size_t>(uniformBelow(random, static_cast<int>(alphabet.size())))];
    }
    return key;
}

std::string rollDice(RandomSource& random) {
    std::array<int, 3> dice{};
    for (int& die : dice) {
        die = uniformBelow(random, 6) + 1;
    }
    std::sort(dice.begin(), dice.end());
    return std::to_string(dice[0]) + "," + std::to_string(dice[1]) + "," + std::to_string(dice[2]);
}

int32_t makeSeed(RandomSource& random) {
    uint32_t value = 0;
    while (value == 0) {
        std::array<unsigned char, 4> bytes{};
        random.fill(bytes);
        value = (uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3]) &
                0x7FFFFFFFu;
    }
    return static_cast<int32_t>(value);
}

}  // namespace k3
