// cpp-httplib with a worker per open connection, time-outs against slow clients and a body limit
// that refuses oversized requests before reading them.
#include "server/draw_server.h"

#include "server/draw_feed.h"
#include "server/draw_functions.h"
#include "server/draw_pages.h"
#include "server/protocol_endpoint.h"
#include "server/request_body.h"

#include <httplib.h>
#include <sys/socket.h>

namespace k3 {
namespace {

// Each connection holds a worker while it is open; enough of them that a few slow or idle
// clients leave room for the others.
constexpr size_t kWorkerThreads = 256;
constexpr time_t kReadTimeoutSeconds = 5;
constexpr time_t kWriteTimeoutSeconds = 5;
constexpr time_t kKeepAliveSeconds = 3;
constexpr size_t kKeepAliveRequests = 100;
constexpr int kAdvertRows = 10;
constexpr int kHistoryRows = 100;

constexpr const char* kJsonType = "application/json; charset=utf-8";
constexpr const char* kHtmlType = "text/html; charset=utf-8";

}  // namespace

DrawServer::DrawServer(DrawFeed& feed, CallKeyRegistry& keys, RandomSource& random, Clock& clock)
    : m_feed(feed),
      m_keys(keys),
      m_random(random),
      m_clock(clock),
      m_http(std::make_unique<httplib::Server>()) {
    m_http->new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    m_http->set_payload_max_length(kMaxRequestBody);
    m_http->set_read_timeout(kReadTimeoutSeconds, 0);
    m_http->set_write_timeout(kWriteTimeoutSeconds, 0);
    m_http->set_keep_alive_timeout(kKeepAliveSeconds);
    m_http->set_keep_alive_max_count(kKeepAliveRequests);
    // Headers and body leave in separate writes; without this each reply waits for the
    // client's delayed acknowledgement.
    m_http->set_tcp_nodelay(true);
    // The library's default adds SO_REUSEPORT, which would let a second service share the port
    // unnoticed; an address in use must be refused.
    m_http->set_socket_options([this](socket_t socket) {
        const int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        m_listenSocket = socket;
    });
}

DrawServer::~DrawServer() { stop(); }

std::optional<int> DrawServer::bind(const std::string& host, int port) {
    const int bound =
        port == 0 ? m_http->bind_to_any_port(host) : (m_http->bind_to_port(host, port) ? port : -1);
    if (bound <= 0) {
        return std::nullopt;
    }
    // The library listens with a backlog of 5, which drops connections when many clients come
    // at once; listening again on the bound socket raises it.
    ::listen(m_listenSocket, SOMAXCONN);
    return bound;
}

void DrawServer::serve(const InitSettings& init, OfferedFile offer) {
    m_endpoint = std::make_unique<ProtocolEndpoint>(m_keys, m_random, m_clock,
                                                    makeDrawFunctions(m_feed, buildInitData(init)));
    route(offer);
    m_http->listen_after_bind();
}

void DrawServer::stop() {
    if (m_http->is_running()) {
        m_http->stop();
    }
}

bool DrawServer::isRunning() const { return m_http->is_running(); }

void DrawServer::route(const OfferedFile& offer) {
    const auto protocol = [this](const httplib::Request& request, httplib::Response& response) {
        response.set_content(m_endpoint->answer(request.body, request.remote_addr), kJsonType);
    };
    for (const char* path : {"/", "/appinit.php", "/draw"}) {
        m_http->Post(path, protocol);
    }
    m_http->Get("/newphase", [this](const httplib::Request&, httplib::Response& response) {
        response.set_header("Cache-Control", "no-cache");
        response.set_content(m_feed.newestPeriod(), "text/plain; charset=utf-8");
    });
    m_http->Get("/advert", [this](const httplib::Request&, httplib::Response& response) {
        const std::string newest = m_feed.newestPeriod();
        response.set_content(
            renderAdvertPage(m_feed.store().latest(kAdvertRows), m_feed.store().ofDay(newest.substr(0, 8))),
            kHtmlType);
    });
    m_http->Get("/history", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(renderHistoryPage(m_feed.store().latest(kHistoryRows)), kHtmlType);
    });
    m_http->Get("/download/(.+)", [offer](const httplib::Request& request, httplib::Response& response) {
        if (offer.name.empty() || request.matches[1] != offer.name) {
            response.status = 404;
            return;
        }
        response.set_header("Content-Disposition", "attachment; filename=\"" + offer.name + "\"");
        response.set_content(offer.content, "application/octet-stream");
    });
    // An oversized body is refused before it is read; the caller still gets a protocol reply.
    m_http->set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.status == 413) {
            response.set_content(errorReply(ServiceError::MalformedRequest), kJsonType);
        }
    });
}

}  // namespace k3
