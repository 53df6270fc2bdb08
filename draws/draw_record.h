// One draw as the service reports it, and the latest/next pair shown in the window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace k3 {

struct DrawRecord {
    std::string extra;     // carried and copied, never interpreted
    std::string period;    // two records are the same draw when their periods are equal
    std::string drawTime;  // local "YYYY-MM-DD HH:MM:SS"
    std::string numbers;   // "1,3,5"
    int32_t seed = 0;

    bool operator==(const DrawRecord&) const = default;
};

struct DrawStatus {
    DrawRecord last;  // the latest draw
    DrawRecord next;  // the coming draw: extra, period and scheduled drawTime only

    bool operator==(const DrawStatus&) const = default;
};

// The eight fields of the latest-draw reply: extra, period, time, numbers, seed of the latest
// draw, then extra, period, scheduled time of the next. Missing fields stay empty.
DrawStatus fromNewestFields(const std::vector<std::string>& fields);

// One row of the service's draw table: extra, period, drawTime, numbers, seed. A shorter row
// leaves the missing fields empty (seed 0); extra columns are ignored.
DrawRecord fromTableRow(const std::vector<std::string>& row);

}  // namespace k3
