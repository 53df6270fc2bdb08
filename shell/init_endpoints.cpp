#include "shell/init_endpoints.h"

#include <cstdlib>

#ifndef K3_SERVICE_HOST
#define K3_SERVICE_HOST "127.0.0.1"
#endif

namespace k3 {

std::string primaryInitUrl(std::string_view serviceHost, const char* override) {
    if (override != nullptr && *override != '\0') {
        return override;
    }
    return "http://" + std::string(serviceHost) + ":19300/appinit.php";
}

std::string primaryInitUrl() { return primaryInitUrl(K3_SERVICE_HOST, std::getenv(kInitUrlVariable)); }

}  // namespace k3
