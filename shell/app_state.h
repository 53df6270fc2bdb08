// The program's long-lived objects and application-wide values: each exists once, is made
// before the main window opens and lives until the program ends.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "draws/draw_history.h"
#include "draws/draw_record.h"
#include "draws/draw_source.h"
#include "plan/plan_controller.h"
#include "plan/plan_manager.h"
#include "plan/plan_view.h"
#include "platform/clock.h"
#include "platform/event_pump.h"
#include "platform/message_box.h"
#include "service/init_info.h"
#include "service/service_client.h"
#include "shell/draw_cycle.h"
#include "shell/init_endpoints.h"
#include "shell/main_presenter.h"
#include "shell/main_view.h"
#include "shell/product_profile.h"
#include "shell/service_draw_calls.h"
#include "shell/settings_file.h"
#include "shell/splash.h"
#include "updater/process_starter.h"
#include "updater/updater_files.h"

namespace k3 {

class StartupFacade;

// What the program gets from its surroundings: the clock, the user's message boxes, the event
// pump, the files and process start of the self-update, the updater's bytes, the directory of
// the program file and the init endpoints.
struct AppPlatform {
    Clock& clock;
    MessageBoxes& messages;
    EventPump& events;
    UpdaterFiles& files;
    ProcessStarter& processes;
    std::string_view updaterImage;
    std::string programDirectory;
    InitEndpoints initEndpoints = {};
};

// The parts of the main window that the start-up and the draw cycle write to.
struct WindowParts {
    MainView& view;
    PlanView& planBox;
    Splash& splash;
};

class AppState {
public:
    // Makes the long-lived objects and removes an updater left over from an earlier update.
    explicit AppState(const AppPlatform& platform);
    // Destroys the objects, users before what they use.
    ~AppState();
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    // Fixes the build's identity; the settings use its product name as their section.
    void setProductProfile(ProductProfile profile);
    // The main window, once it exists; the presenter writes to its view from then on.
    void attachWindow(const WindowParts& window);
    // Makes every running and later request give up at once, so that closing the window during
    // a request ends the program promptly.
    void stopRequests() { m_stopRequests = true; }
    bool requestsStopped() const { return m_stopRequests; }

    const AppPlatform& platform() const { return m_platform; }
    const ProductProfile& profile() const { return m_profile; }
    const WindowParts& window() const;

    // Application-wide values.
    int32_t formulaPeriods = 0;
    bool windowReady = false;
    int32_t timerTicks = 0;
    std::string updaterPath;
    DrawStatus currentDraw;
    DrawHistory drawHistory;
    InitInfo initInfo;

    SettingsFile& settings() { return m_settings; }
    ServiceClient& serviceClient() { return *m_serviceClient; }
    PlanManager& planManager() { return *m_planManager; }
    PlanController& planController() { return *m_planController; }
    DrawSource& drawSource() { return *m_drawSource; }
    MainPresenter& presenter() { return *m_presenter; }
    DrawCycle& drawCycle() { return *m_drawCycle; }
    StartupFacade& startupFacade() { return *m_startupFacade; }

private:
    AppPlatform m_platform;
    ProductProfile m_profile;
    SettingsFile m_settings;
    std::atomic<bool> m_stopRequests = false;
    std::unique_ptr<WindowParts> m_window;
    // Each object is made after the ones it holds references to and destroyed before them.
    std::unique_ptr<PlanManager> m_planManager;
    std::unique_ptr<ServiceClient> m_serviceClient;
    std::unique_ptr<ServiceDrawCalls> m_drawCalls;
    std::unique_ptr<PlanController> m_planController;
    std::unique_ptr<MainPresenter> m_presenter;
    std::unique_ptr<DrawSource> m_drawSource;
    std::unique_ptr<DrawCycle> m_drawCycle;
    std::unique_ptr<StartupFacade> m_startupFacade;
};

}  // namespace k3
