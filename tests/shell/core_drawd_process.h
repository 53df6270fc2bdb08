// A real k3drawd for the start-up tests: started on a free loopback port with its own database
// in a temporary folder, stopped and awaited when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <sys/types.h>

namespace k3::testing {

class DrawdProcess {
public:
    // Starts k3drawd with the extra arguments and waits until it listens; isRunning() tells
    // whether that worked, error() why not.
    DrawdProcess(const std::filesystem::path& folder, const std::vector<std::string>& arguments);
    ~DrawdProcess();
    DrawdProcess(const DrawdProcess&) = delete;
    DrawdProcess& operator=(const DrawdProcess&) = delete;

    bool isRunning() const { return m_pid > 0 && !m_address.empty(); }
    const std::string& error() const { return m_error; }
    // "http://127.0.0.1:PORT/", the init endpoint.
    std::string initUrl() const { return m_address + "/"; }
    void stop();

private:
    pid_t m_pid = -1;
    std::string m_address;
    std::string m_error;
};

// A loopback address where nothing listens.
std::string closedInitUrl();

}  // namespace k3::testing
