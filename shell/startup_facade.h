// The main window's way into the start-up: each step makes its controller, runs it once and
// drops it.
#pragma once

#include "plan/plan_view.h"
#include "shell/app_state.h"

namespace k3 {

class StartupFacade {
public:
    explicit StartupFacade(AppState& state) : m_state(state) {}

    // Service, link bar, update check and plan box; false when the program must end.
    bool prepare(PlanView& planBox);
    // Plan and first draws; false when the program must end.
    bool start();

private:
    AppState& m_state;
};

}  // namespace k3
