// Period texts and their succession across days.
#include "server/draw_period.h"

#include <cstdio>

namespace k3 {
namespace {

bool allDigits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

int digitsValue(std::string_view digits) {
    int value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::string dayText(const std::chrono::year_month_day& day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

std::string periodText(const DrawPeriod& period) {
    char number[8];
    std::snprintf(number, sizeof number, "%03d", period.number);
    return dayText(period.day) + number;
}

std::optional<DrawPeriod> parsePeriod(std::string_view text) {
    if (text.size() != 11 || !allDigits(text)) {
        return std::nullopt;
    }
    const std::chrono::year_month_day day{
        std::chrono::year(digitsValue(text.substr(0, 4))),
        std::chrono::month(static_cast<unsigned>(digitsValue(text.substr(4, 2)))),
        std::chrono::day(static_cast<unsigned>(digitsValue(text.substr(6, 2))))};
    const int number = digitsValue(text.substr(8, 3));
    if (!day.ok() || number < 1 || number > kDrawsPerDay) {
        return std::nullopt;
    }
    return DrawPeriod{day, number};
}

DrawPeriod nextPeriod(const DrawPeriod& period) {
    if (period.number < kDrawsPerDay) {
        return {period.day, period.number + 1};
    }
    return {std::chrono::year_month_day{std::chrono::sys_days{period.day} + std::chrono::days(1)}, 1};
}

DrawPeriod previousPeriod(const DrawPeriod& period) {
    if (period.number > 1) {
        return {period.day, period.number - 1};
    }
    return {std::chrono::year_month_day{std::chrono::sys_days{period.day} - std::chrono::days(1)},
            kDrawsPerDay};
}

}  // namespace k3
