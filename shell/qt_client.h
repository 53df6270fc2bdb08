// The client's main window brought to life: it builds the window over the application state,
// runs the visible start-up when the window is created and binds the window's events to their
// handlers.
#pragma once

#include <memory>

#include <QObject>

#include "shell/app_state.h"
#include "shell/main_window.h"
#include "shell/qt_clipboard.h"
#include "shell/qt_main_view.h"
#include "shell/qt_plan_view.h"
#include "shell/splash_window.h"

namespace k3 {

inline constexpr std::string_view kConnectingMessage = "正在连接服务器……";
inline constexpr std::string_view kCopiedMessage = "已复制到剪辑版";
inline constexpr std::string_view kBetCountChangedMessage = "更改获取注数成功！";
inline constexpr std::string_view kPlanClearedMessage = "清理成功！计划已经重新获取。";

class QtClient final : public QObject {
    Q_OBJECT
public:
    // The state's profile must be set: the window takes its product name.
    explicit QtClient(AppState& state);
    ~QtClient() override;

    // The creation of the main window: settings, splash, start-up, countdown; the window is
    // shown at the end. False when the start-up failed (its message shown) and the program
    // must end.
    bool onMainWindowCreated();

    MainWindow& window() { return *m_window; }
    SplashWindow& splash() { return m_splash; }

signals:
    // The main window was closed: the message loop should end.
    void closed();

private:
    void applyBetLayout();
    void onCopyPlan();
    void onConfirmBetCount();
    void onSwitchFormulaPeriods();
    void onClearPlan();
    void onClose();

    AppState& m_state;
    SplashWindow m_splash;
    std::unique_ptr<MainWindow> m_window;
    QtMainView m_view;
    QtPlanView m_planBox;
    QtClipboard m_clipboard;
};

}  // namespace k3
