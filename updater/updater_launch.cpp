// Writing out and starting the updater.
#include "updater/updater_launch.h"

namespace k3 {

std::string updaterPathIn(std::string_view programDirectory) {
    std::string path(programDirectory);
#ifdef _WIN32
    path += "\\更新器.exe";
#else
    path += "/更新器";
#endif
    return path;
}

std::string programFileName(std::string_view programName) {
    std::string name(programName);
#ifdef _WIN32
    name += ".exe";
#endif
    return name;
}

std::vector<std::string> updaterArguments(std::string_view productName, std::string_view version,
                                          std::string_view newVersion, std::string_view updateUrl,
                                          std::string_view programName) {
    return {std::string(productName), std::string(version), std::string(newVersion), std::string(updateUrl),
            programFileName(programName)};
}

void removeLeftoverUpdater(const std::string& updaterPath, UpdaterFiles& files) {
    if (files.exists(updaterPath)) {
        files.remove(updaterPath);
    }
}

bool runUpdater(const std::string& updaterPath, std::string_view updaterImage,
                const std::vector<std::string>& arguments, UpdaterFiles& files, ProcessStarter& processes) {
    // An updater already there (its delete at start-up failed) is started as it is.
    if (!files.exists(updaterPath) && !files.writeExecutable(updaterPath, updaterImage)) {
        return false;
    }
    return processes.startDetached(updaterPath, arguments).has_value();
}

}  // namespace k3
