// The five values the client starts the updater with.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace k3 {

struct UpdaterArguments {
    std::string productName;
    std::string oldVersion;
    std::string newVersion;
    std::string downloadUrl;
    std::string programFile;  // a plain file name in the updater's own directory
};

// The values after the program name; nullopt unless there are exactly five, the address is
// http or https and the program file is a plain name (no directory part, not "." or "..").
std::optional<UpdaterArguments> parseUpdaterArguments(const std::vector<std::string>& values);

}  // namespace k3
