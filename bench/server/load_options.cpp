#include "load_options.h"

#include <string_view>

namespace k3::bench {
namespace {

constexpr int kMostClients = 512;
constexpr int kLongestRun = 60;

bool isLoopback(std::string_view url) {
    return url.starts_with("http://127.0.0.1:") || url.starts_with("http://localhost:");
}

bool readNumber(const std::string& text, int low, int high, int& target) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    target = std::stoi(text);
    return target >= low && target <= high;
}

}  // namespace

std::optional<LoadOptions> parseLoadOptions(const std::vector<std::string>& arguments, std::string& error) {
    LoadOptions options;
    for (size_t i = 0; i + 1 < arguments.size(); i += 2) {
        const std::string& name = arguments[i];
        const std::string& value = arguments[i + 1];
        bool ok = true;
        if (name == "--url") {
            ok = isLoopback(value);
            options.url = value;
        } else if (name == "--mode") {
            ok = value == "probe" || value == "call";
            options.mode = value == "call" ? LoadMode::Call : LoadMode::Probe;
        } else if (name == "--clients") {
            ok = readNumber(value, 1, kMostClients, options.clients);
        } else if (name == "--seconds") {
            ok = readNumber(value, 1, kLongestRun, options.seconds);
        } else if (name == "--path") {
            ok = value.starts_with("/");
            options.probePath = value;
        } else {
            ok = false;
        }
        if (!ok) {
            error = "bad option " + name + " " + value;
            return std::nullopt;
        }
    }
    if (arguments.size() % 2 != 0 || options.url.empty()) {
        error =
            "usage: k3drawd_load --url http://127.0.0.1:PORT [--mode probe|call] [--clients 1..512] "
            "[--seconds 1..60] [--path /newphase]";
        return std::nullopt;
    }
    return options;
}

}  // namespace k3::bench
