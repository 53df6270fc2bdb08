#include "platform/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace k3 {
namespace {

TEST(ParseDateTimeTest, AcceptsCalendarDateTimes) {
    EXPECT_EQ(parseDateTimeAsUtc("1970-01-01 00:00:00"), 0);
    EXPECT_EQ(parseDateTimeAsUtc("2026-12-10 08:30:00"), 1796891400);
    EXPECT_EQ(parseDateTimeAsUtc("2024-02-29 23:59:59"), 1709251199);
}

TEST(ParseDateTimeTest, RejectsAnythingElse) {
    for (const char* text :
         {"", "2026-12-10", "2026-13-01 00:00:00", "2026-02-29 00:00:00", "2026-12-10 24:00:00",
          "2026-12-10 08:30:00x", "abc", "2026/12/10 08:30:00", "2026-12-10T08:30:00"}) {
        EXPECT_FALSE(parseDateTimeAsUtc(text).has_value()) << text;
    }
}

TEST(FakeClockTest, TicksAdvanceByStepAndWrap) {
    FakeClock clock(0xFFFFFFF0u, 0x20);
    EXPECT_EQ(clock.millisecondsSinceStart(), 0xFFFFFFF0u);
    EXPECT_EQ(clock.millisecondsSinceStart(), 0x10u);
    EXPECT_EQ(clock.tickReads(), 2u);
}

TEST(FakeClockTest, LocalTimesUseItsOffset) {
    FakeClock clock(0, 0, 1494000000);
    EXPECT_EQ(clock.secondsSinceBase(), 1494000000);  // a UTC+8 clock: equals Unix time
    EXPECT_EQ(clock.localToSeconds("1970-01-01 08:00:00"), 0);
    FakeClock utc(0, 0, 1000, 0);
    EXPECT_EQ(utc.secondsSinceBase(), 1000 - 8 * 3600);
}

TEST(SystemClockTest, FollowsTheTimeZone) {
    setenv("TZ", "Asia/Shanghai", 1);
    tzset();
    SystemClock clock;
    EXPECT_EQ(clock.localToSeconds("2026-12-10 08:30:00"), 1796891400 - 8 * 3600);
    EXPECT_FALSE(clock.localToSeconds("bad").has_value());
    const int64_t base = clock.secondsSinceBase();
    const int64_t now = clock.nowSeconds();
    EXPECT_LE(std::llabs(base - now), 2);
}

}  // namespace
}  // namespace k3
