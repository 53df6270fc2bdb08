#include "scripted_random.h"

namespace k3::test {

void ScriptedRandom::fill(std::span<unsigned char> bytes) {
    for (unsigned char& byte : bytes) {
        byte = m_bytes.empty() ? 0 : m_bytes.front();
        if (!m_bytes.empty()) {
            m_bytes.pop_front();
        }
    }
}

}  // namespace k3::test
