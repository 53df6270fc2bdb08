// The draw calls of the service client that the draw source makes, behind an interface so that
// the fetch rules can be tested call by call.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k3 {

using DrawTable = std::vector<std::vector<std::string>>;

class DrawService {
public:
    virtual ~DrawService() = default;
    // The newest-period probe: a text whose last three characters name the newest period;
    // empty on failure.
    virtual std::string probeNewestPeriod() = 0;
    // The fields of the latest-draw reply.
    virtual bool newestDraw(std::vector<std::string>& fields) = 0;
    // The last count draws, newest first.
    virtual bool selectDraw(int32_t count, DrawTable& table) = 0;
    virtual std::string lastError() const = 0;
};

}  // namespace k3
