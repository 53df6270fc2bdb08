// The other side of the protocol for the client tests: a loopback server that answers the key
// handshake, opens each call with the envelope functions and lets the test script the reply.
#pragma once

#include "service/request_envelope.h"
#include "tests/service/loopback_server.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace k3::test {

// A raw reply body with its HTTP status.
struct RawReply {
    std::string body;
    int status = 200;
};

class FakeService {
public:
    // Answer to a call (the request opened); by default an empty success envelope.
    using CallHandler = std::function<RawReply(const ServiceRequest&)>;
    // Answer to a handshake instead of the normal one; nullopt keeps the normal one.
    using HandshakeHandler = std::function<std::optional<RawReply>(int handshakeNumber)>;

    FakeService();

    void onCall(CallHandler handler);
    void onHandshake(HandshakeHandler handler);
    void setProbeText(std::string text);

    // Posts to any path are calls; "/newest" answers the probe.
    std::string url(std::string_view path = "/call") const { return m_server.url(path); }

    int posts() const;
    int handshakes() const;
    std::vector<std::string> handshakeBodies() const;
    std::vector<ServiceRequest> calls() const;
    std::vector<std::string> callPaths() const;

    // A success envelope whose "data" is json encrypted for the request.
    static RawReply encryptedData(std::string_view json, const ServiceRequest& request);
    static RawReply envelope(std::string_view errcode, std::string_view msg, std::string_view data);

private:
    RawReply answer(const std::string& path, const std::string& body);

    mutable std::mutex m_mutex;
    CallHandler m_onCall;
    HandshakeHandler m_onHandshake;
    std::string m_probeText;
    int m_posts = 0;
    std::vector<std::string> m_handshakeBodies;
    std::vector<std::string> m_keys;  // handed out, newest last
    std::vector<ServiceRequest> m_calls;
    std::vector<std::string> m_callPaths;
    LoopbackServer m_server;  // last: stopped first, while the rest still exists
};

}  // namespace k3::test
