// Waiting for the old program by watching the updater's parent process.
#include "updater/parent_program_wait.h"

#include <sys/stat.h>
#include <unistd.h>

#include <thread>

namespace k3 {

namespace {

constexpr std::chrono::milliseconds pollStep{100};

bool isSameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

}  // namespace

ParentProgramWait::ParentProgramWait(const std::string& programPath, std::chrono::milliseconds limit)
    : m_parent(static_cast<int>(::getppid())),
      m_parentRunsProgram(isSameFile("/proc/" + std::to_string(m_parent) + "/exe", programPath)),
      m_limit(limit) {}

void ParentProgramWait::waitForExit() {
    if (!m_parentRunsProgram) {
        return;
    }
    // When the parent ends, this process is handed to another one and getppid() changes.
    for (auto waited = std::chrono::milliseconds(0);
         waited < m_limit && static_cast<int>(::getppid()) == m_parent; waited += pollStep) {
        std::this_thread::sleep_for(pollStep);
    }
}

}  // namespace k3
