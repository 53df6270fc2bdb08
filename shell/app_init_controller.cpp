#include "shell/app_init_controller.h"

#include <functional>

#include "updater/update_check.h"

namespace k3 {
namespace {

constexpr int kLinkGap = 3;

}  // namespace

bool AppInitController::setup(PlanView& planBox) {
    if (!initService()) {
        return false;
    }
    if (!checkUpdate(m_state.initInfo.version, m_state.initInfo.proupurl)) {
        return false;
    }
    m_state.planController().initialise(planBox, m_state.profile().planName);
    return true;
}

bool AppInitController::initService() {
    ServiceClient& client = m_state.serviceClient();
    const int32_t appId = m_state.profile().appId;
    const InitEndpoints& endpoints = m_state.platform().initEndpoints;
    if (!client.init(endpoints.primary, appId) && !client.init(endpoints.fallback, appId)) {
        m_state.window().splash.close();
        // The user closed the window while the service was being tried: no message, just end.
        if (!m_state.requestsStopped()) {
            m_state.platform().messages.showMessage(client.lastError());
        }
        return false;
    }
    m_state.initInfo = client.initInfo();
    buildLinkBar();
    return true;
}

int AppInitController::buildLinkBar() {
    MainView& view = m_state.window().view;
    const LinkTemplateGeometry linkTemplate = view.linkTemplateGeometry();
    const InitInfo& info = m_state.initInfo;
    int left = linkTemplate.left;
    for (std::size_t i = 0; i < info.linkNames.size(); ++i) {
        const std::string target = i < info.linkTargets.size() ? info.linkTargets[i] : std::string();
        view.addLink(info.linkNames[i], target, left, linkTemplate.top);
        left += linkTemplate.width + kLinkGap;
    }
    return static_cast<int>(info.linkNames.size());
}

bool AppInitController::checkUpdate(std::string_view newVersion, std::string_view updateUrl) {
    const AppPlatform& platform = m_state.platform();
    const ProductProfile& profile = m_state.profile();
    Splash& splash = m_state.window().splash;
    const UpdateContext context{profile.productName,   profile.programName,
                                profile.version,       m_state.updaterPath,
                                platform.updaterImage, platform.messages,
                                platform.events,       platform.files,
                                platform.processes,    [&splash] { splash.close(); }};
    return k3::checkUpdate(context, newVersion, updateUrl) == UpdateOutcome::UpToDate;
}

}  // namespace k3
