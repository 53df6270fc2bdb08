// The build's identity: the constants that make this program the product it is.
#pragma once

#include <cstdint>
#include <string>

#include "platform/message_box.h"

namespace k3 {

struct ProductProfile {
    std::string productName;
    std::string programName;
    int32_t appId = 0;
    std::string planName;
    std::string version;
    std::string planTitle;
    std::string betPrefix;  // non-empty marks a product sold by bet count
    int32_t betMin = 0;
    int32_t betMax = 0;
};

// Fills the profile and derives the bet-count range from a plan name containing "注".
// A plan name with "注" but no range shows "正则搜索失败！" and leaves the range empty.
ProductProfile makeProductProfile(const std::string& productName, const std::string& programName,
                                  int32_t appId, const std::string& planName, const std::string& version,
                                  const std::string& explicitTitle, bool useExplicitTitle,
                                  MessageBoxes& messages);

// This build's profile, made with the values above.
ProductProfile thisBuildProfile(MessageBoxes& messages);

}  // namespace k3
