// A real k3drawd for a test: started with arguments on loopback, on a port the system picks
// unless one is given, and waited for until it reports where it listens. It can be stopped and
// started again on the same port with the same arguments (so the same database), and it is
// stopped with SIGTERM when the object goes.
#pragma once

#include <sys/types.h>

#include <csignal>
#include <string>
#include <vector>

namespace k3::test {

// How k3drawd is started besides its own arguments.
struct DrawdStart {
    int port = 0;          // 0: one the system picks
    std::string timeZone;  // the TZ it runs in; empty: the test's own
};

class DrawdProcess {
public:
    // Runs k3drawd --listen 127.0.0.1:PORT --quiet plus the arguments; isRunning() tells whether
    // it came up, error() why not.
    explicit DrawdProcess(std::vector<std::string> arguments, DrawdStart start = {});
    ~DrawdProcess();
    DrawdProcess(const DrawdProcess&) = delete;
    DrawdProcess& operator=(const DrawdProcess&) = delete;

    bool isRunning() const { return m_pid > 0; }
    const std::string& error() const { return m_error; }
    // The port it listens on, once it has reported it; 0 before.
    int port() const { return m_port; }
    // "http://127.0.0.1:PORT" without a trailing slash; empty when it never came up.
    std::string url() const;
    // "http://127.0.0.1:PORT/", its init endpoint; empty when it never came up.
    std::string initUrl() const;

    // Sends the signal (SIGTERM unless told) and waits: the exit status, -1 when it did not exit
    // normally or was not running.
    int stop(int signal = SIGTERM);
    // After stop(): starts it again on the same port with the same arguments; false (with
    // error()) when it does not come up.
    bool restart();

private:
    bool start();

    std::vector<std::string> m_arguments;
    std::string m_timeZone;
    int m_port = 0;
    pid_t m_pid = -1;
    int m_output = -1;
    std::string m_error;
};

}  // namespace k3::test
