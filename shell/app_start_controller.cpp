#include "shell/app_start_controller.h"

namespace k3 {
namespace {

constexpr int32_t kStartHitRate = 80;

}  // namespace

bool AppStartController::start() {
    m_state.window().splash.close();
    const ProductProfile& profile = m_state.profile();
    PlanManager& manager = m_state.planManager();
    // A spec the manager refuses leaves the plan without rows; the start goes on all the same.
    manager.addPlan(profile.planName, profile.planTitle, m_state.presenter().formulaPeriodsChoice());
    manager.setMaxRows(0);
    manager.setHitRate(kStartHitRate);
    manager.setClearAfterLosses(0);
    return loadDraws();
}

bool AppStartController::loadDraws() { return m_state.drawCycle().loadStartDraws(m_state.initInfo.advert1); }

}  // namespace k3
