// The controller keeps only the plan's name and its box; every row lives in the plan manager.
#include "plan/plan_controller.h"

#include "plan/formula_parser.h"
#include "plan/plan_statistics.h"
#include "platform/text.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace k3 {
namespace {

// A reload replays at most this many of the newest draws: the start-up history's size.
constexpr std::size_t kReplayedDraws = 50;

}  // namespace

PlanController::PlanController(PlanManager& manager, Clock& clock, MessageBoxes& messages,
                               PlanControllerState state)
    : m_manager(manager), m_clock(clock), m_messages(messages), m_state(state) {}

void PlanController::initialise(PlanView& view, std::string_view planName) {
    m_view = &view;
    m_planName = planName;
}

void PlanController::onNewDraw(const DrawRecord& draw) {
    const auto seed = static_cast<int32_t>(m_clock.millisecondsSinceStart());
    m_manager.processDraw(draw.period, draw.numbers, seed, "");
    refreshPlanView();
}

void PlanController::refreshPlanView() {
    if (m_view == nullptr) {
        return;
    }
    PlanRecord record;
    m_manager.copyPlan(m_planName, record);
    const std::string text = m_manager.planText(m_planName) + "\r\n\r\n" + statisticsText(countRows(record));
    m_view->replaceText(text);
    m_view->moveCaretToEnd();
    m_view->processPendingEvents();
}

void PlanController::regenerate(int32_t betCount) {
    m_manager.removePlan(m_planName);
    m_planName = m_state.betPrefix + std::to_string(betCount) + "注";
    expandFormula(m_planName);
    m_manager.setFormulaPeriods(1, "", false);
    m_manager.setHitRate(hitRateForBetCount(betCount));
    clearAndRefetch();
}

void PlanController::clearAndRefetch() { reload(m_state.formulaPeriods); }

void PlanController::reload(int32_t periods, HistoryReplay replay) {
    m_manager.clearAllRows();
    m_manager.setFormulaPeriods(periods, "", false);
    const DrawHistory& history = m_state.drawHistory;
    // A history shorter than the usual 50 is walked from its own end.
    for (std::size_t i = std::min(kReplayedDraws, history.size()); i >= 2; --i) {
        const DrawRecord& draw = history.at(i);
        const std::string next = replay == HistoryReplay::Honest ? std::string() : history.at(i - 1).numbers;
        m_manager.processDraw(draw.period, draw.numbers, draw.seed, next);
    }
    if (history.size() == 0) {
        refreshPlanView();
        return;
    }
    onNewDraw(history.at(1));
}

bool PlanController::expandFormula(std::string_view text) {
    const std::vector<FormulaAlternative> alternatives = FormulaParser(m_messages).parse(text);
    if (alternatives.empty()) {
        return false;
    }
    for (const FormulaSection& section : alternatives.front().sections) {
        const std::vector<std::string> specs = formulaListItems(section.specs);
        const std::vector<std::string> names = formulaListItems(section.names);
        const int32_t periods = textToInt(section.header);
        // The parser fills both lists in step, so they hold the same number of items.
        for (std::size_t j = 0; j < std::min(specs.size(), names.size()); ++j) {
            if (specs[j].empty()) {
                continue;
            }
            if (!m_manager.addPlan(specs[j], names[j], periods)) {
                return false;
            }
        }
    }
    return true;
}

int32_t PlanController::hitRateForBetCount(int32_t betCount) {
    double rate = betCount;
    while (rate > 100) {
        rate = std::trunc(rate / 10);
    }
    return static_cast<int32_t>(std::trunc(rate + 20));
}

}  // namespace k3
