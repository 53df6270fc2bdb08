// What one request costs the service itself, without the network: the handshake, a sealed
// "newestdraw" call, a 50-row history, and finding a call's key while many keys wait.
#include "platform/clock.h"
#include "server/call_key_registry.h"
#include "server/draw_feed.h"
#include "server/draw_functions.h"
#include "server/protocol_endpoint.h"
#include "server/random_source.h"
#include "service/request_envelope.h"
#include "tests/support/temp_dir.h"

#include <benchmark/benchmark.h>

namespace k3 {
namespace {

constexpr const char* kClient = "127.0.0.1";

class Service {
public:
    Service() {
        std::string error;
        m_store = DrawStore::open(m_dir.file("draws.sqlite3"), error);
        m_feed = std::make_unique<DrawFeed>(*m_store, m_schedule, m_random, m_clock);
        m_feed->start(error);
        endpoint =
            std::make_unique<ProtocolEndpoint>(keys, m_random, m_clock, makeDrawFunctions(*m_feed, "{}"));
    }

    std::string callKey() {
        const std::string reply = endpoint->answer("DATA=GETRAND?1494000000", kClient);
        const std::string marker = R"("data":")";
        const size_t start = reply.find(marker) + marker.size();
        return decodeHandshakeData(reply.substr(start, reply.find('"', start) - start));
    }

    CallKeyRegistry keys;
    std::unique_ptr<ProtocolEndpoint> endpoint;

private:
    SystemClock m_clock;
    SystemRandom m_random;
    DrawSchedule m_schedule{m_clock, 0};
    test::TempDir m_dir;
    std::unique_ptr<DrawStore> m_store;
    std::unique_ptr<DrawFeed> m_feed;
};

void BM_Handshake(benchmark::State& state) {
    Service service;
    for (auto _ : state) {
        benchmark::DoNotOptimize(service.endpoint->answer("DATA=GETRAND?1494000000", kClient));
    }
}
BENCHMARK(BM_Handshake);

void callBenchmark(benchmark::State& state, const ServiceRequest& request) {
    Service service;
    for (auto _ : state) {
        const std::string body = callBody(sealRequest(request, service.callKey()));
        benchmark::DoNotOptimize(service.endpoint->answer(body, kClient));
    }
}

void BM_HandshakeAndNewestDraw(benchmark::State& state) {
    callBenchmark(state, {3456, "newestdraw", kServiceAppId, {}});
}
BENCHMARK(BM_HandshakeAndNewestDraw);

void BM_HandshakeAndHistoryOf50(benchmark::State& state) {
    callBenchmark(state, {3456, "select_draw", kServiceAppId, {"", "50"}});
}
BENCHMARK(BM_HandshakeAndHistoryOf50);

// Every key of the address is tried before the call is refused.
void BM_WrongKeyAmongWaitingKeys(benchmark::State& state) {
    Service service;
    for (int64_t i = 0; i < state.range(0); ++i) {
        service.callKey();
    }
    const std::string body = callBody(sealRequest({1, "newestdraw", kServiceAppId, {}}, "NotAKeyOfOurs123"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(service.endpoint->answer(body, kClient));
    }
}
BENCHMARK(BM_WrongKeyAmongWaitingKeys)->Arg(16)->Arg(256)->Arg(4096);

// The call's key was handed out first, so every other waiting key is newer: its tag finds it.
void BM_OldestKeyAmongWaitingKeys(benchmark::State& state) {
    Service service;
    const std::string key = service.callKey();
    for (int64_t i = 1; i < state.range(0); ++i) {
        service.callKey();
    }
    const std::string body = callBody(sealRequest({1, "newestdraw", kServiceAppId, {}}, key));
    for (auto _ : state) {
        benchmark::DoNotOptimize(service.endpoint->answer(body, kClient));
    }
}
BENCHMARK(BM_OldestKeyAmongWaitingKeys)->Arg(16)->Arg(4096);

}  // namespace
}  // namespace k3

BENCHMARK_MAIN();
