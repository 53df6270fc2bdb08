// k3drawd: the draw service. Draws on the daily timetable (or every few seconds for
// demonstrations), keeps them in SQLite and serves them over the client's protocol.
#include "platform/clock.h"
#include "server/call_key_registry.h"
#include "server/draw_feed.h"
#include "server/draw_schedule.h"
#include "server/draw_server.h"
#include "server/draw_store.h"
#include "server/draw_ticker.h"
#include "server/random_source.h"
#include "server/server_options.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

namespace {

constexpr int kBadStart = 2;

int fail(const std::string& message) {
    std::cerr << "k3drawd: " << message << "\n";
    return kBadStart;
}

std::optional<k3::OfferedFile> readOffer(const std::string& path) {
    if (path.empty()) {
        return k3::OfferedFile{};
    }
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    if (!file) {
        return std::nullopt;
    }
    return k3::OfferedFile{std::filesystem::path(path).filename().string(), content.str()};
}

std::string hostForUrl(const std::string& host) {
    return host.find(':') != std::string::npos ? "[" + host + "]" : host;
}

// SIGINT and SIGTERM are taken by one waiting thread, so that the server stops from ordinary code.
sigset_t stopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

}  // namespace

int main(int argc, char** argv) {
    const k3::OptionsResult parsed = k3::parseServerOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        return fail(parsed.error + "\n" + k3::serverUsage());
    }
    const k3::ServerOptions& options = *parsed.options;
    if (options.help) {
        std::cout << k3::serverUsage();
        return 0;
    }
    const sigset_t signals = stopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    const std::optional<k3::OfferedFile> offer = readOffer(options.offerFile);
    if (!offer) {
        return fail("cannot read the offered file " + options.offerFile);
    }
    std::string error;
    const std::unique_ptr<k3::DrawStore> store = k3::DrawStore::open(options.databasePath, error);
    if (!store) {
        return fail(error);
    }
    k3::SystemClock clock;
    k3::SystemRandom random;
    const k3::DrawSchedule schedule(clock, options.intervalSeconds);
    k3::DrawFeed feed(*store, schedule, random, clock);
    if (!feed.start(error)) {
        return fail(error);
    }
    k3::CallKeyRegistry keys;
    k3::DrawServer server(feed, keys, random, clock);
    const std::optional<int> port = server.bind(options.host, options.port);
    if (!port) {
        return fail("cannot listen on " + hostForUrl(options.host) + ":" + std::to_string(options.port) +
                    " (address in use or not available)");
    }
    const std::string address = "http://" + hostForUrl(options.host) + ":" + std::to_string(*port);
    if (options.publicUrl.empty() && (options.host == "0.0.0.0" || options.host == "::")) {
        std::cerr << "k3drawd: listening on every interface; clients are told " << address
                  << ", give --public-url with the address they reach\n";
    }
    const std::string publicUrl = options.publicUrl.empty() ? address : options.publicUrl;
    const k3::InitSettings init{publicUrl, options.offerVersion, offer->name,
                                options.links.empty() ? k3::defaultLinks(publicUrl) : options.links};

    k3::DrawTicker ticker(feed, [&](int made) {
        if (!options.quiet) {
            const k3::DrawStatus status = feed.status();
            std::cerr << "k3drawd: " << made << " new draw(s), latest " << status.last.period << " "
                      << status.last.numbers << "\n";
        }
    });
    std::atomic<bool> served = false;
    std::thread signalWaiter([&] {
        int signal = 0;
        sigwait(&signals, &signal);
        // A stop that comes before the server is listening would be lost: repeat it until
        // serving has ended.
        while (!served) {
            server.stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    ticker.start();
    std::cout << "k3drawd listening on " << address << "/ (newest period " << feed.newestPeriod() << ")"
              << std::endl;
    server.serve(init, *offer);
    served = true;
    ticker.stop();
    // Wakes the waiter when the server ended on its own.
    kill(getpid(), SIGTERM);
    signalWaiter.join();
    return 0;
}
