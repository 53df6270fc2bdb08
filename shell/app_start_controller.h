// The second half of the visible start-up: adds the product's plan with its settings and loads
// the first draws.
#pragma once

#include "shell/app_state.h"

namespace k3 {

class AppStartController {
public:
    explicit AppStartController(AppState& state) : m_state(state) {}

    // Closes the splash, adds the plan with the formula periods of the window and loads the
    // draws; false (after its messages) when no draws came.
    bool start();
    bool loadDraws();

private:
    AppState& m_state;
};

}  // namespace k3
