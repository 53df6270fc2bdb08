// An address on loopback where nothing listens, for a service that is not there.
#pragma once

#include <string>

namespace k3::test {

// "http://127.0.0.1:PORT/" of a port that was free a moment ago.
std::string closedInitUrl();

}  // namespace k3::test
