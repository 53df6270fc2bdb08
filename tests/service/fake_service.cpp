// A scripted draw service speaking the real envelope on a loopback port.
#include "tests/service/fake_service.h"

namespace k3::test {

FakeService::FakeService() {
    m_server.server().Post(R"(/.*)", [this](const httplib::Request& request, httplib::Response& response) {
        const RawReply reply = answer(request.path, request.body);
        response.status = reply.status;
        response.set_content(reply.body, "text/html; charset=utf-8");
    });
    m_server.server().Get("/newest", [this](const httplib::Request&, httplib::Response& response) {
        std::scoped_lock lock(m_mutex);
        response.set_content(m_probeText, "text/plain");
    });
    m_server.start();
}

void FakeService::onCall(CallHandler handler) {
    std::scoped_lock lock(m_mutex);
    m_onCall = std::move(handler);
}

void FakeService::onHandshake(HandshakeHandler handler) {
    std::scoped_lock lock(m_mutex);
    m_onHandshake = std::move(handler);
}

void FakeService::setProbeText(std::string text) {
    std::scoped_lock lock(m_mutex);
    m_probeText = std::move(text);
}

int FakeService::posts() const {
    std::scoped_lock lock(m_mutex);
    return m_posts;
}

int FakeService::handshakes() const {
    std::scoped_lock lock(m_mutex);
    return static_cast<int>(m_handshakeBodies.size());
}

std::vector<std::string> FakeService::handshakeBodies() const {
    std::scoped_lock lock(m_mutex);
    return m_handshakeBodies;
}

std::vector<ServiceRequest> FakeService::calls() const {
    std::scoped_lock lock(m_mutex);
    return m_calls;
}

std::vector<std::string> FakeService::callPaths() const {
    std::scoped_lock lock(m_mutex);
    return m_callPaths;
}

RawReply FakeService::encryptedData(std::string_view json, const ServiceRequest& request) {
    return envelope("0", "", encryptReplyData(json, request.requestNumber));
}

RawReply FakeService::envelope(std::string_view errcode, std::string_view msg, std::string_view data) {
    return {buildReplyJson(errcode, msg, data)};
}

RawReply FakeService::answer(const std::string& path, const std::string& body) {
    std::unique_lock lock(m_mutex);
    ++m_posts;
    if (body.starts_with(kHandshakeBodyPrefix)) {
        m_handshakeBodies.push_back(body);
        const int number = static_cast<int>(m_handshakeBodies.size());
        if (m_onHandshake) {
            if (std::optional<RawReply> scripted = m_onHandshake(number)) {
                return *scripted;
            }
        }
        m_keys.push_back("key" + std::to_string(number));
        return envelope("0", "", makeHandshakeData(m_keys.back()));
    }
    if (!body.starts_with(kCallBodyPrefix) || m_keys.empty()) {
        return envelope("1", "no call key", "");
    }
    const std::optional<ServiceRequest> request =
        openRequest(std::string_view(body).substr(kCallBodyPrefix.size()), m_keys.back());
    if (!request) {
        return envelope("2", "bad request", "");
    }
    m_calls.push_back(*request);
    m_callPaths.push_back(path);
    const CallHandler handler = m_onCall;
    lock.unlock();
    return handler ? handler(*request) : envelope("0", "", "");
}

}  // namespace k3::test
