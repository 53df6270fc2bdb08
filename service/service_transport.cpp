// The client side of a named call: two posts per call, each under a fresh call key.
#include "service/service_transport.h"

#include "platform/clock.h"
#include "service/request_envelope.h"

namespace k3 {

void ServiceTransport::setEndpoint(std::string url, int32_t appId) {
    m_url = std::move(url);
    m_appId = appId;
}

bool ServiceTransport::callWithTexts(JsonReply& reply, std::string_view funname,
                                     const std::vector<std::string>& texts, DataMode mode) {
    std::vector<std::string> params;
    for (const std::string& text : texts) {
        if (text.empty()) {
            break;
        }
        params.push_back(text);
    }
    return callForData(reply, funname, params, mode);
}

bool ServiceTransport::callForData(JsonReply& reply, std::string_view funname,
                                   const std::vector<std::string>& params, DataMode mode) {
    std::string replyText;
    int32_t requestNumber = 0;
    if (!namedCall(replyText, funname, params, requestNumber, reply)) {
        return false;
    }
    const std::string data = reply.get("data");
    if (data.empty()) {
        return true;
    }
    const bool parsed = reply.parse(mode == DataMode::Plain ? data : decryptReplyData(data, requestNumber));
    if (!parsed) {
        fillErrorReply(reply, kClientErrorCode, kBadDataMessage, "");
    }
    return parsed;
}

bool ServiceTransport::namedCall(std::string& replyText, std::string_view funname,
                                 const std::vector<std::string>& params, int32_t& requestNumber,
                                 JsonReply& reply) {
    const int32_t number = makeRequestNumber(m_clock);
    const std::string callKey = handshake(reply);
    if (callKey.empty()) {
        if (reply.type() == JsonType::None) {  // no JSON text: nothing was left in it
            fillErrorReply(reply, kClientErrorCode, kNoReplyMessage, "");
        }
        return false;
    }
    const ServiceRequest request{number, std::string(funname), m_appId, params};
    reply.createEmpty();
    const std::string bytes = postRequest(m_url, callBody(sealRequest(request, callKey)));
    if (bytes.empty()) {
        fillErrorReply(reply, kClientErrorCode, kNoReplyMessage, "");
        return false;
    }
    replyText = bytes;
    requestNumber = number;
    if (!reply.parse(bytes)) {
        fillErrorReply(reply, kClientErrorCode, kBadReplyMessage, "");
        return false;
    }
    return reply.get("errcode") == "0";
}

void ServiceTransport::fillErrorReply(JsonReply& reply, std::string_view errcode, std::string_view msg,
                                      std::string_view data) {
    reply.parse(buildReplyJson(errcode, msg, data));
}

std::string ServiceTransport::postRequest(std::string_view url, std::string_view body) const {
    return httpPost(url, body, m_control);
}

std::string ServiceTransport::getRequest(std::string_view url) const { return httpGet(url, m_control); }

std::string ServiceTransport::handshake(JsonReply& reply) const {
    const std::string bytes = postRequest(m_url, handshakeBody(m_clock.secondsSinceBase()));
    const std::string text = bytes.substr(0, bytes.find('\0'));
    if (text.empty()) {
        fillErrorReply(reply, kClientErrorCode, kNoReplyMessage, "");
        return {};
    }
    if (!reply.parse(text)) {
        fillErrorReply(reply, kClientErrorCode, kBadReplyMessage, "");
        return {};
    }
    if (reply.get("errcode") != "0") {
        return {};
    }
    return decodeHandshakeData(reply.get("data"));
}

}  // namespace k3
