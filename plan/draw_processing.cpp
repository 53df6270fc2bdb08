// Every draw settles the open prediction of each plan (hit, final miss or still waiting) and,
// once it is settled, makes the next one. Seeds mix the period's label, the caller's seed and the
// plan's own offset, so plans and periods differ even when the caller's seed repeats.
#include "plan/plan_manager.h"

#include "plan/generator.h"
#include "platform/clock.h"
#include "platform/text.h"

#include <algorithm>
#include <limits>

namespace k3 {

namespace {

// The period before period, as text, so that its label plus one is the label of period.
std::string previousPeriod(std::string_view period) {
    const int64_t number = textToInt64(period);
    return std::to_string(number == std::numeric_limits<int64_t>::min() ? number : number - 1);
}

constexpr int32_t kMaxRedraws = 10;

}  // namespace

bool PlanManager::splitNumbers(std::string_view numbers, std::vector<std::string>& out) {
    out = splitText(numbers, ",");
    return out.size() == 3;
}

bool PlanManager::processDraw(std::string_view period, std::string_view numbers, int32_t seed,
                              std::string_view nextNumbers) {
    std::vector<std::string> numberList;
    if (!splitNumbers(numbers, numberList)) {
        return false;
    }
    std::vector<std::string> nextList;
    if (!nextNumbers.empty() && !splitNumbers(nextNumbers, nextList)) {
        return false;
    }
    verifyAll(period, numbers, numberList, seed, nextList);
    return true;
}

void PlanManager::verifyAll(std::string_view period, std::string_view numbers,
                            const std::vector<std::string>& numberList, int32_t seed,
                            const std::vector<std::string>& nextList) {
    if (seed == 0) {
        return;
    }
    const int32_t drawNumber = textToInt(periodLabel(period, 0));
    const int32_t drawSeed = addSeeds(addSeeds(m_seedBase, drawNumber), seed);
    for (PlanRecord& record : m_records) {
        verifyRecord(record, period, numbers, numberList, drawSeed, nextList);
    }
}

void PlanManager::verifyRecord(PlanRecord& record, std::string_view period, std::string_view numbers,
                               const std::vector<std::string>& numberList, int32_t seed,
                               const std::vector<std::string>& nextList) {
    if (record.rows.empty()) {
        // The first prediction covers the current draw, as if made at the period before it.
        appendPrediction(record, previousPeriod(period), seed, nextList);
    }
    PlanRow& latest = record.rows.back();
    latest.drawLabel = periodLabel(period, 0);
    latest.drawNumbers = numbers;
    latest.state = record.kind->验证预测(numberList, latest.prediction) ? RowState::Hit : RowState::Missed;
    if (latest.state == RowState::Hit) {
        appendPrediction(record, period, seed, nextList);
        return;
    }
    if (textToInt(latest.lastLabel) == textToInt(latest.drawLabel)) {
        if (m_clearAfterLosses != 0 && hasStreak(record, RowState::Missed, 3, 2, false)) {
            record.rows.clear();
        }
        appendPrediction(record, period, seed, nextList);
        return;
    }
    latest.state = RowState::Waiting;
}

void PlanManager::appendPrediction(PlanRecord& record, std::string_view period, int32_t seed,
                                   const std::vector<std::string>& nextList) {
    PlanRow row;
    row.firstLabel = periodLabel(period, 1);
    row.lastLabel = periodLabel(period, record.formulaPeriods);
    if (nextList.empty()) {
        row.prediction = record.kind->取下期预测(addSeeds(seed, record.seedOffset));
    } else {
        row.prediction = predictAgainst(record, seed, nextList, wantsHit(record));
    }
    if (m_maxRows != 0 && !record.rows.empty() && record.rowCount() >= m_maxRows) {
        record.rows.erase(record.rows.begin());
    }
    record.rows.push_back(std::move(row));
}

// Whether a prediction made against known numbers should hit: always after two misses in a
// row, rarely after five hits in a row, otherwise at the configured hit rate. The draw continues
// the generator's current sequence.
bool PlanManager::wantsHit(const PlanRecord& record) {
    int32_t hitChance = m_hitRate;
    if (hasStreak(record, RowState::Missed, 2, 2, true)) {
        hitChance = 100;
    } else if (hasStreak(record, RowState::Hit, 5, 5, true)) {
        hitChance = 0;
    }
    return randomInRange(0, 100) <= hitChance;
}

// Redraws the prediction, each time from a seed moved on by the tick count, until its outcome
// against the known numbers is the wanted one; after the last attempt that prediction stays.
std::string PlanManager::predictAgainst(const PlanRecord& record, int32_t seed,
                                        const std::vector<std::string>& nextList, bool wantHit) {
    std::string prediction;
    int32_t moved = seed;
    for (int32_t attempt = 1; attempt <= kMaxRedraws; ++attempt) {
        moved = addSeeds(static_cast<int32_t>(m_clock->millisecondsSinceStart()), moved);
        prediction = record.kind->取下期预测(addSeeds(moved, attempt));
        if (record.kind->验证预测(nextList, prediction) == wantHit) {
            break;
        }
    }
    return prediction;
}

bool PlanManager::hasStreak(const PlanRecord& record, RowState state, int32_t span, int32_t needed,
                            bool consecutive) {
    const int32_t rowCount = record.rowCount();
    if (rowCount < needed) {
        return false;
    }
    const auto start = static_cast<int32_t>(std::max<int64_t>(int64_t{rowCount} - span + 1, 1));
    int32_t found = 0;
    for (int32_t position = rowCount; position >= start; --position) {
        if (record.rows[static_cast<std::size_t>(position - 1)].state == state) {
            if (++found >= needed) {
                return true;
            }
        } else if (consecutive) {
            return false;
        }
    }
    return false;
}

}  // namespace k3
