// The updater's small window: what it is doing, the address it downloads from and a progress
// bar. It runs the update job on a worker thread and reports the end on the window's thread.
#pragma once

#include <QWidget>

#include <atomic>
#include <thread>

#include "updater/update_job.h"

class QLabel;
class QProgressBar;

namespace k3 {

class UpdaterWindow final : public QWidget {
    Q_OBJECT

public:
    UpdaterWindow(UpdateJob& job, const QString& downloadUrl);
    ~UpdaterWindow() override;

    // Starts the job; finished() follows on this window's thread.
    void start();

signals:
    void finished(bool succeeded, const QString& message);

private:
    void showProgress(qint64 received, qint64 total);

    UpdateJob& m_job;
    QLabel* m_status;
    QLabel* m_address;
    QProgressBar* m_progress;
    std::atomic<bool> m_cancel{false};
    std::thread m_worker;
};

}  // namespace k3
