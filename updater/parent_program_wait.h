// The client starts the updater and ends; the program file is swapped only once it has gone.
#pragma once

#include <chrono>
#include <string>

namespace k3 {

class ProgramExitWait {
public:
    virtual ~ProgramExitWait() = default;
    // Returns when the old program has ended, or after the wait's limit.
    virtual void waitForExit() = 0;
};

// Waits for the process that started the updater when that process runs the program file.
// Must be made at the updater's start, before the program file is replaced. When the limit
// passes the update goes on: a running file can be renamed over on this system.
class ParentProgramWait final : public ProgramExitWait {
public:
    ParentProgramWait(const std::string& programPath, std::chrono::milliseconds limit);
    void waitForExit() override;

private:
    int m_parent;
    bool m_parentRunsProgram;
    std::chrono::milliseconds m_limit;
};

}  // namespace k3
