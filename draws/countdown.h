// The countdown's pure rules: the text of the time left and which timer ticks do anything.
#pragma once

#include <cstdint>
#include <string>

namespace k3 {

// Minutes and seconds with at least two digits each, joined by the full-width colon: 125 gives
// "02：05", 6000 gives "100：00". A negative count (the draw is due) gives the empty text.
std::string formatCountdown(int32_t seconds);

// The timer fires every 100 ms and the cycle acts on every third tick: true once in three
// calls, the counter going 0, 1, 2 and back to 0 on the acting tick.
bool advanceTimerTicks(int32_t& timerTicks);

}  // namespace k3
