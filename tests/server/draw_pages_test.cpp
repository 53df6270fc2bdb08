#include "server/draw_pages.h"

#include <gtest/gtest.h>

namespace k3 {
namespace {

std::vector<StoredDraw> draws(std::initializer_list<std::pair<const char*, const char*>> periodsAndNumbers) {
    std::vector<StoredDraw> result;
    for (const auto& [period, numbers] : periodsAndNumbers) {
        result.push_back({{"吉林快三", period, "2026-12-10 08:30:00", numbers, 7}, 0});
    }
    return result;
}

size_t count(const std::string& text, std::string_view what) {
    size_t found = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++found;
    }
    return found;
}

TEST(DrawPagesTest, AdvertPageListsDrawsChartsTodayAndRefreshesItself) {
    const auto latest = draws({{"20261210003", "1,2,3"}, {"20261210002", "4,5,6"}});
    const auto today = draws({{"20261210003", "1,2,3"}, {"20261210002", "4,5,6"}, {"20261210001", "6,6,6"}});
    const std::string page = renderAdvertPage(latest, today);
    EXPECT_NE(page.find("<meta http-equiv=\"refresh\" content=\"60\">"), std::string::npos);
    EXPECT_NE(page.find("<td>20261210003</td><td class=\"n\">1,2,3</td><td>6</td>"), std::string::npos);
    EXPECT_NE(page.find("<td>20261210002</td><td class=\"n\">4,5,6</td><td>15</td>"), std::string::npos);
    EXPECT_EQ(count(page, "<svg"), 1u);
    // Nothing is fetched from elsewhere.
    for (const std::string_view outside : {"src=", "href=", "@import", "url("}) {
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
    }
}

TEST(DrawPagesTest, TrendChartRunsFromTheOldestDrawAndScalesTheSums) {
    const std::string chart = renderTrendChart(draws({{"20261210003", "6,6,6"}, {"20261210002", "1,1,1"}}));
    // Oldest (sum 3) at the left and lowest, newest (sum 18) at the right and highest.
    EXPECT_NE(chart.find("points=\"16,114 224,16 \""), std::string::npos) << chart;
}

TEST(DrawPagesTest, TrendChartOfADayWithoutDrawsSaysSo) {
    const std::string chart = renderTrendChart({});
    EXPECT_EQ(chart.find("<polyline"), std::string::npos);
    EXPECT_NE(chart.find("今日尚未开奖"), std::string::npos);
}

TEST(DrawPagesTest, TextsAreEscaped) {
    const std::string page = renderHistoryPage(draws({{"<b>&", "1,2,3"}}));
    EXPECT_NE(page.find("<td>&lt;b&gt;&amp;</td>"), std::string::npos);
    EXPECT_EQ(page.find("<b>&"), std::string::npos);
}

}  // namespace
}  // namespace k3
