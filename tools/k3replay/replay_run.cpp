// Follows the window's order of calls exactly, so that a replay prints what the window would show.
#include "tools/k3replay/replay_run.h"

#include "draws/draw_history.h"
#include "plan/plan_controller.h"
#include "plan/plan_manager.h"
#include "plan/plan_view.h"

#include <algorithm>

namespace k3 {
namespace {

// The size of the history the window loads at start-up.
constexpr std::size_t kStartHistorySize = 50;

}  // namespace

ReplayResult runReplay(const ReplayOptions& options, const DrawTable& table, Clock& clock,
                       MessageBoxes& messages) {
    PlanManager manager(clock);
    if (!manager.addPlan(options.spec, options.spec, options.periods)) {
        return {std::nullopt, "not a plan spec the plan engine knows: " + options.spec};
    }
    manager.setMaxRows(0);
    manager.setHitRate(80);
    manager.setClearAfterLosses(0);

    DrawHistory history;
    const int32_t formulaPeriods = options.periods;
    const std::string betPrefix;
    StoredPlanView view;
    PlanController controller(manager, clock, messages, {history, formulaPeriods, betPrefix});
    controller.initialise(view, options.spec);

    const auto live = static_cast<DrawTable::difference_type>(std::min(options.live, table.size()));
    history.replaceHistory(DrawTable(table.begin() + live, table.end()), kStartHistorySize);
    controller.reload(options.periods,
                      options.honest ? HistoryReplay::Honest : HistoryReplay::WithNextNumbers);

    for (auto row = table.rend() - live; row != table.rend(); ++row) {
        const DrawRecord draw = fromTableRow(*row);
        controller.onNewDraw(draw);
        history.insertNewest(draw);
    }
    return {view.text(), {}};
}

}  // namespace k3
