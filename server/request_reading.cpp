// The shared request reader, with the one leniency the service allows.
#include "server/request_reading.h"

#include "server/json_text.h"

namespace k3 {
namespace {

// The shared reader wants a list; a caller without parameters may send null or "" instead.
std::optional<std::string> withEmptyParamList(const std::string& json) {
    nlohmann::ordered_json request = nlohmann::ordered_json::parse(json, nullptr, false);
    if (!request.is_object() || !request.contains("param")) {
        return std::nullopt;
    }
    nlohmann::ordered_json& param = request["param"];
    if (!param.is_null() && param != "") {
        return std::nullopt;
    }
    param = nlohmann::ordered_json::array();
    return compactJson(request);
}

}  // namespace

std::optional<ServiceRequest> readCallRequest(std::string_view escaped) {
    const std::optional<std::string> json = percentDecode(escaped);
    if (!json) {
        return std::nullopt;
    }
    if (std::optional<ServiceRequest> request = parseRequestJson(*json)) {
        return request;
    }
    const std::optional<std::string> mended = withEmptyParamList(*json);
    return mended ? parseRequestJson(*mended) : std::nullopt;
}

}  // namespace k3
