#include "shell/startup_facade.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core_fakes.h"
#include "shell/app_init_controller.h"
#include "tests/support/closed_init_url.h"
#include "tests/support/drawd_process.h"
#include "tests/support/temp_dir.h"
#include "updater/updater_launch.h"

namespace k3 {
namespace {

namespace fs = std::filesystem;
using test::closedInitUrl;
using test::DrawdProcess;
using testing::FakeSplash;
using testing::MemoryUpdaterFiles;
using testing::RecordingMainView;
using testing::RecordingProcessStarter;

constexpr std::string_view kUpdaterImage = "updater image bytes";

class StartupTest : public ::testing::Test {
protected:
    void TearDown() override {
        state.reset();
        drawd.reset();
    }

    // A k3drawd with the extra arguments; the test stops when it cannot start.
    void startService(std::vector<std::string> arguments = {}) {
        arguments.insert(arguments.end(), {"--db", folder.file("draws.sqlite3")});
        drawd = std::make_unique<DrawdProcess>(arguments);
        ASSERT_TRUE(drawd->isRunning()) << drawd->error();
    }

    // The application state as the program makes it, with the window's side replaced.
    void makeState(InitEndpoints endpoints) {
        state =
            std::make_unique<AppState>(AppPlatform{clock, messages, events, files, processes, kUpdaterImage,
                                                   folder.path().string(), std::move(endpoints)});
        state->setProductProfile(thisBuildProfile(messages));
        state->attachWindow(WindowParts{view, planBox, splash});
        view.formulaPeriods = "1";
        state->formulaPeriods = 1;
        splash.show("正在连接服务器……");
    }

    test::TempDir folder;
    std::unique_ptr<DrawdProcess> drawd;
    SystemClock clock;
    RecordingMessageBoxes messages{false};
    CountingEventPump events;
    MemoryUpdaterFiles files;
    RecordingProcessStarter processes;
    RecordingMainView view;
    StoredPlanView planBox;
    FakeSplash splash;
    std::unique_ptr<AppState> state;
};

TEST_F(StartupTest, FullStartFromTheLocalServiceWhenThePrimaryIsDown) {
    startService({"--link", "开奖直播=http://127.0.0.1/live", "--link", "走势图=http://127.0.0.1/trend",
                  "--link", "联系我们=http://127.0.0.1/contact"});
    makeState({closedInitUrl(), drawd->initUrl()});
    StartupFacade& startup = state->startupFacade();
    ASSERT_TRUE(startup.prepare(planBox)) << (messages.messages().empty() ? "" : messages.messages().front());
    ASSERT_TRUE(startup.start()) << (messages.messages().empty() ? "" : messages.messages().front());

    EXPECT_TRUE(messages.messages().empty());
    EXPECT_FALSE(splash.open);
    ASSERT_EQ(view.links.size(), 3u);
    const int lefts[] = {6, 105, 204};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(view.links[i].left, lefts[i]);
        EXPECT_EQ(view.links[i].top, 674);
    }
    EXPECT_EQ(view.links[1].caption, "走势图");
    EXPECT_EQ(view.links[1].target, "http://127.0.0.1/trend");

    EXPECT_EQ(view.page, state->initInfo.advert1);
    EXPECT_FALSE(view.page.empty());
    ASSERT_EQ(view.rows.size(), 50u);
    EXPECT_EQ(state->drawHistory.size(), 50u);
    EXPECT_EQ(view.rows.front().first, state->drawHistory.at(1).period);
    EXPECT_EQ(view.currentPeriod, "当前期号：" + state->drawSource().held().last.period);
    EXPECT_FALSE(state->drawSource().held().last.period.empty());

    PlanRecord plan;
    ASSERT_TRUE(state->planManager().copyPlan("独胆定1码", plan));
    EXPECT_EQ(plan.formulaPeriods, 1);
    EXPECT_GT(plan.rowCount(), 0);
    EXPECT_NE(planBox.text().find("当前计划统计：总计"), std::string::npos);
}

TEST_F(StartupTest, BothEndpointsFailingShowsTheInitErrorAndStops) {
    makeState({closedInitUrl(), closedInitUrl()});
    EXPECT_FALSE(state->startupFacade().prepare(planBox));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages().front().rfind("初始化连接服务器失败！：", 0), 0u)
        << messages.messages().front();
    EXPECT_FALSE(splash.open);
    EXPECT_TRUE(view.links.empty());
    EXPECT_TRUE(planBox.text().empty());
}

TEST_F(StartupTest, ClosingTheWindowDuringInitEndsWithoutAMessage) {
    makeState({closedInitUrl(), closedInitUrl()});
    state->stopRequests();
    EXPECT_FALSE(state->startupFacade().prepare(planBox));
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(StartupTest, ANewerVersionAsksAndARefusalStopsTheStart) {
    const fs::path offered = folder.path() / "client-1.5";
    std::ofstream(offered) << "new client";
    startService({"--offer-version", "1.5", "--offer-file", offered.string()});
    makeState({drawd->initUrl(), closedInitUrl()});
    EXPECT_FALSE(state->startupFacade().prepare(planBox));
    ASSERT_EQ(messages.questions().size(), 1u);
    EXPECT_EQ(messages.questions().front(), "澜星吉林快三平刷独胆计划已经更新至1.5\r\n点击确定立即更新");
    EXPECT_FALSE(splash.open);
    EXPECT_TRUE(processes.started.empty());
    EXPECT_TRUE(planBox.text().empty());
}

TEST_F(StartupTest, AcceptedUpdateStartsTheUpdaterAndStopsTheStart) {
    const fs::path offered = folder.path() / "client-1.5";
    std::ofstream(offered) << "new client";
    startService({"--offer-version", "1.5", "--offer-file", offered.string()});
    makeState({drawd->initUrl(), closedInitUrl()});
    messages.setAnswer(true);
    EXPECT_FALSE(state->startupFacade().prepare(planBox));
    ASSERT_EQ(processes.started, std::vector<std::string>{state->updaterPath});
    EXPECT_EQ(files.files.at(state->updaterPath), kUpdaterImage);
    ASSERT_EQ(processes.lastArguments.size(), 5u);
    EXPECT_EQ(processes.lastArguments[2], "1.5");
}

TEST_F(StartupTest, TheSameVersionGoesOnWithoutAQuestion) {
    const fs::path offered = folder.path() / "client-1.410";
    std::ofstream(offered) << "same client";
    startService({"--offer-version", "1.410", "--offer-file", offered.string()});
    makeState({drawd->initUrl(), closedInitUrl()});
    EXPECT_TRUE(state->startupFacade().prepare(planBox));
    EXPECT_TRUE(messages.questions().empty());
}

TEST_F(StartupTest, LinkBarFollowsTheStartUpData) {
    makeState({closedInitUrl(), closedInitUrl()});
    AppInitController controller(*state);
    EXPECT_EQ(controller.buildLinkBar(), 0);
    EXPECT_TRUE(view.links.empty());

    // A target list shorter than the names gives the extra link no address rather than
    // reading past the list.
    state->initInfo.linkNames = {"甲", "乙"};
    state->initInfo.linkTargets = {"http://127.0.0.1/a"};
    EXPECT_EQ(controller.buildLinkBar(), 2);
    ASSERT_EQ(view.links.size(), 2u);
    EXPECT_EQ(view.links[0].target, "http://127.0.0.1/a");
    EXPECT_EQ(view.links[1].target, "");
    EXPECT_EQ(view.links[1].left, 105);
}

TEST_F(StartupTest, ALeftoverUpdaterIsRemovedWhenTheStateIsMade) {
    DiskUpdaterFiles disk;
    const std::string leftover = updaterPathIn(folder.path().string());
    std::ofstream(leftover) << "old updater";
    AppState fresh(
        AppPlatform{clock, messages, events, disk, processes, kUpdaterImage, folder.path().string()});
    EXPECT_EQ(fresh.updaterPath, leftover);
    EXPECT_FALSE(fs::exists(leftover));
}

}  // namespace
}  // namespace k3
