// The updater's window on the offscreen platform: its texts, its progress and its end.
#include "updater/updater_window.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "tests/updater/fake_updater_parts.h"
#include "tests/updater/test_support.h"

namespace k3 {
namespace {

class NoWait final : public ProgramExitWait {
public:
    void waitForExit() override {}
};

class UpdaterWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "updater_program_tests";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr) {
            new QApplication(argc, argv);
        }
    }

    void SetUp() override {
        test::addDownloadRoutes(m_server.routes(), std::string(300000, 'n'));
        test::writeFile(m_dir.file("程序"), "old", 0755);
    }

    // Runs the window until the job ends; the finished() arguments.
    QList<QVariant> runWindow(UpdaterWindow& window) {
        QSignalSpy finished(&window, &UpdaterWindow::finished);
        window.show();
        window.start();
        EXPECT_TRUE(finished.wait(30000));
        return finished.isEmpty() ? QList<QVariant>{} : finished.takeFirst();
    }

    UpdateJob makeJob(const std::string& route) {
        return UpdateJob(UpdaterArguments{"产品", "1.41", "1.5", m_server.url(route), "程序"},
                         m_dir.path().string(), m_wait, m_processes);
    }

    test::LoopbackServer m_server;
    test::TempDir m_dir;
    NoWait m_wait;
    test::RecordingProcessStarter m_processes;
};

TEST_F(UpdaterWindowTest, ShowsWhatItDoesAndFillsTheBar) {
    UpdateJob job = makeJob("/good");
    UpdaterWindow window(job, QString::fromStdString(m_server.url("/good")));
    EXPECT_EQ(window.findChild<QLabel*>("标签_状态")->text(), QStringLiteral("软件更新器工作中.."));
    EXPECT_EQ(window.findChild<QLabel*>("标签_下载地址")->text(),
              QStringLiteral("正在下载：") + QString::fromStdString(m_server.url("/good")));

    const QList<QVariant> result = runWindow(window);
    ASSERT_EQ(result.size(), 2);
    EXPECT_TRUE(result[0].toBool()) << result[1].toString().toStdString();
    QApplication::processEvents();  // progress reports queued before the end
    auto* bar = window.findChild<QProgressBar*>("进度条_下载");
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(test::readFile(m_dir.file("程序")), std::string(300000, 'n'));
}

TEST_F(UpdaterWindowTest, ReportsAFailedDownloadWithItsMessage) {
    UpdateJob job = makeJob("/error500");
    UpdaterWindow window(job, QString::fromStdString(m_server.url("/error500")));
    const QList<QVariant> result = runWindow(window);
    ASSERT_EQ(result.size(), 2);
    EXPECT_FALSE(result[0].toBool());
    EXPECT_EQ(result[1].toString().toStdString(), std::string(downloadFailedPrefix) + "服务器返回 HTTP 500");
    EXPECT_EQ(test::readFile(m_dir.file("程序")), "old");
}

}  // namespace
}  // namespace k3
