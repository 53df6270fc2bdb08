#include "shell/app_state.h"

#include <cassert>

#include "shell/startup_facade.h"
#include "updater/updater_launch.h"

namespace k3 {

AppState::AppState(const AppPlatform& platform) : m_platform(platform) {
    m_planManager = std::make_unique<PlanManager>(platform.clock);
    m_serviceClient = std::make_unique<ServiceClient>(platform.clock);
    m_serviceClient->setTransferControl(TransferControl{&platform.events, &m_stopRequests});
    m_drawCalls = std::make_unique<ServiceDrawCalls>(*m_serviceClient);
    m_planController = std::make_unique<PlanController>(
        *m_planManager, platform.clock, platform.messages,
        PlanControllerState{drawHistory, formulaPeriods, m_profile.betPrefix});
    m_presenter = std::make_unique<MainPresenter>();
    m_drawSource = std::make_unique<DrawSource>(*m_drawCalls, platform.clock);
    m_drawCycle = std::make_unique<DrawCycle>(
        DrawCycleParts{*m_drawSource, *m_drawCalls, *m_presenter, *m_planController, currentDraw, drawHistory,
                       timerTicks, formulaPeriods, platform.messages, platform.events});
    m_startupFacade = std::make_unique<StartupFacade>(*this);

    updaterPath = updaterPathIn(platform.programDirectory);
    removeLeftoverUpdater(updaterPath, platform.files);
}

// Members go in reverse order of declaration: users before what they use.
AppState::~AppState() = default;

void AppState::setProductProfile(ProductProfile profile) {
    m_profile = std::move(profile);
    m_settings = SettingsFile(m_profile.productName);
}

void AppState::attachWindow(const WindowParts& window) {
    m_window = std::make_unique<WindowParts>(window);
    m_presenter->attachView(&window.view);
}

const WindowParts& AppState::window() const {
    assert(m_window && "the main window attaches itself before the start-up runs");
    return *m_window;
}

}  // namespace k3
