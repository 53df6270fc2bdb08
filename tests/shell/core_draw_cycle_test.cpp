#include "shell/draw_cycle.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core_fakes.h"
#include "plan/plan_manager.h"

namespace k3 {
namespace {

using testing::EventLog;
using testing::LoggingPlanView;
using testing::RecordingMainView;
using testing::ScriptedDrawService;

const int64_t kNoon = *parseDateTimeAsUtc("2026-12-10 12:00:00") - 8 * 3600;
constexpr const char* kPlan = "独胆定1码";

std::string periodNumber(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "20261210%03d", n);
    return text;
}

std::string numbersFor(int n) {
    return std::to_string(n % 6 + 1) + "," + std::to_string((n + 2) % 6 + 1) + "," +
           std::to_string((n + 4) % 6 + 1);
}

// rows draws, newest (period rows) first.
DrawTable historyTable(int rows) {
    DrawTable table;
    for (int n = rows; n >= 1; --n) {
        table.push_back(
            {"x", periodNumber(n), "2026-12-10 10:00:00", numbersFor(n), std::to_string(1000 + n)});
    }
    return table;
}

std::vector<std::string> newestFields(int n, const std::string& nextTime) {
    return {"x",     periodNumber(n), "2026-12-10 11:59:00", numbersFor(n), "99", "y", periodNumber(n + 1),
            nextTime};
}

class DrawCycleTest : public ::testing::Test {
protected:
    DrawCycleTest() {
        presenter.attachView(&view);
        manager.addPlan(kPlan, kPlan, periods);
        controller.initialise(planBox, kPlan);
    }

    // Start-up with 30 draws of history and the next draw due at nextTime; the log and the
    // call counts start afresh after it.
    void loadWithThirtyDraws(const std::string& nextTime) {
        service.probeText = "030";
        service.newestFields = newestFields(30, nextTime);
        service.history = historyTable(30);
        ASSERT_TRUE(cycle.loadStartDraws("http://127.0.0.1/advert"));
        log.clear();
        service.probes = 0;
        service.newestCalls = 0;
    }

    // One group of three timer ticks.
    void tickGroup() {
        for (int i = 0; i < 3; ++i) {
            cycle.onCountdownTick();
        }
    }

    EventLog log;
    RecordingMainView view{&log};
    LoggingPlanView planBox{log};
    ScriptedDrawService service;
    FakeClock clock{1000, 16, kNoon};
    RecordingMessageBoxes messages;
    CountingEventPump events;
    DrawSource source{service, clock};
    MainPresenter presenter;
    PlanManager manager{clock};
    DrawStatus currentDraw;
    DrawHistory history;
    int32_t ticks = 0;
    int32_t periods = 3;
    std::string betPrefix;
    PlanController controller{manager, clock, messages, PlanControllerState{history, periods, betPrefix}};
    DrawCycle cycle{DrawCycleParts{source, service, presenter, controller, currentDraw, history, ticks,
                                   periods, messages, events}};
};

TEST_F(DrawCycleTest, StartWithThirtyDrawsShowsFiftyRowsAndRebuildsThePlanOnce) {
    service.probeText = "030";
    service.newestFields = newestFields(30, "2026-12-10 12:05:00");
    service.history = historyTable(30);
    ASSERT_TRUE(cycle.loadStartDraws("http://127.0.0.1/advert"));

    EXPECT_EQ(service.requestedCounts, std::vector<int32_t>{50});
    EXPECT_EQ(log.front(), "page:http://127.0.0.1/advert");
    EXPECT_EQ(view.currentPeriod, "当前期号：" + periodNumber(30));
    EXPECT_EQ(view.numberLabels(), "1 0 3 0 5");
    ASSERT_EQ(view.rows.size(), 50u);
    EXPECT_EQ(history.size(), 50u);
    for (std::size_t row = 0; row < 30; ++row) {
        EXPECT_EQ(view.rows[row].first, periodNumber(30 - static_cast<int>(row)));
    }
    for (std::size_t row = 30; row < 50; ++row) {
        EXPECT_EQ(view.rows[row], (std::pair<std::string, std::string>{"", ""}));
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "planbox"), 1);
    EXPECT_NE(planBox.text.find("当前计划统计：总计"), std::string::npos);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(DrawCycleTest, FailedHistoryShowsBothMessagesAndStops) {
    service.probeText = "030";
    service.newestFields = newestFields(30, "2026-12-10 12:05:00");
    service.selectSucceeds = false;
    EXPECT_FALSE(cycle.loadStartDraws("http://127.0.0.1/advert"));
    EXPECT_EQ(
        messages.messages(),
        (std::vector<std::string>{"查询最近开奖数据失败！获取最新开奖数据失败!服务器访问失败! 错误代码：9999",
                                  "获取网络开奖数据失败！"}));
    EXPECT_EQ(history.size(), 0u);
    EXPECT_TRUE(view.rows.empty());
    EXPECT_TRUE(planBox.text.empty());
}

TEST_F(DrawCycleTest, TicksOneAndTwoOfEachGroupDoNothing) {
    loadWithThirtyDraws("2026-12-10 12:02:05");
    cycle.onCountdownTick();
    cycle.onCountdownTick();
    EXPECT_TRUE(log.empty());
    cycle.onCountdownTick();
    EXPECT_EQ(log, EventLog{"time:02：05"});
}

TEST_F(DrawCycleTest, NewDrawGoesToLabelsPlanHistoryAndListInThatOrder) {
    loadWithThirtyDraws("2026-12-10 12:00:00");
    clock.setNow(kNoon + 10);
    service.probeText = "031";
    service.newestFields = newestFields(31, "2026-12-10 12:10:00");
    tickGroup();
    EXPECT_EQ(log, (EventLog{"time:正在开奖……", "period:当前期号：" + periodNumber(31), "planbox",
                             "row:" + periodNumber(31) + " " + numbersFor(31)}));
    ASSERT_EQ(history.size(), 51u);
    EXPECT_EQ(history.at(1).period, periodNumber(31));
    EXPECT_EQ(history.at(2).period, periodNumber(30));
    EXPECT_EQ(view.rows.front().first, periodNumber(31));
    EXPECT_EQ(view.rows.size(), 51u);
    EXPECT_EQ(currentDraw.last.period, periodNumber(31));

    tickGroup();
    EXPECT_EQ(view.drawTime, "09：50");
}

TEST_F(DrawCycleTest, ServiceDownKeepsTheDrawDueUntilItReturns) {
    loadWithThirtyDraws("2026-12-10 12:00:00");
    service.probeText = "";
    service.newestSucceeds = false;
    for (int second = 1; second <= 20; ++second) {
        clock.setNow(kNoon + second);
        tickGroup();
        EXPECT_EQ(view.drawTime, "正在开奖……");
    }
    EXPECT_EQ(view.rows.size(), 50u);
    EXPECT_EQ(history.size(), 50u);
    // The last attempt was at the load (noon): one attempt every six seconds since.
    EXPECT_EQ(service.probes, 3);
    EXPECT_EQ(service.newestCalls, 3);

    service.probeText = "031";
    service.newestSucceeds = true;
    service.newestFields = newestFields(31, "2026-12-10 12:10:00");
    clock.setNow(kNoon + 30);
    tickGroup();
    EXPECT_EQ(view.rows.front().first, periodNumber(31));
    EXPECT_EQ(history.size(), 51u);
    tickGroup();
    EXPECT_EQ(view.drawTime, "09：30");
}

TEST_F(DrawCycleTest, ATickInsideARequestOnlyRepaintsTheLabel) {
    loadWithThirtyDraws("2026-12-10 12:00:00");
    clock.setNow(kNoon + 10);
    service.probeText = "031";
    service.newestFields = newestFields(31, "2026-12-10 12:10:00");
    service.onNewestDraw = [&] {
        view.drawTime.clear();
        tickGroup();  // the window processes its timer while the request runs
    };
    tickGroup();
    EXPECT_EQ(service.newestCalls, 1);
    EXPECT_EQ(service.probes, 1);
    EXPECT_EQ(history.size(), 51u);
    EXPECT_EQ(std::count(log.begin(), log.end(), "time:正在开奖……"), 2);
}

}  // namespace
}  // namespace k3
