// The running executable's directory, from the kernel's link to it.
#include "updater/program_location.h"

#include <filesystem>
#include <system_error>

namespace k3 {

std::optional<std::string> runningProgramDirectory() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !program.has_parent_path()) {
        return std::nullopt;
    }
    return program.parent_path().string();
}

}  // namespace k3
