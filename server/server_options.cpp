// Options with a value are read by a table of readers; validation happens as they are read.
#include "server/server_options.h"

#include <functional>
#include <map>

namespace k3 {
namespace {

constexpr int64_t kLongestInterval = 86400;

bool allDigits(std::string_view text) {
    return !text.empty() && text.size() <= 9 &&
           text.find_first_not_of("0123456789") == std::string_view::npos;
}

// "HOST:PORT"; the host may be an IPv6 address in brackets.
bool readListen(const std::string& text, ServerOptions& options) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || !allDigits(text.substr(colon + 1))) {
        return false;
    }
    std::string host = text.substr(0, colon);
    if (host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    const int port = std::stoi(text.substr(colon + 1));
    if (host.empty() || port > 65535) {
        return false;
    }
    options.host = host;
    options.port = port;
    return true;
}

bool readInterval(const std::string& text, ServerOptions& options) {
    if (!allDigits(text) || std::stoll(text) < 1 || std::stoll(text) > kLongestInterval) {
        return false;
    }
    options.intervalSeconds = std::stoll(text);
    return true;
}

bool readLink(const std::string& text, ServerOptions& options) {
    const size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == text.size()) {
        return false;
    }
    const std::string name = text.substr(0, equals);
    for (const auto& link : options.links) {
        if (link.first == name) {
            return false;
        }
    }
    options.links.emplace_back(name, text.substr(equals + 1));
    return true;
}

bool readUrl(const std::string& text, std::string& target) {
    if (!text.starts_with("http://") && !text.starts_with("https://")) {
        return false;
    }
    target = text;
    return true;
}

bool readText(const std::string& text, std::string& target) {
    target = text;
    return !text.empty();
}

using ValueReader = std::function<bool(const std::string& value, ServerOptions& options)>;

const std::map<std::string, ValueReader>& valueOptions() {
    static const std::map<std::string, ValueReader> readers = {
        {"--listen", readListen},
        {"--db", [](const std::string& v, ServerOptions& o) { return readText(v, o.databasePath); }},
        {"--interval", readInterval},
        {"--public-url", [](const std::string& v, ServerOptions& o) { return readUrl(v, o.publicUrl); }},
        {"--offer-version",
         [](const std::string& v, ServerOptions& o) { return readText(v, o.offerVersion); }},
        {"--offer-file", [](const std::string& v, ServerOptions& o) { return readText(v, o.offerFile); }},
        {"--link", readLink},
    };
    return readers;
}

}  // namespace

OptionsResult parseServerOptions(const std::vector<std::string>& arguments) {
    ServerOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            continue;
        }
        if (argument == "--quiet") {
            options.quiet = true;
            continue;
        }
        const auto reader = valueOptions().find(argument);
        if (reader == valueOptions().end()) {
            return {std::nullopt, "unknown option " + argument};
        }
        if (i + 1 == arguments.size()) {
            return {std::nullopt, argument + " needs a value"};
        }
        const std::string& value = arguments[++i];
        if (!reader->second(value, options)) {
            return {std::nullopt, "bad value for " + argument + ": " + value};
        }
    }
    if (options.offerVersion.empty() != options.offerFile.empty()) {
        return {std::nullopt, "--offer-version and --offer-file go together"};
    }
    return {options, ""};
}

std::string serverUsage() {
    return "Usage: k3drawd [options]\n"
           "The draw service: draws on a schedule, keeps them in SQLite and serves them to the client.\n"
           "  --listen HOST:PORT     address to listen on (default 127.0.0.1:19200; port 0 picks a free "
           "one)\n"
           "  --db PATH              SQLite database (default k3drawd.sqlite3)\n"
           "  --interval SECONDS     draw every SECONDS seconds instead of the daily timetable\n"
           "  --public-url URL       base address written into the init reply (default http://HOST:PORT)\n"
           "  --offer-version V      offer version V as an update ...\n"
           "  --offer-file PATH      ... with this file, served under /download/NAME\n"
           "  --link NAME=URL        a link of the link bar (repeatable, in order)\n"
           "  --quiet                no log line for each new draw\n"
           "  --help                 this text\n";
}

}  // namespace k3
