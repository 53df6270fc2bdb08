// The statistics paragraph under the plan: periods counted, hits, misses, the hit rate and
// the risk notice.
#pragma once

#include "plan/plan_record.h"

#include <cstdint>
#include <string>

namespace k3 {

struct PlanStatistics {
    int32_t total = 0;  // every row, waiting ones included
    int32_t hits = 0;
    int32_t misses = 0;
};

// Rows of the record: all of them, the hits and the misses.
PlanStatistics countRows(const PlanRecord& record);

// The hit rate in percent, rounded to two decimals and written without trailing zeros;
// "0" when nothing hit, also when there are no rows at all.
std::string hitRateText(int32_t hits, int32_t total);

// "当前计划统计：总计…期，中…期，挂…期，中奖率为…%", a line break and the risk notice.
std::string statisticsText(const PlanStatistics& statistics);

}  // namespace k3
