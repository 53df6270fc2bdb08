#include "tests/support/drawd_process.h"

#include <unistd.h>

#include <optional>
#include <string_view>
#include <utility>

#include "tests/support/drawd_launch.h"

namespace k3::test {
namespace {

constexpr std::string_view kLoopbackUrl = "http://127.0.0.1:";
// k3drawd's first line: "k3drawd listening on http://127.0.0.1:PORT/ (newest period ...)".
constexpr std::string_view kListening = "listening on http://127.0.0.1:";

// The port named in the listening line once the line has come up to the slash after the port.
std::optional<int> reportedPort(const std::string& output) {
    const std::size_t start = output.find(kListening);
    if (start == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t digits = start + kListening.size();
    const std::size_t slash = output.find('/', digits);
    if (slash == std::string::npos || slash == digits) {
        return std::nullopt;
    }
    return std::stoi(output.substr(digits, slash - digits));
}

}  // namespace

DrawdProcess::DrawdProcess(std::vector<std::string> arguments, DrawdStart start)
    : m_arguments(std::move(arguments)), m_timeZone(std::move(start.timeZone)), m_port(start.port) {
    this->start();
}

DrawdProcess::~DrawdProcess() { stop(); }

std::string DrawdProcess::url() const {
    return m_port > 0 ? std::string(kLoopbackUrl) + std::to_string(m_port) : std::string();
}

std::string DrawdProcess::initUrl() const { return m_port > 0 ? url() + "/" : std::string(); }

bool DrawdProcess::start() {
    std::vector<std::string> command{"--listen", "127.0.0.1:" + std::to_string(m_port), "--quiet"};
    command.insert(command.end(), m_arguments.begin(), m_arguments.end());
    const LaunchedDrawd launched = launchDrawd(command, m_timeZone);
    m_pid = launched.pid;
    m_output = launched.output;
    std::string output;
    const ReadEnd end =
        readOutput(m_output, output, [](const std::string& text) { return reportedPort(text).has_value(); });
    if (end != ReadEnd::Enough) {
        m_error = "k3drawd did not report its address: " + output;
        stop(SIGKILL);
        return false;
    }
    m_port = *reportedPort(output);
    m_error.clear();
    return true;
}

bool DrawdProcess::restart() { return !isRunning() && start(); }

int DrawdProcess::stop(int signal) {
    if (m_pid <= 0) {
        return -1;
    }
    ::kill(m_pid, signal);
    const int status = waitForExit(m_pid);
    ::close(m_output);
    m_pid = -1;
    m_output = -1;
    return status;
}

}  // namespace k3::test
