// Draw processing: settling the open prediction of every plan, making the next one, clearing
// after losses, the row limit and the target outcome of predictions made against known numbers.
#include "plan/generator.h"
#include "plan/plan_manager.h"
#include "plan/single_sure_kind.h"
#include "platform/clock.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace k3 {
namespace {

// Predicts the decimal text of its seed and hits when the draw's first number is "1", so a test
// reads the seed of every prediction and decides every outcome through the draw's numbers.
class EchoSeedKind final : public PlanKind {
public:
    std::unique_ptr<PlanKind> clone() const override { return std::make_unique<EchoSeedKind>(*this); }
    std::string 取下期预测(int32_t seed) const override { return std::to_string(seed); }
    bool 验证预测(const std::vector<std::string>& draw, std::string_view) const override {
        return draw.at(0) == "1";
    }
};

constexpr const char* kHit = "1,2,3";
constexpr const char* kMiss = "4,5,6";

std::string period(int number) {
    std::string digits = std::to_string(number);
    return "20261210" + std::string(3 - digits.size(), '0') + digits;
}

int32_t wrap32(int64_t sum) {
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(sum)));
}

class DrawProcessingTest : public ::testing::Test {
protected:
    void addEchoPlan(int32_t formulaPeriods) {
        EchoSeedKind kind;
        kind.setName("echo");
        m_manager.appendRecord(kind);
        m_manager.setFormulaPeriods(formulaPeriods, "", false);
    }

    void draw(int number, bool hit, int32_t seed = 1000) {
        ASSERT_TRUE(m_manager.processDraw(period(number), hit ? kHit : kMiss, seed, ""));
    }

    const PlanRecord& record() const { return m_manager.records().front(); }
    const std::vector<PlanRow>& rows() const { return record().rows; }

    FakeClock m_clock;
    PlanManager m_manager{m_clock};
};

TEST_F(DrawProcessingTest, FirstDrawHitOpensTheNextRowWithTheSameSeed) {
    addEchoPlan(3);
    draw(45, true, 1000);
    const std::string prediction = std::to_string(45 + 1000 + record().seedOffset);
    ASSERT_EQ(record().rowCount(), 2);
    EXPECT_EQ(rows()[0], (PlanRow{"045", "047", RowState::Hit, prediction, "045", kHit}));
    EXPECT_EQ(rows()[1], (PlanRow{"046", "048", RowState::Waiting, prediction, "", ""}));
}

TEST_F(DrawProcessingTest, FirstDrawMissKeepsTheRowWaiting) {
    addEchoPlan(3);
    draw(45, false, 1000);
    const std::string prediction = std::to_string(45 + 1000 + record().seedOffset);
    ASSERT_EQ(record().rowCount(), 1);
    EXPECT_EQ(rows()[0], (PlanRow{"045", "047", RowState::Waiting, prediction, "045", kMiss}));
}

struct OpenRowCase {
    std::string label;
    std::vector<std::pair<int, bool>> draws;  // after the row 046..048 is open
    RowState state;
    std::string drawLabel;
    std::string drawNumbers;
    std::string nextFirst;  // first label of the row after it, empty when there is none
    std::string nextLast;
};

void PrintTo(const OpenRowCase& c, std::ostream* os) { *os << c.label; }

class OpenRowTest : public DrawProcessingTest, public ::testing::WithParamInterface<OpenRowCase> {};

TEST_P(OpenRowTest, SettlesOrWaits) {
    const OpenRowCase& c = GetParam();
    addEchoPlan(3);
    draw(45, true);
    for (const auto& [number, hit] : c.draws) {
        draw(number, hit);
    }
    ASSERT_GE(record().rowCount(), 2);
    const PlanRow& open = rows()[1];
    EXPECT_EQ(open.firstLabel, "046");
    EXPECT_EQ(open.lastLabel, "048");
    EXPECT_EQ(open.state, c.state);
    EXPECT_EQ(open.drawLabel, c.drawLabel);
    EXPECT_EQ(open.drawNumbers, c.drawNumbers);
    if (c.nextFirst.empty()) {
        EXPECT_EQ(record().rowCount(), 2);
    } else {
        ASSERT_EQ(record().rowCount(), 3);
        EXPECT_EQ(rows()[2].firstLabel, c.nextFirst);
        EXPECT_EQ(rows()[2].lastLabel, c.nextLast);
        EXPECT_EQ(rows()[2].state, RowState::Waiting);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Engine, OpenRowTest,
    ::testing::Values(
        OpenRowCase{"MissAtFirstPeriod", {{46, false}}, RowState::Waiting, "046", kMiss, "", ""},
        OpenRowCase{
            "MissAtSecondPeriod", {{46, false}, {47, false}}, RowState::Waiting, "047", kMiss, "", ""},
        OpenRowCase{"MissAtLastPeriodIsFinal",
                    {{46, false}, {47, false}, {48, false}},
                    RowState::Missed,
                    "048",
                    kMiss,
                    "049",
                    "051"},
        OpenRowCase{"HitAtFirstPeriod", {{46, true}}, RowState::Hit, "046", kHit, "047", "049"},
        OpenRowCase{"HitAtSecondPeriod", {{46, false}, {47, true}}, RowState::Hit, "047", kHit, "048", "050"},
        OpenRowCase{"HitAtLastPeriod",
                    {{46, false}, {47, false}, {48, true}},
                    RowState::Hit,
                    "048",
                    kHit,
                    "049",
                    "051"},
        OpenRowCase{"SkippedLastPeriodKeepsWaiting",
                    {{46, false}, {49, false}},
                    RowState::Waiting,
                    "049",
                    kMiss,
                    "",
                    ""}),
    [](const auto& info) { return info.param.label; });

TEST_F(DrawProcessingTest, OnePeriodRowsSettleAtTheirOwnDraw) {
    addEchoPlan(1);
    m_manager.setClearAfterLosses(0);
    draw(45, false);
    draw(46, true);
    ASSERT_EQ(record().rowCount(), 3);
    EXPECT_EQ(rows()[0], (PlanRow{"045", "045", RowState::Missed, rows()[0].prediction, "045", kMiss}));
    EXPECT_EQ(rows()[1], (PlanRow{"046", "046", RowState::Hit, rows()[1].prediction, "046", kHit}));
    EXPECT_EQ(rows()[2].firstLabel, "047");
    EXPECT_EQ(rows()[2].lastLabel, "047");
    EXPECT_EQ(rows()[2].state, RowState::Waiting);
}

TEST_F(DrawProcessingTest, LastPeriodOfTheDayWrapsToTheFirst) {
    addEchoPlan(3);
    draw(82, true);
    ASSERT_EQ(record().rowCount(), 2);
    EXPECT_EQ(rows()[0].firstLabel, "082");
    EXPECT_EQ(rows()[1].firstLabel, "001");
    EXPECT_EQ(rows()[1].lastLabel, "003");
}

TEST_F(DrawProcessingTest, SeedsSumWithWrapAndIncludeTheSeedBase) {
    addEchoPlan(3);
    m_manager.setTitle("标题");
    constexpr int32_t max = std::numeric_limits<int32_t>::max();
    draw(45, false, max);
    const int64_t exact = int64_t{m_manager.seedBase()} + 45 + max + record().seedOffset;
    EXPECT_EQ(rows()[0].prediction, std::to_string(wrap32(exact)));
}

TEST_F(DrawProcessingTest, SeedZeroChangesNothing) {
    addEchoPlan(3);
    EXPECT_TRUE(m_manager.processDraw(period(45), kHit, 0, ""));
    EXPECT_EQ(record().rowCount(), 0);
}

TEST_F(DrawProcessingTest, PlanSeedsInPractice) {
    ASSERT_TRUE(m_manager.addPlan("独胆定1码", "独胆定1码", 3));
    ASSERT_TRUE(m_manager.processDraw(period(45), kMiss, 5000, ""));
    SingleSureKind reference;
    reference.configure(1, "独胆定1码");
    EXPECT_EQ(rows()[0].prediction, reference.取下期预测(45 + 5000 + 13923368));
}

struct OddPeriod {
    std::string period;
    std::string firstLabel;  // of the first row, which covers the period itself
    std::string lastLabel;
    std::string drawLabel;
};

void PrintTo(const OddPeriod& c, std::ostream* os) { *os << "\"" << c.period << "\""; }

class OddPeriodTest : public DrawProcessingTest, public ::testing::WithParamInterface<OddPeriod> {};

// Periods are read for their last two characters; what is not a number counts as 0.
TEST_P(OddPeriodTest, LabelsTheFirstRow) {
    const OddPeriod& c = GetParam();
    addEchoPlan(3);
    ASSERT_TRUE(m_manager.processDraw(c.period, kMiss, 1000, ""));
    ASSERT_EQ(record().rowCount(), 1);
    EXPECT_EQ(rows()[0].firstLabel, c.firstLabel);
    EXPECT_EQ(rows()[0].lastLabel, c.lastLabel);
    EXPECT_EQ(rows()[0].drawLabel, c.drawLabel);
    EXPECT_EQ(rows()[0].state, RowState::Waiting);
}

INSTANTIATE_TEST_SUITE_P(Engine, OddPeriodTest,
                         ::testing::Values(OddPeriod{"7", "007", "009", "007"},
                                           OddPeriod{"abc", "000", "002", "000"},
                                           OddPeriod{"", "000", "002", "000"},
                                           OddPeriod{"20261211001", "001", "003", "001"},
                                           OddPeriod{"9223372036854775807", "007", "009", "007"}));

struct RefusedDraw {
    std::string numbers;
    std::string next;
};

void PrintTo(const RefusedDraw& c, std::ostream* os) {
    *os << "\"" << c.numbers << "\" next \"" << c.next << "\"";
}

class RefusedDrawTest : public DrawProcessingTest, public ::testing::WithParamInterface<RefusedDraw> {};

TEST_P(RefusedDrawTest, ChangesNothing) {
    addEchoPlan(3);
    draw(45, false);
    const std::vector<PlanRow> before = rows();
    EXPECT_FALSE(m_manager.processDraw(period(46), GetParam().numbers, 1000, GetParam().next));
    EXPECT_EQ(rows(), before);
}

INSTANTIATE_TEST_SUITE_P(Engine, RefusedDrawTest,
                         ::testing::Values(RefusedDraw{"", ""}, RefusedDraw{"1,2", ""},
                                           RefusedDraw{"1,2,3,4", ""}, RefusedDraw{",,", ""},
                                           RefusedDraw{"123", ""}, RefusedDraw{kHit, "1,2"},
                                           RefusedDraw{kHit, "1,2,3,4"}, RefusedDraw{kHit, ","}));

TEST_F(DrawProcessingTest, SplitNumbersKeepsInnerEmptyParts) {
    std::vector<std::string> parts;
    EXPECT_TRUE(PlanManager::splitNumbers("1,,3", parts));
    EXPECT_EQ(parts, (std::vector<std::string>{"1", "", "3"}));
    EXPECT_TRUE(PlanManager::splitNumbers("1,2,3,", parts));
    EXPECT_EQ(parts, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_FALSE(PlanManager::splitNumbers("", parts));
    EXPECT_TRUE(parts.empty());
}

struct ClearCase {
    std::string label;
    int32_t flag;
    int32_t formulaPeriods;
    std::vector<bool> outcomes;  // one draw per period from 045 on
    int32_t rowsAfter;
};

void PrintTo(const ClearCase& c, std::ostream* os) { *os << c.label; }

class ClearAfterLossesTest : public DrawProcessingTest, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(ClearAfterLossesTest, RowsLeft) {
    const ClearCase& c = GetParam();
    addEchoPlan(c.formulaPeriods);
    m_manager.setClearAfterLosses(c.flag);
    int number = 45;
    for (bool hit : c.outcomes) {
        draw(number++, hit);
    }
    EXPECT_EQ(record().rowCount(), c.rowsAfter);
    EXPECT_EQ(rows().back().state, RowState::Waiting);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, ClearAfterLossesTest,
    ::testing::Values(ClearCase{"MissAmongTwoBefore", 1, 1, {false, true, false}, 1},
                      ClearCase{"FlagOffKeepsRows", 0, 1, {false, true, false}, 4},
                      ClearCase{"MissTooFarBack", 1, 1, {false, true, true, false}, 5},
                      ClearCase{"TwoMissesInARow", 1, 1, {false, false}, 1},
                      ClearCase{"SingleMissAfterClearing", 1, 1, {false, false, false}, 2},
                      ClearCase{"FirstMissAlone", 1, 1, {true, false}, 3},
                      ClearCase{"NonFinalMissesNeverClear", 1, 3, {true, false, false}, 2}),
    [](const auto& info) { return info.param.label; });

TEST_F(DrawProcessingTest, MaxRowsDropsTheOldestFirst) {
    addEchoPlan(1);
    m_manager.setClearAfterLosses(0);
    m_manager.setMaxRows(3);
    for (int number = 45; number < 55; ++number) {
        draw(number, number % 3 == 0);
        EXPECT_LE(record().rowCount(), 3);
    }
    ASSERT_EQ(record().rowCount(), 3);
    EXPECT_EQ(rows()[0].firstLabel, "053");
    EXPECT_EQ(rows()[1].firstLabel, "054");
    EXPECT_EQ(rows()[2].firstLabel, "055");
}

TEST_F(DrawProcessingTest, BareKindReportsThroughMessageBoxes) {
    RecordingMessageBoxes messages;
    PlanKind bare(&messages);
    m_manager.appendRecord(bare);
    draw(45, true);
    EXPECT_EQ(rows()[0].prediction, "");
    EXPECT_EQ(rows()[0].state, RowState::Waiting);
    EXPECT_EQ(messages.messages(), (std::vector<std::string>{"错误！接口类函数 取下期预测（） 被直接调用",
                                                             "错误！接口类函数 验证预测 被直接调用"}));
}

struct TargetCase {
    std::string label;
    std::vector<bool> outcomes;  // the settled rows, the last one settled by the replayed draw
    int32_t hitRate;
    int32_t r;
    bool wantHit;
};

void PrintTo(const TargetCase& c, std::ostream* os) { *os << c.label; }

class TargetOutcomeTest : public DrawProcessingTest, public ::testing::WithParamInterface<TargetCase> {
protected:
    // A generator seed whose first draw in 0..100 is r.
    static uint32_t seedDrawing(int32_t r) {
        for (uint32_t seed = 1;; ++seed) {
            setRandomSeed(seed);
            if (randomInRange(0, 100) == r) {
                return seed;
            }
        }
    }
};

// The echo plan hits the known next numbers 1,2,3 with every prediction, so a wanted hit is
// found at the first attempt and a wanted miss is never found: all ten attempts are made, each
// reading the clock once.
TEST_P(TargetOutcomeTest, AttemptsShowTheWantedOutcome) {
    const TargetCase& c = GetParam();
    addEchoPlan(1);
    m_manager.setClearAfterLosses(0);
    m_manager.setHitRate(c.hitRate);
    int number = 40;
    for (std::size_t i = 0; i + 1 < c.outcomes.size(); ++i) {
        draw(number++, c.outcomes[i]);
    }
    setRandomSeed(seedDrawing(c.r));
    const uint32_t readsBefore = m_clock.tickReads();
    ASSERT_TRUE(m_manager.processDraw(period(number), c.outcomes.back() ? kHit : kMiss, 700, kHit));

    const int32_t attempts = c.wantHit ? 1 : 10;
    EXPECT_EQ(m_clock.tickReads() - readsBefore, static_cast<uint32_t>(attempts));
    EXPECT_EQ(rows().back().prediction, std::to_string(number + 700 + attempts));
}

INSTANTIATE_TEST_SUITE_P(
    Engine, TargetOutcomeTest,
    ::testing::Values(TargetCase{"TwoMissesWantHit", {false, false}, 80, 100, true},
                      TargetCase{"TwoMissesWantHitAtRateZero", {true, false, false}, 0, 100, true},
                      TargetCase{"FiveHitsWantHitAtZero", {true, true, true, true, true}, 80, 0, true},
                      TargetCase{"FiveHitsWantMissAboveZero", {true, true, true, true, true}, 80, 1, false},
                      TargetCase{"FourHitsFollowTheRate", {false, true, true, true, true}, 80, 81, false},
                      TargetCase{"RateBoundaryWantsHit", {true, false}, 80, 80, true},
                      TargetCase{"AboveRateWantsMiss", {true, false}, 80, 81, false},
                      TargetCase{"RateAboveHundredAlwaysHits", {true, false}, 120, 100, true}),
    [](const auto& info) { return info.param.label; });

// After every processed draw each plan ends with exactly one open row and every row before it is
// settled, whatever the kind, the formula periods and whether the next numbers are known.
TEST_F(DrawProcessingTest, EveryDrawLeavesOneOpenRowPerPlan) {
    for (const char* spec :
         {"独胆定1码", "百位定3码", "个位定4码", "二同号复选", "三不同号", "和值单双", "和值大小"}) {
        ASSERT_TRUE(m_manager.addPlan(spec, spec, 3));
    }
    m_manager.setFormulaPeriods(2, "和值大小", true);
    m_manager.setFormulaPeriods(1, "三不同号", true);
    m_clock.setTickStep(16);
    const std::vector<std::string> numbers = {"1,2,3", "4,4,6", "2,5,6", "3,3,3", "1,1,5", "6,5,2"};
    for (int number = 1; number <= 82; ++number) {
        const std::string next =
            number < 82 ? numbers[static_cast<std::size_t>(number + 1) % numbers.size()] : "";
        ASSERT_TRUE(m_manager.processDraw(
            period(number), numbers[static_cast<std::size_t>(number) % numbers.size()], number * 37, next));
        for (const PlanRecord& plan : m_manager.records()) {
            ASSERT_EQ(plan.rows.back().state, RowState::Waiting) << plan.name << " at " << number;
            for (std::size_t i = 0; i + 1 < plan.rows.size(); ++i) {
                EXPECT_NE(plan.rows[i].state, RowState::Waiting) << plan.name << " row " << i;
                EXPECT_FALSE(plan.rows[i].drawLabel.empty()) << plan.name << " row " << i;
            }
        }
    }
}

TEST_F(DrawProcessingTest, RedrawSeedsMoveOnByTheTickCount) {
    addEchoPlan(1);
    m_clock.setTick(1000);
    m_clock.setTickStep(10);
    m_manager.setHitRate(-1);  // wants a miss, which the echo plan never gives against 1,2,3
    ASSERT_TRUE(m_manager.processDraw(period(45), kHit, 700, kHit));
    // First row: seed 745 moved on by ticks 1000, 1010, ... 1090 and the attempt number.
    int64_t moved = 745;
    for (int64_t attempt = 1; attempt <= 10; ++attempt) {
        moved += 1000 + 10 * (attempt - 1);
    }
    EXPECT_EQ(rows()[0].prediction, std::to_string(moved + 10));
}

}  // namespace
}  // namespace k3
