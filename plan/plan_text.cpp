// The plan text the user reads in the plan box and copies to the clipboard.
#include "plan/plan_manager.h"

namespace k3 {

namespace {

std::string periodPart(const PlanRow& row, int32_t formulaPeriods) {
    if (formulaPeriods == 1) {
        return row.firstLabel + "期 ";
    }
    return row.firstLabel + "-" + row.lastLabel + "期 ";
}

std::string resultPart(const PlanRow& row, int32_t formulaPeriods) {
    const std::string seen = "<" + row.drawLabel + "期-" + row.drawNumbers + ">→";
    switch (row.state) {
        case RowState::Hit:
            return seen + "中";
        case RowState::Missed:
            // A one-period prediction shows the draw that missed it; longer ones just say 挂.
            return formulaPeriods == 1 ? seen + "无" : "挂";
        case RowState::Waiting:
            break;
    }
    return "等开";
}

}  // namespace

std::string PlanManager::formatPlan(const PlanRecord& record, std::string_view title) {
    const bool compact = record.displayMode == static_cast<int32_t>(DisplayMode::Compact);
    std::string text;
    for (const PlanRow& row : record.rows) {
        text += periodPart(row, record.formulaPeriods);
        text += title;
        text += record.name;
        text += compact ? " " : "【" + row.prediction + "】 ";
        text += resultPart(row, record.formulaPeriods);
        text += "\r\n";
    }
    if (compact && !record.rows.empty()) {
        text += "\r\n\r\n " + record.rows.back().prediction + "\r\n";
    }
    return text;
}

std::string PlanManager::planTextAt(int32_t index) const {
    const PlanRecord* record = recordAt(index);
    return record ? formatPlan(*record, m_title) : std::string();
}

std::string PlanManager::planText(std::string_view name) const {
    const int32_t index = findPlan(name);
    return index == 0 ? std::string() : planTextAt(index);
}

}  // namespace k3
