#include "shell/startup_facade.h"

#include "shell/app_init_controller.h"
#include "shell/app_start_controller.h"

namespace k3 {

bool StartupFacade::prepare(PlanView& planBox) {
    AppInitController controller(m_state);
    return controller.setup(planBox);
}

bool StartupFacade::start() {
    AppStartController controller(m_state);
    return controller.start();
}

}  // namespace k3
