// Named calls against one endpoint of the service: key handshake, encrypted request, JSON
// reply and the "errcode" success rule. The caller's reply object receives the outcome.
#pragma once

#include "json/json_object.h"
#include "service/http_request.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k3 {

class Clock;

// How the "data" member of a successful data call is read.
enum class DataMode { Encrypted = 0, Plain = 1 };

inline constexpr std::string_view kNoReplyMessage = "服务器访问失败!";
inline constexpr std::string_view kBadReplyMessage = "服务器访问错误!";
inline constexpr std::string_view kBadDataMessage = "服务器访问错误!2";
inline constexpr std::string_view kClientErrorCode = "9999";

class ServiceTransport {
public:
    explicit ServiceTransport(Clock& clock) : m_clock(clock) {}

    void setEndpoint(std::string url, int32_t appId);
    const std::string& url() const { return m_url; }
    // Lets a window keep repainting and cancel while a request runs.
    void setTransferControl(const TransferControl& control) { m_control = control; }

    // A data call with the leading non-empty texts as parameters (at most five are meant).
    bool callWithTexts(JsonReply& reply, std::string_view funname, const std::vector<std::string>& texts,
                       DataMode mode);
    // A named call whose "data" member, when not empty, replaces the envelope in reply.
    bool callForData(JsonReply& reply, std::string_view funname, const std::vector<std::string>& params,
                     DataMode mode);
    // Handshake, then the call; replyText gets the raw reply and requestNumber the number used.
    bool namedCall(std::string& replyText, std::string_view funname, const std::vector<std::string>& params,
                   int32_t& requestNumber, JsonReply& reply);
    static void fillErrorReply(JsonReply& reply, std::string_view errcode, std::string_view msg,
                               std::string_view data);

    std::string postRequest(std::string_view url, std::string_view body) const;
    std::string getRequest(std::string_view url) const;
    // The call key of a new call, or empty with the reason left in reply.
    std::string handshake(JsonReply& reply) const;

private:
    Clock& m_clock;
    std::string m_url;
    int32_t m_appId = 0;
    TransferControl m_control;
};

}  // namespace k3
