#include "tests/support/drawd_launch.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <string_view>

extern char** environ;

namespace k3::test {
namespace {

// Only reached when something is wrong; a loaded machine still starts k3drawd well within it.
constexpr auto kOutputDeadline = std::chrono::seconds(60);
constexpr int kPollMilliseconds = 100;

// The test's own environment, its TZ replaced when timeZone is not empty.
std::vector<std::string> childEnvironment(const std::string& timeZone) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (timeZone.empty() || std::string_view(*entry).substr(0, 3) != "TZ=") {
            environment.emplace_back(*entry);
        }
    }
    if (!timeZone.empty()) {
        environment.push_back("TZ=" + timeZone);
    }
    return environment;
}

// The argv/envp form of texts: pointers into them, ended by a null pointer.
std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> result;
    for (std::string& text : texts) {
        result.push_back(text.data());
    }
    result.push_back(nullptr);
    return result;
}

}  // namespace

LaunchedDrawd launchDrawd(const std::vector<std::string>& arguments, const std::string& timeZone) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    std::vector<std::string> command{K3_DRAWD_PATH};
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<std::string> environment = childEnvironment(timeZone);
    LaunchedDrawd launched;
    const int spawned = ::posix_spawn(&launched.pid, K3_DRAWD_PATH, &actions, nullptr,
                                      pointers(command).data(), pointers(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        throw std::runtime_error("cannot start " K3_DRAWD_PATH);
    }
    launched.output = pipeEnds[0];
    return launched;
}

ReadEnd readOutput(int output, std::string& text, const std::function<bool(const std::string&)>& enough) {
    const auto deadline = std::chrono::steady_clock::now() + kOutputDeadline;
    while (!enough(text)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return ReadEnd::Deadline;
        }
        pollfd ready{output, POLLIN, 0};
        if (::poll(&ready, 1, kPollMilliseconds) <= 0) {
            continue;
        }
        char buffer[4096];
        const ssize_t got = ::read(output, buffer, sizeof buffer);
        if (got <= 0) {
            return ReadEnd::Closed;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return ReadEnd::Enough;
}

int waitForExit(pid_t pid) {
    int status = 0;
    pid_t waited = -1;
    do {
        waited = ::waitpid(pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace k3::test
