// Reads one request (head, then as many body bytes as Content-Length says) and answers "ok".
#include "tests/service/raw_request_server.h"

#include "platform/text.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

namespace k3::test {
namespace {

size_t contentLength(const std::string& head) {
    std::string lower = head;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const size_t at = lower.find("\r\ncontent-length:");
    return at == std::string::npos ? 0 : static_cast<size_t>(textToInt64(lower.substr(at + 17)));
}

}  // namespace

RawRequestServer::RawRequestServer() {
    m_listenFd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::listen(m_listenFd, 1);
    ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { serveOne(); });
}

RawRequestServer::~RawRequestServer() {
    ::shutdown(m_listenFd, SHUT_RDWR);  // ends a wait in accept when no request came
    if (m_thread.joinable()) {
        m_thread.join();
    }
    ::close(m_listenFd);
}

std::string RawRequestServer::request() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
    return m_request;
}

void RawRequestServer::serveOne() {
    const int connection = ::accept(m_listenFd, nullptr, nullptr);
    if (connection < 0) {
        return;
    }
    std::string received;
    char buffer[4096];
    size_t headEnd = std::string::npos;
    while (headEnd == std::string::npos || received.size() < headEnd + 4 + contentLength(received)) {
        const ssize_t count = ::recv(connection, buffer, sizeof(buffer), 0);
        if (count <= 0) {
            break;
        }
        received.append(buffer, static_cast<size_t>(count));
        headEnd = received.find("\r\n\r\n");
    }
    m_request = received;
    const std::string reply = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
    ::send(connection, reply.data(), reply.size(), MSG_NOSIGNAL);
    ::close(connection);
}

}  // namespace k3::test
