// k3drawd run to its end, for the arguments it refuses to start with.
#pragma once

#include <string>
#include <vector>

namespace k3::test {

struct ProcessEnd {
    int exitStatus = -1;  // -1: did not exit normally
    std::string output;   // what it wrote to stdout and stderr
};

// Runs k3drawd with exactly these arguments; one that starts after all is killed after a
// generous wait.
ProcessEnd runDrawd(const std::vector<std::string>& arguments);

}  // namespace k3::test
