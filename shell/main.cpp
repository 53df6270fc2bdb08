// The client's entry: makes the long-lived objects, fixes the product profile, opens the main
// window (whose creation runs the visible start-up) and runs the message loop until it closes.
#include "platform/clock.h"
#include "shell/app_state.h"
#include "shell/product_profile.h"
#include "shell/qt_client.h"
#include "shell/qt_event_pump.h"
#include "shell/qt_html_view.h"
#include "shell/qt_message_boxes.h"
#include "updater/embedded_updater.h"
#include "updater/process_starter.h"
#include "updater/program_location.h"
#include "updater/updater_files.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTimer>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Chromium refuses to start as root with its sandbox on; as any other user the sandbox stays.
void allowWebEngineAsRoot() {
    if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

// WebEngine prints its whole GL set-up at start; users see that as noise in their terminal.
// QT_LOGGING_RULES still takes precedence for whoever wants to see it.
void quietWebEngineStartup() { QLoggingCategory::setFilterRules("qt.webenginecontext.info=false"); }

// Closing the splash by hand ends the program at once, wherever the start-up is: nothing is
// half-written then, since settings writes replace the file whole.
[[noreturn]] void endAtOnce() {
    std::fflush(nullptr);
    std::_Exit(0);
}

// K3_SCREENSHOT=<file.png> saves a picture of the window once its page has loaded, for the
// documentation; the program runs on as usual.
void saveScreenshotWhenLoaded(k3::MainWindow& window) {
    const QString path = qEnvironmentVariable("K3_SCREENSHOT");
    if (path.isEmpty()) return;
    // The page paints a moment after it reports its load.
    constexpr int kPaintDelayMilliseconds = 300;
    QObject::connect(window.htmlView(), &QWebEngineView::loadFinished, &window, [&window, path] {
        QTimer::singleShot(kPaintDelayMilliseconds, &window, [&window, path] {
            if (!window.grab().save(path))
                std::fprintf(stderr, "cannot save the screenshot to %s\n", qPrintable(path));
        });
    });
}

}  // namespace

int main(int argc, char** argv) {
    allowWebEngineAsRoot();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    quietWebEngineStartup();
    QApplication::setQuitOnLastWindowClosed(false);

    k3::SystemClock clock;
    k3::QtMessageBoxes messages;
    k3::QtEventPump events;
    k3::DiskUpdaterFiles files;
    k3::SpawnProcessStarter processes;
    const k3::AppPlatform platform{clock,
                                   messages,
                                   events,
                                   files,
                                   processes,
                                   k3::embeddedUpdaterImage(),
                                   k3::runningProgramDirectory().value_or(".")};
    k3::AppState state(platform);
    k3::ProductProfile profile = k3::thisBuildProfile(messages);
    messages.setTitle(QString::fromStdString(profile.productName));
    state.setProductProfile(std::move(profile));

    k3::QtClient client(state);
    QObject::connect(&client.splash(), &k3::SplashWindow::closedByUser, [] { endAtOnce(); });
    QObject::connect(&client, &k3::QtClient::closed, &application, &QCoreApplication::quit);
    saveScreenshotWhenLoaded(client.window());
    if (!client.onMainWindowCreated()) return 0;
    return QApplication::exec();
}
