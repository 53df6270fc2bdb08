// The updater's window.
#include "updater/updater_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace k3 {

UpdaterWindow::UpdaterWindow(UpdateJob& job, const QString& downloadUrl)
    : m_job(job),
      m_status(new QLabel(QStringLiteral("软件更新器工作中.."), this)),
      m_address(new QLabel(QStringLiteral("正在下载：") + downloadUrl, this)),
      m_progress(new QProgressBar(this)) {
    setWindowTitle(QStringLiteral("软件更新器"));
    m_status->setObjectName(QStringLiteral("标签_状态"));
    m_address->setObjectName(QStringLiteral("标签_下载地址"));
    m_address->setWordWrap(true);
    m_progress->setObjectName(QStringLiteral("进度条_下载"));
    m_progress->setRange(0, 0);  // busy until the size is known
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_address);
    layout->addWidget(m_progress);
    setMinimumWidth(420);
}

UpdaterWindow::~UpdaterWindow() {
    // Closing the window mid-download stops the transfer; the old program stays as it was.
    m_cancel = true;
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void UpdaterWindow::start() {
    m_worker = std::thread([this] {
        const UpdateReport report = m_job.run(
            [this](int64_t received, int64_t total) {
                QMetaObject::invokeMethod(
                    this, [this, received, total] { showProgress(received, total); }, Qt::QueuedConnection);
            },
            m_cancel);
        QMetaObject::invokeMethod(
            this, [this, report] { emit finished(report.succeeded, QString::fromStdString(report.message)); },
            Qt::QueuedConnection);
    });
}

void UpdaterWindow::showProgress(qint64 received, qint64 total) {
    if (total <= 0) {
        return;
    }
    // Per mille keeps the bar's int range safe for any file size.
    m_progress->setRange(0, 1000);
    m_progress->setValue(static_cast<int>(received * 1000 / total));
}

}  // namespace k3
