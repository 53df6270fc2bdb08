// Download, check, replace, restart.
#include "updater/update_job.h"

#include "updater/program_replacement.h"

namespace k3 {

UpdateJob::UpdateJob(UpdaterArguments arguments, std::string directory, ProgramExitWait& oldProgram,
                     ProcessStarter& processes)
    : m_arguments(std::move(arguments)),
      m_programPath(directory + "/" + m_arguments.programFile),
      m_oldProgram(oldProgram),
      m_processes(processes) {}

UpdateReport UpdateJob::run(const DownloadProgress& progress, const std::atomic<bool>& cancel) {
    ProgramReplacement replacement(m_programPath);
    // A directory that takes no new file cannot take the replaced program either: say so
    // before spending the download.
    if (!replacement.open()) {
        return {false, replaceFailedMessage};
    }
    const DownloadResult download =
        downloadToFile(m_arguments.downloadUrl, replacement.fd(), progress, cancel);
    if (!download.complete) {
        return {false, downloadFailedPrefix + download.problem};
    }
    m_oldProgram.waitForExit();
    if (!replacement.commit()) {
        return {false, replaceFailedMessage};
    }
    if (!m_processes.startDetached(m_programPath, {})) {
        return {false, "新版本已安装，但无法启动：" + m_programPath};
    }
    return {true, {}};
}

}  // namespace k3
