// Plan specs: which kind each spec selects, what is refused, and how added records are named,
// numbered and configured.
#include "plan/distinct_numbers_kind.h"
#include "plan/plan_manager.h"
#include "plan/plan_spec.h"
#include "plan/position_codes_kind.h"
#include "plan/same_number_kind.h"
#include "plan/single_sure_kind.h"
#include "plan/sum_big_small_kind.h"
#include "plan/sum_odd_even_kind.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <typeindex>
#include <typeinfo>

namespace k3 {
namespace {

struct AcceptedSpec {
    std::string spec;
    std::type_index kind;
    int32_t param1;
    int32_t param2;
    int32_t displayMode;
};

void PrintTo(const AcceptedSpec& c, std::ostream* os) { *os << c.spec; }

class AcceptedSpecTest : public ::testing::TestWithParam<AcceptedSpec> {};

TEST_P(AcceptedSpecTest, AddsConfiguredRecord) {
    const AcceptedSpec& c = GetParam();
    FakeClock clock;
    PlanManager manager(clock);
    ASSERT_TRUE(manager.addPlan(c.spec, c.spec, 3));
    ASSERT_EQ(manager.planCount(), 1);
    const PlanRecord& record = manager.records().front();
    EXPECT_EQ(std::type_index(typeid(*record.kind)), c.kind);
    EXPECT_EQ(record.kind->param1(), c.param1);
    EXPECT_EQ(record.kind->param2(), c.param2);
    EXPECT_EQ(record.displayMode, c.displayMode);
    EXPECT_EQ(record.name, c.spec);
    EXPECT_EQ(record.formulaPeriods, 3);
}

INSTANTIATE_TEST_SUITE_P(Specs, AcceptedSpecTest,
                         ::testing::Values(AcceptedSpec{"独胆定1码", typeid(SingleSureKind), 1, 0, 1},
                                           AcceptedSpec{"独胆定3码", typeid(SingleSureKind), 3, 0, 1},
                                           AcceptedSpec{"独胆定1000码", typeid(SingleSureKind), 1000, 0, 1},
                                           AcceptedSpec{"百位定3码", typeid(PositionCodesKind), 1, 3, 2},
                                           AcceptedSpec{"十位定1码", typeid(PositionCodesKind), 2, 1, 2},
                                           AcceptedSpec{"个位定4码", typeid(PositionCodesKind), 3, 4, 1},
                                           AcceptedSpec{"个位定06码", typeid(PositionCodesKind), 3, 6, 1},
                                           AcceptedSpec{"三不同号", typeid(DistinctNumbersKind), 3, 4, 1},
                                           AcceptedSpec{"三不同号通选", typeid(DistinctNumbersKind), 3, 4, 1},
                                           AcceptedSpec{"一不同号", typeid(DistinctNumbersKind), 1, 4, 1},
                                           AcceptedSpec{"二同号复选", typeid(SameNumberKind), 2, 0, 1},
                                           AcceptedSpec{"三同号复选", typeid(SameNumberKind), 3, 0, 1},
                                           AcceptedSpec{"和值单双", typeid(SumOddEvenKind), 1, 3, 1},
                                           AcceptedSpec{"和值大小", typeid(SumBigSmallKind), 1, 3, 1}));

class RefusedSpecTest : public ::testing::TestWithParam<std::string> {};

TEST_P(RefusedSpecTest, AddsNothing) {
    FakeClock clock;
    PlanManager manager(clock);
    ASSERT_TRUE(manager.addPlan("和值单双", "kept", 2));
    EXPECT_FALSE(manager.addPlan(GetParam(), "kept", 5));
    EXPECT_EQ(manager.planCount(), 1);
    EXPECT_EQ(manager.records().front().formulaPeriods, 2);
}

INSTANTIATE_TEST_SUITE_P(Specs, RefusedSpecTest,
                         ::testing::Values("", "吉林独胆定1码", "独胆定1码 ", "独胆定码", "千位定3码",
                                           "百位定0码", "百位定7码", "百位定99999999999码", "四同号复选",
                                           "三不同号通", "和值", "和值大小单双", "三不同号通选x",
                                           "独胆定1001码", "独胆定99999999999码"));

TEST(PlanSpec, SeedOffsetComesFromTheNameDigest) {
    FakeClock clock;
    PlanManager manager(clock);
    ASSERT_TRUE(manager.addPlan("独胆定1码", "独胆定1码", 3));
    EXPECT_EQ(manager.records().front().seedOffset, 13923368);
    EXPECT_EQ(digestPrefixValue("独胆定1码", 6), 0xD47428);
}

TEST(PlanSpec, NameMayDifferFromSpec) {
    FakeClock clock;
    PlanManager manager(clock);
    ASSERT_TRUE(manager.addPlan("百位定3码", "X", 2));
    const PlanRecord& record = manager.records().front();
    EXPECT_EQ(record.name, "X");
    EXPECT_EQ(record.kind->getName(), "X");
    EXPECT_EQ(record.formulaPeriods, 2);
    EXPECT_EQ(record.seedOffset, digestPrefixValue("X", 6));
    EXPECT_NE(record.seedOffset, digestPrefixValue("百位定3码", 6));
}

TEST(PlanSpec, SameNameTwiceSetsPeriodsOnTheFirstRecord) {
    FakeClock clock;
    PlanManager manager(clock);
    ASSERT_TRUE(manager.addPlan("独胆定1码", "P", 1));
    ASSERT_TRUE(manager.addPlan("和值大小", "P", 2));
    ASSERT_EQ(manager.planCount(), 2);
    EXPECT_EQ(manager.records()[0].formulaPeriods, 2);
    EXPECT_EQ(manager.records()[1].formulaPeriods, 3);
    EXPECT_EQ(manager.findPlan("P"), 1);
}

TEST(PlanSpec, RecordsOwnTheirKinds) {
    FakeClock clock;
    PlanManager manager(clock);
    ASSERT_TRUE(manager.addPlan("百位定3码", "a", 3));
    ASSERT_TRUE(manager.addPlan("个位定5码", "b", 3));
    EXPECT_EQ(manager.records()[0].kind->param1(), 1);
    EXPECT_EQ(manager.records()[0].kind->param2(), 3);
    EXPECT_EQ(manager.records()[1].kind->param2(), 5);
}

TEST(PlanSpec, AppendRecordClonesAndInitialises) {
    FakeClock clock;
    PlanManager manager(clock);
    SameNumberKind kind;
    kind.configure(2, "二同号复选");
    kind.setFormulaPeriods(2);
    manager.appendRecord(kind);
    kind.configure(3, "changed");

    const PlanRecord& record = manager.records().front();
    EXPECT_EQ(record.name, "二同号复选");
    EXPECT_EQ(record.kind->param1(), 2);
    EXPECT_EQ(record.formulaPeriods, 2);
    EXPECT_EQ(record.displayMode, 1);
    EXPECT_EQ(record.rowCount(), 0);
}

TEST(PlanSpec, ChineseNumerals) {
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {"零", 0}, {"一", 1}, {"二", 2}, {"三", 3},  {"四", 4},  {"五", 5}, {"六", 6},
        {"七", 7}, {"八", 8}, {"九", 9}, {"十", 10}, {"两", -1}, {"", -1},  {"1", -1}};
    for (const auto& [numeral, value] : cases) {
        EXPECT_EQ(chineseNumeral(numeral), value) << numeral;
    }
}

}  // namespace
}  // namespace k3
