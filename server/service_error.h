// The error replies of the draw service: a code and the message the client shows.
#pragma once

#include <string_view>

namespace k3 {

enum class ServiceError {
    None = 0,
    Undecryptable = 1001,
    MalformedRequest = 1002,
    WrongAppId = 1003,
    UnknownFunction = 1004,
    BadParameter = 1005,
};

std::string_view errorMessage(ServiceError error);

}  // namespace k3
