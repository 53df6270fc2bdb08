// Pages built as text: a table of draws and an SVG polyline of the dice sums, styled inline.
#include "server/draw_pages.h"

#include "platform/text.h"

#include <algorithm>

namespace k3 {
namespace {

constexpr int kChartWidth = 240;
constexpr int kChartHeight = 130;
constexpr int kChartMargin = 16;
constexpr int kLowestSum = 3;
constexpr int kHighestSum = 18;

std::string escapeHtml(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

int diceSum(std::string_view numbers) {
    int sum = 0;
    for (const std::string& die : splitText(numbers, ",")) {
        sum += textToInt(die);
    }
    return sum;
}

std::string pageHead(std::string_view title, std::string_view extraHead) {
    return "<!DOCTYPE html>\n<html lang=\"zh-CN\"><head><meta charset=\"utf-8\">" + std::string(extraHead) +
           "<title>" + std::string(title) +
           "</title><style>"
           "body{margin:0;padding:6px;font:12px sans-serif;color:#333;background:#fff8f0}"
           "h1{font-size:15px;margin:2px 0 6px;color:#b22}h2{font-size:13px;margin:8px 0 4px}"
           "table{border-collapse:collapse;width:100%}td,th{border:1px solid #e3c9b0;padding:2px 3px;"
           "text-align:center}th{background:#f6e2cc}.n{color:#b22;font-weight:bold}"
           "</style></head><body>";
}

std::string drawRows(const std::vector<StoredDraw>& draws) {
    std::string rows = "<tr><th>期号</th><th>开奖号码</th><th>和值</th></tr>";
    for (const StoredDraw& draw : draws) {
        rows += "<tr><td>" + escapeHtml(draw.record.period) + "</td><td class=\"n\">" +
                escapeHtml(draw.record.numbers) + "</td><td>" + std::to_string(diceSum(draw.record.numbers)) +
                "</td></tr>";
    }
    return "<table>" + rows + "</table>";
}

int chartY(int sum) {
    const int span = kChartHeight - 2 * kChartMargin;
    return kChartHeight - kChartMargin -
           (std::clamp(sum, kLowestSum, kHighestSum) - kLowestSum) * span / (kHighestSum - kLowestSum);
}

}  // namespace

std::string renderTrendChart(const std::vector<StoredDraw>& newestFirst) {
    const int span = kChartWidth - 2 * kChartMargin;
    const auto count = static_cast<int>(newestFirst.size());
    std::string points;
    for (int i = 0; i < count; ++i) {
        const StoredDraw& draw = newestFirst[static_cast<size_t>(count - 1 - i)];
        const int x = kChartMargin + (count > 1 ? i * span / (count - 1) : span / 2);
        points += std::to_string(x) + "," + std::to_string(chartY(diceSum(draw.record.numbers))) + " ";
    }
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(kChartWidth) +
                      "\" height=\"" + std::to_string(kChartHeight) +
                      "\" role=\"img\" aria-label=\"今日和值走势\">";
    for (const int sum : {kLowestSum, 10, kHighestSum}) {
        const std::string y = std::to_string(chartY(sum));
        svg += "<line x1=\"" + std::to_string(kChartMargin) + "\" y1=\"" + y + "\" x2=\"" +
               std::to_string(kChartWidth - kChartMargin) + "\" y2=\"" + y + "\" stroke=\"#e3c9b0\"/>";
        svg += "<text x=\"2\" y=\"" + y + "\" font-size=\"9\" dy=\"3\">" + std::to_string(sum) + "</text>";
    }
    if (count > 0) {
        svg += "<polyline fill=\"none\" stroke=\"#b22\" stroke-width=\"1.5\" points=\"" + points + "\"/>";
    } else {
        svg += "<text x=\"" + std::to_string(kChartWidth / 2) + "\" y=\"" + std::to_string(kChartHeight / 2) +
               "\" text-anchor=\"middle\">今日尚未开奖</text>";
    }
    return svg + "</svg>";
}

std::string renderAdvertPage(const std::vector<StoredDraw>& latest, const std::vector<StoredDraw>& today) {
    return pageHead("开奖公告", "<meta http-equiv=\"refresh\" content=\"60\">") +
           "<h1>吉林快三 最新开奖</h1>" + drawRows(latest) + "<h2>今日和值走势</h2>" +
           renderTrendChart(today) +
           "<p>每10分钟一期，每日82期。数据仅供参考，请理性购彩。</p></body></html>";
}

std::string renderHistoryPage(const std::vector<StoredDraw>& draws) {
    return pageHead("历史开奖", "") + "<h1>吉林快三 历史开奖</h1>" + drawRows(draws) + "</body></html>";
}

}  // namespace k3
