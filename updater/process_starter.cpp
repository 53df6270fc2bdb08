// Starting a program with posix_spawn: the arguments reach it one by one, untouched by a shell.
#include "updater/process_starter.h"

#include <spawn.h>

extern char** environ;

namespace k3 {

std::optional<int> SpawnProcessStarter::startDetached(const std::string& program,
                                                      const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return std::nullopt;
    }
    return static_cast<int>(pid);
}

}  // namespace k3
