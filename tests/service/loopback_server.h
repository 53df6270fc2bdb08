// An HTTP server on 127.0.0.1 with an ephemeral port, running in its own thread for the life
// of the object: started and awaited on construction, stopped and joined on destruction.
#pragma once

#include <httplib.h>

#include <string>
#include <string_view>
#include <thread>

namespace k3::test {

class LoopbackServer {
public:
    // Routes are added to server() before start().
    httplib::Server& server() { return m_server; }
    void start();
    ~LoopbackServer();

    int port() const { return m_port; }
    std::string url(std::string_view path = "/") const;

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_port = 0;
};

// A port on 127.0.0.1 on which nothing listens.
int closedPort();

}  // namespace k3::test
