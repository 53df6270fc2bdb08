// A real k3drawd for the window tests, on a loopback port the system picks; it can be stopped
// and started again on the same port and database, as a service going away and coming back.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace k3::test {

class WindowDrawd {
public:
    // The database lives in folder; extraArguments go to every start (e.g. --interval).
    WindowDrawd(const QString& folder, QStringList extraArguments);
    ~WindowDrawd();

    // Starts the service and waits until it listens; false with error() when it does not.
    bool start();
    void stop();
    QString error() const { return m_error; }
    int port() const { return m_port; }
    // "http://127.0.0.1:PORT/", its init endpoint.
    QString initUrl() const;
    QString databasePath() const;

private:
    QString m_folder;
    QStringList m_extraArguments;
    QProcess m_process;
    int m_port = 0;
    QString m_error;
};

// An init endpoint on loopback where nothing listens.
QString closedInitUrl();

}  // namespace k3::test
