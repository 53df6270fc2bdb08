// The rate is computed and rounded exactly as the users have always seen it, so that the same
// rows give the same digits.
#include "plan/plan_statistics.h"

#include "platform/text.h"

#include <cmath>

namespace k3 {
namespace {

// Half away from zero, with a small nudge so that 0.125 stored as 0.12499999 still rounds up.
double roundToHundredths(double value) {
    const double scaled = std::fabs(value) * 100 + 1e-12;
    double whole = std::trunc(scaled);
    if (scaled - whole >= 0.5) {
        whole += 1;
    }
    return std::copysign(whole / 100, value);
}

}  // namespace

PlanStatistics countRows(const PlanRecord& record) {
    PlanStatistics statistics;
    statistics.total = record.rowCount();
    for (const PlanRow& row : record.rows) {
        if (row.state == RowState::Missed) {
            ++statistics.misses;
        } else if (row.state == RowState::Hit) {
            ++statistics.hits;
        }
    }
    return statistics;
}

std::string hitRateText(int32_t hits, int32_t total) {
    if (hits == 0 || total == 0) {
        return "0";
    }
    const double rate = 100.0 / (double(total) / double(hits));
    return formatDouble(roundToHundredths(rate));
}

std::string statisticsText(const PlanStatistics& statistics) {
    return "当前计划统计：总计" + std::to_string(statistics.total) + "期，中" +
           std::to_string(statistics.hits) + "期，挂" + std::to_string(statistics.misses) + "期，中奖率为" +
           hitRateText(statistics.hits, statistics.total) + "%\r\n彩票有风险，投注需谨慎！";
}

}  // namespace k3
