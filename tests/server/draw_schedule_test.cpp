#include "server/draw_schedule.h"

#include "platform/clock.h"
#include "server/local_time.h"

#include <gtest/gtest.h>

namespace k3 {
namespace {

constexpr int64_t kChinaOffset = 8 * 3600;

int64_t utcOf(std::string_view dateTime) { return *parseDateTimeAsUtc(dateTime); }
// A local time of the fake clock's zone (UTC+8) as UTC seconds.
int64_t localOf(std::string_view dateTime) { return utcOf(dateTime) - kChinaOffset; }

TEST(DrawPeriodTest, TextsReadBackAndInvalidOnesAreRefused) {
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"20261210045", true},  {"20240229001", true},
        {"20261210082", true},  {"20261310001", false},
        {"20260229001", false}, {"20261210083", false},
        {"20261210000", false}, {"2026121004", false},
        {"2026121004a", false}, {"", false},
    };
    for (const auto& c : cases) {
        const std::optional<DrawPeriod> period = parsePeriod(c.text);
        EXPECT_EQ(period.has_value(), c.valid) << c.text;
        if (period) {
            EXPECT_EQ(periodText(*period), c.text);
        }
    }
}

TEST(DrawPeriodTest, SuccessionRunsThroughTheDayIntoTheNext) {
    const struct {
        const char* period;
        const char* next;
    } cases[] = {
        {"20261210045", "20261210046"}, {"20261210082", "20261211001"}, {"20261231082", "20270101001"},
        {"20240228082", "20240229001"}, {"20250228082", "20250301001"},
    };
    for (const auto& c : cases) {
        const DrawPeriod period = *parsePeriod(c.period);
        const DrawPeriod next = nextPeriod(period);
        EXPECT_EQ(periodText(next), c.next);
        EXPECT_EQ(previousPeriod(next), period) << c.next;
    }
}

TEST(LocalTimeTest, WallTimesFollowTheClocksZone) {
    FakeClock clock(0, 0, 0, kChinaOffset);
    EXPECT_EQ(formatWallTime(0), "1970-01-01 00:00:00");
    EXPECT_EQ(formatWallTime(utcOf("2026-12-10 23:59:59")), "2026-12-10 23:59:59");
    EXPECT_EQ(formatWallTime(utcToWall(clock, utcOf("2026-12-10 20:00:00"))), "2026-12-11 04:00:00");
    EXPECT_EQ(wallToUtc(clock, utcOf("2026-12-11 04:00:00")), utcOf("2026-12-10 20:00:00"));
}

TEST(DrawScheduleTest, TimetableDrawsEveryTenMinutesFromHalfPastEight) {
    FakeClock clock(0, 0, 0, kChinaOffset);
    const DrawSchedule schedule(clock, 0);
    EXPECT_EQ(schedule.timetableTime(*parsePeriod("20261210001")), localOf("2026-12-10 08:30:00"));
    EXPECT_EQ(schedule.timetableTime(*parsePeriod("20261210045")), localOf("2026-12-10 15:50:00"));
    EXPECT_EQ(schedule.timetableTime(*parsePeriod("20261210082")), localOf("2026-12-10 22:00:00"));
}

TEST(DrawScheduleTest, LatestTimetablePeriodAtTheDaysEdges) {
    FakeClock clock(0, 0, 0, kChinaOffset);
    const DrawSchedule schedule(clock, 0);
    const struct {
        const char* localTime;
        const char* period;
    } cases[] = {
        {"2026-12-10 00:00:00", "20261209082"}, {"2026-12-10 08:29:59", "20261209082"},
        {"2026-12-10 08:30:00", "20261210001"}, {"2026-12-10 08:39:59", "20261210001"},
        {"2026-12-10 08:40:00", "20261210002"}, {"2026-12-10 21:59:59", "20261210081"},
        {"2026-12-10 22:00:00", "20261210082"}, {"2026-12-10 23:59:59", "20261210082"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(periodText(schedule.latestTimetablePeriod(localOf(c.localTime))), c.period) << c.localTime;
    }
}

TEST(DrawScheduleTest, FollowingDrawOnTheTimetableCrossesMidnight) {
    FakeClock clock(0, 0, 0, kChinaOffset);
    const DrawSchedule schedule(clock, 0);
    const ScheduledDraw next =
        schedule.following(*parsePeriod("20261210082"), localOf("2026-12-10 22:00:00"));
    EXPECT_EQ(periodText(next.period), "20261211001");
    EXPECT_EQ(next.at, localOf("2026-12-11 08:30:00"));
    EXPECT_EQ(schedule.stampFor(next.at, next.at + 3600), next.at);
}

TEST(DrawScheduleTest, RecentTimetableDrawsAreContiguousUpToNow) {
    FakeClock clock(0, 0, 0, kChinaOffset);
    const DrawSchedule schedule(clock, 0);
    const int64_t now = localOf("2026-12-10 12:05:00");
    const std::vector<ScheduledDraw> draws = schedule.recentDraws(now, 120);
    ASSERT_EQ(draws.size(), 120u);
    EXPECT_EQ(periodText(draws.back().period), "20261210022");
    for (size_t i = 1; i < draws.size(); ++i) {
        EXPECT_EQ(draws[i].period, nextPeriod(draws[i - 1].period));
        EXPECT_EQ(draws[i].at, schedule.timetableTime(draws[i].period));
        EXPECT_LT(draws[i - 1].at, draws[i].at);
    }
    EXPECT_LE(draws.back().at, now);
}

TEST(DrawScheduleTest, IntervalModeDrawsEveryIntervalAndNumbersOn) {
    FakeClock clock(0, 0, 0, kChinaOffset);
    const DrawSchedule schedule(clock, 5);
    const int64_t lastAt = localOf("2026-12-10 23:00:00");
    const ScheduledDraw next = schedule.following(*parsePeriod("20261210082"), lastAt);
    EXPECT_EQ(periodText(next.period), "20261211001");
    EXPECT_EQ(next.at, lastAt + 5);

    const std::vector<ScheduledDraw> draws = schedule.recentDraws(lastAt, 120);
    ASSERT_EQ(draws.size(), 120u);
    EXPECT_EQ(draws.back().at, lastAt);
    EXPECT_EQ(draws.front().at, lastAt - 119 * 5);
    EXPECT_EQ(periodText(draws.back().period), "20261210082");
}

TEST(DrawScheduleTest, IntervalModeStampsADrawLateByAWholeIntervalWithNow) {
    FakeClock clock(0, 0, 0, kChinaOffset);
    const DrawSchedule schedule(clock, 5);
    const struct {
        int64_t late;
        int64_t stampedLate;
    } cases[] = {{0, 0}, {4, 0}, {5, 5}, {3600, 3600}};
    for (const auto& c : cases) {
        EXPECT_EQ(schedule.stampFor(1000, 1000 + c.late), 1000 + c.stampedLate) << c.late;
    }
}

}  // namespace
}  // namespace k3
