#include "platform/regex.h"

#include <gtest/gtest.h>

namespace k3 {
namespace {

TEST(RegexTest, DotMatchesWholeChineseCharacter) {
    const Regex pattern("(....)([\\d]+)-([\\d]+)");
    ASSERT_TRUE(pattern.isValid());
    const auto match = pattern.search("五星直选复式10-50注");
    ASSERT_TRUE(match.has_value());
    EXPECT_EQ(match->groups[1], "直选复式");
    EXPECT_EQ(match->groups[2], "10");
    EXPECT_EQ(match->groups[3], "50");
    EXPECT_EQ(match->offset, 6u);  // two three-byte characters before the match
}

TEST(RegexTest, DigitClassIsAsciiOnly) {
    const Regex digits("[\\d]+");
    EXPECT_FALSE(digits.search("１２").has_value());
    EXPECT_TRUE(digits.matchesWhole("12"));
}

TEST(RegexTest, WholeMatchDiffersFromSearch) {
    const Regex pattern("[0-9]+码");
    EXPECT_TRUE(pattern.search("独胆定1码").has_value());
    EXPECT_FALSE(pattern.matchesWhole("独胆定1码"));
    EXPECT_TRUE(pattern.matchesWhole("12码"));
    EXPECT_FALSE(pattern.matchesWhole("12码x"));
}

TEST(RegexTest, SearchAllWalksSuccessiveMatches) {
    const Regex pattern("([a-z])(\\d)?");
    const auto matches = pattern.searchAll("a1 b c3");
    ASSERT_EQ(matches.size(), 3u);
    EXPECT_EQ(matches[0].groups[0], "a1");
    EXPECT_EQ(matches[1].groups[1], "b");
    EXPECT_EQ(matches[1].groups[2], "");  // unset group
    EXPECT_EQ(matches[2].groups[2], "3");
}

TEST(RegexTest, EmptyMatchesAdvanceByCharacter) {
    const Regex pattern("x*");
    const auto matches = pattern.searchAll("中x");
    // At 0 (empty), at 3 ("x"), at 4 (empty at the end).
    ASSERT_EQ(matches.size(), 3u);
    EXPECT_EQ(matches[1].groups[0], "x");
}

TEST(RegexTest, SearchFromOffset) {
    const Regex pattern("\\d");
    const auto match = pattern.search("1a2", 1);
    ASSERT_TRUE(match.has_value());
    EXPECT_EQ(match->groups[0], "2");
    EXPECT_FALSE(pattern.search("1a2", 4).has_value());
}

TEST(RegexTest, InvalidPatternAndInvalidSubjectAreHarmless) {
    const Regex broken("(abc");
    EXPECT_FALSE(broken.isValid());
    EXPECT_FALSE(broken.error().empty());
    EXPECT_FALSE(broken.search("abc").has_value());
    EXPECT_FALSE(broken.matchesWhole("abc"));
    const Regex any(".");
    EXPECT_FALSE(any.search("\xff\xfe").has_value());
}

}  // namespace
}  // namespace k3
