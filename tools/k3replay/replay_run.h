// One replay: the window's start-up, reload and live draws without a window.
#pragma once

#include "platform/clock.h"
#include "platform/message_box.h"
#include "tools/k3replay/history_file.h"
#include "tools/k3replay/replay_options.h"

#include <optional>
#include <string>

namespace k3 {

struct ReplayResult {
    std::optional<std::string> planBox;  // the plan box text, byte for byte
    std::string error;                   // why there is none
};

// Adds the plan as the start-up does, loads the history that precedes the options.live newest
// rows of table, reloads, then lets those rows arrive one by one, oldest first.
ReplayResult runReplay(const ReplayOptions& options, const DrawTable& table, Clock& clock,
                       MessageBoxes& messages);

}  // namespace k3
