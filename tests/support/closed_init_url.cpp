#include "tests/support/closed_init_url.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace k3::test {

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

}  // namespace k3::test
