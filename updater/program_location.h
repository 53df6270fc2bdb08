// Where the running program's file is, so that the updater and its target are found beside it.
#pragma once

#include <optional>
#include <string>

namespace k3 {

// Directory of the running executable, without a trailing separator; nullopt when unknown.
std::optional<std::string> runningProgramDirectory();

}  // namespace k3
