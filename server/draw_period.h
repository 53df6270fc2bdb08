// Period numbers of the draws: the day as YYYYMMDD followed by the three-digit number of the
// draw within that day (001 to 082), e.g. 20261210045.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace k3 {

inline constexpr int kDrawsPerDay = 82;

struct DrawPeriod {
    std::chrono::year_month_day day{};
    int number = 1;  // 1 .. kDrawsPerDay

    bool operator==(const DrawPeriod&) const = default;
};

std::string periodText(const DrawPeriod& period);
// nullopt unless the text is eleven digits naming a real day and a number within the day.
std::optional<DrawPeriod> parsePeriod(std::string_view text);

// The next period: the following number, after the day's last the next day's first.
DrawPeriod nextPeriod(const DrawPeriod& period);
DrawPeriod previousPeriod(const DrawPeriod& period);

// Day text "YYYYMMDD" that every period of the day starts with.
std::string dayText(const std::chrono::year_month_day& day);

}  // namespace k3
