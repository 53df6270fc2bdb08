// The draw cycle of the main window: the countdown tick that shows the time left and, once the
// draw is due, fetches it and spreads it to the labels, the plan, the history and the list;
// and the first load of draws at start-up.
#pragma once

#include <cstdint>
#include <string_view>

#include "draws/draw_history.h"
#include "draws/draw_record.h"
#include "draws/draw_service.h"
#include "draws/draw_source.h"
#include "plan/plan_controller.h"
#include "platform/event_pump.h"
#include "platform/message_box.h"
#include "shell/main_presenter.h"

namespace k3 {

inline constexpr int32_t kStartHistoryCount = 50;
inline constexpr std::string_view kDrawDueText = "正在开奖……";
inline constexpr std::string_view kCurrentPeriodCaption = "当前期号：";

// The application-wide values and long-lived objects the cycle works with.
struct DrawCycleParts {
    DrawSource& drawSource;
    DrawService& service;
    MainPresenter& presenter;
    PlanController& planController;
    DrawStatus& currentDraw;
    DrawHistory& drawHistory;
    int32_t& timerTicks;
    const int32_t& formulaPeriods;
    MessageBoxes& messages;
    EventPump& events;
};

class DrawCycle {
public:
    explicit DrawCycle(DrawCycleParts parts) : m_parts(parts) {}

    // The handler of the countdown timer "时钟_剩余开奖时间" (every 100 ms).
    void onCountdownTick();
    // Opens the advertisement page, fetches the latest draw and 50 draws of history, fills the
    // list and rebuilds the plan; false (after its messages) when no history came.
    bool loadStartDraws(std::string_view advertAddress);
    // Replaces the history with exactly count records; false, with a message, when the service
    // failed (the history is then unchanged).
    bool loadHistory(int32_t count);

private:
    void showDraw(const DrawRecord& draw);

    DrawCycleParts m_parts;
};

}  // namespace k3
