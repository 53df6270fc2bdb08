// k3replay: replays or backtests a plan on a saved draw history and prints the plan box text.
#include "platform/clock.h"
#include "platform/message_box.h"
#include "tools/k3replay/history_file.h"
#include "tools/k3replay/replay_options.h"
#include "tools/k3replay/replay_run.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kUsageError = 2;

// Without a window, messages for the user go to standard error.
class StandardErrorMessages final : public k3::MessageBoxes {
public:
    void showMessage(std::string_view text) override { std::cerr << "k3replay: " << text << '\n'; }
    bool askOkCancel(std::string_view text) override {
        showMessage(text);
        return false;
    }
};

int fail(const std::string& message) {
    std::cerr << "k3replay: " << message << '\n';
    return kUsageError;
}

int failUsage(const std::string& message) {
    fail(message);
    std::cerr << "Try 'k3replay --help'.\n";
    return kUsageError;
}

std::unique_ptr<k3::Clock> makeClock(const k3::ReplayOptions& options) {
    if (options.ticks) {
        return std::make_unique<k3::FakeClock>(options.ticks->start, options.ticks->step);
    }
    return std::make_unique<k3::SystemClock>();
}

}  // namespace

int main(int argc, char** argv) {
    const k3::ParsedArguments parsed =
        k3::parseReplayArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.options) {
        return failUsage(parsed.error);
    }
    const k3::ReplayOptions& options = *parsed.options;
    if (options.help) {
        std::cout << k3::kReplayUsage;
        return 0;
    }
    const k3::HistoryFile history = k3::readHistoryFile(options.file);
    if (!history.table) {
        return fail(history.error);
    }
    const std::unique_ptr<k3::Clock> clock = makeClock(options);
    StandardErrorMessages messages;
    const k3::ReplayResult result = k3::runReplay(options, *history.table, *clock, messages);
    if (!result.planBox) {
        return failUsage(result.error);
    }
    std::fwrite(result.planBox->data(), 1, result.planBox->size(), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        return fail("cannot write the plan text to standard output");
    }
    return 0;
}
