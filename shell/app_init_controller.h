// The first half of the visible start-up: connects to the service, keeps its start-up data,
// lays out the link bar, runs the update check and tells the plan controller what to show.
#pragma once

#include <string_view>

#include "shell/app_state.h"

namespace k3 {

class AppInitController {
public:
    explicit AppInitController(AppState& state) : m_state(state) {}

    // False when the program must end: no service answered (its message shown) or the user
    // did not let the start go on past the update question.
    bool setup(PlanView& planBox);
    // The init call, primary endpoint first, then the local one.
    bool initService();
    // One link per start-up link, in a row from the hidden template; the number of links.
    int buildLinkBar();
    // True when the start goes on (no newer version); false when the user refused the update or
    // the updater has been started.
    bool checkUpdate(std::string_view newVersion, std::string_view updateUrl);

private:
    AppState& m_state;
};

}  // namespace k3
