// The call keys handed out by the handshake, kept for a while per client address: a call names
// no key, so the service looks for its key among the recent keys of the caller's address, first
// by the tag the call suggests, then by trying them.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace k3 {

class CallKeyRegistry {
public:
    static constexpr int64_t kLifetimeSeconds = 120;
    static constexpr size_t kCapacity = 100000;
    // One address may hold only this many, so that a call under a wrong key costs a bounded
    // number of trial decryptions.
    static constexpr size_t kPerAddressCapacity = 4096;

    explicit CallKeyRegistry(size_t capacity = kCapacity, size_t perAddressCapacity = kPerAddressCapacity,
                             int64_t lifetimeSeconds = kLifetimeSeconds);

    // tag: a short text by which find can reach the key directly; empty for none.
    void add(const std::string& address, const std::string& key, int64_t now, const std::string& tag = {});
    // A live key of the address that fits: the one filed under tag if it fits, else the newest
    // that does; nullopt when none fits.
    std::optional<std::string> find(const std::string& address, int64_t now, const std::string& tag,
                                    const std::function<bool(std::string_view key)>& fits);
    size_t size() const;

private:
    struct Key {
        std::string key;
        std::string tag;
        int64_t issuedAt = 0;
        uint64_t serial = 0;
    };
    struct AddressKeys {
        std::deque<Key> keys;  // oldest first, so serials ascend
        std::unordered_map<std::string, uint64_t> serialByTag;
    };
    struct Issue {
        std::string address;
        uint64_t serial = 0;
    };

    static constexpr size_t kFindBatch = 32;

    std::optional<std::string> taggedKey(const std::string& address, int64_t now, const std::string& tag);
    // Up to kFindBatch live keys of the address issued before serial before, newest first.
    std::vector<Key> newestBefore(const std::string& address, int64_t now, uint64_t before);
    void dropFront(AddressKeys& keys);
    void dropExpired(int64_t now);
    void dropOldest();

    const size_t m_capacity;
    const size_t m_perAddressCapacity;
    const int64_t m_lifetime;
    mutable std::mutex m_mutex;
    std::deque<Issue> m_order;  // every key in the order it was issued
    std::unordered_map<std::string, AddressKeys> m_byAddress;
    size_t m_count = 0;
    uint64_t m_nextSerial = 0;
};

}  // namespace k3
