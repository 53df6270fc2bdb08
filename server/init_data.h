// The start-up data the client's init call receives: where to find draws, the newest period,
// the advertisement page, the offered update and the link bar.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace k3 {

inline constexpr std::string_view kDefaultOfferedVersion = "1.41";

struct InitSettings {
    std::string publicUrl;                                   // base address the client reaches the service at
    std::string offerVersion;                                // empty: no update offered
    std::string offerFileName;                               // served under /download/
    std::vector<std::pair<std::string, std::string>> links;  // caption and address, in order
};

// The default link bar: two pages the service serves itself.
std::vector<std::pair<std::string, std::string>> defaultLinks(const std::string& publicUrl);

// Compact JSON text of the init data.
std::string buildInitData(const InitSettings& settings);

// The public address joined with a path that starts with "/".
std::string publicAddress(const std::string& publicUrl, std::string_view path);

}  // namespace k3
