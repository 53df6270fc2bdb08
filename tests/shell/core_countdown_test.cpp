#include "draws/countdown.h"

#include <gtest/gtest.h>

#include <ostream>

#include <vector>

namespace k3 {
namespace {

struct CountdownCase {
    int32_t seconds;
    const char* text;
};

void PrintTo(const CountdownCase& c, std::ostream* out) { *out << c.seconds; }

class FormatCountdownTest : public ::testing::TestWithParam<CountdownCase> {};

TEST_P(FormatCountdownTest, MinutesAndSecondsWithFullWidthColon) {
    EXPECT_EQ(formatCountdown(GetParam().seconds), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Seconds, FormatCountdownTest,
                         ::testing::Values(CountdownCase{125, "02：05"}, CountdownCase{0, "00：00"},
                                           CountdownCase{9, "00：09"}, CountdownCase{59, "00：59"},
                                           CountdownCase{60, "01：00"}, CountdownCase{600, "10：00"},
                                           CountdownCase{6000, "100：00"}, CountdownCase{-1, ""},
                                           CountdownCase{INT32_MIN, ""}));

TEST(TimerTicksTest, ActsOnEveryThirdTick) {
    int32_t ticks = 0;
    std::vector<bool> acted;
    for (int i = 0; i < 9; ++i) {
        acted.push_back(advanceTimerTicks(ticks));
    }
    EXPECT_EQ(acted, (std::vector<bool>{false, false, true, false, false, true, false, false, true}));
    EXPECT_EQ(ticks, 0);
}

TEST(TimerTicksTest, CounterGoesUpUntilTheActingTick) {
    int32_t ticks = 0;
    advanceTimerTicks(ticks);
    EXPECT_EQ(ticks, 1);
    advanceTimerTicks(ticks);
    EXPECT_EQ(ticks, 2);
    EXPECT_TRUE(advanceTimerTicks(ticks));
    EXPECT_EQ(ticks, 0);
}

}  // namespace
}  // namespace k3
