// The named calls of the draw service, one function each.
#pragma once

#include "server/protocol_endpoint.h"

#include <string>

namespace k3 {

class DrawFeed;

// Most draws one "select_draw" call returns.
inline constexpr int kMaxSelectCount = 500;

// The calls "init", "getInit", "newestdraw", "select_draw", "select_draw_date" and
// "getforecast"; initData is the JSON text "init" answers with.
CallFunctions makeDrawFunctions(DrawFeed& feed, std::string initData);

}  // namespace k3
