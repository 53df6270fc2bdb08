// Reading goes through C stdio so that standard input and files take the same road.
#include "tools/k3replay/history_file.h"

#include "platform/text.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace k3 {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

std::optional<std::string> readAll(std::FILE* stream) {
    std::string bytes;
    char buffer[65536];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
        bytes.append(buffer, count);
    }
    if (std::ferror(stream)) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace

DrawTable parseDrawTable(std::string_view text) {
    DrawTable table;
    for (std::string line : splitText(text, "\n")) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!isBlank(line)) {
            table.push_back(splitText(line, "|+|"));
        }
    }
    return table;
}

HistoryFile readHistoryFile(const std::string& path) {
    std::optional<std::string> bytes;
    if (path == "-") {
        bytes = readAll(stdin);
    } else {
        const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                                   &std::fclose);
        if (!file) {
            return {std::nullopt, "cannot open " + path + ": " + std::strerror(errno)};
        }
        bytes = readAll(file.get());
    }
    if (!bytes) {
        return {std::nullopt, "cannot read " + path + ": " + std::strerror(errno)};
    }
    if (!isValidUtf8(*bytes)) {
        return {std::nullopt, path + " is not UTF-8 text"};
    }
    std::string_view text = *bytes;
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    return {parseDrawTable(text), {}};
}

}  // namespace k3
