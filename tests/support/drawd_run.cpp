#include "tests/support/drawd_run.h"

#include <signal.h>
#include <unistd.h>

#include "tests/support/drawd_launch.h"

namespace k3::test {

ProcessEnd runDrawd(const std::vector<std::string>& arguments) {
    const LaunchedDrawd launched = launchDrawd(arguments, {});
    ProcessEnd end;
    const auto never = [](const std::string&) { return false; };
    if (readOutput(launched.output, end.output, never) != ReadEnd::Closed) {
        ::kill(launched.pid, SIGKILL);  // it did not refuse to start
    }
    ::close(launched.output);
    end.exitStatus = waitForExit(launched.pid);
    return end;
}

}  // namespace k3::test
