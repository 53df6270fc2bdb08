// Speed of the plan engine: the replay of a 50-draw history (49 draws with the numbers that
// followed them, then one live draw) for one and for fifty plans, and the text of a long plan.
#include "plan/plan_manager.h"
#include "platform/clock.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace k3 {
namespace {

struct Draw {
    std::string period;
    std::string numbers;
    int32_t seed;
};

// 50 draws, oldest first, with dice numbers from a fixed sequence.
std::vector<Draw> history() {
    std::vector<Draw> draws;
    uint32_t state = 12345;
    auto die = [&state] {
        state = state * 1103515245u + 12345u;
        return std::to_string((state >> 16) % 6 + 1);
    };
    for (int i = 1; i <= 50; ++i) {
        const std::string label = (i < 10 ? "00" : "0") + std::to_string(i);
        draws.push_back({"20261210" + label, die() + "," + die() + "," + die(), 100000 + i * 37});
    }
    return draws;
}

void addPlans(PlanManager& manager, int count) {
    const std::vector<std::string> specs = {"独胆定1码", "百位定3码", "个位定4码", "二同号复选",
                                            "三不同号",  "和值单双",  "和值大小",  "独胆定3码"};
    for (int i = 0; i < count; ++i) {
        manager.addPlan(specs[static_cast<std::size_t>(i) % specs.size()], "plan" + std::to_string(i), 3);
    }
    manager.setClearAfterLosses(0);
}

void replay(PlanManager& manager, const std::vector<Draw>& draws) {
    manager.clearAllRows();
    for (std::size_t i = 0; i + 1 < draws.size(); ++i) {
        manager.processDraw(draws[i].period, draws[i].numbers, draws[i].seed, draws[i + 1].numbers);
    }
    manager.processDraw(draws.back().period, draws.back().numbers, 987654, "");
}

void BM_Replay(benchmark::State& state) {
    FakeClock clock(1000, 16);
    PlanManager manager(clock);
    addPlans(manager, static_cast<int>(state.range(0)));
    const std::vector<Draw> draws = history();
    for (auto _ : state) {
        replay(manager, draws);
        benchmark::DoNotOptimize(manager.records().front().rows.data());
    }
}
BENCHMARK(BM_Replay)->Arg(1)->Arg(50)->Unit(benchmark::kMicrosecond);

void BM_FormatPlan(benchmark::State& state) {
    PlanRecord record;
    record.name = "独胆定1码";
    record.displayMode = static_cast<int32_t>(DisplayMode::Detailed);
    record.formulaPeriods = 3;
    const RowState states[] = {RowState::Hit, RowState::Missed};
    for (int i = 0; i < 130; ++i) {
        record.rows.push_back({"045", "047", states[i % 2], "03", "046", "1,3,5"});
    }
    record.rows.back().state = RowState::Waiting;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlanManager::formatPlan(record, ""));
    }
}
BENCHMARK(BM_FormatPlan)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace k3

BENCHMARK_MAIN();
