// A call names no key: the key is found by trying the caller's recent keys on the head of the
// cipher text, then the request is opened whole and checked layer by layer.
#include "server/protocol_endpoint.h"

#include "platform/clock.h"
#include "platform/digest.h"
#include "server/call_key_registry.h"
#include "server/call_key_tag.h"
#include "server/random_source.h"
#include "server/request_body.h"
#include "server/request_reading.h"
#include "service/request_envelope.h"

namespace k3 {
namespace {

// Enough of the cipher to tell a wrong key cheaply: under a wrong key these bytes come out as
// hexadecimal digits with a chance of 16^-32.
constexpr size_t kKeyProbeBytes = 32;

bool isHexText(std::string_view text) {
    return text.find_first_not_of("0123456789ABCDEFabcdef") == std::string_view::npos;
}

std::string successReply(const CallOutcome& outcome, int32_t requestNumber) {
    return buildReplyJson("0", "",
                          outcome.encrypted ? encryptReplyData(outcome.data, requestNumber) : outcome.data);
}

}  // namespace

std::string errorReply(ServiceError error) {
    return buildReplyJson(std::to_string(static_cast<int>(error)), errorMessage(error), "");
}

ProtocolEndpoint::ProtocolEndpoint(CallKeyRegistry& keys, RandomSource& random, Clock& clock,
                                   CallFunctions functions)
    : m_keys(keys), m_random(random), m_clock(clock), m_functions(std::move(functions)) {}

std::string ProtocolEndpoint::answer(std::string_view body, const std::string& address) {
    const RequestBody request = readRequestBody(body);
    switch (request.kind) {
        case BodyKind::Handshake:
            return handshake(address);
        case BodyKind::Call:
            return call(request.cipher, address);
        case BodyKind::Malformed:
            break;
    }
    return errorReply(ServiceError::MalformedRequest);
}

std::string ProtocolEndpoint::handshake(const std::string& address) {
    const std::string key = makeCallKey(m_random);
    m_keys.add(address, key, m_clock.nowSeconds(), tagOfKey(key));
    return buildReplyJson("0", "", makeHandshakeData(key));
}

std::string ProtocolEndpoint::call(std::string_view cipher, const std::string& address) {
    const std::optional<std::string> probe = fromHex(cipher.substr(0, 2 * kKeyProbeBytes));
    if (!probe || cipher.size() % 2 != 0) {
        return errorReply(ServiceError::Undecryptable);
    }
    // The head of the cipher sorts out wrong keys cheaply; only a key that passes it opens the
    // whole request, and a request that does not open leaves the search going.
    std::optional<std::string> escaped;
    m_keys.find(address, m_clock.nowSeconds(), tagOfCall(*probe), [&](std::string_view candidate) {
        if (!isHexText(rc4(candidate, *probe))) {
            return false;
        }
        escaped = decryptRequest(cipher, candidate);
        return escaped.has_value();
    });
    if (!escaped) {
        return errorReply(ServiceError::Undecryptable);
    }
    const std::optional<ServiceRequest> request = readCallRequest(*escaped);
    if (!request) {
        return errorReply(ServiceError::MalformedRequest);
    }
    if (request->appId != kServiceAppId) {
        return errorReply(ServiceError::WrongAppId);
    }
    const auto function = m_functions.find(request->funname);
    if (function == m_functions.end()) {
        return errorReply(ServiceError::UnknownFunction);
    }
    const CallOutcome outcome = function->second(request->params);
    if (outcome.error != ServiceError::None) {
        return errorReply(outcome.error);
    }
    return successReply(outcome, request->requestNumber);
}

}  // namespace k3
