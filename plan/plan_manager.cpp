// The plan manager's settings, record list, lookups and copies.
#include "plan/plan_manager.h"

#include "plan/period_label.h"
#include "plan/plan_spec.h"

#include <limits>

namespace k3 {

PlanManager::PlanManager(Clock& clock) : m_clock(&clock) {}

void PlanManager::reset() {
    m_title.clear();
    m_seedBase = 0;
    m_records.clear();
    m_maxRows = 0;
    m_hitRate = 0;
    m_clearAfterLosses = 1;
}

void PlanManager::clearAllRows() {
    for (PlanRecord& record : m_records) {
        record.rows.clear();
    }
}

void PlanManager::setFormulaPeriods(int32_t periods, std::string_view name, bool byName) {
    if (!byName) {
        for (PlanRecord& record : m_records) {
            record.formulaPeriods = periods;
        }
        return;
    }
    if (const int32_t index = findPlan(name); index != 0) {
        m_records[static_cast<std::size_t>(index - 1)].formulaPeriods = periods;
    }
}

void PlanManager::setTitle(std::string_view title) {
    m_title = title;
    const auto value = static_cast<int32_t>(static_cast<uint32_t>(digestPrefixValue(title, 8)));
    // The most negative value has no positive counterpart and stays as it is.
    m_seedBase = value == std::numeric_limits<int32_t>::min() ? value : (value < 0 ? -value : value);
}

int32_t PlanManager::removePlan(std::string_view name) {
    const int32_t index = findPlan(name);
    if (index == 0) {
        return 0;
    }
    m_records.erase(m_records.begin() + (index - 1));
    return 1;
}

std::string PlanManager::periodLabel(std::string_view period, int32_t offset) const {
    return k3::periodLabel(period, offset, m_periodsPerDay);
}

int32_t PlanManager::findPlan(std::string_view name) const {
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].name == name) {
            return static_cast<int32_t>(i + 1);
        }
    }
    return 0;
}

const PlanRecord* PlanManager::recordAt(int32_t index) const {
    if (index < 1 || index > planCount()) {
        return nullptr;
    }
    return &m_records[static_cast<std::size_t>(index - 1)];
}

std::string PlanManager::planNameAt(int32_t index) const {
    const PlanRecord* record = recordAt(index);
    return record ? record->name : std::string();
}

void PlanManager::copyPlanAt(int32_t index, PlanRecord& out) const {
    const PlanRecord* record = recordAt(index);
    out = record ? *record : PlanRecord();
}

bool PlanManager::copyPlan(std::string_view name, PlanRecord& out) const {
    const int32_t index = findPlan(name);
    if (index == 0) {
        return false;
    }
    copyPlanAt(index, out);
    return true;
}

std::string PlanManager::lastPredictionAt(int32_t index) const {
    const PlanRecord* record = recordAt(index);
    if (!record || record->rows.empty()) {
        return {};
    }
    return record->rows.back().prediction;
}

std::string PlanManager::lastPrediction(std::string_view name) const {
    return lastPredictionAt(findPlan(name));
}

}  // namespace k3
