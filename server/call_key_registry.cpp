// Keys leave in issue order, by age or when the registry is full; the order list may still name
// a key that its address's own limit dropped earlier, and such entries are skipped.
#include "server/call_key_registry.h"

#include <algorithm>

namespace k3 {

CallKeyRegistry::CallKeyRegistry(size_t capacity, size_t perAddressCapacity, int64_t lifetimeSeconds)
    : m_capacity(capacity), m_perAddressCapacity(perAddressCapacity), m_lifetime(lifetimeSeconds) {}

void CallKeyRegistry::add(const std::string& address, const std::string& key, int64_t now) {
    std::scoped_lock lock(m_mutex);
    dropExpired(now);
    std::deque<Key>& keys = m_byAddress[address];
    if (keys.size() >= m_perAddressCapacity) {
        keys.pop_front();
        --m_count;
    }
    // Stale order entries count too, so that the order list stays bounded under a flood.
    while (!m_order.empty() && (m_count >= m_capacity || m_order.size() >= 2 * m_capacity)) {
        dropOldest();
    }
    const uint64_t serial = m_nextSerial++;
    m_byAddress[address].push_back({key, now, serial});
    m_order.push_back({address, serial});
    ++m_count;
}

std::optional<std::string> CallKeyRegistry::find(const std::string& address, int64_t now,
                                                 const std::function<bool(std::string_view)>& fits) {
    // Trying a key costs a cipher set-up, so keys are tried outside the lock, a batch at a time,
    // newest first; a batch holds the keys issued before the previous batch's oldest.
    uint64_t before = UINT64_MAX;
    for (;;) {
        const std::vector<Key> batch = newestBefore(address, now, before);
        if (batch.empty()) {
            return std::nullopt;
        }
        for (const Key& key : batch) {
            if (fits(key.key)) {
                return key.key;
            }
        }
        before = batch.back().serial;
    }
}

std::vector<CallKeyRegistry::Key> CallKeyRegistry::newestBefore(const std::string& address, int64_t now,
                                                                uint64_t before) {
    std::scoped_lock lock(m_mutex);
    dropExpired(now);
    std::vector<Key> batch;
    const auto found = m_byAddress.find(address);
    if (found == m_byAddress.end()) {
        return batch;
    }
    const std::deque<Key>& keys = found->second;
    auto end = std::lower_bound(keys.begin(), keys.end(), before,
                                [](const Key& key, uint64_t serial) { return key.serial < serial; });
    while (end != keys.begin() && batch.size() < kFindBatch) {
        --end;
        batch.push_back(*end);
    }
    return batch;
}

size_t CallKeyRegistry::size() const {
    std::scoped_lock lock(m_mutex);
    return m_count;
}

void CallKeyRegistry::dropExpired(int64_t now) {
    while (!m_order.empty()) {
        const auto keys = m_byAddress.find(m_order.front().address);
        const bool stale = keys == m_byAddress.end() || keys->second.empty() ||
                           keys->second.front().serial != m_order.front().serial;
        if (!stale && now - keys->second.front().issuedAt < m_lifetime) {
            return;
        }
        dropOldest();
    }
}

void CallKeyRegistry::dropOldest() {
    if (m_order.empty()) {
        return;
    }
    const Issue oldest = m_order.front();
    m_order.pop_front();
    const auto keys = m_byAddress.find(oldest.address);
    if (keys == m_byAddress.end() || keys->second.empty() || keys->second.front().serial != oldest.serial) {
        return;
    }
    keys->second.pop_front();
    --m_count;
    if (keys->second.empty()) {
        m_byAddress.erase(keys);
    }
}

}  // namespace k3
