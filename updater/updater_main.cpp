// The updater program: started by the client with five values, it downloads the new version,
// swaps it in for the program file beside it and starts it.
#include <QApplication>
#include <QMessageBox>

#include <chrono>
#include <cstdio>
#include <curl/curl.h>
#include <string>
#include <vector>

#include "updater/parent_program_wait.h"
#include "updater/process_starter.h"
#include "updater/program_location.h"
#include "updater/update_job.h"
#include "updater/updater_arguments.h"
#include "updater/updater_window.h"

namespace {

constexpr std::chrono::seconds oldProgramLimit{30};

// Every message also goes to the error stream, for whoever started the updater without a
// screen to look at.
int showFailure(QWidget* parent, const QString& message) {
    std::fprintf(stderr, "%s\n", message.toStdString().c_str());
    QMessageBox::warning(parent, QStringLiteral("软件更新器"), message);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Read before QApplication takes out the options it knows.
    const std::vector<std::string> values(argv + 1, argv + argc);
    QApplication application(argc, argv);
    const auto arguments = k3::parseUpdaterArguments(values);
    const auto directory = k3::runningProgramDirectory();
    if (!arguments || !directory) {
        return showFailure(nullptr, QStringLiteral("更新参数不正确：应为 产品名 旧版本 新版本 "
                                                   "下载地址 程序文件名"));
    }
    curl_global_init(CURL_GLOBAL_DEFAULT);
    k3::SpawnProcessStarter processes;
    k3::ParentProgramWait oldProgram(*directory + "/" + arguments->programFile, oldProgramLimit);
    k3::UpdateJob job(*arguments, *directory, oldProgram, processes);
    k3::UpdaterWindow window(job, QString::fromStdString(arguments->downloadUrl));
    // Stays 1 when the window is closed before the update has finished.
    int exitCode = 1;
    QObject::connect(&window, &k3::UpdaterWindow::finished, [&](bool succeeded, const QString& message) {
        exitCode = succeeded ? 0 : showFailure(&window, message);
        application.quit();
    });
    window.show();
    window.start();
    application.exec();
    curl_global_cleanup();
    return exitCode;
}
