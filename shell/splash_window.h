// The splash: a small window that says the program is connecting while the main window prepares
// itself. Closing it by hand ends the program.
#pragma once

#include <QObject>
#include <QPointer>

#include "shell/splash.h"

class QWidget;

namespace k3 {

class SplashWindow final : public QObject, public Splash {
    Q_OBJECT
public:
    ~SplashWindow() override;

    // Opens the splash with the message and lets it paint; false when it is open already.
    bool show(std::string_view message) override;
    // Closes the splash; false when it is not open.
    bool close() override;
    bool isOpen() const { return !m_window.isNull(); }
    QWidget* window() const { return m_window; }

signals:
    // The user closed the splash (its close button, Alt+F4): the program must end at once.
    void closedByUser();

private:
    class Window;
    QPointer<QWidget> m_window;
};

}  // namespace k3
