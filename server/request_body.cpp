// The two body forms the client posts; anything else is malformed.
#include "server/request_body.h"

#include "service/request_envelope.h"

namespace k3 {
namespace {

bool allDigits(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

}  // namespace

RequestBody readRequestBody(std::string_view body) {
    if (body.starts_with(kHandshakeBodyPrefix)) {
        const std::string_view stamp = body.substr(kHandshakeBodyPrefix.size());
        return {!stamp.empty() && allDigits(stamp) ? BodyKind::Handshake : BodyKind::Malformed, {}};
    }
    if (body.starts_with(kCallBodyPrefix) && body.size() > kCallBodyPrefix.size()) {
        return {BodyKind::Call, body.substr(kCallBodyPrefix.size())};
    }
    return {};
}

}  // namespace k3
