// Runs programs as their own processes for the self-update tests: their output goes to a file,
// and as root they can run as the unprivileged user so that folder permissions hold.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "updater/process_starter.h"

namespace k3::test {

class ChildProcess {
public:
    // Starts program with the arguments; stdout and stderr go to outputFile.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& outputFile, bool unprivileged = false);
    ~ChildProcess();  // ends the process if it is still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int pid() const { return m_pid; }
    // The exit code once the process has ended within the limit; nullopt otherwise.
    std::optional<int> waitForExit(std::chrono::seconds limit);
    void terminate();

private:
    int m_pid = -1;
    bool m_reaped = false;
};

// A process starter whose processes the test owns: it notes the bytes of each program it
// starts (the file may be gone by the time the test looks), sends each one's output to
// <outputFolder>/output<n>.txt and ends them when it goes.
class ChildProcessStarter final : public ProcessStarter {
public:
    ChildProcessStarter(std::string outputFolder, bool unprivileged);
    std::optional<int> startDetached(const std::string& program,
                                     const std::vector<std::string>& arguments) override;

    struct Started {
        std::string program;
        std::vector<std::string> arguments;
        std::string programBytes;
        std::string outputFile;
        std::unique_ptr<ChildProcess> process;
    };
    std::vector<Started>& started() { return m_started; }

private:
    std::string m_outputFolder;
    bool m_unprivileged;
    std::vector<Started> m_started;
};

// Polls until the file exists and contains the text; false after the limit.
bool waitForFileText(const std::string& path, const std::string& text, std::chrono::seconds limit);

// The user and group ids an unprivileged child runs as.
inline constexpr int unprivilegedId = 65534;

}  // namespace k3::test
