#include "platform/digest.h"

#include <nettle/arcfour.h>
#include <nettle/md5.h>

#include <algorithm>

namespace k3 {
namespace {

const uint8_t* bytesOf(std::string_view text) { return reinterpret_cast<const uint8_t*>(text.data()); }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string md5Hex(std::string_view bytes) {
    md5_ctx context;
    md5_init(&context);
    md5_update(&context, bytes.size(), bytesOf(bytes));
    uint8_t digest[MD5_DIGEST_SIZE];
    md5_digest(&context, MD5_DIGEST_SIZE, digest);
    return toHex(std::string_view(reinterpret_cast<const char*>(digest), MD5_DIGEST_SIZE));
}

std::string rc4(std::string_view key, std::string_view data) {
    if (key.empty()) return std::string(data);
    // The key schedule reads only the first 256 key bytes, so a longer key is cut there.
    const std::size_t keyLength = std::min<std::size_t>(key.size(), ARCFOUR_MAX_KEY_SIZE);
    arcfour_ctx context;
    arcfour_set_key(&context, keyLength, bytesOf(key));
    std::string output(data.size(), '\0');
    arcfour_crypt(&context, data.size(), reinterpret_cast<uint8_t*>(output.data()), bytesOf(data));
    return output;
}

std::string toHex(std::string_view bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        hex.push_back(digits[b >> 4]);
        hex.push_back(digits[b & 0x0F]);
    }
    return hex;
}

std::optional<std::string> fromHex(std::string_view hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = hexValue(hex[i]);
        const int low = hexValue(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return bytes;
}

}  // namespace k3
