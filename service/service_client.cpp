// The service's named calls turned into plain values, with the last-error texts the window's
// messages show.
#include "service/service_client.h"

#include "platform/event_pump.h"
#include "platform/regex.h"
#include "platform/text.h"

#include <optional>

namespace k3 {
namespace {

// "2017-05-02" (optionally followed by a time) as the service wants it: "2017-5-2".
std::optional<std::string> serviceDate(std::string_view date) {
    static const Regex pattern(R"(^\s*(\d{4})[-/](\d{1,2})[-/](\d{1,2})(?:[ T].*)?$)");
    const std::optional<RegexMatch> match = pattern.search(date);
    if (!match) {
        return std::nullopt;
    }
    const int32_t month = textToInt(match->groups[2]);
    const int32_t day = textToInt(match->groups[3]);
    if (month < 1 || month > 12 || day < 1 || day > 31) {
        return std::nullopt;
    }
    return std::to_string(textToInt(match->groups[1])) + "-" + std::to_string(month) + "-" +
           std::to_string(day);
}

}  // namespace

ServiceClient::ServiceClient(Clock& clock) : m_clock(clock), m_drawTransport(clock) {}

void ServiceClient::setTransferControl(const TransferControl& control) {
    m_control = control;
    m_drawTransport.setTransferControl(control);
}

bool ServiceClient::init(const std::string& url, int32_t appId) {
    ServiceTransport initTransport(m_clock);
    initTransport.setEndpoint(url, appId);
    initTransport.setTransferControl(m_control);
    for (int attempt = 1; attempt <= kInitAttempts; ++attempt) {
        if (initTransport.callWithTexts(m_initReply, "init", {}, DataMode::Encrypted)) {
            readInitInfo(m_initReply, m_info);
            m_newestPeriodUrl = m_info.newphase;
            m_drawTransport.setEndpoint(m_info.drawurl, appId);
            return true;
        }
        if (m_control.eventPump) {
            m_control.eventPump->processPendingEvents();
        }
        if (m_control.abortFlag && m_control.abortFlag->load()) {
            break;  // the window is closing: no point in the remaining attempts
        }
    }
    setLastError(std::string(kInitFailedText) + replyFailureText(m_initReply));
    return false;
}

void ServiceClient::readInitInfo(const JsonReply& reply, InitInfo& info) {
    info.userurl = reply.get("userurl");
    info.drawurl = reply.get("drawurl");
    info.newphase = reply.get("newphase");
    info.advert1 = reply.get("advert1");
    info.advert2 = reply.get("advert2");
    info.version = reply.get("version");
    info.proupurl = reply.get("proupurl");
    info.seo = reply.get("seo");
    JsonObject links;
    std::vector<int32_t> types;
    if (reply.getMember("payurl", links)) {
        links.readAll(info.linkNames, info.linkTargets, types);
    }
}

bool ServiceClient::getForecast(std::string_view name, const std::vector<std::string>& keys,
                                std::vector<std::string>& values) {
    std::vector<std::string> params{m_accessToken, std::string(name)};
    params.insert(params.end(), keys.begin(), keys.end());
    if (!m_drawTransport.callForData(m_dataReply, "getforecast", params, DataMode::Plain)) {
        return false;
    }
    values.clear();
    for (const std::string& key : keys) {
        values.push_back(m_dataReply.get(key));
    }
    return true;
}

bool ServiceClient::newestDraw(std::vector<std::string>& fields) {
    if (!m_drawTransport.callWithTexts(m_dataReply, "newestdraw", {m_accessToken}, DataMode::Encrypted)) {
        return false;
    }
    fields = splitText(m_dataReply.get("data"), "| |");
    return !fields.empty();
}

bool ServiceClient::selectDraw(int32_t count, DrawTable& table) {
    return selectDrawCall("select_draw", {m_accessToken, std::to_string(count)}, table);
}

bool ServiceClient::selectDrawByDate(std::string_view date, DrawTable& table) {
    const std::optional<std::string> day = serviceDate(date);
    if (!day) {
        setLastError(std::string(kDrawsFailedText) + "日期无效：" + std::string(date) +
                     std::string(kErrorCodeText) + std::string(kClientErrorCode));
        return false;
    }
    return selectDrawCall("select_draw_date", {m_accessToken, *day}, table);
}

bool ServiceClient::getInit(std::string& text) {
    if (!m_drawTransport.callWithTexts(m_dataReply, "getInit", {m_accessToken}, DataMode::Encrypted)) {
        return false;
    }
    text = m_dataReply.get("data");
    return !text.empty();
}

std::string ServiceClient::probeNewestPeriod() {
    const std::string text = fetchUrl(m_newestPeriodUrl, m_control);
    if (text.empty()) {
        setLastError(std::string(kProbeFailedText));
    }
    return text;
}

// The draw history's "data" is plain text inside the reply's own string: it is cut out of the
// raw reply rather than decoded.
bool ServiceClient::selectDrawCall(std::string_view funname, std::vector<std::string> params,
                                   DrawTable& table) {
    std::string replyText;
    int32_t requestNumber = 0;
    if (!m_drawTransport.namedCall(replyText, funname, params, requestNumber, m_dataReply)) {
        setLastError(std::string(kDrawsFailedText) + replyFailureText(m_dataReply));
        return false;
    }
    extractInnerData(replyText);
    parseDrawTable(replyText, table);
    return true;
}

std::string ServiceClient::replyFailureText(const JsonReply& reply) const {
    return reply.message() + std::string(kErrorCodeText) + reply.errorCode();
}

}  // namespace k3
