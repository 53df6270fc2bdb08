#include "shell/product_profile.h"

#include "platform/regex.h"
#include "platform/text.h"

namespace k3 {
namespace {

// Four characters of prefix, then "min-max"; "." matches a whole character, not a byte.
constexpr const char* kBetRangePattern = "(....)([\\d]+)-([\\d]+)";

void deriveBetRange(ProductProfile& profile, MessageBoxes& messages) {
    static const Regex pattern(kBetRangePattern);
    const auto match = pattern.search(profile.planName);
    if (!match) {
        messages.showMessage("正则搜索失败！");
        return;
    }
    profile.betPrefix = match->groups[1];
    profile.betMin = textToInt(match->groups[2]);
    profile.betMax = textToInt(match->groups[3]);
}

}  // namespace

ProductProfile makeProductProfile(const std::string& productName, const std::string& programName,
                                  int32_t appId, const std::string& planName, const std::string& version,
                                  const std::string& explicitTitle, bool useExplicitTitle,
                                  MessageBoxes& messages) {
    ProductProfile profile;
    profile.productName = productName;
    profile.programName = programName;
    profile.appId = appId;
    profile.planName = planName;
    profile.version = version;
    profile.planTitle = useExplicitTitle ? explicitTitle : planName;
    if (containsText(planName, "注")) {
        deriveBetRange(profile, messages);
    }
    return profile;
}

ProductProfile thisBuildProfile(MessageBoxes& messages) {
    return makeProductProfile("澜星吉林快三平刷独胆计划", "澜星吉林快三平刷独胆计划", 2113, "独胆定1码",
                              "1.41", "", false, messages);
}

}  // namespace k3
