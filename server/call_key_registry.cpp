// Keys leave in issue order, by age or when the registry is full; the order list may still name
// a key that its address's own limit dropped earlier, and such entries are skipped.
#include "server/call_key_registry.h"

#include <algorithm>

namespace k3 {

CallKeyRegistry::CallKeyRegistry(size_t capacity, size_t perAddressCapacity, int64_t lifetimeSeconds)
    : m_capacity(capacity), m_perAddressCapacity(perAddressCapacity), m_lifetime(lifetimeSeconds) {}

void CallKeyRegistry::add(const std::string& address, const std::string& key, int64_t now,
                          const std::string& tag) {
    std::scoped_lock lock(m_mutex);
    dropExpired(now);
    AddressKeys& keys = m_byAddress[address];
    if (keys.keys.size() >= m_perAddressCapacity) {
        dropFront(keys);
    }
    // Stale order entries count too, so that the order list stays bounded under a flood.
    while (!m_order.empty() && (m_count >= m_capacity || m_order.size() >= 2 * m_capacity)) {
        dropOldest();
    }
    const uint64_t serial = m_nextSerial++;
    AddressKeys& live = m_byAddress[address];  // the dropping above may have removed the entry
    live.keys.push_back({key, tag, now, serial});
    if (!tag.empty()) {
        live.serialByTag[tag] = serial;
    }
    m_order.push_back({address, serial});
    ++m_count;
}

std::optional<std::string> CallKeyRegistry::find(const std::string& address, int64_t now,
                                                 const std::string& tag,
                                                 const std::function<bool(std::string_view)>& fits) {
    if (const std::optional<std::string> tagged = taggedKey(address, now, tag); tagged && fits(*tagged)) {
        return tagged;
    }
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

std::optional<std::string> CallKeyRegistry::taggedKey(const std::string& address, int64_t now,
                                                      const std::string& tag) {
    std::scoped_lock lock(m_mutex);
    dropExpired(now);
    const auto found = m_byAddress.find(address);
    if (tag.empty() || found == m_byAddress.end()) {
        return std::nullopt;
    }
    const auto serial = found->second.serialByTag.find(tag);
    if (serial == found->second.serialByTag.end()) {
        return std::nullopt;
    }
    const std::deque<Key>& keys = found->second.keys;
    const auto key = std::lower_bound(keys.begin(), keys.end(), serial->second,
                                      [](const Key& key, uint64_t wanted) { return key.serial < wanted; });
    return key != keys.end() && key->serial == serial->second ? std::optional(key->key) : std::nullopt;
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
    const std::deque<Key>& keys = found->second.keys;
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
        const bool stale = keys == m_byAddress.end() || keys->second.keys.empty() ||
                           keys->second.keys.front().serial != m_order.front().serial;
        if (!stale && now - keys->second.keys.front().issuedAt < m_lifetime) {
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
    if (keys == m_byAddress.end() || keys->second.keys.empty() ||
        keys->second.keys.front().serial != oldest.serial) {
        return;
    }
    dropFront(keys->second);
    if (keys->second.keys.empty()) {
        m_byAddress.erase(keys);
    }
}

void CallKeyRegistry::dropFront(AddressKeys& keys) {
    const Key& oldest = keys.keys.front();
    const auto tagged = keys.serialByTag.find(oldest.tag);
    if (tagged != keys.serialByTag.end() && tagged->second == oldest.serial) {
        keys.serialByTag.erase(tagged);
    }
    keys.keys.pop_front();
    --m_count;
}

}  // namespace k3
