// The command line of k3replay: what to replay and how.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace k3 {

// The tick clock of a replay: first reads start, every later read is step more.
struct TickSetting {
    uint32_t start = 0;
    uint32_t step = 0;
};

struct ReplayOptions {
    std::string spec = "独胆定1码";
    int32_t periods = 3;
    std::size_t live = 0;
    std::optional<TickSetting> ticks;  // none: the real clock
    bool honest = false;
    std::string file;  // "-" for standard input
    bool help = false;
};

struct ParsedArguments {
    std::optional<ReplayOptions> options;  // none when the arguments are wrong
    std::string error;                     // why, when they are
};

// Reads the arguments after the program name.
ParsedArguments parseReplayArguments(const std::vector<std::string>& arguments);

extern const std::string_view kReplayUsage;

}  // namespace k3
