#include "shell/product_profile.h"

#include <gtest/gtest.h>

#include <ostream>

namespace k3 {
namespace {

struct BetRangeCase {
    const char* planName;
    const char* prefix;
    int32_t min;
    int32_t max;
    bool failureShown;
};

std::ostream& operator<<(std::ostream& out, const BetRangeCase& c) { return out << '"' << c.planName << '"'; }

class BetRangeTest : public ::testing::TestWithParam<BetRangeCase> {};

TEST_P(BetRangeTest, DerivesRangeFromPlanName) {
    const BetRangeCase& c = GetParam();
    RecordingMessageBoxes messages;
    const ProductProfile profile =
        makeProductProfile("产品", "产品", 2113, c.planName, "1.41", "", false, messages);
    EXPECT_EQ(profile.betPrefix, c.prefix);
    EXPECT_EQ(profile.betMin, c.min);
    EXPECT_EQ(profile.betMax, c.max);
    if (c.failureShown) {
        EXPECT_EQ(messages.messages(), std::vector<std::string>{"正则搜索失败！"});
    } else {
        EXPECT_TRUE(messages.messages().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(PlanNames, BetRangeTest,
                         ::testing::Values(BetRangeCase{"独胆定1码", "", 0, 0, false},
                                           BetRangeCase{"前三直选10-50注", "前三直选", 10, 50, false},
                                           BetRangeCase{"五星直选复式10-50注", "直选复式", 10, 50, false},
                                           BetRangeCase{"和值10-20注", "", 0, 0, true},
                                           BetRangeCase{"前三直选注", "", 0, 0, true},
                                           BetRangeCase{"前三直选10注50", "", 0, 0, true}));

TEST(ProductProfileTest, ThisBuildHasItsIdentityAndNoBetPanel) {
    RecordingMessageBoxes messages;
    const ProductProfile profile = thisBuildProfile(messages);
    EXPECT_EQ(profile.productName, "澜星吉林快三平刷独胆计划");
    EXPECT_EQ(profile.programName, profile.productName);
    EXPECT_EQ(profile.appId, 2113);
    EXPECT_EQ(profile.planName, "独胆定1码");
    EXPECT_EQ(profile.version, "1.41");
    EXPECT_EQ(profile.planTitle, "独胆定1码");
    EXPECT_TRUE(profile.betPrefix.empty());
    EXPECT_TRUE(messages.messages().empty());
}

TEST(ProductProfileTest, ExplicitTitleOnlyWhenAsked) {
    RecordingMessageBoxes messages;
    EXPECT_EQ(makeProductProfile("p", "p", 1, "独胆定1码", "1", "标题", true, messages).planTitle, "标题");
    EXPECT_EQ(makeProductProfile("p", "p", 1, "独胆定1码", "1", "标题", false, messages).planTitle,
              "独胆定1码");
}

}  // namespace
}  // namespace k3
