// The one object through which the program talks to the service: the init call, the latest
// draw, the draw history and the newest-period probe, with a last-error text for messages.
#pragma once

#include "json/json_object.h"
#include "service/draw_table.h"
#include "service/init_info.h"
#include "service/service_transport.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k3 {

class Clock;

inline constexpr int kInitAttempts = 10;
inline constexpr std::string_view kInitFailedText = "初始化连接服务器失败！：";
inline constexpr std::string_view kDrawsFailedText = "获取最新开奖数据失败!";
inline constexpr std::string_view kErrorCodeText = " 错误代码：";
inline constexpr std::string_view kProbeFailedText = "最新期号获取失败!";

class ServiceClient {
public:
    explicit ServiceClient(Clock& clock);

    // Lets a window keep repainting and cancel while requests run; also pumped between init
    // attempts.
    void setTransferControl(const TransferControl& control);

    void setLastError(std::string text) { m_lastError = std::move(text); }
    std::string lastError() const { return m_lastError; }

    // Up to ten "init" calls against url; on success the start-up data, the draw endpoint and
    // the probe URL are set.
    bool init(const std::string& url, int32_t appId);

    void setAccessToken(std::string token) { m_accessToken = std::move(token); }
    std::string getAccessToken() const { return m_accessToken; }
    InitInfo initInfo() const { return m_info; }
    JsonReply dataReplyCopy() const { return m_dataReply; }
    std::string initField(std::string_view key) const { return m_initReply.get(key); }
    static void readInitInfo(const JsonReply& reply, InitInfo& info);

    // values gets the members of the decoded data named by keys.
    bool getForecast(std::string_view name, const std::vector<std::string>& keys,
                     std::vector<std::string>& values);
    // The latest draw's fields, split at "| |".
    bool newestDraw(std::vector<std::string>& fields);
    // The count latest draws, newest first.
    bool selectDraw(int32_t count, DrawTable& table);
    // The draws of one day; date as year-month-day.
    bool selectDrawByDate(std::string_view date, DrawTable& table);
    bool getInit(std::string& text);
    // The plain GET of the probe URL; empty on failure.
    std::string probeNewestPeriod();

private:
    bool selectDrawCall(std::string_view funname, std::vector<std::string> params, DrawTable& table);
    std::string replyFailureText(const JsonReply& reply) const;

    Clock& m_clock;
    TransferControl m_control;
    std::string m_accessToken;
    std::string m_lastError;
    ServiceTransport m_drawTransport;
    JsonReply m_initReply;
    JsonReply m_dataReply;
    std::string m_newestPeriodUrl;
    InitInfo m_info;
};

}  // namespace k3
