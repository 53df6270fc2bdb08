// The encrypted envelope of the service protocol as pure functions, both directions: the client
// seals requests and opens replies, the draw service opens requests and seals replies.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k3 {

class Clock;

inline constexpr int32_t kServiceAppId = 2113;
inline constexpr int64_t kReplyKeyRatio = 1973;
inline constexpr std::string_view kHandshakeBodyPrefix = "DATA=GETRAND?";
inline constexpr std::string_view kCallBodyPrefix = "DATA=";

// The key shared with the service; put together at each use so that it never sits in the
// binary as one literal.
std::string fixedKey();

// Decimal text of the request number times the reply-key ratio.
std::string replyKeyFor(int64_t requestNumber);

// Request number of a new call: tick count (as signed 32 bits) plus seconds since the local
// base, of which the last four decimal digits are kept (0 to 9999).
int32_t makeRequestNumber(Clock& clock);

// Percent-encodes every byte except ASCII letters, digits and "-._~" (upper-case hex digits).
std::string urlEscape(std::string_view text);
// Undoes any percent-encoding; nullopt when a "%" is not followed by two hexadecimal digits.
std::optional<std::string> percentDecode(std::string_view text);

// Handshake: the service hands out hex(RC4(fixed key, call key)); the client gets the call
// key back. Empty when the data is not hexadecimal.
std::string makeHandshakeData(std::string_view callKey);
std::string decodeHandshakeData(std::string_view data);

// Request cipher: hex(RC4(call key, hex(RC4(fixed key, plain)))). decryptRequest gives plain
// back, or nullopt when the key is wrong: a wrong key does not yield hexadecimal digits.
std::string encryptRequest(std::string_view plain, std::string_view callKey);
std::optional<std::string> decryptRequest(std::string_view cipher, std::string_view callKey);

// Encrypted "data" of a reply: hex(RC4(fixed key, hex(RC4(reply key, json)))).
// decryptReplyData is empty when either layer is not hexadecimal.
std::string encryptReplyData(std::string_view json, int64_t requestNumber);
std::string decryptReplyData(std::string_view data, int64_t requestNumber);

// Form bodies of the two posts.
std::string handshakeBody(int64_t secondsSinceBase);
std::string callBody(std::string_view cipher);

// The request JSON: "rand", "funname", "appid" (all strings) and "param" (list of strings).
struct ServiceRequest {
    int32_t requestNumber = 0;
    std::string funname;
    int32_t appId = 0;
    std::vector<std::string> params;
};
std::string buildRequestJson(const ServiceRequest& request);
// Reads a request JSON; nullopt when it is not an object of that shape.
std::optional<ServiceRequest> parseRequestJson(std::string_view json);

// Client side in one step: the JSON escaped and encrypted under the call key.
std::string sealRequest(const ServiceRequest& request, std::string_view callKey);
// Service side in one step: cipher text (after "DATA=") back to the request; nullopt for a
// wrong key or a malformed request.
std::optional<ServiceRequest> openRequest(std::string_view cipher, std::string_view callKey);

// A reply envelope {"errcode", "msg", "data"}, members in that order, all strings.
std::string buildReplyJson(std::string_view errcode, std::string_view msg, std::string_view data);

}  // namespace k3
