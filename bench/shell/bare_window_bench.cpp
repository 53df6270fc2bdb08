// The yardstick for the client's start-up figures: a bare Qt Widgets window of the same size
// with one label, linked against Qt Widgets alone.
#include "bench/shell/resident_memory.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

void BM_BareWindowShown(benchmark::State& state) {
    for (auto _ : state) {
        QWidget window;
        window.setGeometry(50, 50, 1000, 700);
        QLabel label(QStringLiteral("澜星吉林快三"), &window);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
    state.counters["rss_MiB"] = k3::bench::residentMegabytes();
}
// The first window in a process pays for the platform's set-up; the later ones show the rest.
BENCHMARK(BM_BareWindowShown)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_BareWindowShown)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
