// Starting another program without a shell and without waiting for it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace k3 {

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts program with the arguments, each passed as one value exactly as given (no shell,
    // no quoting rules). The new process inherits the working directory and the environment.
    // Its process id, or nullopt when it could not be started.
    virtual std::optional<int> startDetached(const std::string& program,
                                             const std::vector<std::string>& arguments) = 0;
};

// posix_spawn of the program file itself.
class SpawnProcessStarter final : public ProcessStarter {
public:
    std::optional<int> startDetached(const std::string& program,
                                     const std::vector<std::string>& arguments) override;
};

}  // namespace k3
