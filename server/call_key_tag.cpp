// The keystream is what XOR-ing the known plain head onto the cipher head leaves.
#include "server/call_key_tag.h"

#include "platform/digest.h"
#include "service/request_envelope.h"

namespace k3 {
namespace {

constexpr size_t kTagBytes = 8;

// The first characters of the inner layer (hex of the fixed-key cipher of the escaped JSON) of
// every request, whatever it asks.
const std::string& knownInnerHead() {
    static const std::string head = toHex(rc4(fixedKey(), urlEscape(R"({"rand":")"))).substr(0, kTagBytes);
    return head;
}

}  // namespace

std::string tagOfKey(std::string_view callKey) { return rc4(callKey, std::string(kTagBytes, '\0')); }

std::string tagOfCall(std::string_view cipherBytes) {
    if (cipherBytes.size() < kTagBytes) {
        return {};
    }
    std::string tag(kTagBytes, '\0');
    for (size_t i = 0; i < kTagBytes; ++i) {
        tag[i] = static_cast<char>(cipherBytes[i] ^ knownInnerHead()[i]);
    }
    return tag;
}

}  // namespace k3
