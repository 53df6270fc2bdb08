// Starts k3drawd as a child process and reads the address it reports.
#include "tests/shell/window_drawd.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QTcpServer>

namespace k3::test {

namespace {

constexpr int kStartMilliseconds = 20000;

}  // namespace

WindowDrawd::WindowDrawd(const QString& folder, QStringList extraArguments)
    : m_folder(folder), m_extraArguments(std::move(extraArguments)) {
    m_process.setProgram(QStringLiteral(K3_DRAWD_PATH));
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

WindowDrawd::~WindowDrawd() { stop(); }

bool WindowDrawd::start() {
    // The first start lets the system pick the port; later starts take the same one again.
    QStringList arguments{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:%1").arg(m_port),
                          QStringLiteral("--db"), databasePath()};
    m_process.setArguments(arguments + m_extraArguments);
    m_process.start();
    if (!m_process.waitForStarted(kStartMilliseconds)) {
        m_error = QStringLiteral("k3drawd did not start: ") + m_process.errorString();
        return false;
    }
    static const QRegularExpression listening(QStringLiteral("listening on http://127\\.0\\.0\\.1:(\\d+)"));
    QByteArray output;
    const QDeadlineTimer deadline(kStartMilliseconds);
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(100);
        output += m_process.readAll();
        const QRegularExpressionMatch match = listening.match(QString::fromUtf8(output));
        if (match.hasMatch()) {
            m_port = match.captured(1).toInt();
            return true;
        }
    }
    m_error = QStringLiteral("k3drawd did not report its address: ") + QString::fromUtf8(output);
    stop();
    return false;
}

void WindowDrawd::stop() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString WindowDrawd::initUrl() const { return QStringLiteral("http://127.0.0.1:%1/").arg(m_port); }

QString WindowDrawd::databasePath() const {
    return QDir(m_folder).filePath(QStringLiteral("k3drawd.sqlite3"));
}

QString closedInitUrl() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1/").arg(port);
}

}  // namespace k3::test
