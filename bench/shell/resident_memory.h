// Resident memory of the running process and of the processes it started (the HTML view's
// renderer and helpers), for the benchmarks' memory figures.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace k3::bench {

namespace detail {

// The value of one "Name:" line of /proc/<pid>/status; 0 when missing.
inline long statusValue(const std::string& pid, const std::string& name) {
    std::ifstream status("/proc/" + pid + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(name, 0) == 0) return std::stol(line.substr(name.size()));
    }
    return 0;
}

inline std::string processName(const std::string& pid) {
    std::ifstream name("/proc/" + pid + "/comm");
    std::string text;
    std::getline(name, text);
    return text;
}

// The draw service the benchmark starts is not part of the client's memory.
inline long descendantsKilobytes(long parent) {
    long total = 0;
    DIR* processes = opendir("/proc");
    if (!processes) return 0;
    while (const dirent* entry = readdir(processes)) {
        const std::string pid = entry->d_name;
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        if (statusValue(pid, "PPid:") == parent && processName(pid) != "k3drawd")
            total += statusValue(pid, "VmRSS:") + descendantsKilobytes(std::stol(pid));
    }
    closedir(processes);
    return total;
}

}  // namespace detail

// VmRSS of this process in MiB.
inline double residentMegabytes() {
    return static_cast<double>(detail::statusValue("self", "VmRSS:")) / 1024.0;
}

// VmRSS of every process below this one in MiB, the draw service left out.
inline double childrenResidentMegabytes() {
    return static_cast<double>(detail::descendantsKilobytes(getpid())) / 1024.0;
}

}  // namespace k3::bench
