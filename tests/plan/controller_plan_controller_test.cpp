// The plan controller against the real plan engine, a fake tick clock and an in-memory plan box.
#include "plan/generator.h"
#include "plan/plan_controller.h"
#include "plan/plan_statistics.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace k3 {
namespace {

constexpr const char* kPlan = "独胆定1码";
constexpr uint32_t kFirstTick = 1000;
constexpr uint32_t kTickStep = 7;

// Consecutive periods of one day, newest first, with numbers and seeds that vary from draw to draw.
std::vector<std::vector<std::string>> drawTable(int count) {
    std::vector<std::vector<std::string>> table;
    for (int i = count; i >= 1; --i) {
        const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
        const std::string numbers = std::to_string(1 + i % 6) + "," + std::to_string(1 + (i * 5) % 6) + "," +
                                    std::to_string(1 + (i * 7 + 3) % 6);
        table.push_back({"", "202612100" + number, "", numbers, std::to_string(4000 + i * 37)});
    }
    return table;
}

class PlanControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        setRandomSeed(1);
        m_manager.addPlan(kPlan, kPlan, 3);
        m_manager.setMaxRows(0);
        m_manager.setHitRate(80);
        m_manager.setClearAfterLosses(0);
        m_controller.initialise(m_view, kPlan);
    }

    void loadHistory(int draws, std::size_t count = 50) { m_history.replaceHistory(drawTable(draws), count); }

    const PlanRecord& shownRecord() const {
        return m_manager.records().at(std::size_t(m_manager.findPlan(kPlan) - 1));
    }

    FakeClock m_clock{kFirstTick, kTickStep};
    PlanManager m_manager{m_clock};
    RecordingMessageBoxes m_messages;
    DrawHistory m_history;
    int32_t m_formulaPeriods = 3;
    std::string m_betPrefix;
    StoredPlanView m_view;
    PlanController m_controller{m_manager, m_clock, m_messages, {m_history, m_formulaPeriods, m_betPrefix}};
};

TEST_F(PlanControllerTest, ReloadReplaysTheHistoryOldestFirstThenTheNewestAsALiveDraw) {
    loadHistory(10, 10);
    m_controller.reload(1, HistoryReplay::Honest);

    // With one period per prediction every draw settles one row, in the order the draws came.
    const PlanRecord& record = shownRecord();
    ASSERT_EQ(record.rowCount(), 11);
    for (std::size_t k = 0; k < 10; ++k) {
        EXPECT_EQ(record.rows[k].drawNumbers, m_history.at(10 - k).numbers) << "row " << k + 1;
        EXPECT_NE(record.rows[k].state, RowState::Waiting) << "row " << k + 1;
    }
    EXPECT_EQ(record.rows.back().state, RowState::Waiting);
    // Without next numbers the replay reads no ticks: the one read is the live draw's seed.
    EXPECT_EQ(m_clock.tickReads(), 1u);
    EXPECT_EQ(m_view.writes(), 1);
}

TEST_F(PlanControllerTest, ReloadWalksOnlyTheFiftyNewestDraws) {
    loadHistory(60, 60);
    m_controller.reload(1, HistoryReplay::Honest);
    const PlanRecord& record = shownRecord();
    ASSERT_EQ(record.rowCount(), 51);
    EXPECT_EQ(record.rows.front().drawNumbers, m_history.at(50).numbers);
    EXPECT_EQ(record.rows.front().drawLabel, "011");
}

// The same draws fed to a second manager by hand, in the order and pairing a reload must use.
std::string replayByHand(const DrawHistory& history, int32_t periods, bool withNextNumbers) {
    FakeClock clock{kFirstTick, kTickStep};
    PlanManager manager{clock};
    manager.addPlan(kPlan, kPlan, periods);
    manager.setHitRate(80);
    manager.setClearAfterLosses(0);
    setRandomSeed(1);
    for (std::size_t i = std::min<std::size_t>(50, history.size()); i >= 2; --i) {
        const DrawRecord& draw = history.at(i);
        manager.processDraw(draw.period, draw.numbers, draw.seed,
                            withNextNumbers ? history.at(i - 1).numbers : "");
    }
    const auto tick = static_cast<int32_t>(clock.millisecondsSinceStart());
    manager.processDraw(history.at(1).period, history.at(1).numbers, tick, "");
    return manager.planText(kPlan);
}

TEST_F(PlanControllerTest, ReloadPairsEveryDrawWithTheNumbersOfTheNextOne) {
    loadHistory(60);
    m_controller.reload(2);
    const std::string expected = replayByHand(m_history, 2, true);
    EXPECT_EQ(m_manager.planText(kPlan), expected);
    EXPECT_TRUE(m_view.text().starts_with(expected + "\r\n\r\n当前计划统计：")) << m_view.text();
}

TEST_F(PlanControllerTest, HonestReloadPassesNoNextNumbers) {
    loadHistory(60);
    m_controller.reload(3, HistoryReplay::Honest);
    EXPECT_EQ(m_manager.planText(kPlan), replayByHand(m_history, 3, false));
}

TEST_F(PlanControllerTest, ReloadOfAShortHistoryStartsAtItsOwnEnd) {
    loadHistory(12, 12);
    m_controller.reload(3);
    EXPECT_EQ(m_manager.planText(kPlan), replayByHand(m_history, 3, true));
}

TEST_F(PlanControllerTest, ReloadOfAnEmptyHistoryShowsAnEmptyPlan) {
    m_controller.onNewDraw({"", "20261210005", "", "1,2,3", 9});
    m_controller.reload(3);
    EXPECT_EQ(m_view.text(),
              "\r\n\r\n当前计划统计：总计0期，中0期，挂0期，中奖率为0%\r\n彩票有风险，投注需谨慎！");
}

TEST_F(PlanControllerTest, ReloadEmptiesEveryPlanAndGivesItThePeriods) {
    m_manager.addPlan("和值大小", "和值大小", 3);
    m_controller.onNewDraw({"", "20261210005", "", "1,2,3", 9});
    m_history.replaceHistory({}, 50);
    m_controller.reload(2);
    for (const PlanRecord& record : m_manager.records()) {
        EXPECT_EQ(record.rowCount(), 0) << record.name;
        EXPECT_EQ(record.formulaPeriods, 2) << record.name;
    }
}

TEST_F(PlanControllerTest, ClearAndRefetchReloadsWithTheChosenPeriods) {
    loadHistory(20);
    m_formulaPeriods = 1;
    m_controller.clearAndRefetch();
    EXPECT_EQ(shownRecord().formulaPeriods, 1);
    EXPECT_EQ(m_manager.planText(kPlan), replayByHand(m_history, 1, true));
}

TEST_F(PlanControllerTest, NewDrawIsSeededWithTheTickCountAndShown) {
    m_controller.onNewDraw({"", "20261210045", "", "1,2,3", 0});
    EXPECT_EQ(m_clock.tickReads(), 1u);
    const PlanRecord& record = shownRecord();
    ASSERT_GE(record.rowCount(), 1);
    EXPECT_EQ(record.rows.front().firstLabel, "045");
    EXPECT_EQ(record.rows.front().drawNumbers, "1,2,3");
    EXPECT_EQ(m_view.writes(), 1);
    EXPECT_EQ(m_view.caretMoves(), 1);
    EXPECT_EQ(m_view.eventPasses(), 1);
}

TEST_F(PlanControllerTest, ViewShowsThePlanTextAndTheStatisticsOfThatPlanOnly) {
    m_manager.addPlan("和值单双", "和值单双", 1);
    loadHistory(30);
    m_controller.reload(1);
    const PlanRecord& record = shownRecord();
    const PlanStatistics statistics = countRows(record);
    ASSERT_GT(statistics.hits + statistics.misses, 0);
    EXPECT_EQ(m_view.text(),
              m_manager.planText(kPlan) + "\r\n\r\n当前计划统计：总计" + std::to_string(record.rowCount()) +
                  "期，中" + std::to_string(statistics.hits) + "期，挂" + std::to_string(statistics.misses) +
                  "期，中奖率为" + hitRateText(statistics.hits, statistics.total) +
                  "%\r\n彩票有风险，投注需谨慎！");
}

TEST_F(PlanControllerTest, ViewOfAnUnknownPlanShowsNoRows) {
    PlanController controller{m_manager, m_clock, m_messages, {m_history, m_formulaPeriods, m_betPrefix}};
    StoredPlanView view;
    controller.initialise(view, "没有的计划");
    m_controller.onNewDraw({"", "20261210005", "", "1,2,3", 9});
    controller.refreshPlanView();
    EXPECT_EQ(view.text(),
              "\r\n\r\n当前计划统计：总计0期，中0期，挂0期，中奖率为0%\r\n彩票有风险，投注需谨慎！");
}

struct BetCase {
    int32_t betCount;
    int32_t hitRate;
};

void PrintTo(const BetCase& bet, std::ostream* out) { *out << bet.betCount << " bets"; }

class RegenerateHitRate : public PlanControllerTest, public ::testing::WithParamInterface<BetCase> {};

TEST_P(RegenerateHitRate, FollowsTheBetCount) {
    m_controller.regenerate(GetParam().betCount);
    EXPECT_EQ(m_manager.hitRate(), GetParam().hitRate);
    EXPECT_EQ(PlanController::hitRateForBetCount(GetParam().betCount), GetParam().hitRate);
}

INSTANTIATE_TEST_SUITE_P(BetCounts, RegenerateHitRate,
                         ::testing::Values(BetCase{25, 45}, BetCase{100, 120}, BetCase{101, 30},
                                           BetCase{150, 35}, BetCase{1000, 120}, BetCase{1001, 120},
                                           BetCase{0, 20}, BetCase{99999, 119}));

TEST_F(PlanControllerTest, RegenerateReplacesThePlanOnShowAndRebuilds) {
    m_betPrefix = "前三直选";
    m_formulaPeriods = 2;
    m_manager.addPlan("和值大小", "和值大小", 3);
    loadHistory(20);
    m_controller.regenerate(25);

    EXPECT_EQ(m_controller.planName(), "前三直选25注");
    EXPECT_EQ(m_manager.findPlan(kPlan), 0);
    // The name holds no formula title, so the parser reports it and no plan is added.
    EXPECT_EQ(m_messages.messages(), std::vector<std::string>{"表达式格式错误！错误内容：前三直选25注"});
    ASSERT_EQ(m_manager.planCount(), 1);
    EXPECT_EQ(m_manager.records()[0].formulaPeriods, 2);
    EXPECT_GT(m_manager.records()[0].rowCount(), 0);
    EXPECT_TRUE(m_view.text().starts_with("\r\n\r\n当前计划统计：总计0期")) << m_view.text();
}

struct FormulaCase {
    const char* text;
    bool result;
    std::vector<std::pair<std::string, int32_t>> plans;  // name and formula periods of each added plan
};

void PrintTo(const FormulaCase& formula, std::ostream* out) { *out << formula.text; }

class ExpandFormula : public PlanControllerTest, public ::testing::WithParamInterface<FormulaCase> {};

TEST_P(ExpandFormula, AddsOnePlanPerPairOfTheFirstAlternative) {
    m_manager.removePlan(kPlan);
    EXPECT_EQ(m_controller.expandFormula(GetParam().text), GetParam().result);
    std::vector<std::pair<std::string, int32_t>> plans;
    for (const PlanRecord& record : m_manager.records()) {
        plans.emplace_back(record.name, record.formulaPeriods);
    }
    EXPECT_EQ(plans, GetParam().plans);
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, ExpandFormula,
    ::testing::Values(
        FormulaCase{"<T>\r\n[2]\r\n和值大小 百位定3码(2)\r\n|+|<U>\r\n[1]\r\n和值单双\r\n",
                    true,
                    {{"和值大小", 2}, {"百位定3码(1)", 2}, {"百位定3码(2)", 2}}},
        FormulaCase{"<T>\r\n[1]\r\n和值大小\r\n[3]\r\n二同号复选 个位定2码（2）\r\n",
                    true,
                    {{"和值大小", 1}, {"二同号复选", 3}, {"个位定2码(1)", 3}, {"个位定2码(2)", 3}}},
        // An empty item is skipped; a refused spec ends the expansion and keeps what came before.
        FormulaCase{"<T>\r\n[1]\r\n和值大小  和值单双\r\n", true, {{"和值大小", 1}, {"和值单双", 1}}},
        FormulaCase{"<T>\r\n[1]\r\n和值大小 坏 和值单双\r\n", false, {{"和值大小", 1}}},
        // A header without a number gives periods 0.
        FormulaCase{"<T>\r\n[期]\r\n和值大小\r\n", true, {{"和值大小", 0}}},
        // A missing title is reported but the sections still count.
        FormulaCase{"[1]\r\n和值单双\r\n", true, {{"和值单双", 1}}}, FormulaCase{"", false, {}},
        FormulaCase{"<T>", true, {}}));

}  // namespace
}  // namespace k3
