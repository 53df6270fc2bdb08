#include "drawd_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

extern char** environ;

namespace k3::test {
namespace {

// The tests read the service's draw times in this zone, whatever the machine's.
constexpr const char* kServiceZone = "TZ=Asia/Shanghai";
constexpr int kStartWaitMs = 10000;

std::vector<std::string> serviceEnvironment() {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::string_view(*entry).substr(0, 3) != "TZ=") {
            environment.emplace_back(*entry);
        }
    }
    environment.emplace_back(kServiceZone);
    return environment;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (std::string& text : texts) {
        result.push_back(text.data());
    }
    result.push_back(nullptr);
    return result;
}

// Starts k3drawd with stdout (and stderr, when wanted) to pipes.
pid_t spawn(std::vector<std::string> arguments, int& output, int* errorOutput) {
    int outPipe[2];
    int errPipe[2];
    if (pipe(outPipe) != 0 || pipe(errPipe) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, outPipe[0]);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);
    arguments.insert(arguments.begin(), K3DRAWD_PATH);
    std::vector<std::string> environment = serviceEnvironment();
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, K3DRAWD_PATH, &actions, nullptr, pointers(arguments).data(),
                                    pointers(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    close(outPipe[1]);
    close(errPipe[1]);
    if (spawned != 0) {
        throw std::runtime_error("cannot start " K3DRAWD_PATH);
    }
    output = outPipe[0];
    if (errorOutput) {
        *errorOutput = errPipe[0];
    } else {
        close(errPipe[0]);
    }
    return pid;
}

// Everything the process writes until it closes the pipe; false when it is still writing or
// open at the deadline.
bool readUntilClosed(int fd, std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartWaitMs);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) {
            continue;
        }
        char buffer[4096];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            return true;
        }
        text.append(buffer, static_cast<size_t>(got));
    }
    return false;
}

// The first line of the output, waiting at most kStartWaitMs.
std::string firstLine(int fd) {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartWaitMs);
    while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) {
            continue;
        }
        char c = 0;
        if (read(fd, &c, 1) != 1) {
            break;
        }
        line += c;
    }
    return line;
}

int waitForExit(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace

DrawdProcess::DrawdProcess(const std::vector<std::string>& arguments) {
    std::vector<std::string> all = {"--listen", "127.0.0.1:0", "--quiet"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    m_pid = spawn(all, m_output, nullptr);
    // "k3drawd listening on http://127.0.0.1:PORT/ ..."
    const std::string line = firstLine(m_output);
    const size_t start = line.find("http://");
    const size_t end = start == std::string::npos ? start : line.find('/', start + 7);
    if (end != std::string::npos) {
        m_url = line.substr(start, end - start);
    }
}

DrawdProcess::~DrawdProcess() { stop(); }

int DrawdProcess::stop(int signal) {
    if (m_pid <= 0) {
        return -1;
    }
    kill(m_pid, signal);
    const int status = waitForExit(m_pid);
    close(m_output);
    m_pid = -1;
    return status;
}

ProcessEnd runDrawd(const std::vector<std::string>& arguments) {
    int output = -1;
    int errorOutput = -1;
    const pid_t pid = spawn(arguments, output, &errorOutput);
    ProcessEnd end;
    if (!readUntilClosed(errorOutput, end.errorOutput)) {
        kill(pid, SIGKILL);  // it did not refuse to start
    }
    close(output);
    close(errorOutput);
    end.exitStatus = waitForExit(pid);
    return end;
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "k3drawd-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

}  // namespace k3::test
