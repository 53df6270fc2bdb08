// Ties the plan engine to the plan box: feeds new draws to the plans, rebuilds their rows from
// the draw history, replaces the plan when another bet count is chosen, and rewrites the box
// after every change.
#pragma once

#include "draws/draw_history.h"
#include "draws/draw_record.h"
#include "plan/plan_manager.h"
#include "plan/plan_view.h"
#include "platform/clock.h"
#include "platform/message_box.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace k3 {

// The application-wide values the controller reads; their owner keeps them up to date.
struct PlanControllerState {
    const DrawHistory& drawHistory;  // newest draw at position 1
    const int32_t& formulaPeriods;   // the formula periods chosen in the window
    const std::string& betPrefix;    // non-empty for products sold by bet count
};

// How a reload replays the history before its newest draw.
enum class HistoryReplay {
    WithNextNumbers,  // each draw with the numbers of the one after it, as the window does
    Honest,           // no next numbers: no prediction is chosen knowing its outcome
};

class PlanController {
public:
    // The clock gives the seed of every live draw; messages carry the formula parser's reports.
    PlanController(PlanManager& manager, Clock& clock, MessageBoxes& messages, PlanControllerState state);

    // The box that shows the plan and the name of the plan on show.
    void initialise(PlanView& view, std::string_view planName);
    // A draw that just arrived, before it goes into the history.
    void onNewDraw(const DrawRecord& draw);
    // Plan text, a blank line, the statistics and the risk notice, caret at the end.
    void refreshPlanView();
    // Replaces the plan on show by the formula for betCount bets and rebuilds every plan.
    void regenerate(int32_t betCount);
    // Rebuilds every plan with the formula periods chosen in the window.
    void clearAndRefetch();
    // Empties every plan, gives all of them periods and replays the history into them.
    void reload(int32_t periods, HistoryReplay replay = HistoryReplay::WithNextNumbers);
    // Adds one plan per pair of the text's first alternative; false when it has none or a spec
    // is refused (the plans added before stay).
    bool expandFormula(std::string_view text);

    const std::string& planName() const { return m_planName; }

    // The hit rate that goes with a bet count: cut down by tens to at most 100, plus 20.
    static int32_t hitRateForBetCount(int32_t betCount);

private:
    PlanManager& m_manager;
    Clock& m_clock;
    MessageBoxes& m_messages;
    PlanControllerState m_state;
    PlanView* m_view = nullptr;
    std::string m_planName;
};

}  // namespace k3
