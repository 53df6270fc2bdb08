// The HTTP side of the draw service: the protocol on its POST endpoints, the newest-period
// probe, the pages and the update download, with limits against oversized and slow requests.
#pragma once

#include "server/init_data.h"

#include <memory>
#include <optional>
#include <string>

namespace httplib {
class Server;
}

namespace k3 {

class CallKeyRegistry;
class Clock;
class DrawFeed;
class ProtocolEndpoint;
class RandomSource;

struct OfferedFile {
    std::string name;     // served as /download/NAME
    std::string content;  // empty name: nothing offered
};

class DrawServer {
public:
    DrawServer(DrawFeed& feed, CallKeyRegistry& keys, RandomSource& random, Clock& clock);
    ~DrawServer();
    DrawServer(const DrawServer&) = delete;
    DrawServer& operator=(const DrawServer&) = delete;

    // The port bound (a free one for port 0), or nullopt when the address cannot be used.
    std::optional<int> bind(const std::string& host, int port);
    // Serves the bound address until stop(); init holds the public address and the offer.
    void serve(const InitSettings& init, OfferedFile offer);
    void stop();
    bool isRunning() const;

private:
    void route(const OfferedFile& offer);

    DrawFeed& m_feed;
    CallKeyRegistry& m_keys;
    RandomSource& m_random;
    Clock& m_clock;
    std::unique_ptr<httplib::Server> m_http;
    std::unique_ptr<ProtocolEndpoint> m_endpoint;
    int m_listenSocket = -1;  // the socket of the last bind attempt
};

}  // namespace k3
