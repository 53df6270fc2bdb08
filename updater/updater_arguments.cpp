// Checks the updater's command line before anything touches the network or the disk.
#include "updater/updater_arguments.h"

#include <string_view>

namespace k3 {

namespace {

bool isWebAddress(std::string_view url) { return url.starts_with("http://") || url.starts_with("https://"); }

// The program file is joined to the updater's directory: a path here could overwrite any file.
bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

}  // namespace

std::optional<UpdaterArguments> parseUpdaterArguments(const std::vector<std::string>& values) {
    if (values.size() != 5) {
        return std::nullopt;
    }
    UpdaterArguments arguments{values[0], values[1], values[2], values[3], values[4]};
    if (!isWebAddress(arguments.downloadUrl) || !isPlainFileName(arguments.programFile)) {
        return std::nullopt;
    }
    return arguments;
}

}  // namespace k3
