// The command line of the load generator.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace k3::bench {

enum class LoadMode { Probe, Call };

struct LoadOptions {
    std::string url;  // http://127.0.0.1:PORT
    LoadMode mode = LoadMode::Probe;
    int clients = 1;
    int seconds = 5;
    std::string probePath = "/newphase";
};

// nullopt with a reason for a bad command line; only loopback addresses are accepted.
std::optional<LoadOptions> parseLoadOptions(const std::vector<std::string>& arguments, std::string& error);

}  // namespace k3::bench
