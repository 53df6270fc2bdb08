#include "server/call_key_registry.h"

#include <gtest/gtest.h>

namespace k3 {
namespace {

const auto anyKey = [](std::string_view) { return true; };

std::function<bool(std::string_view)> exactly(std::string_view wanted) {
    return [wanted](std::string_view key) { return key == wanted; };
}

TEST(CallKeyRegistryTest, FindsTheNewestFittingKeyOfTheAddressOnly) {
    CallKeyRegistry keys;
    keys.add("10.0.0.1", "old", 100);
    keys.add("10.0.0.1", "new", 101);
    keys.add("10.0.0.2", "other", 102);
    EXPECT_EQ(keys.find("10.0.0.1", 103, "", anyKey), "new");
    EXPECT_EQ(keys.find("10.0.0.1", 103, "", exactly("old")), "old");
    EXPECT_EQ(keys.find("10.0.0.1", 103, "", exactly("other")), std::nullopt);
    EXPECT_EQ(keys.find("10.0.0.3", 103, "", anyKey), std::nullopt);
}

TEST(CallKeyRegistryTest, KeysLiveForTheirLifetime) {
    CallKeyRegistry keys;
    keys.add("a", "k1", 1000);
    keys.add("a", "k2", 1060);
    const struct {
        int64_t now;
        std::optional<std::string> k1;
        std::optional<std::string> k2;
    } cases[] = {
        {1119, "k1", "k2"},
        {1120, std::nullopt, "k2"},
        {1179, std::nullopt, "k2"},
        {1180, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keys.find("a", c.now, "", exactly("k1")), c.k1) << c.now;
        EXPECT_EQ(keys.find("a", c.now, "", exactly("k2")), c.k2) << c.now;
    }
    EXPECT_EQ(keys.size(), 0u);
}

TEST(CallKeyRegistryTest, AFullRegistryDropsTheOldestKeyFirst) {
    CallKeyRegistry keys(3, 10);
    keys.add("a", "k1", 1);
    keys.add("b", "k2", 2);
    keys.add("a", "k3", 3);
    keys.add("c", "k4", 4);
    EXPECT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys.find("a", 5, "", exactly("k1")), std::nullopt);
    EXPECT_EQ(keys.find("b", 5, "", exactly("k2")), "k2");
    EXPECT_EQ(keys.find("a", 5, "", exactly("k3")), "k3");
    EXPECT_EQ(keys.find("c", 5, "", exactly("k4")), "k4");
}

TEST(CallKeyRegistryTest, OneAddressCannotHoldMoreThanItsShare) {
    CallKeyRegistry keys(100, 2);
    keys.add("a", "k1", 1);
    keys.add("b", "k2", 1);
    keys.add("a", "k3", 2);
    keys.add("a", "k4", 3);
    EXPECT_EQ(keys.find("a", 4, "", exactly("k1")), std::nullopt);
    EXPECT_EQ(keys.find("a", 4, "", exactly("k3")), "k3");
    EXPECT_EQ(keys.find("a", 4, "", exactly("k4")), "k4");
    EXPECT_EQ(keys.find("b", 4, "", exactly("k2")), "k2");
    EXPECT_EQ(keys.size(), 3u);
}

TEST(CallKeyRegistryTest, AFloodFromOneAddressStaysBounded) {
    CallKeyRegistry keys(50, 8);
    for (int i = 0; i < 10000; ++i) {
        keys.add(i % 2 == 0 ? "flood" : "x" + std::to_string(i), "k" + std::to_string(i), i / 100);
    }
    EXPECT_LE(keys.size(), 50u);
    EXPECT_EQ(keys.find("flood", 100, "", exactly("k9998")), "k9998");
    EXPECT_EQ(keys.find("x9999", 100, "", exactly("k9999")), "k9999");
}

TEST(CallKeyRegistryTest, ATagReachesItsKeyBeforeAnyOtherIsTried) {
    CallKeyRegistry keys;
    keys.add("a", "tagged", 1, "T1");
    for (int i = 0; i < 100; ++i) {
        keys.add("a", "k" + std::to_string(i), 2, "U" + std::to_string(i));
    }
    std::vector<std::string> tried;
    const auto recordingAny = [&](std::string_view key) {
        tried.emplace_back(key);
        return true;
    };
    EXPECT_EQ(keys.find("a", 3, "T1", recordingAny), "tagged");
    EXPECT_EQ(tried, std::vector<std::string>{"tagged"});
    // A tag of another address or an unknown tag falls back to trying, newest first.
    keys.add("b", "other", 2, "T2");
    tried.clear();
    EXPECT_EQ(keys.find("a", 3, "T2", recordingAny), "k99");
    EXPECT_EQ(tried, std::vector<std::string>{"k99"});
    // The tagged key that does not fit leaves the search going.
    EXPECT_EQ(keys.find("a", 3, "T1", exactly("k5")), "k5");
}

}  // namespace
}  // namespace k3
