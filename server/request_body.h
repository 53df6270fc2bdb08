// What a POST body to the service asks for, read before anything is decrypted.
#pragma once

#include <string_view>

namespace k3 {

// Bodies above this size are refused unread.
inline constexpr size_t kMaxRequestBody = 64 * 1024;

enum class BodyKind {
    Handshake,  // "DATA=GETRAND?" and decimal digits
    Call,       // "DATA=" and the cipher text
    Malformed,
};

struct RequestBody {
    BodyKind kind = BodyKind::Malformed;
    std::string_view cipher;  // of a call
};

RequestBody readRequestBody(std::string_view body);

}  // namespace k3
