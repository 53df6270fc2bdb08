#include "platform/text.h"

#include <gtest/gtest.h>

#include <ostream>

#include <climits>

namespace k3 {
namespace {

struct IntCase {
    const char* text;
    int32_t value;
};

std::ostream& operator<<(std::ostream& out, const IntCase& c) { return out << '"' << c.text << '"'; }

class TextToIntTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(TextToIntTest, ReadsLeadingNumber) { EXPECT_EQ(textToInt(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Texts, TextToIntTest,
                         ::testing::Values(IntCase{"１２", 12}, IntCase{" -3x", -3}, IntCase{"abc", 0},
                                           IntCase{"", 0}, IntCase{"42", 42}, IntCase{"\t\r\n 7", 7},
                                           IntCase{"+9", 9}, IntCase{"-", 0}, IntCase{"- 5", 0},
                                           IntCase{"１２ab３", 12}, IntCase{"－５", -5}, IntCase{"　８", 8},
                                           IntCase{"2147483647", INT32_MAX}, IntCase{"2147483648", INT32_MAX},
                                           IntCase{"-2147483648", INT32_MIN},
                                           IntCase{"-99999999999999999999", INT32_MIN},
                                           IntCase{"99999999999999999999999", INT32_MAX}, IntCase{"007", 7},
                                           IntCase{"\xff\xfe"
                                                   "12",
                                                   0},
                                           IntCase{"x\xef\xbc", 0}, IntCase{"3\xef\xbc", 3}));

TEST(TextToInt64Test, ReadsPeriodNumbers) {
    EXPECT_EQ(textToInt64("20261210045"), 20261210045LL);
    EXPECT_EQ(textToInt64("99999999999999999999"), INT64_MAX);
    EXPECT_EQ(textToInt64("-9223372036854775808"), INT64_MIN);
}

struct SplitCase {
    const char* text;
    const char* separator;
    std::vector<std::string> pieces;
};

std::ostream& operator<<(std::ostream& out, const SplitCase& c) { return out << '"' << c.text << '"'; }

class SplitTextTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTextTest, KeepsInnerEmptyPiecesAndDropsTrailingOne) {
    EXPECT_EQ(splitText(GetParam().text, GetParam().separator), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(Texts, SplitTextTest,
                         ::testing::Values(SplitCase{"", ",", {}}, SplitCase{"1,3,5", ",", {"1", "3", "5"}},
                                           SplitCase{"1,,5", ",", {"1", "", "5"}},
                                           SplitCase{"1,3,", ",", {"1", "3"}}, SplitCase{",", ",", {""}},
                                           SplitCase{",,", ",", {"", ""}}, SplitCase{",1", ",", {"", "1"}},
                                           SplitCase{"a| |b| |", "| |", {"a", "b"}},
                                           SplitCase{"abc", "", {"abc"}},
                                           SplitCase{"a|+|b|+||+|c", "|+|", {"a", "b", "", "c"}},
                                           SplitCase{"中,文", ",", {"中", "文"}}));

TEST(ReplaceAllTest, ReplacesEveryOccurrenceWithoutRescanning) {
    EXPECT_EQ(replaceAll("a-b-c", "-", "+"), "a+b+c");
    EXPECT_EQ(replaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(replaceAll("abab", "ab", ""), "");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAll("计划计划", "计划", "中"), "中中");
}

TEST(ContainsTextTest, EmptyNeedleOccursNowhere) {
    EXPECT_TRUE(containsText("前三直选10-50注", "注"));
    EXPECT_FALSE(containsText("独胆定1码", "注"));
    EXPECT_FALSE(containsText("abc", ""));
    EXPECT_FALSE(containsText("", ""));
}

TEST(FormatDoubleTest, UsesThirteenSignificantDigits) {
    EXPECT_EQ(formatDouble(60.0), "60");
    EXPECT_EQ(formatDouble(100.0 / 3.0), "33.33333333333");
    EXPECT_EQ(formatDouble(12.5), "12.5");
    EXPECT_EQ(formatDouble(0.0), "0");
    EXPECT_EQ(formatDouble(1e20), "1e+20");
}

TEST(EncodingTest, RoundTripsChineseThroughGbk) {
    const auto gbk = utf8ToGbk("配置.ini");
    ASSERT_TRUE(gbk.has_value());
    EXPECT_EQ(*gbk, "\xC5\xE4\xD6\xC3.ini");
    EXPECT_EQ(gbkToUtf8(*gbk), std::optional<std::string>("配置.ini"));
}

TEST(EncodingTest, RejectsInvalidInput) {
    EXPECT_FALSE(utf8ToGbk("\xE4\xB8").has_value());          // truncated UTF-8
    EXPECT_FALSE(utf8ToGbk("\xC0\x80").has_value());          // overlong
    EXPECT_FALSE(utf8ToGbk("\xF0\x9F\x98\x80").has_value());  // no GBK form
    EXPECT_FALSE(gbkToUtf8("\xC5").has_value());              // truncated GBK
    EXPECT_FALSE(gbkToUtf8("\x81\x20").has_value());          // lead byte without a trail byte
    EXPECT_FALSE(gbkToUtf8("\xFF\xFF").has_value());
    EXPECT_EQ(utf8ToGbk(""), std::optional<std::string>(""));
}

TEST(EncodingTest, ValidatesUtf8) {
    EXPECT_TRUE(isValidUtf8("吉林快三"));
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));  // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));
    EXPECT_FALSE(isValidUtf8("ab\x80"));
}

}  // namespace
}  // namespace k3
