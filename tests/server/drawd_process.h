// A k3drawd process for a test: started with arguments on an ephemeral port (unless they name
// one), its address read from its first output line, stopped with SIGTERM on destruction.
#pragma once

#include <csignal>
#include <string>
#include <sys/types.h>
#include <vector>

namespace k3::test {

struct ProcessEnd {
    int exitStatus = -1;  // -1: did not exit normally
    std::string errorOutput;
};

class DrawdProcess {
public:
    // Runs k3drawd --listen 127.0.0.1:0 --quiet plus arguments; url() is empty when it did not
    // come up.
    explicit DrawdProcess(const std::vector<std::string>& arguments);
    ~DrawdProcess();
    DrawdProcess(const DrawdProcess&) = delete;
    DrawdProcess& operator=(const DrawdProcess&) = delete;

    // "http://127.0.0.1:PORT" without a trailing slash.
    const std::string& url() const { return m_url; }
    // Sends the signal (SIGTERM unless told), then the exit status.
    int stop(int signal = SIGTERM);

private:
    pid_t m_pid = -1;
    int m_output = -1;
    std::string m_url;
};

// Runs k3drawd to its end with exactly these arguments (for the ones that refuse to start).
ProcessEnd runDrawd(const std::vector<std::string>& arguments);

// A fresh directory under the system's temporary directory, removed on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace k3::test
