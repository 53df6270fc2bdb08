// Both directions of the protocol's envelope: key handshake, the two RC4 layers with their
// hexadecimal armour, the percent-escaping and the request and reply JSON.
#include "service/request_envelope.h"

#include "json/json_array.h"
#include "json/json_object.h"
#include "platform/clock.h"
#include "platform/digest.h"
#include "platform/text.h"

namespace k3 {
namespace {

bool isUnreserved(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
           byte == '-' || byte == '.' || byte == '_' || byte == '~';
}

// Decrypted bytes read as a C text: up to the first zero byte.
std::string untilZero(const std::string& bytes) { return bytes.substr(0, bytes.find('\0')); }

}  // namespace

std::string fixedKey() {
    const char* const numbers[] = {"38", "20", "71", "95", "64", "03"};
    const char* const letters[] = {"fk", "mz", "qa", "pw", "xe"};
    std::string key = numbers[0];
    for (int i = 0; i < 5; ++i) {
        key += letters[i];
        key += numbers[i + 1];
    }
    return key;
}

std::string replyKeyFor(int64_t requestNumber) { return std::to_string(requestNumber * kReplyKeyRatio); }

int32_t makeRequestNumber(Clock& clock) {
    const auto ticks = static_cast<int32_t>(clock.millisecondsSinceStart());
    const std::string sum = std::to_string(static_cast<int64_t>(ticks) + clock.secondsSinceBase());
    return textToInt(sum.size() > 4 ? std::string_view(sum).substr(sum.size() - 4) : sum);
}

std::string urlEscape(std::string_view text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size() * 3);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (isUnreserved(byte)) {
            escaped += c;
        } else {
            escaped += '%';
            escaped += digits[byte >> 4];
            escaped += digits[byte & 0x0F];
        }
    }
    return escaped;
}

std::optional<std::string> percentDecode(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        const std::optional<std::string> byte =
            i + 2 < text.size() ? fromHex(text.substr(i + 1, 2)) : std::nullopt;
        if (!byte) {
            return std::nullopt;
        }
        decoded += *byte;
        i += 2;
    }
    return decoded;
}

std::string makeHandshakeData(std::string_view callKey) { return toHex(rc4(fixedKey(), callKey)); }

std::string decodeHandshakeData(std::string_view data) {
    const std::optional<std::string> cipher = fromHex(data);
    if (!cipher) {
        return {};
    }
    return untilZero(rc4(fixedKey(), *cipher));
}

std::string encryptRequest(std::string_view plain, std::string_view callKey) {
    return toHex(rc4(callKey, toHex(rc4(fixedKey(), plain))));
}

std::optional<std::string> decryptRequest(std::string_view cipher, std::string_view callKey) {
    const std::optional<std::string> outer = fromHex(cipher);
    if (!outer) {
        return std::nullopt;
    }
    const std::optional<std::string> inner = fromHex(rc4(callKey, *outer));
    if (!inner) {
        return std::nullopt;
    }
    return rc4(fixedKey(), *inner);
}

std::string encryptReplyData(std::string_view json, int64_t requestNumber) {
    return toHex(rc4(fixedKey(), toHex(rc4(replyKeyFor(requestNumber), json))));
}

std::string decryptReplyData(std::string_view data, int64_t requestNumber) {
    const std::optional<std::string> outer = fromHex(data);
    if (!outer) {
        return {};
    }
    const std::optional<std::string> json = fromHex(untilZero(rc4(fixedKey(), *outer)));
    return json ? rc4(replyKeyFor(requestNumber), *json) : std::string();
}

std::string handshakeBody(int64_t secondsSinceBase) {
    return std::string(kHandshakeBodyPrefix) + std::to_string(secondsSinceBase);
}

std::string callBody(std::string_view cipher) { return std::string(kCallBodyPrefix) + std::string(cipher); }

std::string buildRequestJson(const ServiceRequest& request) {
    JsonObject object;
    JsonArray params;
    object.createEmpty();
    object.put("rand", std::to_string(request.requestNumber));
    object.put("funname", request.funname);
    object.put("appid", std::to_string(request.appId));
    params.createEmpty();
    for (const std::string& param : request.params) {
        params.add(param);
    }
    object.putValue("param", params);
    return object.toText();
}

std::optional<ServiceRequest> parseRequestJson(std::string_view json) {
    JsonObject object;
    JsonArray params;
    int32_t randType = 0;
    int32_t funnameType = 0;
    int32_t appIdType = 0;
    ServiceRequest request;
    if (!object.parse(json)) {
        return std::nullopt;
    }
    request.requestNumber = textToInt(object.get("rand", randType));
    request.funname = object.get("funname", funnameType);
    request.appId = textToInt(object.get("appid", appIdType));
    const bool scalarsAreStrings =
        randType == JsonType::String && funnameType == JsonType::String && appIdType == JsonType::String;
    if (!scalarsAreStrings || !object.getMember("param", params)) {
        return std::nullopt;
    }
    for (int32_t i = 1; i <= params.size(); ++i) {
        int32_t type = 0;
        request.params.push_back(params.getAt(i, type));
        if (type != JsonType::String) {
            return std::nullopt;
        }
    }
    return request;
}

std::string sealRequest(const ServiceRequest& request, std::string_view callKey) {
    return encryptRequest(urlEscape(buildRequestJson(request)), callKey);
}

std::optional<ServiceRequest> openRequest(std::string_view cipher, std::string_view callKey) {
    const std::optional<std::string> escaped = decryptRequest(cipher, callKey);
    const std::optional<std::string> json = escaped ? percentDecode(*escaped) : std::nullopt;
    return json ? parseRequestJson(*json) : std::nullopt;
}

std::string buildReplyJson(std::string_view errcode, std::string_view msg, std::string_view data) {
    JsonObject reply;
    reply.createEmpty();
    reply.put("errcode", errcode);
    reply.put("msg", msg);
    reply.put("data", data);
    return reply.toText();
}

}  // namespace k3
