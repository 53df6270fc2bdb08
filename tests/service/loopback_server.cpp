// Loopback HTTP servers for the transport and client tests.
#include "tests/service/loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace k3::test {

void LoopbackServer::start() {
    m_port = m_server.bind_to_any_port("127.0.0.1");
    if (m_port <= 0) {
        throw std::runtime_error("no loopback port to bind");
    }
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    while (!m_server.is_running()) {
        std::this_thread::yield();
    }
}

LoopbackServer::~LoopbackServer() {
    m_server.stop();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

std::string LoopbackServer::url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + std::string(path);
}

int closedPort() {
    // A port that was just free: bound without listening, then released.
    const int socketFd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ::bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(socketFd);
    return ntohs(address.sin_port);
}

}  // namespace k3::test
