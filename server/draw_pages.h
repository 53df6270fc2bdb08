// The service's HTML pages: the advertisement page the client's window shows (259 x 613 pixels)
// and the plain history page of the link bar. Self-contained: no outside resources.
#pragma once

#include "server/draw_store.h"

#include <string>
#include <vector>

namespace k3 {

// latest: the newest draws to list, newest first; today: the day's draws for the trend chart,
// newest first.
std::string renderAdvertPage(const std::vector<StoredDraw>& latest, const std::vector<StoredDraw>& today);

// A table of the draws, newest first.
std::string renderHistoryPage(const std::vector<StoredDraw>& draws);

// The trend of the sums of the dice as an inline SVG chart, oldest draw at the left.
std::string renderTrendChart(const std::vector<StoredDraw>& newestFirst);

}  // namespace k3
