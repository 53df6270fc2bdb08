// Local wall time through the Clock's one local conversion (local text to UTC): the zone
// offset at an instant is read back from it.
#include "server/local_time.h"

#include "platform/clock.h"

#include <chrono>
#include <cstdio>

namespace k3 {

std::string formatWallTime(int64_t wallSeconds) {
    using namespace std::chrono;
    const sys_seconds instant{seconds(wallSeconds)};
    const sys_days day = floor<days>(instant);
    const year_month_day date{day};
    const hh_mm_ss time{instant - day};
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02ld:%02ld:%02ld", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<long>(time.hours().count()), static_cast<long>(time.minutes().count()),
                  static_cast<long>(time.seconds().count()));
    return text;
}

int64_t utcToWall(Clock& clock, int64_t utcSeconds) {
    // The offset read at the wall time equal to the instant is right except within hours of a
    // zone change; one more round at the corrected wall time settles it.
    int64_t wall = utcSeconds;
    for (int round = 0; round < 2; ++round) {
        const std::optional<int64_t> asUtc = clock.localToSeconds(formatWallTime(wall));
        if (!asUtc) {
            break;
        }
        wall = utcSeconds + (wall - *asUtc);
    }
    return wall;
}

std::optional<int64_t> wallToUtc(Clock& clock, int64_t wallSeconds) {
    return clock.localToSeconds(formatWallTime(wallSeconds));
}

}  // namespace k3
