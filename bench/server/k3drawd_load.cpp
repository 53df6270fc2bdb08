// Load generator for k3drawd on this machine: newest-period probes (a plain GET) or named calls
// (handshake and "newestdraw" call, sealed as the client seals them) from N keep-alive clients
// for a few seconds; prints requests per second and latency percentiles.
#include "load_options.h"

#include "service/request_envelope.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <barrier>
#include <chrono>
#include <cstdio>
#include <thread>

namespace k3::bench {
namespace {

using Clock = std::chrono::steady_clock;
constexpr const char* kFormType = "application/x-www-form-urlencoded";

struct ClientResult {
    std::vector<double> latenciesMs;
    long errors = 0;
};

bool probe(httplib::Client& client, const LoadOptions& options) {
    const auto reply = client.Get(options.probePath);
    return reply && reply->status == 200 && !reply->body.empty();
}

// One named call as the client makes it: a handshake for a call key, then the sealed call.
bool namedCall(httplib::Client& client, int32_t requestNumber) {
    const auto handshake = client.Post("/draw", handshakeBody(1494000000), kFormType);
    if (!handshake || handshake->status != 200) {
        return false;
    }
    const auto reply = nlohmann::json::parse(handshake->body, nullptr, false);
    if (!reply.is_object() || reply.value("errcode", "") != "0") {
        return false;
    }
    const std::string key = decodeHandshakeData(reply.value("data", ""));
    const std::string body = callBody(sealRequest({requestNumber, "newestdraw", kServiceAppId, {}}, key));
    const auto call = client.Post("/draw", body, kFormType);
    return call && call->body.starts_with(R"({"errcode":"0")");
}

bool once(httplib::Client& client, const LoadOptions& options, int32_t requestNumber) {
    return options.mode == LoadMode::Probe ? probe(client, options) : namedCall(client, requestNumber);
}

void runClient(const LoadOptions& options, int index, std::barrier<>& start, std::atomic<bool>& stop,
               ClientResult& result) {
    httplib::Client client(options.url);
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);  // as libcurl does in the real client
    client.set_connection_timeout(5, 0);
    client.set_read_timeout(10, 0);
    once(client, options, index);  // connects; not measured
    start.arrive_and_wait();
    for (int32_t n = 0; !stop.load(std::memory_order_relaxed); ++n) {
        const auto begin = Clock::now();
        const bool ok = once(client, options, (index * 7919 + n) % 10000);
        const std::chrono::duration<double, std::milli> took = Clock::now() - begin;
        if (ok) {
            result.latenciesMs.push_back(took.count());
        } else {
            ++result.errors;
        }
    }
}

double percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) {
        return 0;
    }
    const auto index = static_cast<size_t>(p * static_cast<double>(sorted.size() - 1));
    return sorted[index];
}

}  // namespace
}  // namespace k3::bench

int main(int argc, char** argv) {
    using namespace k3::bench;
    std::string error;
    const std::optional<LoadOptions> options = parseLoadOptions({argv + 1, argv + argc}, error);
    if (!options) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    std::vector<ClientResult> results(static_cast<size_t>(options->clients));
    std::barrier start(options->clients + 1);
    std::atomic<bool> stop = false;
    std::vector<std::thread> clients;
    for (int i = 0; i < options->clients; ++i) {
        clients.emplace_back(runClient, std::cref(*options), i, std::ref(start), std::ref(stop),
                             std::ref(results[static_cast<size_t>(i)]));
    }
    start.arrive_and_wait();
    const auto begin = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(options->seconds));
    stop = true;
    for (std::thread& client : clients) {
        client.join();
    }
    const std::chrono::duration<double> elapsed = Clock::now() - begin;

    std::vector<double> latencies;
    long errors = 0;
    for (const ClientResult& result : results) {
        latencies.insert(latencies.end(), result.latenciesMs.begin(), result.latenciesMs.end());
        errors += result.errors;
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf(
        "mode=%s clients=%d requests=%zu errors=%ld per_second=%.0f p50_ms=%.3f p90_ms=%.3f p99_ms=%.3f "
        "max_ms=%.3f\n",
        options->mode == LoadMode::Probe ? "probe" : "call", options->clients, latencies.size(), errors,
        static_cast<double>(latencies.size()) / elapsed.count(), percentile(latencies, 0.50),
        percentile(latencies, 0.90), percentile(latencies, 0.99), latencies.empty() ? 0.0 : latencies.back());
    return 0;
}
