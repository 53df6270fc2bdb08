#include "draws/countdown.h"

namespace k3 {
namespace {

constexpr int32_t kTicksPerCycle = 3;

std::string twoDigits(int32_t value) { return (value < 10 ? "0" : "") + std::to_string(value); }

}  // namespace

std::string formatCountdown(int32_t seconds) {
    if (seconds < 0) {
        return {};
    }
    return twoDigits(seconds / 60) + "：" + twoDigits(seconds % 60);
}

bool advanceTimerTicks(int32_t& timerTicks) {
    if (timerTicks < kTicksPerCycle - 1) {
        ++timerTicks;
        return false;
    }
    timerTicks = 0;
    return true;
}

}  // namespace k3
