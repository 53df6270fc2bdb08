// Wall-clock texts of the service's time zone, derived from the Clock so that tests can fix
// the zone: draw times are written in local time because the client reads them that way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace k3 {

class Clock;

// "YYYY-MM-DD HH:MM:SS" of seconds counted on a wall clock (no zone applied).
std::string formatWallTime(int64_t wallSeconds);

// Local wall-clock seconds of a UTC instant, in the clock's time zone.
int64_t utcToWall(Clock& clock, int64_t utcSeconds);

// The UTC instant of a local wall-clock time; nullopt when the zone has no such time.
std::optional<int64_t> wallToUtc(Clock& clock, int64_t wallSeconds);

}  // namespace k3
