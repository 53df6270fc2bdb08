// The updater program's bytes, built into the client's own executable.
#pragma once

#include <string_view>

namespace k3 {

std::string_view embeddedUpdaterImage();

}  // namespace k3
