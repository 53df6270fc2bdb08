// Resident memory of the running process, for the benchmarks' memory figures.
#pragma once

#include <fstream>
#include <string>

namespace k3::bench {

// VmRSS of /proc/self/status in MiB; 0 where there is no such file.
inline double residentMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

}  // namespace k3::bench
