// Runs a program copy as its own process for the self-update tests: its error stream goes to a
// file, and as root it can run as the unprivileged user so that folder permissions hold.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace k3::test {

class ChildProcess {
public:
    // Starts program with the arguments; stderr goes to errorFile.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& errorFile, bool unprivileged = false);
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

// Polls until the file exists and contains the text; false after the limit.
bool waitForFileText(const std::string& path, const std::string& text, std::chrono::seconds limit);

// The user and group ids an unprivileged child runs as.
inline constexpr int unprivilegedId = 65534;

}  // namespace k3::test
