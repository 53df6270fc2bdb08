// Cutting the draw rows out of the raw reply text and laying them out as a table.
#include "service/draw_table.h"

#include <gtest/gtest.h>

#include <ostream>

#include <iterator>
#include <random>

namespace k3 {
namespace {

struct TableCase {
    const char* name;
    const char* text;
    DrawTable table;
};

// Test names show the case name rather than the bytes of the case.
void PrintTo(const TableCase& c, std::ostream* out) { *out << c.name; }

class ParseDrawTable : public testing::TestWithParam<TableCase> {};

TEST_P(ParseDrawTable, LaysThePiecesOutRowByRow) {
    DrawTable table{{"stale"}};
    EXPECT_TRUE(parseDrawTable(GetParam().text, table));
    EXPECT_EQ(table, GetParam().table);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseDrawTable,
    testing::Values(TableCase{"TwoFullRows", "1|+|2|+|3\r\n4|+|5|+|6", {{"1", "2", "3"}, {"4", "5", "6"}}},
                    TableCase{"ShortRowDropsTheRest", "1|+|2|+|3\r\n4|+|5", {{"1", "2"}, {"3", "4"}}},
                    TableCase{"TrailingLineBreakAddsNoRow", "1|+|2\r\n3|+|4\r\n", {{"1", "2"}, {"3", "4"}}},
                    TableCase{"EmptyLineIsARowWithoutPieces",
                              "1|+|2|+|3\r\n\r\n4|+|5|+|6",
                              {{"1", "2"}, {"3", "4"}, {"5", "6"}}},
                    TableCase{"EmptyPiecesKept", "|+|a|+|\r\nb|+||+|c", {{"", "a"}, {"b", ""}}},
                    TableCase{"BareLineFeedIsNoRowBreak", "1|+|2\n3", {{"1", "2\n3"}}},
                    TableCase{"OneRow",
                              "2017050201|+|01|+|2017-05-02 08:28:00|+|1,2,3",
                              {{"2017050201", "01", "2017-05-02 08:28:00", "1,2,3"}}}),
    [](const testing::TestParamInfo<TableCase>& info) { return info.param.name; });

TEST(ParseDrawTableRefuses, TextsThatGiveNoColumn) {
    for (const char* text : {"", "\r\n", "1\r\n\r\n", "\r\n\r\nx"}) {
        SCOPED_TRACE(testing::PrintToString(text));
        DrawTable table{{"kept"}};
        EXPECT_FALSE(parseDrawTable(text, table));
        EXPECT_EQ(table, DrawTable{{"kept"}});
    }
}

// Random texts built from the separators and a few characters: every accepted table is
// rectangular with at least one column, every refused one is left alone.
TEST(ParseDrawTableRefuses, NeverGivesARaggedOrEmptyTable) {
    const char* const parts[] = {"\r\n", "|+|", "1", "", "\r", "\n", "|", "+", "开"};
    std::mt19937 random(2113);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) {
            text += parts[random() % std::size(parts)];
        }
        DrawTable table{{"kept"}};
        if (!parseDrawTable(text, table)) {
            EXPECT_EQ(table, DrawTable{{"kept"}}) << testing::PrintToString(text);
            continue;
        }
        ASSERT_FALSE(table.empty()) << testing::PrintToString(text);
        for (const std::vector<std::string>& row : table) {
            EXPECT_EQ(row.size(), table[0].size()) << testing::PrintToString(text);
            EXPECT_GT(row.size(), 0u) << testing::PrintToString(text);
        }
    }
}

struct InnerCase {
    const char* name;
    const char* raw;
    const char* inner;
};

// Test names show the case name rather than the bytes of the case.
void PrintTo(const InnerCase& c, std::ostream* out) { *out << c.name; }

class ExtractInnerData : public testing::TestWithParam<InnerCase> {};

TEST_P(ExtractInnerData, CutsByPosition) {
    std::string text = GetParam().raw;
    extractInnerData(text);
    EXPECT_EQ(text, GetParam().inner);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtractInnerData,
    testing::Values(
        InnerCase{"ServiceLayout", R"({"errcode":"0","msg":"","data":"{\"data\":\"1|+|2\\r\\n3|+|4\"}"})",
                  "1|+|2\r\n3|+|4"},
        InnerCase{"Chinese", R"({"errcode":"0","msg":"成功","data":"{\"data\":\"开|+|奖\"}"})", "开|+|奖"},
        InnerCase{"EmptyRows", R"({"errcode":"0","msg":"","data":"{\"data\":\"\"}"})", ""},
        // Without the inner name the cut starts at position 8 all the same.
        InnerCase{"NoInnerName", R"({"msg":"abcdefgh","data":"{\"k\":\"v\"}"})",
                  R"("abcdefgh","data":"{\"k\":\"v)"},
        InnerCase{"NoClosingQuoteBrace", R"({"errcode":"0","msg":"x","other":"y"})", ""},
        InnerCase{"NoClosing", R"({"errcode":"0","data":"{\"data\":\"1|+|2)", ""}, InnerCase{"Empty", "", ""},
        InnerCase{"Short", "data\\", ""}),
    [](const testing::TestParamInfo<InnerCase>& info) { return info.param.name; });

}  // namespace
}  // namespace k3
