// A one-request HTTP server on 127.0.0.1 that keeps the request exactly as it arrived, for
// checks that a parsed request cannot show (the order of the headers).
#pragma once

#include <string>
#include <thread>

namespace k3::test {

class RawRequestServer {
public:
    RawRequestServer();  // listening when constructed
    ~RawRequestServer();

    int port() const { return m_port; }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/raw"; }
    // The request's head and body; waits for the request to have arrived.
    std::string request();

private:
    void serveOne();

    int m_listenFd = -1;
    int m_port = 0;
    std::string m_request;
    std::thread m_thread;
};

}  // namespace k3::test
