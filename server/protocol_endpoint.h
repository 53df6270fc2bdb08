// The encrypted call protocol: hands out call keys, opens calls, dispatches them by function
// name and seals the replies. Every answer is a JSON envelope, errors included.
#pragma once

#include "server/service_error.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace k3 {

class CallKeyRegistry;
class Clock;
class RandomSource;

// What a function answers: an error, or its data and whether the data travels encrypted.
struct CallOutcome {
    ServiceError error = ServiceError::None;
    std::string data;
    bool encrypted = false;
};

using CallFunction = std::function<CallOutcome(const std::vector<std::string>& params)>;
using CallFunctions = std::map<std::string, CallFunction, std::less<>>;

class ProtocolEndpoint {
public:
    ProtocolEndpoint(CallKeyRegistry& keys, RandomSource& random, Clock& clock, CallFunctions functions);

    // The reply JSON to a POST body from the client at address.
    std::string answer(std::string_view body, const std::string& address);

private:
    std::string handshake(const std::string& address);
    std::string call(std::string_view cipher, const std::string& address);

    CallKeyRegistry& m_keys;
    RandomSource& m_random;
    Clock& m_clock;
    const CallFunctions m_functions;
};

// The JSON envelope of an error.
std::string errorReply(ServiceError error);

}  // namespace k3
