// The statistics paragraph: row counts and the rounded hit rate.
#include "plan/plan_statistics.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace k3 {
namespace {

PlanRecord recordWith(const std::vector<RowState>& states) {
    PlanRecord record;
    for (RowState state : states) {
        PlanRow row;
        row.state = state;
        record.rows.push_back(row);
    }
    return record;
}

TEST(PlanStatistics, CountsHitsMissesAndWaitingRows) {
    const PlanRecord record = recordWith(
        {RowState::Hit, RowState::Missed, RowState::Hit, RowState::Waiting, RowState::Missed, RowState::Hit});
    const PlanStatistics statistics = countRows(record);
    EXPECT_EQ(statistics.total, 6);
    EXPECT_EQ(statistics.hits, 3);
    EXPECT_EQ(statistics.misses, 2);
}

TEST(PlanStatistics, EmptyRecordCountsNothing) {
    const PlanStatistics statistics = countRows(PlanRecord());
    EXPECT_EQ(statistics.total, 0);
    EXPECT_EQ(statistics.hits, 0);
    EXPECT_EQ(statistics.misses, 0);
}

struct RateCase {
    int32_t hits;
    int32_t total;
    const char* text;
};

void PrintTo(const RateCase& rate, std::ostream* out) { *out << rate.hits << " of " << rate.total; }

class HitRate : public ::testing::TestWithParam<RateCase> {};

TEST_P(HitRate, IsRoundedToHundredthsWithoutTrailingZeros) {
    EXPECT_EQ(hitRateText(GetParam().hits, GetParam().total), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rates, HitRate,
                         ::testing::Values(RateCase{6, 10, "60"}, RateCase{1, 3, "33.33"},
                                           RateCase{2, 3, "66.67"}, RateCase{1, 8, "12.5"},
                                           RateCase{1, 6, "16.67"}, RateCase{0, 4, "0"},
                                           RateCase{5, 5, "100"}, RateCase{0, 0, "0"},
                                           RateCase{1, 1000, "0.1"}, RateCase{1, 200000, "0"},
                                           RateCase{7, 9, "77.78"}));

TEST(PlanStatistics, TextOfTheWorkedExample) {
    const PlanRecord record =
        recordWith({RowState::Hit, RowState::Hit, RowState::Missed, RowState::Hit, RowState::Hit,
                    RowState::Missed, RowState::Hit, RowState::Missed, RowState::Hit, RowState::Waiting});
    EXPECT_EQ(statisticsText(countRows(record)),
              "当前计划统计：总计10期，中6期，挂3期，中奖率为60%\r\n彩票有风险，投注需谨慎！");
}

TEST(PlanStatistics, TextWithoutRows) {
    EXPECT_EQ(statisticsText(PlanStatistics{}),
              "当前计划统计：总计0期，中0期，挂0期，中奖率为0%\r\n彩票有风险，投注需谨慎！");
}

}  // namespace
}  // namespace k3
