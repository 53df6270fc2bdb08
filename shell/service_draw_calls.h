// The draw source's calls, made by the service client.
#pragma once

#include "draws/draw_service.h"
#include "service/service_client.h"

namespace k3 {

class ServiceDrawCalls final : public DrawService {
public:
    explicit ServiceDrawCalls(ServiceClient& client) : m_client(client) {}

    std::string probeNewestPeriod() override { return m_client.probeNewestPeriod(); }
    bool newestDraw(std::vector<std::string>& fields) override { return m_client.newestDraw(fields); }
    bool selectDraw(int32_t count, DrawTable& table) override { return m_client.selectDraw(count, table); }
    std::string lastError() const override { return m_client.lastError(); }

private:
    ServiceClient& m_client;
};

}  // namespace k3
