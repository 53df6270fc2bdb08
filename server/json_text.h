// Compact JSON text of a value, the form every reply of the service takes.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

namespace k3 {

// Texts that are not UTF-8 (they can only come from a caller) are written with replacement
// characters instead of failing.
inline std::string compactJson(const nlohmann::ordered_json& value) {
    return value.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace k3
