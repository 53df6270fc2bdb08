// The HTTP layer against real servers on the loopback interface.
#include "service/http_request.h"

#include "platform/event_pump.h"
#include "platform/text.h"
#include "tests/service/loopback_server.h"
#include "tests/service/raw_request_server.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace k3 {
namespace {

using test::LoopbackServer;
using test::RawRequestServer;

// Header lines of a raw request, without the request line and the Host header curl adds.
std::vector<std::string> headerLines(const std::string& request) {
    std::vector<std::string> lines = splitText(request.substr(0, request.find("\r\n\r\n")), "\r\n");
    std::vector<std::string> headers;
    for (size_t i = 1; i < lines.size(); ++i) {
        if (!lines[i].starts_with("Host:")) {
            headers.push_back(lines[i]);
        }
    }
    return headers;
}

std::string bodyOf(const std::string& request) { return request.substr(request.find("\r\n\r\n") + 4); }

TEST(HttpRequest, PostSendsTheSevenHeadersInOrderThenTheBody) {
    RawRequestServer server;
    EXPECT_EQ(httpPost(server.url(), "DATA=GETRAND?1494000000", {}), "ok");
    const std::string request = server.request();
    EXPECT_TRUE(request.starts_with("POST /raw HTTP/1.1\r\n")) << request;
    std::vector<std::string> expected = kServiceRequestHeaders;
    expected.push_back("Content-Length: 23");
    EXPECT_EQ(headerLines(request), expected) << request;
    EXPECT_EQ(bodyOf(request), "DATA=GETRAND?1494000000");
}

TEST(HttpRequest, GetSendsAllButTheLastHeader) {
    RawRequestServer server;
    EXPECT_EQ(httpGet(server.url(), {}), "ok");
    const std::string request = server.request();
    EXPECT_TRUE(request.starts_with("GET /raw HTTP/1.1\r\n")) << request;
    const std::vector<std::string> expected(kServiceRequestHeaders.begin(), kServiceRequestHeaders.end() - 1);
    EXPECT_EQ(headerLines(request), expected) << request;
}

TEST(HttpRequest, FetchSendsNoHeadersOfOurs) {
    RawRequestServer server;
    EXPECT_EQ(fetchUrl(server.url(), {}), "ok");
    const std::string request = server.request();
    EXPECT_TRUE(request.starts_with("GET /raw HTTP/1.1\r\n")) << request;
    // Only curl's own Accept remains.
    EXPECT_EQ(headerLines(request), std::vector<std::string>{"Accept: */*"}) << request;
}

TEST(HttpRequest, LargeBodyGoesOutWholeWithoutAnExpectHeader) {
    RawRequestServer server;
    const std::string body = "DATA=" + std::string(200000, 'A');
    EXPECT_EQ(httpPost(server.url(), body, {}), "ok");
    const std::string request = server.request();
    EXPECT_EQ(bodyOf(request), body);
    EXPECT_EQ(request.find("Expect:"), std::string::npos);
}

class HttpReplies : public testing::Test {
protected:
    void SetUp() override {
        m_server.server().Post("/status500", [](const httplib::Request&, httplib::Response& response) {
            response.status = 500;
            response.set_content("oops", "text/plain");
        });
        m_server.server().Post(
            "/empty", [](const httplib::Request&, httplib::Response& response) { response.status = 200; });
        m_server.server().Post("/echo", [](const httplib::Request& request, httplib::Response& response) {
            response.set_content(request.body, "application/octet-stream");
        });
        m_server.server().Get("/huge", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(std::string(kMaxReplyBytes + 1, 'x'), "text/plain");
        });
        m_server.server().Get("/limit", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(std::string(kMaxReplyBytes, 'x'), "text/plain");
        });
        m_server.server().Get("/slow", [this](const httplib::Request&, httplib::Response& response) {
            std::unique_lock lock(m_mutex);
            m_release.wait(lock, [this] { return m_released; });
            response.set_content("late", "text/plain");
        });
        m_server.start();
    }

    void TearDown() override { releaseSlowReplies(); }

    void releaseSlowReplies() {
        {
            std::scoped_lock lock(m_mutex);
            m_released = true;
        }
        m_release.notify_all();
    }

    LoopbackServer m_server;
    std::mutex m_mutex;
    std::condition_variable m_release;
    bool m_released = false;
};

TEST_F(HttpReplies, ErrorStatusStillGivesTheBody) {
    EXPECT_EQ(httpPost(m_server.url("/status500"), "DATA=", {}), "oops");
}

TEST_F(HttpReplies, EmptyReplyGivesEmpty) { EXPECT_EQ(httpPost(m_server.url("/empty"), "DATA=", {}), ""); }

TEST_F(HttpReplies, BinaryBytesComeBackUnchanged) {
    const std::string bytes("\x00\xff\xfe\x01\r\n", 6);
    EXPECT_EQ(httpPost(m_server.url("/echo"), bytes, {}), bytes);
}

TEST_F(HttpReplies, UnreachablePortGivesEmpty) {
    const std::string url = "http://127.0.0.1:" + std::to_string(test::closedPort()) + "/";
    EXPECT_EQ(httpPost(url, "DATA=", {}), "");
    EXPECT_EQ(fetchUrl(url, {}), "");
    // A failure leaves nothing behind for the next request.
    EXPECT_EQ(httpPost(m_server.url("/echo"), "next", {}), "next");
}

TEST_F(HttpReplies, MalformedOrForeignUrlsGiveEmpty) {
    for (const char* url : {"", "not a url", "file:///etc/passwd", "ftp://127.0.0.1/"}) {
        SCOPED_TRACE(url);
        EXPECT_EQ(fetchUrl(url, {}), "");
        EXPECT_EQ(httpPost(url, "DATA=", {}), "");
    }
}

TEST_F(HttpReplies, GiganticReplyGivesEmpty) {
    EXPECT_EQ(fetchUrl(m_server.url("/huge"), {}), "");
    EXPECT_EQ(fetchUrl(m_server.url("/limit"), {}).size(), kMaxReplyBytes);
}

// Releases the slow reply's thread on the first pump so the server can stop; aborts on the
// third.
class AbortingPump final : public EventPump {
public:
    explicit AbortingPump(std::atomic<bool>& abort) : m_abort(abort) {}
    void processPendingEvents() override {
        if (++m_calls >= 3) {
            m_abort = true;
        }
    }
    int calls() const { return m_calls; }

private:
    std::atomic<bool>& m_abort;
    int m_calls = 0;
};

TEST_F(HttpReplies, PumpRunsWhileWaitingAndAbortEndsTheTransfer) {
    std::atomic<bool> abort = false;
    AbortingPump pump(abort);
    EXPECT_EQ(fetchUrl(m_server.url("/slow"), {&pump, &abort}), "");
    EXPECT_EQ(pump.calls(), 3);
}

TEST_F(HttpReplies, AbortBeforeTheStartSendsNothing) {
    std::atomic<bool> abort = true;
    EXPECT_EQ(httpPost(m_server.url("/echo"), "x", {nullptr, &abort}), "");
}

TEST_F(HttpReplies, SlowServerEndsInTheTotalTimeOut) {
    CountingEventPump pump;
    EXPECT_EQ(fetchUrl(m_server.url("/slow"), {&pump, nullptr}), "");
    EXPECT_GT(pump.calls(), 0);
}

}  // namespace
}  // namespace k3
