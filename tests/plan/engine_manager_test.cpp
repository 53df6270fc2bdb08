// The plan manager's settings, lookups, removal and copies.
#include "plan/plan_manager.h"
#include "plan/plan_spec.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

namespace k3 {
namespace {

class PlanManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_manager.addPlan("独胆定1码", "first", 3));
        ASSERT_TRUE(m_manager.addPlan("和值大小", "second", 3));
    }

    // One live draw: every record gets its open row.
    void feedDraw() { ASSERT_TRUE(m_manager.processDraw("20261210045", "1,2,3", 1000, "")); }

    FakeClock m_clock;
    PlanManager m_manager{m_clock};
};

TEST(PlanManagerDefaults, ValuesAtCreation) {
    FakeClock clock;
    PlanManager manager(clock);
    EXPECT_EQ(manager.title(), "");
    EXPECT_EQ(manager.seedBase(), 0);
    EXPECT_EQ(manager.planCount(), 0);
    EXPECT_EQ(manager.maxRows(), 0);
    EXPECT_EQ(manager.hitRate(), 80);
    EXPECT_EQ(manager.clearAfterLosses(), 1);
    EXPECT_EQ(manager.periodsPerDay(), 82);
}

TEST_F(PlanManagerTest, FindAndNameAt) {
    EXPECT_EQ(m_manager.findPlan("first"), 1);
    EXPECT_EQ(m_manager.findPlan("second"), 2);
    EXPECT_EQ(m_manager.findPlan("absent"), 0);
    EXPECT_EQ(m_manager.planNameAt(2), "second");
    EXPECT_EQ(m_manager.planNameAt(0), "");
    EXPECT_EQ(m_manager.planNameAt(3), "");
}

TEST_F(PlanManagerTest, RemovePlanClosesTheGap) {
    EXPECT_EQ(m_manager.removePlan("first"), 1);
    EXPECT_EQ(m_manager.planCount(), 1);
    EXPECT_EQ(m_manager.planNameAt(1), "second");
    EXPECT_EQ(m_manager.removePlan("first"), 0);
    EXPECT_EQ(m_manager.planCount(), 1);
}

TEST_F(PlanManagerTest, RemovePlanTakesOnlyTheFirstOfEqualNames) {
    ASSERT_TRUE(m_manager.addPlan("和值单双", "first", 1));
    EXPECT_EQ(m_manager.removePlan("first"), 1);
    EXPECT_EQ(m_manager.planCount(), 2);
    EXPECT_EQ(m_manager.planNameAt(2), "first");
    EXPECT_EQ(m_manager.records()[1].formulaPeriods, 3);
}

TEST_F(PlanManagerTest, SetFormulaPeriodsForAllOrByName) {
    m_manager.setFormulaPeriods(5, "", false);
    EXPECT_EQ(m_manager.records()[0].formulaPeriods, 5);
    EXPECT_EQ(m_manager.records()[1].formulaPeriods, 5);

    m_manager.setFormulaPeriods(2, "x", true);
    EXPECT_EQ(m_manager.records()[0].formulaPeriods, 5);
    EXPECT_EQ(m_manager.records()[1].formulaPeriods, 5);

    m_manager.setFormulaPeriods(1, "second", true);
    EXPECT_EQ(m_manager.records()[0].formulaPeriods, 5);
    EXPECT_EQ(m_manager.records()[1].formulaPeriods, 1);
}

TEST_F(PlanManagerTest, HitRateIsStoredWithoutBounds) {
    m_manager.setHitRate(120);
    EXPECT_EQ(m_manager.hitRate(), 120);
    m_manager.setHitRate(-4);
    EXPECT_EQ(m_manager.hitRate(), -4);
}

TEST_F(PlanManagerTest, ClearAllRowsKeepsRecords) {
    feedDraw();
    ASSERT_GT(m_manager.records()[0].rowCount(), 0);
    m_manager.clearAllRows();
    EXPECT_EQ(m_manager.planCount(), 2);
    EXPECT_EQ(m_manager.records()[0].rowCount(), 0);
    EXPECT_EQ(m_manager.records()[1].rowCount(), 0);
}

TEST_F(PlanManagerTest, ResetClearsEverythingButPeriodsPerDay) {
    m_manager.setTitle("标题");
    m_manager.setMaxRows(4);
    m_manager.setClearAfterLosses(0);
    m_manager.setPeriodsPerDay(80);
    m_manager.reset();
    EXPECT_EQ(m_manager.title(), "");
    EXPECT_EQ(m_manager.seedBase(), 0);
    EXPECT_EQ(m_manager.planCount(), 0);
    EXPECT_EQ(m_manager.maxRows(), 0);
    EXPECT_EQ(m_manager.hitRate(), 0);
    EXPECT_EQ(m_manager.clearAfterLosses(), 1);
    EXPECT_EQ(m_manager.periodsPerDay(), 80);
}

TEST_F(PlanManagerTest, TitleGivesSeedBaseFromItsDigest) {
    for (const std::string title : {"标题", "吉林快三", "abc", ""}) {
        m_manager.setTitle(title);
        const auto low32 = static_cast<int32_t>(static_cast<uint32_t>(digestPrefixValue(title, 8)));
        EXPECT_EQ(m_manager.title(), title);
        EXPECT_EQ(m_manager.seedBase(), std::abs(low32)) << title;
        EXPECT_GE(m_manager.seedBase(), 0);
    }
}

TEST_F(PlanManagerTest, CopyIsIndependentOfTheManager) {
    feedDraw();
    PlanRecord copy;
    ASSERT_TRUE(m_manager.copyPlan("first", copy));
    const std::vector<PlanRow> rowsAtCopy = m_manager.records()[0].rows;
    EXPECT_EQ(copy.rows, rowsAtCopy);
    EXPECT_NE(copy.kind.get(), m_manager.records()[0].kind.get());

    ASSERT_TRUE(m_manager.processDraw("20261210046", "4,5,6", 2000, ""));
    EXPECT_NE(m_manager.records()[0].rows, rowsAtCopy);
    EXPECT_EQ(copy.rows, rowsAtCopy);
}

TEST_F(PlanManagerTest, CopyOfAbsentNameLeavesOutAlone) {
    PlanRecord out;
    ASSERT_TRUE(m_manager.copyPlan("second", out));
    EXPECT_FALSE(m_manager.copyPlan("absent", out));
    EXPECT_EQ(out.name, "second");
}

TEST_F(PlanManagerTest, OutOfRangeIndexesGiveEmptyResults) {
    feedDraw();
    PlanRecord out;
    ASSERT_TRUE(m_manager.copyPlan("first", out));
    m_manager.copyPlanAt(9, out);
    EXPECT_EQ(out.name, "");
    EXPECT_EQ(out.rowCount(), 0);
    EXPECT_EQ(m_manager.lastPredictionAt(0), "");
    EXPECT_EQ(m_manager.lastPredictionAt(3), "");
    EXPECT_EQ(m_manager.planTextAt(0), "");
    EXPECT_EQ(m_manager.planTextAt(3), "");
}

TEST_F(PlanManagerTest, LastPredictionOfTheLatestRow) {
    EXPECT_EQ(m_manager.lastPrediction("first"), "");
    feedDraw();
    EXPECT_EQ(m_manager.lastPrediction("first"), m_manager.records()[0].rows.back().prediction);
    EXPECT_EQ(m_manager.lastPrediction("second"), m_manager.records()[1].rows.back().prediction);
    EXPECT_EQ(m_manager.lastPrediction("absent"), "");
}

TEST_F(PlanManagerTest, PlanTextByNameAndIndex) {
    feedDraw();
    EXPECT_EQ(m_manager.planText("second"), m_manager.planTextAt(2));
    EXPECT_EQ(m_manager.planText("second"),
              PlanManager::formatPlan(m_manager.records()[1], m_manager.title()));
    EXPECT_NE(m_manager.planText("first"), "");
    EXPECT_EQ(m_manager.planText("absent"), "");
}

TEST_F(PlanManagerTest, ManagerCopiesAreDeep) {
    feedDraw();
    PlanManager copy = m_manager;
    ASSERT_TRUE(m_manager.processDraw("20261210046", "4,5,6", 2000, ""));
    m_manager.removePlan("second");
    EXPECT_EQ(copy.planCount(), 2);
    EXPECT_NE(copy.records()[0].rows, m_manager.records()[0].rows);
}

}  // namespace
}  // namespace k3
