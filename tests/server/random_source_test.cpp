#include "server/random_source.h"

#include "scripted_random.h"

#include <gtest/gtest.h>

#include <set>

namespace k3 {
namespace {

using test::ScriptedRandom;

TEST(RandomSourceTest, UniformBelowSkipsBytesThatWouldFavourLowValues) {
    // For 6 the bytes 252..255 are skipped: 255 and 252 are dropped, 17 gives 17 % 6.
    ScriptedRandom random{255, 252, 17};
    EXPECT_EQ(uniformBelow(random, 6), 5);
    EXPECT_EQ(random.left(), 0u);
}

TEST(RandomSourceTest, DiceAreSortedAndWithinOneToSix) {
    ScriptedRandom random{5, 0, 3};  // dice 6, 1, 4
    EXPECT_EQ(rollDice(random), "1,4,6");
}

TEST(RandomSourceTest, SeedIsPositiveAndNeverZero) {
    // A zero draw is drawn again; the top bit is dropped so the seed stays positive.
    ScriptedRandom random{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFE};
    EXPECT_EQ(makeSeed(random), 0x7FFFFFFE);
}

TEST(RandomSourceTest, CallKeysAreSixteenLettersOrDigitsAndDiffer) {
    SystemRandom random;
    std::set<std::string> keys;
    for (int i = 0; i < 50; ++i) {
        const std::string key = makeCallKey(random);
        ASSERT_EQ(key.size(), 16u);
        for (const char c : key) {
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c))) << key;
        }
        keys.insert(key);
    }
    EXPECT_EQ(keys.size(), 50u);
}

TEST(RandomSourceTest, SystemDiceCoverEveryFace) {
    SystemRandom random;
    std::set<char> faces;
    for (int i = 0; i < 200; ++i) {
        const std::string dice = rollDice(random);
        ASSERT_EQ(dice.size(), 5u);
        EXPECT_LE(dice[0], dice[2]);
        EXPECT_LE(dice[2], dice[4]);
        faces.insert({dice[0], dice[2], dice[4]});
    }
    EXPECT_EQ(faces, (std::set<char>{'1', '2', '3', '4', '5', '6'}));
}

}  // namespace
}  // namespace k3
