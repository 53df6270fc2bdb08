// Child processes for the self-update tests.
#include "tests/updater/updater_process.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "tests/updater/test_support.h"

namespace k3::test {

namespace {

constexpr std::chrono::milliseconds pollStep{50};

}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& outputFile, bool unprivileged) {
    // Everything the child needs is made before fork: only exec-safe calls after it.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const bool dropPrivileges = unprivileged && ::geteuid() == 0;
    m_pid = ::fork();
    if (m_pid == 0) {
        const int output = ::open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        ::dup2(output, STDOUT_FILENO);
        ::dup2(output, STDERR_FILENO);
        if (dropPrivileges && (::setgroups(0, nullptr) != 0 || ::setgid(unprivilegedId) != 0 ||
                               ::setuid(unprivilegedId) != 0)) {
            ::_exit(126);
        }
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
}

ChildProcess::~ChildProcess() { terminate(); }

std::optional<int> ChildProcess::waitForExit(std::chrono::seconds limit) {
    for (auto waited = std::chrono::milliseconds(0); waited < limit; waited += pollStep) {
        int status = 0;
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_reaped = true;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(pollStep);
    }
    return std::nullopt;
}

void ChildProcess::terminate() {
    if (m_pid <= 0 || m_reaped) {
        return;
    }
    ::kill(m_pid, SIGKILL);
    int status = 0;
    ::waitpid(m_pid, &status, 0);
    m_reaped = true;
}

ChildProcessStarter::ChildProcessStarter(std::string outputFolder, bool unprivileged)
    : m_outputFolder(std::move(outputFolder)), m_unprivileged(unprivileged) {}

std::optional<int> ChildProcessStarter::startDetached(const std::string& program,
                                                      const std::vector<std::string>& arguments) {
    if (::access(program.c_str(), X_OK) != 0) {
        return std::nullopt;
    }
    Started started{program, arguments, readFile(program),
                    m_outputFolder + "/output" + std::to_string(m_started.size()) + ".txt", nullptr};
    started.process = std::make_unique<ChildProcess>(program, arguments, started.outputFile, m_unprivileged);
    const int pid = started.process->pid();
    m_started.push_back(std::move(started));
    return pid;
}

bool waitForFileText(const std::string& path, const std::string& text, std::chrono::seconds limit) {
    for (auto waited = std::chrono::milliseconds(0); waited < limit; waited += pollStep) {
        if (readFile(path).find(text) != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(pollStep);
    }
    return false;
}

}  // namespace k3::test
