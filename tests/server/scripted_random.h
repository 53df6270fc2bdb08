// A random source that gives back scripted bytes, then zeros.
#pragma once

#include "server/random_source.h"

#include <deque>
#include <initializer_list>

namespace k3::test {

class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom(std::initializer_list<unsigned char> bytes) : m_bytes(bytes) {}
    void fill(std::span<unsigned char> bytes) override;
    size_t left() const { return m_bytes.size(); }

private:
    std::deque<unsigned char> m_bytes;
};

}  // namespace k3::test
