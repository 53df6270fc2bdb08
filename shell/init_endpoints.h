// Where the init call goes: the primary endpoint on the service host (replaced whole by the
// environment variable K3_INIT_URL in tests and deployments), then the local fallback.
#pragma once

#include <string>
#include <string_view>

namespace k3 {

inline constexpr std::string_view kFallbackInitUrl = "http://127.0.0.1:19200/";
inline constexpr const char* kInitUrlVariable = "K3_INIT_URL";

// "http://<serviceHost>:19300/appinit.php", or the override when it is set and not empty.
std::string primaryInitUrl(std::string_view serviceHost, const char* override);
// The primary endpoint of this build: its configured service host and K3_INIT_URL.
std::string primaryInitUrl();

// The two init endpoints in the order they are tried.
struct InitEndpoints {
    std::string primary = primaryInitUrl();
    std::string fallback = std::string(kFallbackInitUrl);
};

}  // namespace k3
