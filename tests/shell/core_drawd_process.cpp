#include "core_drawd_process.h"

#include <cerrno>
#include <csignal>
#include <cstdio>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace k3::testing {
namespace {

constexpr int kStartTimeoutMs = 20000;
constexpr std::string_view kListeningPrefix = "listening on ";

// Reads the child's output until the line that names its address; empty when it ends first.
std::string readAddress(int descriptor) {
    std::string output;
    char buffer[256];
    for (;;) {
        pollfd ready{descriptor, POLLIN, 0};
        if (::poll(&ready, 1, kStartTimeoutMs) <= 0) {
            return {};
        }
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count <= 0) {
            return {};
        }
        output.append(buffer, static_cast<std::size_t>(count));
        const std::size_t start = output.find(kListeningPrefix);
        if (start == std::string::npos) {
            continue;
        }
        const std::size_t from = start + kListeningPrefix.size();
        const std::size_t end = output.find_first_of("/ \n", output.find("//", from) + 2);
        if (end != std::string::npos) {
            return output.substr(from, end - from);
        }
    }
}

}  // namespace

DrawdProcess::DrawdProcess(const std::filesystem::path& folder, const std::vector<std::string>& arguments) {
    std::vector<std::string> command{K3_DRAWD_PATH, "--listen", "127.0.0.1:0", "--db",
                                     (folder / "draws.sqlite3").string()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) {
        m_error = "no pipe";
        return;
    }
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        std::vector<char*> argv;
        for (std::string& part : command) {
            argv.push_back(part.data());
        }
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    m_address = m_pid > 0 ? readAddress(pipeEnds[0]) : std::string();
    ::close(pipeEnds[0]);
    if (m_address.empty()) {
        m_error = "k3drawd did not start: " + command[0];
        stop();
    }
}

DrawdProcess::~DrawdProcess() { stop(); }

void DrawdProcess::stop() {
    if (m_pid <= 0) {
        return;
    }
    ::kill(m_pid, SIGTERM);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
}

std::string closedInitUrl() {
    // Bind a free port and let it go: nothing listens there afterwards.
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(probe);
    return "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/";
}

}  // namespace k3::testing
