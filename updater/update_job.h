// The updater's work from download to restart, without a window: the program shows its texts
// and progress, tests drive it directly.
#pragma once

#include <atomic>
#include <string>

#include "updater/download.h"
#include "updater/parent_program_wait.h"
#include "updater/process_starter.h"
#include "updater/updater_arguments.h"

namespace k3 {

inline constexpr const char* replaceFailedMessage = "替换原文件失败!文件可能被占用!请尝试解除文件占用并重试";
inline constexpr const char* downloadFailedPrefix = "下载新版本失败！";

struct UpdateReport {
    bool succeeded = false;
    std::string message;  // for the user when the update failed
};

class UpdateJob {
public:
    // directory: where the updater and the program file are.
    UpdateJob(UpdaterArguments arguments, std::string directory, ProgramExitWait& oldProgram,
              ProcessStarter& processes);

    const std::string& programPath() const { return m_programPath; }

    // Downloads the new version beside the program, checks it is complete, waits for the old
    // program to end, swaps the file in and starts it. On any failure the old program file
    // is left as it was.
    UpdateReport run(const DownloadProgress& progress, const std::atomic<bool>& cancel);

private:
    UpdaterArguments m_arguments;
    std::string m_programPath;
    ProgramExitWait& m_oldProgram;
    ProcessStarter& m_processes;
};

}  // namespace k3
