// Downloads one address into an open file with libcurl and says whether the file is complete.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace k3 {

struct DownloadResult {
    bool complete = false;
    std::string problem;  // why the file is not complete; empty when it is
    int64_t bytes = 0;    // bytes written to the file
};

// Received bytes and the announced total (0 while unknown).
using DownloadProgress = std::function<void(int64_t received, int64_t total)>;

// Writes the body of url to the file descriptor. Complete means: the transfer ended without
// error, the status was 200, the body is not empty and its length is the announced one.
// Setting cancel stops the transfer. Only http and https are followed.
DownloadResult downloadToFile(const std::string& url, int fd, const DownloadProgress& progress,
                              const std::atomic<bool>& cancel);

}  // namespace k3
