// The command line of k3drawd.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace k3 {

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 19200;  // 0: any free port
    std::string databasePath = "k3drawd.sqlite3";
    int64_t intervalSeconds = 0;  // 0: the daily timetable
    std::string publicUrl;        // empty: http:// and the listening address
    std::string offerVersion;
    std::string offerFile;
    std::vector<std::pair<std::string, std::string>> links;
    bool quiet = false;
    bool help = false;
};

struct OptionsResult {
    std::optional<ServerOptions> options;
    std::string error;  // when options is empty
};

OptionsResult parseServerOptions(const std::vector<std::string>& arguments);

std::string serverUsage();

}  // namespace k3
