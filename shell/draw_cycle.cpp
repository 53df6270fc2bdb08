#include "shell/draw_cycle.h"

#include <string>

#include "draws/countdown.h"

namespace k3 {

void DrawCycle::showDraw(const DrawRecord& draw) {
    m_parts.presenter.showCurrentDraw(std::string(kCurrentPeriodCaption) + draw.period, draw.numbers);
}

void DrawCycle::onCountdownTick() {
    if (!advanceTimerTicks(m_parts.timerTicks)) {
        return;
    }
    const std::string left = m_parts.drawSource.countdownText();
    if (!left.empty()) {
        m_parts.presenter.showDrawTime(left);
        return;
    }
    m_parts.presenter.showDrawTime(kDrawDueText);
    m_parts.events.processPendingEvents();
    if (!m_parts.drawSource.fetchLatestDraw(m_parts.currentDraw)) {
        return;
    }
    // A copy: the plan view lets the window run a nested tick, which may write currentDraw.
    const DrawRecord draw = m_parts.currentDraw.last;
    showDraw(draw);
    m_parts.events.processPendingEvents();
    m_parts.planController.onNewDraw(draw);
    m_parts.drawHistory.insertNewest(draw);
    m_parts.presenter.addHistoryRow(draw.period, draw.numbers);
}

bool DrawCycle::loadStartDraws(std::string_view advertAddress) {
    m_parts.events.processPendingEvents();
    m_parts.presenter.showPage(advertAddress);
    m_parts.events.processPendingEvents();

    DrawStatus latest;
    m_parts.drawSource.fetchLatestDraw(latest);
    loadHistory(kStartHistoryCount);
    // The plan's reload replays 50 records: never start it on fewer.
    if (m_parts.drawHistory.size() < static_cast<std::size_t>(kStartHistoryCount)) {
        m_parts.messages.showMessage("获取网络开奖数据失败！");
        return false;
    }
    showDraw(latest.last);
    for (std::size_t position = m_parts.drawHistory.size(); position >= 1; --position) {
        const DrawRecord& record = m_parts.drawHistory.at(position);
        m_parts.presenter.addHistoryRow(record.period, record.numbers);
    }
    m_parts.planController.reload(m_parts.formulaPeriods);
    return true;
}

bool DrawCycle::loadHistory(int32_t count) {
    DrawTable table;
    if (!m_parts.service.selectDraw(count, table)) {
        m_parts.messages.showMessage("查询最近开奖数据失败！" + m_parts.service.lastError());
        return false;
    }
    m_parts.drawHistory.replaceHistory(table, static_cast<std::size_t>(count));
    return true;
}

}  // namespace k3
