#include "server/draw_feed.h"

#include "tests/support/temp_dir.h"
#include "platform/clock.h"
#include "server/random_source.h"

#include <gtest/gtest.h>

namespace k3 {
namespace {

constexpr int64_t kChinaOffset = 8 * 3600;

int64_t localOf(std::string_view dateTime) { return *parseDateTimeAsUtc(dateTime) - kChinaOffset; }

// Periods run on without gaps or repeats, newest first.
void expectContiguous(const std::vector<StoredDraw>& newestFirst) {
    for (size_t i = 1; i < newestFirst.size(); ++i) {
        const std::optional<DrawPeriod> newer = parsePeriod(newestFirst[i - 1].record.period);
        const std::optional<DrawPeriod> older = parsePeriod(newestFirst[i].record.period);
        ASSERT_TRUE(newer && older);
        EXPECT_EQ(*newer, nextPeriod(*older)) << newestFirst[i].record.period;
    }
}

class DrawFeedTest : public ::testing::Test {
protected:
    // A store, schedule and feed on the fake clock, started.
    struct Service {
        Service(const std::string& path, Clock& clock, int64_t interval) : schedule(clock, interval) {
            std::string error;
            store = DrawStore::open(path, error);
            feed = std::make_unique<DrawFeed>(*store, schedule, random, clock);
            started = feed->start(error);
        }
        SystemRandom random;
        DrawSchedule schedule;
        std::unique_ptr<DrawStore> store;
        std::unique_ptr<DrawFeed> feed;
        bool started = false;
    };

    std::string path() const { return m_dir.file("feed.sqlite3"); }

    test::TempDir m_dir;
    FakeClock m_clock{0, 0, localOf("2026-12-10 12:05:00"), kChinaOffset};
};

TEST_F(DrawFeedTest, ANewStoreStartsWithTheDrawsUpToNow) {
    Service service(path(), m_clock, 0);
    ASSERT_TRUE(service.started);
    const std::vector<StoredDraw> history = service.store->latest(500);
    ASSERT_EQ(history.size(), static_cast<size_t>(DrawFeed::kStartHistory));
    expectContiguous(history);
    EXPECT_EQ(history.front().record.period, "20261210022");
    EXPECT_EQ(history.front().record.drawTime, "2026-12-10 12:00:00");
    for (const StoredDraw& draw : history) {
        EXPECT_EQ(draw.record.extra, "吉林快三");
        EXPECT_NE(draw.record.seed, 0);
        EXPECT_EQ(draw.record.numbers.size(), 5u);
    }
}

TEST_F(DrawFeedTest, StatusNamesTheLatestDrawAndTheScheduledNext) {
    Service service(path(), m_clock, 0);
    const DrawStatus status = service.feed->status();
    EXPECT_EQ(status.last.period, "20261210022");
    EXPECT_EQ(status.next, (DrawRecord{"吉林快三", "20261210023", "2026-12-10 12:10:00", "", 0}));
    EXPECT_EQ(service.feed->newestPeriod(), "20261210022");
}

TEST_F(DrawFeedTest, DrawsAreMadeWhenTheyFallDue) {
    Service service(path(), m_clock, 0);
    m_clock.setNow(localOf("2026-12-10 12:09:59"));
    EXPECT_EQ(service.feed->advance(), 0);
    m_clock.setNow(localOf("2026-12-10 12:30:00"));
    EXPECT_EQ(service.feed->advance(), 3);
    const std::vector<StoredDraw> history = service.store->latest(4);
    EXPECT_EQ(history.front().record.period, "20261210025");
    EXPECT_EQ(history.front().record.drawTime, "2026-12-10 12:30:00");
    expectContiguous(history);
}

TEST_F(DrawFeedTest, ARestartKeepsTheHistoryAndCatchesUpWithoutGaps) {
    std::vector<StoredDraw> before;
    {
        Service first(path(), m_clock, 0);
        before = first.store->latest(50);
    }
    // Stopped over night: the rest of the day and the next morning's draws are made at start.
    m_clock.setNow(localOf("2026-12-11 09:00:00"));
    Service second(path(), m_clock, 0);
    ASSERT_TRUE(second.started);
    const std::vector<StoredDraw> after = second.store->latest(500);
    EXPECT_EQ(after.front().record.period, "20261211004");
    EXPECT_EQ(after.size(), static_cast<size_t>(DrawFeed::kStartHistory) + (82 - 22) + 4);
    expectContiguous(after);
    const auto kept = std::find(after.begin(), after.end(), before.front());
    ASSERT_NE(kept, after.end());
    EXPECT_TRUE(std::equal(before.begin(), before.end(), kept));
}

TEST_F(DrawFeedTest, IntervalModeDrawsEveryIntervalAfterARestart) {
    {
        Service first(path(), m_clock, 2);
        m_clock.advance(2);
        EXPECT_EQ(first.feed->advance(), 1);
        EXPECT_EQ(first.feed->newestPeriod(), "20261210023");
    }
    // A long stop: one draw at once, stamped now, then the interval again.
    m_clock.advance(3600);
    Service second(path(), m_clock, 2);
    EXPECT_EQ(second.feed->newestPeriod(), "20261210024");
    EXPECT_EQ(second.store->latest(1).front().drawnAt, m_clock.nowSeconds());
    m_clock.advance(1);
    EXPECT_EQ(second.feed->advance(), 0);
    m_clock.advance(1);
    EXPECT_EQ(second.feed->advance(), 1);
    expectContiguous(second.store->latest(500));
}

}  // namespace
}  // namespace k3
