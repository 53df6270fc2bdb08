// Start-up time and memory of the client window, with a real k3drawd on loopback (the
// advertisement page loads on its own afterwards and is not waited for), and its memory after
// 100 demo draws have reached it. bare_window_bench gives the same figures for a bare window.
#include "bench/shell/resident_memory.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "shell/app_state.h"
#include "shell/qt_client.h"
#include "shell/qt_event_pump.h"
#include "tests/support/closed_init_url.h"
#include "tests/support/drawd_process.h"
#include "updater/process_starter.h"
#include "updater/updater_files.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <thread>

namespace {

// The client as main() builds it; message boxes are recorded so nothing waits for a click.
class BenchClient {
public:
    BenchClient(k3::Clock& clock, const QString& folder, const std::string& initUrl)
        : m_platform{clock,
                     m_messages,
                     m_events,
                     m_files,
                     m_processes,
                     {},
                     folder.toStdString(),
                     k3::InitEndpoints{initUrl, k3::test::closedInitUrl()}} {
        m_state = std::make_unique<k3::AppState>(m_platform);
        m_state->setProductProfile(k3::thisBuildProfile(m_messages));
        m_client = std::make_unique<k3::QtClient>(*m_state);
    }

    bool start() { return m_client->onMainWindowCreated(); }
    k3::AppState& state() { return *m_state; }
    k3::MainWindow& window() { return m_client->window(); }

private:
    k3::RecordingMessageBoxes m_messages;
    k3::QtEventPump m_events;
    k3::DiskUpdaterFiles m_files;
    k3::SpawnProcessStarter m_processes;
    k3::AppPlatform m_platform;
    std::unique_ptr<k3::AppState> m_state;
    std::unique_ptr<k3::QtClient> m_client;
};

struct Service {
    QTemporaryDir folder;
    k3::test::DrawdProcess drawd{
        {"--interval", "1", "--db",
         QDir(folder.path()).filePath(QStringLiteral("k3drawd.sqlite3")).toStdString()}};
    Service() {
        if (!drawd.isRunning()) qFatal("%s", drawd.error().c_str());
    }
};

Service& service() {
    static Service running;
    return running;
}

void BM_ClientStartToShown(benchmark::State& state) {
    k3::SystemClock clock;
    const std::string initUrl = service().drawd.initUrl();
    for (auto _ : state) {
        BenchClient client(clock, service().folder.path(), initUrl);
        if (!client.start()) state.SkipWithError("the client did not start");
        QApplication::processEvents();
        benchmark::DoNotOptimize(client.window().isVisible());
    }
    state.counters["rss_MiB"] = k3::bench::residentMegabytes();
    state.counters["children_MiB"] = k3::bench::childrenResidentMegabytes();
}
// The first start in a process pays for loading the HTML engine; the later ones show the rest.
BENCHMARK(BM_ClientStartToShown)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ClientStartToShown)->Unit(benchmark::kMillisecond)->Iterations(10);

// One client lives on while k3drawd draws every second. A fake clock that runs six seconds ahead
// per tick lets every acting tick ask, so each new draw is fetched as soon as it exists.
void BM_ClientMemoryAfterDraws(benchmark::State& state) {
    constexpr int kDraws = 100;
    k3::SystemClock systemClock;
    k3::FakeClock clock(0, 1, systemClock.nowSeconds() + 86400, 0);
    for (auto _ : state) {
        BenchClient client(clock, service().folder.path(), service().drawd.initUrl());
        if (!client.start()) {
            state.SkipWithError("the client did not start");
            break;
        }
        QApplication::processEvents();
        state.counters["rss_started_MiB"] = k3::bench::residentMegabytes();
        state.counters["children_started_MiB"] = k3::bench::childrenResidentMegabytes();
        QTreeWidget* history = client.window().historyList();
        const int rowsAtStart = history->topLevelItemCount();
        while (history->topLevelItemCount() < rowsAtStart + kDraws) {
            clock.advance(k3::DrawSource::kMinSecondsBetweenAttempts);
            client.state().drawCycle().onCountdownTick();
            QApplication::processEvents(QEventLoop::AllEvents, 100);
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
        state.counters["rss_after_draws_MiB"] = k3::bench::residentMegabytes();
        state.counters["children_after_draws_MiB"] = k3::bench::childrenResidentMegabytes();
    }
}
BENCHMARK(BM_ClientMemoryAfterDraws)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    // Only local pages load here, and containers that run the tests seldom allow Chromium's
    // sandbox, as root or not.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
