#include "draws/draw_source.h"

#include <gtest/gtest.h>

#include <ostream>

#include "core_fakes.h"

namespace k3 {
namespace {

using testing::ScriptedDrawService;

// 2026-12-10 12:00:00 in the draw's local time (UTC+8).
const int64_t kNoon = *parseDateTimeAsUtc("2026-12-10 12:00:00") - 8 * 3600;

std::vector<std::string> newestFields(const std::string& period, const std::string& numbers,
                                      const std::string& nextTime) {
    return {"x", period, "2026-12-10 11:50:00", numbers, "77", "y", period + "+1", nextTime};
}

class DrawSourceTest : public ::testing::Test {
protected:
    DrawSourceTest() : clock(0, 0, kNoon), source(service, clock) {}

    // Accepts a draw whose successor is due at noon plus dueIn seconds.
    void acceptDraw(const std::string& period, int64_t dueIn) {
        service.probeText = "probe-new";
        service.newestFields = newestFields(period, "1,2,3", localText(kNoon + dueIn));
        DrawStatus out;
        ASSERT_TRUE(source.fetchLatestDraw(out));
        service.probes = 0;
        service.newestCalls = 0;
    }

    static std::string localText(int64_t utcSeconds) {
        const int64_t local = utcSeconds + 8 * 3600;
        const int64_t day = local / 86400;
        const int64_t second = local % 86400;
        // Only times on 2026-12-10 are used here.
        EXPECT_EQ(day, (*parseDateTimeAsUtc("2026-12-10 00:00:00")) / 86400);
        char text[32];
        std::snprintf(text, sizeof text, "2026-12-10 %02d:%02d:%02d", static_cast<int>(second / 3600),
                      static_cast<int>(second / 60 % 60), static_cast<int>(second % 60));
        return text;
    }

    ScriptedDrawService service;
    FakeClock clock;
    DrawSource source;
};

TEST_F(DrawSourceTest, FirstFetchAcceptsTheDrawAndSchedulesTheNext) {
    service.probeText = "045";
    service.newestFields = newestFields("20261210045", "1,3,5", "2026-12-10 12:10:00");
    DrawStatus out;
    ASSERT_TRUE(source.fetchLatestDraw(out));
    EXPECT_EQ(out.last.period, "20261210045");
    EXPECT_EQ(out.last.numbers, "1,3,5");
    EXPECT_EQ(out.last.seed, 77);
    EXPECT_EQ(source.held(), out);
    EXPECT_EQ(source.nextDrawTime(), kNoon + 600);
    EXPECT_EQ(source.countdownText(), "10：00");
}

TEST_F(DrawSourceTest, NoRequestBeforeTheNextDrawIsDue) {
    acceptDraw("20261210045", 600);
    for (int second = 6; second < 600; second += 7) {
        clock.setNow(kNoon + second);
        DrawStatus out;
        EXPECT_FALSE(source.fetchLatestDraw(out));
    }
    EXPECT_EQ(service.probes, 0);
    EXPECT_EQ(service.newestCalls, 0);
    clock.setNow(kNoon + 600);
    EXPECT_EQ(source.countdownText(), "00：00");
    clock.setNow(kNoon + 601);
    EXPECT_EQ(source.countdownText(), "");
}

TEST_F(DrawSourceTest, AttemptsAreSixSecondsApart) {
    acceptDraw("20261210045", 60);
    service.newestSucceeds = false;
    DrawStatus out;
    clock.setNow(kNoon + 60);
    EXPECT_FALSE(source.fetchLatestDraw(out));
    EXPECT_EQ(service.probes, 1);
    clock.setNow(kNoon + 65);
    EXPECT_FALSE(source.fetchLatestDraw(out));
    EXPECT_EQ(service.probes, 1);
    clock.setNow(kNoon + 66);
    EXPECT_FALSE(source.fetchLatestDraw(out));
    EXPECT_EQ(service.probes, 2);
}

TEST_F(DrawSourceTest, TwoDueTicksInOneSecondAskOnce) {
    acceptDraw("20261210045", 60);
    service.newestSucceeds = false;
    clock.setNow(kNoon + 61);
    DrawStatus out;
    source.fetchLatestDraw(out);
    source.fetchLatestDraw(out);
    EXPECT_EQ(service.probes, 1);
    EXPECT_EQ(service.newestCalls, 1);
}

struct ProbeCase {
    const char* heldPeriod;
    const char* probe;
    bool fullCall;
};

void PrintTo(const ProbeCase& c, std::ostream* out) {
    *out << c.heldPeriod << " probe \"" << c.probe << "\"";
}

class ProbeRuleTest : public DrawSourceTest, public ::testing::WithParamInterface<ProbeCase> {};

// The probe names the newest period by its last three characters; the full call follows only
// when those differ from the held period's.
TEST_P(ProbeRuleTest, FullCallOnlyWhenThePeriodTailDiffers) {
    const ProbeCase& c = GetParam();
    acceptDraw(c.heldPeriod, 60);
    clock.setNow(kNoon + 60);
    service.probeText = c.probe;
    service.newestFields = newestFields("20261210046", "2,2,6", "2026-12-10 12:11:00");
    DrawStatus out;
    EXPECT_EQ(source.fetchLatestDraw(out), c.fullCall);
    EXPECT_EQ(service.probes, 1);
    EXPECT_EQ(service.newestCalls, c.fullCall ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Periods, ProbeRuleTest,
                         ::testing::Values(ProbeCase{"20261210045", "045", false},
                                           ProbeCase{"20261210045", "20261210045", false},
                                           ProbeCase{"20261210045", "046", true},
                                           ProbeCase{"20261210045", "", true}, ProbeCase{"045", "045", false},
                                           ProbeCase{"045", "20261210045", false},
                                           ProbeCase{"20261210045", "<html>045</html>", true}));

TEST(ProbeMatchTest, ComparesTheLastThreeCharactersOfBoth) {
    EXPECT_TRUE(probeMatchesPeriod("045", "20261210045"));
    EXPECT_FALSE(probeMatchesPeriod("046", "20261210045"));
    EXPECT_TRUE(probeMatchesPeriod("", ""));
    EXPECT_FALSE(probeMatchesPeriod("", "20261210045"));
    EXPECT_TRUE(probeMatchesPeriod("期45", "第期45"));
    EXPECT_FALSE(probeMatchesPeriod("期45", "第45"));
}

TEST_F(DrawSourceTest, EmptyProbeBeforeAnyDrawAsksNothingMore) {
    service.probeText = "";
    service.newestFields = newestFields("20261210045", "1,3,5", "2026-12-10 12:10:00");
    DrawStatus out;
    EXPECT_FALSE(source.fetchLatestDraw(out));
    EXPECT_EQ(service.newestCalls, 0);
}

TEST_F(DrawSourceTest, ReplyWithTheHeldPeriodIsNoNewDraw) {
    acceptDraw("20261210045", 60);
    const DrawStatus held = source.held();
    clock.setNow(kNoon + 60);
    service.probeText = "046";
    service.newestFields = newestFields("20261210045", "6,6,6", "2026-12-10 12:20:00");
    DrawStatus out;
    EXPECT_FALSE(source.fetchLatestDraw(out));
    EXPECT_EQ(out.last.numbers, "6,6,6");  // overwritten all the same
    EXPECT_EQ(source.held(), held);
    EXPECT_EQ(source.nextDrawTime(), kNoon + 60);
    clock.setNow(kNoon + 65);
    EXPECT_FALSE(source.fetchLatestDraw(out));
    EXPECT_EQ(service.probes, 1);
}

TEST_F(DrawSourceTest, ReplyWithoutEightFieldsChangesNothing) {
    for (const std::vector<std::string>& fields :
         {std::vector<std::string>{"A", "B"}, std::vector<std::string>(9, "9"), std::vector<std::string>{}}) {
        service.newestFields = fields;
        service.probeText = "046";
        DrawStatus out;
        out.last.period = "untouched";
        clock.advance(6);
        EXPECT_FALSE(source.fetchLatestDraw(out));
        EXPECT_EQ(out.last.period, "untouched");
        EXPECT_TRUE(source.held().last.period.empty());
    }
    EXPECT_EQ(service.newestCalls, 3);
}

TEST_F(DrawSourceTest, NestedFetchDuringARequestReturnsAtOnce) {
    acceptDraw("20261210045", 60);
    clock.setNow(kNoon + 70);
    service.probeText = "046";
    service.newestFields = newestFields("20261210046", "2,2,6", "2026-12-10 12:11:00");
    bool nestedResult = true;
    service.onNewestDraw = [&] {
        clock.advance(10);  // well past the six seconds: only the busy flag can stop it
        DrawStatus nested;
        nestedResult = source.fetchLatestDraw(nested);
    };
    DrawStatus out;
    EXPECT_TRUE(source.fetchLatestDraw(out));
    EXPECT_FALSE(nestedResult);
    EXPECT_EQ(service.probes, 1);
    EXPECT_EQ(service.newestCalls, 1);
}

TEST_F(DrawSourceTest, UnreadableDrawTimeKeepsTheDrawDue) {
    service.probeText = "045";
    service.newestFields = newestFields("20261210045", "1,3,5", "soon");
    DrawStatus out;
    ASSERT_TRUE(source.fetchLatestDraw(out));
    EXPECT_EQ(source.nextDrawTime(), 0);
    EXPECT_EQ(source.countdownText(), "");
    clock.advance(6);
    service.probeText = "046";
    EXPECT_FALSE(source.fetchLatestDraw(out));
    EXPECT_EQ(service.newestCalls, 2);
}

}  // namespace
}  // namespace k3
